#include "TrovaFattura.h"

#include "data/DB.h"
#include "db/DataSource.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "forms/Family.h"
#include "forms/Registro.h"
#include "sales/services/TrovaFattura.h"
#include "widgets/DBGrid.h"
#include "widgets/MaskedDateEdit.h"
#include "widgets/Seams.h"
#include "widgets/ToolButton.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString kErrore = QStringLiteral("Messaggio di errore");

db::Query *trova() { return form_DB->TableTrovaFattura; }

} // namespace

TfrmTrovaFattura::TfrmTrovaFattura(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmTrovaFattura"));
    setWindowTitle(QStringLiteral("Trova Fattura"));
    setProperty("helpContext", 6000);
    // Left only through "Avanti" (or a double click) and "Indietro".
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    resize(900, 600);
    auto *layout = new QVBoxLayout(this);

    ToolBar1 = new QToolBar(this);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    spdHelp = ui::pulsanteAiuto(this);
    spdIndietro = ui::pulsanteIndietro(this);
    spdAvanti = ui::toolButton(this, QStringLiteral("spdAvanti"), QStringLiteral("Avanti"), QStringLiteral("Sceglie la fattura"),
                               "go-next", QStyle::SP_ArrowForward);
    for (QToolButton *b : {spdHelp, spdIndietro, spdAvanti}) ToolBar1->addWidget(b);
    layout->addWidget(ToolBar1);

    // No columns of its own: the grid shows the caller's query as it is.
    DBGrid1 = new ui::DBGrid(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setDataSource(form_DB->SourceTrovaFattura);
    layout->addWidget(DBGrid1, 1);

    GroupBox1 = new QGroupBox(this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setStyleSheet(QStringLiteral("QGroupBox#GroupBox1 { background-color: rgb(128, 255, 128); }"));
    auto *g = new QGridLayout(GroupBox1);
    int col = 0;
    const auto posa = [&](QWidget *w, const char *etichetta) {
        auto *l = new QLabel(QString::fromUtf8(etichetta), GroupBox1);
        l->setBuddy(w);
        g->addWidget(l, 0, col);
        g->addWidget(w, 1, col);
        ++col;
        w->installEventFilter(this);
        m_caselle << w;
        return l;
    };
    const auto casella = [&](const char *nome, const char *etichetta) {
        auto *e = new QLineEdit(GroupBox1);
        e->setObjectName(QLatin1String(nome));
        posa(e, etichetta);
        return e;
    };
    const auto data = [&](const char *nome, const char *etichetta) {
        auto *e = new ui::MaskedDateEdit(GroupBox1);
        e->setObjectName(QLatin1String(nome));
        e->setMaximumWidth(110);
        posa(e, etichetta);
        return e;
    };
    txtDaNumero = casella("txtDaNumero", "Dal numero");
    txtANumero = casella("txtANumero", "al numero");
    txtSerie = new QLineEdit(GroupBox1);
    txtSerie->setObjectName(QStringLiteral("txtSerie"));
    lblSerie = posa(txtSerie, "Serie");
    lblSerie->setObjectName(QStringLiteral("lblSerie"));
    maskDaData = data("maskDaData", "Dalla Data");
    maskAData = data("maskAData", "alla Data");
    DBLookupComboBox1 = new QComboBox(GroupBox1);
    DBLookupComboBox1->setObjectName(QStringLiteral("DBLookupComboBox1"));
    DBLookupComboBox1->setMinimumWidth(240);
    posa(DBLookupComboBox1, "Cliente");
    BitBtn3 = ui::toolButton(GroupBox1, QStringLiteral("BitBtn3"), QStringLiteral("reset"), QString(), "edit-clear",
                             QStyle::SP_DialogResetButton);
    g->addWidget(BitBtn3, 1, col++);
    Filtra = ui::toolButton(GroupBox1, QStringLiteral("Filtra"), QStringLiteral("cerca"), QString(), "edit-find",
                            QStyle::SP_FileDialogContentsView);
    g->addWidget(Filtra, 1, col++);
    for (QToolButton *b : {BitBtn3, Filtra}) {
        QPalette p = b->palette();
        p.setColor(QPalette::ButtonText, Qt::red);
        b->setPalette(p);
    }
    g->setColumnStretch(col, 1);
    layout->addWidget(GroupBox1);

    connect(spdHelp, &QToolButton::clicked, this, &TfrmTrovaFattura::spdHelpClick);
    connect(spdIndietro, &QToolButton::clicked, this, &TfrmTrovaFattura::spdIndietroClick);
    connect(spdAvanti, &QToolButton::clicked, this, &TfrmTrovaFattura::spdAvantiClick);
    connect(DBGrid1, &ui::DBGrid::doubleClicked, this, &TfrmTrovaFattura::DBGrid1DblClick);
    connect(DBGrid1, &ui::DBGrid::titleClicked, this, &TfrmTrovaFattura::DBGrid1TitleClick);
    connect(BitBtn3, &QToolButton::clicked, this, &TfrmTrovaFattura::BitBtn3Click);
    connect(Filtra, &QToolButton::clicked, this, &TfrmTrovaFattura::FiltraClick);
}

void TfrmTrovaFattura::riempiClienti()
{
    QComboBox *c = DBLookupComboBox1;
    const QVariant scelta = c->currentIndex() >= 0 ? c->currentData() : QVariant();
    const QSignalBlocker quiet(c);
    c->clear();
    db::Query *q = form_DB->Table7;
    if (!q->isActive()) q->open();
    const int k = q->fieldIndex(QStringLiteral("Id"));
    const int t = q->fieldIndex(QStringLiteral("NominativoVisualizzato"));
    const int righe = q->recordCount();
    for (int r = 0; r < righe; ++r) c->addItem(q->valueAt(r, t).toString(), q->valueAt(r, k));
    c->setCurrentIndex(scelta.isValid() ? c->findData(scelta) : -1);
}

void TfrmTrovaFattura::showEvent(QShowEvent *e)
{
    riempiClienti();
    setWindowState(windowState() | Qt::WindowMaximized);
    QDialog::showEvent(e);
}

bool TfrmTrovaFattura::eventFilter(QObject *watched, QEvent *e)
{
    auto *w = qobject_cast<QWidget *>(watched);
    const int i = m_caselle.indexOf(w);
    if (i < 0) return QDialog::eventFilter(watched, e);
    if (e->type() == QEvent::FocusIn || e->type() == QEvent::FocusOut) {
        w->setStyleSheet(e->type() == QEvent::FocusIn ? QStringLiteral("background-color: aqua;")
                                                      : QStringLiteral("background-color: white;"));
        if (e->type() == QEvent::FocusOut && w == maskDaData) maskDaDataExit();
    }
    if (e->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, e);
    const bool cliente = w == DBLookupComboBox1;
    switch (static_cast<QKeyEvent *>(e)->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        FiltraClick();
        return true;
    case Qt::Key_Down:
        if (cliente) break;
        m_caselle.value(i + 1, m_caselle.first())->setFocus();
        return true;
    case Qt::Key_Up:
        if (cliente) break;
        m_caselle.value(i - 1, m_caselle.last())->setFocus();
        return true;
    case Qt::Key_Escape:
        if (w == maskDaData || w == maskAData) {
            static_cast<QLineEdit *>(w)->clear();
            txtDaNumero->setFocus();
            FiltraClick();
            return true;
        }
        break;
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
        if (cliente) {
            DBLookupComboBox1->setCurrentIndex(-1);
            FiltraClick();
            return true;
        }
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, e);
}

void TfrmTrovaFattura::FiltraClick()
{
    db::Query *q = trova();
    vendite::CriteriTrovaFattura k;
    k.daData = maskDaData->text();
    k.aData = maskAData->text();
    k.daNumero = txtDaNumero->text();
    k.aNumero = txtANumero->text();
    k.serie = txtSerie->text();
    if (DBLookupComboBox1->currentIndex() >= 0) {
        k.cliente = DBLookupComboBox1->currentData().toLongLong();
        k.nomeCliente = DBLookupComboBox1->currentText();
    }
    k.clientePerId = q->isActive() && q->fieldIndex(QStringLiteral("Cliente_ID")) >= 0;
    const vendite::FiltroTrovaFattura f = vendite::filtroTrovaFattura(k);
    if (!f.valido()) {
        // The filter in force stays: nothing is filtered by a text that is not what its box asks.
        forms::avvisa(this, f.errore, forms::kAvviso);
        if (auto *w = findChild<QWidget *>(f.casella)) w->setFocus();
        return;
    }
    try {
        q->setFilter(f.filtro);
    } catch (const db::DbError &e) {
        // A box whose column the caller's query lacks (the series of a list of quotes).
        forms::avvisa(this, e.message(), kErrore);
    }
}

void TfrmTrovaFattura::BitBtn3Click()
{
    db::Query *q = trova();
    q->setFilter(QString());
    // A sort by a column of one caller's query must not stop the next caller's query opening.
    q->setSort(QString());
    for (QLineEdit *e : {txtDaNumero, txtANumero, static_cast<QLineEdit *>(maskDaData), static_cast<QLineEdit *>(maskAData), txtSerie})
        e->clear();
    DBLookupComboBox1->setCurrentIndex(-1);
}

void TfrmTrovaFattura::spdAvantiClick()
{
    // Nothing to choose: the caller must never read a choice that is not there.
    if (trova()->recordCount() < 1) return;
    RicercaAnnullata = false;
    accept();
}

void TfrmTrovaFattura::DBGrid1DblClick() { spdAvantiClick(); }

void TfrmTrovaFattura::spdIndietroClick()
{
    RicercaAnnullata = true;
    QDialog::reject();
}

void TfrmTrovaFattura::reject() { spdIndietroClick(); }

void TfrmTrovaFattura::spdHelpClick() { ui::apriGuida(6000); }

void TfrmTrovaFattura::DBGrid1TitleClick(const QString &campo)
{
    db::Query *q = trova();
    // The direction follows the previous sort, whatever column it named.
    q->setSort(campo + (q->sort().endsWith(QLatin1String("ASC")) ? QStringLiteral(" DESC") : QStringLiteral(" ASC")));
}

void TfrmTrovaFattura::maskDaDataExit()
{
    QString cifre;
    for (const QChar c : maskDaData->text())
        if (c.isDigit()) cifre += c;
    if (cifre.size() < 8) return;
    for (const QChar c : maskAData->text())
        if (c.isDigit()) return; // an end date already typed is never changed
    maskAData->setText(QStringLiteral("31/12/") + cifre.mid(4, 4));
}

namespace {
// Created once at start-up, in the program's order.
const bool registrato = forms::registra(frmTrovaFattura, "frmTrovaFattura");
} // namespace
