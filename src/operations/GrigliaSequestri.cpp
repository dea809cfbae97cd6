#include "GrigliaSequestri.h"

#include "common/RecordHelpers.h"
#include "core/Clock.h"
#include "data/DB.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "forms/DetailForm.h"
#include "forms/Family.h"
#include "forms/Registro.h"
#include "operations/services/Sequestri.h"
#include "widgets/DBGrid.h"
#include "widgets/MaskedDateEdit.h"
#include "widgets/ToolButton.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QSignalBlocker>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString kErrore = QStringLiteral("Messaggio di errore");

} // namespace

TfrmGrigliaSequestri::TfrmGrigliaSequestri(QWidget *parent)
    : forms::ListForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmGrigliaSequestri");
              c.titolo = QStringLiteral("Sequestri");
              c.helpContext = 8500;
              c.dataset = form_DB->TableSequestri;
              c.source = form_DB->SourceSequestri;
              c.colonne = {{QStringLiteral("Data"), QStringLiteral("Data"), 60},
                           {QStringLiteral("Numero"), QStringLiteral("Numero"), 52},
                           {QStringLiteral("NumeroLettera"), QStringLiteral("Lettera"), 59},
                           {QStringLiteral("EnteSequestratore"), QStringLiteral("Ente Sequ."), 155},
                           {QStringLiteral("TipoSequestro"), QStringLiteral("Tipo Sequ."), 85},
                           {QStringLiteral("Proprietario"), QStringLiteral("Proprietario"), 186},
                           {QStringLiteral("AutoTarga"), QStringLiteral("Targa"), 125},
                           {QStringLiteral("AutoModello"), QStringLiteral("Modello Veicolo"), 112},
                           {QStringLiteral("DataDissequestro"), QStringLiteral("Data Dissequ."), 94}};
              c.ricerca = {};
              c.domandaElimina = QStringLiteral("Sei sicuro di voler eliminare il Sequestro?");
              c.descrizioneSpazio = false;
              c.chiavePredefiniti = QStringLiteral("Sequestri");
              c.nomeGriglia = QStringLiteral("frmGrigliaSequestri");
              c.menuGrigliaCompleto = true;
              c.ordinabile = true;
              c.massimizzata = true;
              c.eliminaSenzaConferma = true;
              return c;
          }(),
          parent)
{
    resize(1000, 600);
    DBGrid1->setRowColorCallback([this](int riga) { return coloreRiga(riga); });

    GroupBox1 = new QGroupBox(this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    auto *g = new QGridLayout(GroupBox1);
    int col = 0;
    // Left to right, two rows of label and box.
    const auto posa = [&](QWidget *w, const char *etichetta) {
        auto *l = new QLabel(QString::fromUtf8(etichetta), GroupBox1);
        l->setBuddy(w);
        const int riga = col < 6 ? 0 : 2;
        g->addWidget(l, riga, col % 6);
        g->addWidget(w, riga + 1, col % 6);
        ++col;
        w->installEventFilter(this);
        m_ricerca << w;
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
    txtDaNumero = casella("txtDaNumero", "Numero");
    txtANumero = casella("txtANumero", "al Numero");
    maskDaData = data("maskDaData", "Dalla Data");
    maskAData = data("maskAData", "alla Data");
    Edit2 = casella("Edit2", "Targa");
    Edit3 = casella("Edit3", "Modello Veic.");
    txtEnte = casella("txtEnte", "Ente Sequestr.");
    Edit4 = casella("Edit4", "Tipo Sequestro");
    Edit5 = casella("Edit5", "Note");
    Edit1 = casella("Edit1", "Proprietario");
    Edit6 = casella("Edit6", "Matricola");

    auto *dissequestrati = new QGroupBox(QStringLiteral("Dissequestrati"), GroupBox1);
    dissequestrati->setObjectName(QStringLiteral("GroupBox2"));
    auto *h = new QHBoxLayout(dissequestrati);
    RadioButton1 = new QRadioButton(QStringLiteral("Si"), dissequestrati);
    RadioButton2 = new QRadioButton(QStringLiteral("No"), dissequestrati);
    RadioButton3 = new QRadioButton(QStringLiteral("Tutti"), dissequestrati);
    auto *gruppo = new QButtonGroup(this);
    for (QRadioButton *r : {RadioButton1, RadioButton2, RadioButton3}) {
        r->setObjectName(r == RadioButton1 ? QStringLiteral("RadioButton1")
                                           : r == RadioButton2 ? QStringLiteral("RadioButton2") : QStringLiteral("RadioButton3"));
        gruppo->addButton(r);
        h->addWidget(r);
        connect(r, &QRadioButton::clicked, this, &TfrmGrigliaSequestri::BitBtn2Click);
    }
    RadioButton3->setChecked(true);
    g->addWidget(dissequestrati, 2, 5, 2, 1);

    BitBtn3 = ui::toolButton(GroupBox1, QStringLiteral("BitBtn3"), QStringLiteral("reset"), QString(), "edit-clear",
                             QStyle::SP_DialogResetButton);
    BitBtn2 = ui::toolButton(GroupBox1, QStringLiteral("BitBtn2"), QStringLiteral("cerca"), QString(), "edit-find",
                             QStyle::SP_FileDialogContentsView);
    g->addWidget(BitBtn3, 1, 6);
    g->addWidget(BitBtn2, 3, 6);
    g->setColumnStretch(7, 1);
    layoutPrincipale()->addWidget(GroupBox1);

    disconnect(spdAggiorna, nullptr, this, nullptr);
    connect(spdAggiorna, &QToolButton::clicked, this, &TfrmGrigliaSequestri::spdAggiornaClick);
    connect(BitBtn3, &QToolButton::clicked, this, &TfrmGrigliaSequestri::BitBtn3Click);
    connect(BitBtn2, &QToolButton::clicked, this, &TfrmGrigliaSequestri::BitBtn2Click);
}

QColor TfrmGrigliaSequestri::coloreRiga(int riga) const
{
    db::Query *q = dataset();
    const int fatturato = q->fieldIndex(QStringLiteral("Fatturato"));
    const int preventivo = q->fieldIndex(QStringLiteral("Preventivo_Id"));
    if (fatturato >= 0 && q->valueAt(riga, fatturato).toLongLong() != 0) return QColor(0, 255, 255);
    if (preventivo >= 0 && q->valueAt(riga, preventivo).toLongLong() > 0) return QColor(255, 0, 255);
    return QColor(Qt::white);
}

bool TfrmGrigliaSequestri::eventFilter(QObject *watched, QEvent *e)
{
    auto *w = qobject_cast<QWidget *>(watched);
    const int i = m_ricerca.indexOf(w);
    if (i < 0) return forms::ListForm::eventFilter(watched, e);
    if (e->type() == QEvent::FocusIn || e->type() == QEvent::FocusOut) {
        QPalette p = w->palette();
        p.setColor(QPalette::Base, e->type() == QEvent::FocusIn ? QColor(0, 255, 255) : QColor(Qt::white));
        w->setPalette(p);
    }
    if (e->type() != QEvent::KeyPress) return forms::ListForm::eventFilter(watched, e);
    switch (static_cast<QKeyEvent *>(e)->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        BitBtn2Click();
        return true;
    case Qt::Key_Up:
        m_ricerca.value(i - 1, m_ricerca.last())->setFocus();
        return true;
    case Qt::Key_Escape:
        if (w == maskDaData || w == maskAData) {
            static_cast<QLineEdit *>(w)->clear();
            Edit1->setFocus();
            return true;
        }
        break;
    default:
        break;
    }
    return forms::ListForm::eventFilter(watched, e);
}

void TfrmGrigliaSequestri::BitBtn2Click()
{
    sequestri::Ricerca r;
    r.daNumero = txtDaNumero->text();
    r.aNumero = txtANumero->text();
    r.daData = maskDaData->text();
    r.aData = maskAData->text();
    r.proprietario = Edit1->text();
    r.dissequestrati = RadioButton1->isChecked()   ? sequestri::Dissequestrati::Si
                       : RadioButton2->isChecked() ? sequestri::Dissequestrati::No
                                                   : sequestri::Dissequestrati::Tutti;
    r.targa = Edit2->text();
    r.modello = Edit3->text();
    r.tipo = Edit4->text();
    r.note = Edit5->text();
    r.matricola = Edit6->text();
    r.ente = txtEnte->text();
    const sequestri::Filtro f = sequestri::filtroRegistro(r);
    if (!f.valido()) {
        // The filter in force stays: nothing is filtered by a text its box cannot take.
        forms::avvisa(this, f.errore, kErrore);
        if (auto *w = findChild<QWidget *>(f.casella)) w->setFocus();
        return;
    }
    dataset()->setFilter(f.filtro);
}

void TfrmGrigliaSequestri::BitBtn3Click()
{
    forms::ListForm::BitBtn3Click();
    for (QWidget *w : m_ricerca) {
        auto *e = static_cast<QLineEdit *>(w);
        const QSignalBlocker quiet(e);
        e->clear();
    }
    RadioButton3->setChecked(true);
}

void TfrmGrigliaSequestri::spdAggiornaClick()
{
    common::RicaricaDataset(*form_DB->TableEntiSequestratori, QStringLiteral("Id"));
    db::Query *q = dataset();
    if (q->isEmpty()) q->requery();
    else common::RicaricaDataset(*q, QStringLiteral("Id"));
}

void TfrmGrigliaSequestri::spdInserisciClick()
{
    db::Query *q = dataset();
    q->setFilter(QString());
    qint64 numero = 1;
    try {
        numero = sequestri::prossimoNumero(form_DB->Connessione);
    } catch (const db::DbError &e) {
        forms::avvisa(this, e.message(), kErrore);
        return;
    }
    q->append();
    q->fieldByName(QStringLiteral("Numero")).setAsInteger(numero);
    q->fieldByName(QStringLiteral("Data")).setValue(QDateTime(core::Clock::instance().today(), QTime(0, 0)));
    q->fieldByName(QStringLiteral("Storico")).setAsBoolean(ModalitaStorico);
    // A default kept for the seizures replaces the values above.
    try {
        common::ImpostaValoriPredefiniti(QStringLiteral("Sequestri"), *q, *form_DB->TablePersonalizzazioni);
    } catch (const std::exception &e) {
        q->cancel();
        forms::avvisa(this, QString::fromUtf8(e.what()), kErrore);
        return;
    }
    // Stored at once: its documents can be made before the editor's first save.
    if (!common::SalvaNuovoRecord(*q, QStringLiteral("Id"))) {
        if (q->isEditing()) q->cancel();
        return;
    }
    if (forms::DetailForm *d = dettaglio()) {
        d->DatiModificati = true;
        d->mostra(true);
    }
}

void TfrmGrigliaSequestri::spdEliminaClick()
{
    db::Query *q = dataset();
    if (!EliminaSenzaConferma) {
        if (q->recordCount() < 1) return;
        if (!forms::chiedi(this, config().domandaElimina)) return;
    }
    if (q->isEmpty()) return;
    if (q->isEditing()) q->cancel();
    const qint64 id = q->fieldByName(QStringLiteral("Id")).asLargeInt();
    const int posizione = q->currentIndex();
    try {
        sequestri::elimina(form_DB->Connessione, id);
    } catch (const db::DbError &e) {
        forms::avvisa(this, e.message(), kErrore);
        return;
    }
    // The seizure before the deleted one becomes current (the next one after the first).
    q->requery();
    if (!q->isEmpty()) q->setCurrentIndex(qBound(0, posizione - 1, q->recordCount() - 1));
    // Invoice forms see the cleared references.
    db::Query *fatture = form_DB->Table3;
    if (fatture->isActive() && !fatture->isEditing()) common::RicaricaDataset(*fatture, QStringLiteral("ID"));
}

namespace {
// Created once at start-up, in the program's order.
const bool registrato = forms::registra(frmGrigliaSequestri, "frmGrigliaSequestri",
                                        {.dettaglio = QStringLiteral("frmSequestri_Dettaglio"),
                                         .griglie = {{QStringLiteral("frmGrigliaSequestri")}}});
} // namespace
