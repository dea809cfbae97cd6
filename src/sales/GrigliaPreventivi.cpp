#include "GrigliaPreventivi.h"

#include "EditorPreventivo.h"
#include "common/RecordHelpers.h"
#include "core/Clock.h"
#include "data/DB.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "forms/Family.h"
#include "forms/Registro.h"
#include "sales/services/Preventivi.h"
#include "widgets/DBGrid.h"
#include "widgets/MaskedDateEdit.h"
#include "widgets/ToolButton.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <stdexcept>

namespace {

const QString kId = QStringLiteral("ID");
const QString kErrore = QStringLiteral("Messaggio di errore");

// Reads a dataset again and stands on the row it stood on (when it is still there).
void rileggi(db::Query *q, const QString &campo)
{
    if (!q || !q->isActive()) return;
    if (q->isEditing()) q->cancel();
    const qint64 id = q->isEmpty() ? 0 : q->fieldByName(campo).asLargeInt();
    q->requery();
    if (id > 0) q->locate(campo, id);
}

} // namespace

TfrmGrigliaPreventivi::TfrmGrigliaPreventivi(QWidget *parent)
    : forms::ListaDocumenti(
          [] {
              Config c;
              c.nome = QStringLiteral("frmGrigliaPreventivi");
              c.titolo = QStringLiteral("Preventivi");
              c.helpContext = 4600;
              c.dataset = form_DB->Table16;
              c.source = form_DB->Source16;
              c.colonne = {{QStringLiteral("Data"), QStringLiteral("Data"), 90},
                           {QStringLiteral("Numero"), QStringLiteral("Numero"), 70},
                           {QStringLiteral("Cliente"), QStringLiteral("Cliente"), 320},
                           {QStringLiteral("TotalePreventivo"), QStringLiteral("Totale"), 100},
                           {QStringLiteral("Note"), QStringLiteral("Note"), 320}};
              c.ricerca = {};
              c.domandaElimina = QStringLiteral("Sei sicuro di voler eliminare il preventivo?");
              c.nomeGriglia = QStringLiteral("frmGrigliaPreventivi_Griglia");
              c.menuGrigliaCompleto = true;
              c.ordinabile = true;
              c.massimizzata = true;
              return c;
          }(),
          parent)
{
    QGridLayout *g = creaGruppoRicerca(QStringLiteral("Filtra per "));
    int col = 0;
    const auto posa = [&](QLineEdit *w, const char *nome, const char *etichetta) {
        w->setObjectName(QLatin1String(nome));
        posaCasella(w, QString::fromUtf8(etichetta), 0, col++);
    };
    Edit1 = new QLineEdit(GroupBox1);
    posa(Edit1, "Edit1", "Cliente");
    Edit2 = new QLineEdit(GroupBox1);
    posa(Edit2, "Edit2", "Numero");
    maskDaData = new ui::MaskedDateEdit(GroupBox1);
    maskDaData->setMaximumWidth(110);
    posa(maskDaData, "maskDaData", "Dalla Data");
    maskAData = new ui::MaskedDateEdit(GroupBox1);
    maskAData->setMaximumWidth(110);
    posa(maskAData, "maskAData", "alla Data");
    Edit3 = new QLineEdit(GroupBox1);
    posa(Edit3, "Edit3", "Targa");
    Edit1->setMinimumWidth(250);
    g->setColumnStretch(col, 1);
    layoutPrincipale()->addWidget(GroupBox1);
    for (int i = 1; i < m_caselle.size(); ++i) setTabOrder(m_caselle[i - 1], m_caselle[i]);

    connect(Edit1, &QLineEdit::textChanged, this, &TfrmGrigliaPreventivi::Edit1Change);
    connect(Edit3, &QLineEdit::textChanged, this, &TfrmGrigliaPreventivi::Edit1Change);
    connect(Edit2, &QLineEdit::textChanged, this, &TfrmGrigliaPreventivi::Edit2Change);
    connect(maskDaData, &QLineEdit::textChanged, this, &TfrmGrigliaPreventivi::maskDaDataChange);
    connect(maskAData, &QLineEdit::textChanged, this, &TfrmGrigliaPreventivi::maskADataChange);
    disconnect(spdAggiorna, nullptr, this, nullptr);
    connect(spdAggiorna, &QToolButton::clicked, this, &TfrmGrigliaPreventivi::spdAggiornaClick);
    // Enter and Down walk the boxes; an emptied date box re-filters through its own change;
    // only the text boxes turn aqua.
    impostaTasti({.invioCerca = false, .escapeCerca = false, .evidenziaDate = false, .evidenziaConPalette = true}, Edit1);
}

void TfrmGrigliaPreventivi::Edit1Change()
{
    vendite::CriteriPreventivi k;
    k.cliente = Edit1->text();
    k.numero = Edit2->text();
    k.daData = maskDaData->text();
    k.aData = maskAData->text();
    k.targa = Edit3->text();
    const vendite::FiltroPreventivi f = vendite::filtroPreventivi(k);
    if (!f.valido()) {
        // The filter in force stays; nothing is filtered by a text that is not what its box asks.
        forms::avvisa(this, f.errore, forms::kAvviso);
        return;
    }
    try {
        dataset()->setFilter(f.filtro);
    } catch (const db::DbError &e) {
        forms::avvisa(this, e.message(), kErrore);
    }
}

void TfrmGrigliaPreventivi::btnRequeryClick()
{
    ripunta(form_DB->Table11, QStringLiteral("select * from PreventiRighe where Prev_ID = %1 order by NumeroRiga").arg(idCorrente()));
}

void TfrmGrigliaPreventivi::spdInserisciClick()
{
    db::Query *q = dataset();
    m_ultimaAggiunta = 0;
    // The editor stored what it changed: its row is no longer being edited.
    if (q->isEditing()) q->cancel();
    q->setFilter(QString());

    vendite::NuovoPreventivo d;
    d.oggi = core::Clock::instance().today();
    db::Query *sequestri = form_DB->TableSequestri;
    if (DaSequestro && !sequestri->isEmpty()) d.sequestro = sequestri->fieldByName(QStringLiteral("Id")).asLargeInt();
    d.valoriPredefiniti = [](db::Query &nuovo) {
        common::ImpostaValoriPredefiniti(QStringLiteral("PreventiviTestata"), nuovo, *form_DB->TablePersonalizzazioni);
    };
    vendite::PreventivoCreato creato;
    try {
        creato = vendite::nuovoPreventivo(form_DB->Connessione, d);
    } catch (const db::DbError &e) {
        forms::avvisa(this, e.message(), kErrore);
        return;
    } catch (const std::exception &e) {
        // A default value of the quotes that does not convert.
        forms::avvisa(this, QString::fromUtf8(e.what()), kErrore);
        return;
    }
    m_ultimaAggiunta = creato.id;

    // The editor works on the new quote, never on the row that happened to be current. While a
    // past period is browsed the new quote, dated today, is not among the rows: the list holds
    // it alone while the editor is open.
    const QString sqlPrima = rendiCorrente(creato.id, QStringLiteral("select * from PreventiTestata where ID = %1").arg(creato.id));
    if (d.sequestro > 0) {
        // The seizure now names its quote; it stays the current one.
        if (sequestri->isEditing()) sequestri->cancel();
        sequestri->requery();
        sequestri->locate(QStringLiteral("Id"), d.sequestro);
    }
    btnRequeryClick();
    if (frmPreventivi) {
        frmPreventivi->DatiModificati = true;
        frmPreventivi->mostra(true);
    }
    ridaiSql(sqlPrima, creato.id);
}

void TfrmGrigliaPreventivi::spdAvantiClick()
{
    if (ModalitaScelta) {
        forms::ListForm::spdAvantiClick();
        return;
    }
    if (dataset()->recordCount() < 1) return;
    btnRequeryClick();
    if (frmPreventivi) frmPreventivi->mostra(false);
}

void TfrmGrigliaPreventivi::spdEliminaClick()
{
    db::Query *q = dataset();
    if (q->isEmpty()) return;
    if (!EliminaSenzaConferma && !forms::chiedi(this, config().domandaElimina)) return;
    if (q->isEditing()) q->cancel();
    const qint64 id = idCorrente();
    // The list then stands on the quote above; after the first one, on the one that followed.
    const qint64 dopo = idAccanto();
    try {
        vendite::eliminaPreventivo(form_DB->Connessione, id);
    } catch (const db::DbError &e) {
        forms::avvisa(this, e.message(), kErrore);
        return;
    }
    q->requery();
    if (dopo > 0) q->locate(kId, dopo);
    btnRequeryClick();
    rileggi(form_DB->TableSequestri, QStringLiteral("Id"));
}

void TfrmGrigliaPreventivi::spdAggiornaClick()
{
    rileggi(form_DB->Table11, QStringLiteral("Id"));
    rileggi(dataset(), kId);
    rileggi(form_DB->Table7, QStringLiteral("Id"));
}

namespace {
// Created once at start-up, in the program's order.
const bool registrato =
    forms::registra(frmGrigliaPreventivi, "frmGrigliaPreventivi",
                    {.dettaglio = QStringLiteral("frmPreventivi"), .griglie = {{QStringLiteral("frmGrigliaPreventivi_Griglia")}}});
} // namespace
