#include "Scadenziario.h"

#include "ScadenziarioDettaglio.h"
#include "common/GridLayouts.h"
#include "core/Clock.h"
#include "data/DB.h"
#include "db/DateTimeText.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "forms/Family.h"
#include "forms/Registro.h"
#include "sales/services/PreventiFattura.h"
#include "widgets/DBGrid.h"
#include "widgets/MaskedDateEdit.h"
#include "widgets/Seams.h"
#include "widgets/ToolButton.h"

#include <QAction>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolBar>
#include <QToolButton>

namespace {

const QString kId = QStringLiteral("Id");
const QColor kScaduta(255, 0, 0);
const QColor kAcqua(0, 255, 255);

} // namespace

TfrmScadenziario::TfrmScadenziario(QWidget *parent)
    : forms::ListForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmScadenziario");
              c.titolo = QStringLiteral("Scadenziario Clienti");
              c.helpContext = 6900;
              c.dataset = form_DB->TableCercaFattureScadenze;
              c.source = form_DB->SourceCercaFatturaScadenze;
              c.colonne = {{QStringLiteral("DataScadenza"), QStringLiteral("DataScadenza"), 96},
                           {QStringLiteral("DataPagamento"), QStringLiteral("DataPagamento"), 107},
                           {QStringLiteral("Operazione"), QStringLiteral("Operazione"), 246},
                           {QStringLiteral("Importo"), QStringLiteral("Importo"), 66},
                           {QStringLiteral("Fornitore"), QStringLiteral("Fornitore"), 74},
                           {QStringLiteral("Cliente"), QStringLiteral("Cliente"), 95},
                           {QStringLiteral("DataFattura"), QStringLiteral("Data Docum."), 90},
                           {QStringLiteral("NumeroFattura"), QStringLiteral("N° Docum."), 70},
                           {QStringLiteral("SerieFatturazione"), QStringLiteral("Serie"), 60},
                           {QStringLiteral("ModalitaPagamento"), QStringLiteral("Mod.Pagamento"), 91},
                           {QStringLiteral("Iban"), QStringLiteral("Iban"), 180},
                           {QStringLiteral("Dettagli"), QStringLiteral("Dettagli"), 150}};
              c.ricerca = {};
              c.domandaElimina = QStringLiteral("Sei sicuro di voler eliminare il Record?");
              c.nomeGriglia = QStringLiteral("frmScadenziario_Griglia");
              c.menuGrigliaCompleto = true;
              c.ordinabile = true;
              c.massimizzata = true;
              return c;
          }(),
          parent)
{
    // Instalments come from their documents: the schedule adds none.
    for (QAction *a : ToolBar2->actions())
        if (ToolBar2->widgetForAction(a) == spdInserisci) a->setVisible(false);
    DBGrid1->setToolTip(QStringLiteral("Le righe rosse sono le operazioni già scadute!!!"));
    DBGrid1->setRowColorCallback([this](int riga) -> QColor {
        db::Query *q = dataset();
        const int pagato = q->fieldIndex(QStringLiteral("Pagato"));
        const int scadenza = q->fieldIndex(QStringLiteral("DataScadenza"));
        if (pagato < 0 || scadenza < 0) return QColor(Qt::white);
        const QVariant p = q->valueAt(riga, pagato);
        const QDate data = db::readCanonical(q->valueAt(riga, scadenza).toString()).date;
        const bool pagata = !p.isNull() && p.toLongLong() != 0;
        return scadenziario::scaduta(pagata, data, core::Clock::instance().today()) ? kScaduta : QColor(Qt::white);
    });

    auto *gruppo = new QGroupBox(QStringLiteral("Filtri"), this);
    gruppo->setObjectName(QStringLiteral("GroupBox1"));
    gruppo->setAutoFillBackground(true);
    QPalette verde = gruppo->palette();
    verde.setColor(QPalette::Window, QColor(128, 255, 128));
    gruppo->setPalette(verde);
    auto *g = new QGridLayout(gruppo);
    int colonna = 0;
    auto posa = [&](QWidget *w, const char *etichetta) {
        auto *l = new QLabel(QString::fromUtf8(etichetta), gruppo);
        l->setBuddy(w);
        g->addWidget(l, 0, colonna);
        g->addWidget(w, 1, colonna++);
        w->installEventFilter(this);
        m_caselle << w;
    };
    auto data = [&](const char *nome, const char *etichetta) {
        auto *e = new ui::MaskedDateEdit(gruppo);
        e->setObjectName(QString::fromLatin1(nome));
        e->setMaximumWidth(110);
        posa(e, etichetta);
        return e;
    };
    auto testo = [&](const char *nome, const char *etichetta) {
        auto *e = new QLineEdit(gruppo);
        e->setObjectName(QString::fromLatin1(nome));
        posa(e, etichetta);
        return e;
    };
    maskDaScadenza = data("maskDaScadenza", "Dalla Scadenza");
    maskAScadenza = data("maskAScadenza", "alla Scadenza");
    txtCliente = testo("txtCliente", "Cliente");
    txtFornitore = testo("txtFornitore", "Fornitore");
    Edit1 = testo("Edit1", "Mod. Pagamento");
    Edit2 = testo("Edit2", "Dettagli");
    Edit3 = testo("Edit3", "Iban");
    Edit4 = testo("Edit4", "N° Docum.");
    Edit5 = testo("Edit5", "Serie Doc.");
    BitBtn2 = ui::toolButton(gruppo, QStringLiteral("BitBtn2"), QStringLiteral("cerca"), QString(), "edit-find",
                             QStyle::SP_FileDialogContentsView);
    BitBtn3 = ui::toolButton(gruppo, QStringLiteral("BitBtn3"), QStringLiteral("reset"), QString(), "edit-clear",
                             QStyle::SP_DialogResetButton);
    g->addWidget(BitBtn2, 1, colonna++);
    g->addWidget(BitBtn3, 1, colonna++);
    btnRequery = ui::toolButton(gruppo, QStringLiteral("btnRequery"), QStringLiteral("btnRequery"), QString(), "view-refresh",
                                QStyle::SP_BrowserReload);
    btnRequery->setVisible(false);
    layoutPrincipale()->addWidget(gruppo);

    connect(BitBtn2, &QToolButton::clicked, this, &TfrmScadenziario::BitBtn2Click);
    connect(BitBtn3, &QToolButton::clicked, this, &TfrmScadenziario::BitBtn3Click);
    connect(btnRequery, &QToolButton::clicked, this, &TfrmScadenziario::btnRequeryClick);
}

bool TfrmScadenziario::eventFilter(QObject *watched, QEvent *e)
{
    auto *w = qobject_cast<QWidget *>(watched);
    const int i = m_caselle.indexOf(w);
    if (i < 0) return forms::ListForm::eventFilter(watched, e);
    if (e->type() == QEvent::FocusIn || e->type() == QEvent::FocusOut) {
        QPalette p = w->palette();
        p.setColor(QPalette::Base, e->type() == QEvent::FocusIn ? kAcqua : QColor(Qt::white));
        w->setPalette(p);
    }
    if (e->type() != QEvent::KeyPress) return forms::ListForm::eventFilter(watched, e);
    const bool casellaData = w == maskDaScadenza || w == maskAScadenza;
    switch (static_cast<QKeyEvent *>(e)->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        BitBtn2Click();
        return true;
    case Qt::Key_Up:
        m_caselle.value(i - 1, m_caselle.last())->setFocus();
        return true;
    case Qt::Key_Down:
        if (casellaData) break;
        m_caselle.value(i + 1, m_caselle.first())->setFocus();
        return true;
    case Qt::Key_Escape:
        if (!casellaData) break;
        static_cast<QLineEdit *>(w)->clear();
        Edit1->setFocus();
        return true;
    default:
        break;
    }
    return forms::ListForm::eventFilter(watched, e);
}

void TfrmScadenziario::BitBtn2Click()
{
    scadenziario::CriteriRicerca c;
    c.daScadenza = maskDaScadenza->text();
    c.aScadenza = maskAScadenza->text();
    c.cliente = txtCliente->text();
    c.fornitore = txtFornitore->text();
    c.modPagamento = Edit1->text();
    c.dettagli = Edit2->text();
    c.iban = Edit3->text();
    c.numeroDocumento = Edit4->text();
    c.serie = Edit5->text();
    const scadenziario::FiltroRicerca f = scadenziario::filtroRicerca(c);
    if (!f.valido()) {
        // The filter in force stays; nothing is filtered by what is not a date or a number.
        forms::avvisa(this, f.errore, forms::kAvviso);
        return;
    }
    dataset()->setFilter(f.filtro);
}

void TfrmScadenziario::BitBtn3Click()
{
    dataset()->setFilter(QString());
    for (QWidget *w : m_caselle) static_cast<QLineEdit *>(w)->clear();
}

void TfrmScadenziario::btnRequeryClick()
{
    db::Query *q = dataset();
    if (q->isEmpty()) return;
    db::Query *s = form_DB->TableFatturaScadenze;
    s->setFilter(QString());
    s->close();
    s->setSql(QStringLiteral("select * from FatturaScadenze where ID = %1").arg(q->fieldByName(kId).asLargeInt()));
    s->open();
}

void TfrmScadenziario::spdAvantiClick()
{
    if (dataset()->recordCount() < 1 || !frmScadenziarioDettaglio) return;
    btnRequeryClick();
    // The editor re-reads this list after a save and keeps its place on the instalment.
    frmScadenziarioDettaglio->mostra(false);
}

void TfrmScadenziario::spdEliminaClick()
{
    db::Query *q = dataset();
    if (q->recordCount() < 1) return;
    if (!forms::chiedi(this, config().domandaElimina)) return;
    const qint64 id = q->fieldByName(kId).asLargeInt();
    // The list stays on the row above; after the first row, on the new first row.
    const int riga = q->currentIndex();
    const qint64 dopo = riga > 0 ? q->valueAt(riga - 1, q->fieldIndex(kId)).toLongLong() : 0;
    try {
        vendite::eliminaScadenza(form_DB->Connessione, id);
    } catch (const db::DbError &e) {
        ui::showError(e.message(), QStringLiteral("Messaggio di errore"), this);
        return;
    }
    q->requery();
    if (dopo > 0) q->locate(kId, dopo);
    else q->first();
}

void TfrmScadenziario::preparaVista(scadenziario::Vista vista)
{
    db::Query *q = dataset();
    q->close();
    q->setSql(scadenziario::sqlVista(vista));
    q->open();
    BitBtn3Click();
    setWindowTitle(scadenziario::titoloVista(vista));
    const bool fornitori = scadenziario::vistaFornitori(vista);
    const QString mostrata = fornitori ? QStringLiteral("Fornitore") : QStringLiteral("Cliente");
    const QString nascosta = fornitori ? QStringLiteral("Cliente") : QStringLiteral("Fornitore");
    common::MostraColonna(mostrata, *DBGrid1);
    common::NascondiColonna(nascosta, *DBGrid1);
    if (frmScadenziarioDettaglio) frmScadenziarioDettaglio->mostraParte(fornitori);
}

void TfrmScadenziario::mostraVista(scadenziario::Vista vista)
{
    preparaVista(vista);
    exec();
    dataset()->setFilter(QString());
}

namespace {
// Created once at start-up, in the program's order.
const bool registrato =
    forms::registra(frmScadenziario, "frmScadenziario", {.griglie = {{QStringLiteral("frmScadenziario_Griglia")}}});
} // namespace
