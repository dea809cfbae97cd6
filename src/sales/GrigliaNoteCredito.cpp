#include "GrigliaNoteCredito.h"

#include "EditorNotaCredito.h"
#include "common/RecordHelpers.h"
#include "core/Clock.h"
#include "data/DB.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "forms/Family.h"
#include "forms/Registro.h"
#include "sales/SceltaFatturazioneNotaCr.h"
#include "sales/services/NoteCredito.h"
#include "sales/services/Numerazione.h"
#include "widgets/DBGrid.h"
#include "widgets/MaskedDateEdit.h"
#include "widgets/ToolButton.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QToolBar>
#include <QToolButton>

namespace {

const QString kId = QStringLiteral("ID");
const QString kErrore = QStringLiteral("Messaggio di errore");

// A date box counts once its date is typed whole.
QString dataCompleta(ui::MaskedDateEdit *e)
{
    const QString t = e->text().trimmed();
    return t.size() == 10 && !t.contains(u' ') && !t.contains(u'_') ? t : QString();
}

} // namespace

TfrmGrigliaNoteCredito::TfrmGrigliaNoteCredito(QWidget *parent)
    : forms::ListaDocumenti(
          [] {
              Config c;
              c.nome = QStringLiteral("frmGrigliaNoteCredito");
              c.titolo = QStringLiteral("Note di Credito");
              c.helpContext = 5600;
              c.dataset = form_DB->TableNotaCredito;
              c.source = form_DB->SourceNotaCredito;
              c.colonne = {{QStringLiteral("Data"), QStringLiteral("Data"), 90},
                           {QStringLiteral("Num"), QStringLiteral("Numero"), 70},
                           {QStringLiteral("SerieFatturazione"), QStringLiteral("Serie"), 60},
                           {QStringLiteral("Cliente"), QStringLiteral("Cliente"), 300},
                           {QStringLiteral("DatiTrasmissione_ProgressivoInvio"), QStringLiteral("Num. Invio"), 80},
                           {QStringLiteral("TotFattura"), QStringLiteral("Totale "), 100}};
              c.ricerca = {};
              c.domandaElimina = QStringLiteral("Sei sicuro di voler eliminare la nota di credito?");
              c.nomeGriglia = QStringLiteral("frmGrigliaNoteCredito_Griglia");
              c.menuGrigliaCompleto = true;
              c.ordinabile = true;
              c.massimizzata = true;
              return c;
          }(),
          parent)
{
    QGridLayout *g = creaGruppoRicerca(QStringLiteral("Filtra per "));
    int col = 0;
    const auto posa = [&](QWidget *w, const char *etichetta) { posaCasella(w, QString::fromUtf8(etichetta), 0, col++); };
    Edit2 = new QLineEdit(GroupBox1);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    // A number, or "*" for none.
    Edit2->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("^(\\*|\\d*)$")), Edit2));
    posa(Edit2, "Numero");
    Edit3 = new QLineEdit(GroupBox1);
    Edit3->setObjectName(QStringLiteral("Edit3"));
    posa(Edit3, "Serie");
    DBLookupComboBox1 = new QComboBox(GroupBox1);
    DBLookupComboBox1->setObjectName(QStringLiteral("DBLookupComboBox1"));
    DBLookupComboBox1->setMinimumWidth(250);
    posa(DBLookupComboBox1, "Cliente");
    maskDaData = new ui::MaskedDateEdit(GroupBox1);
    maskDaData->setObjectName(QStringLiteral("maskDaData"));
    maskDaData->setMaximumWidth(110);
    posa(maskDaData, "Dalla Data");
    maskAData = new ui::MaskedDateEdit(GroupBox1);
    maskAData->setObjectName(QStringLiteral("maskAData"));
    maskAData->setMaximumWidth(110);
    posa(maskAData, "alla Data");
    g->setColumnStretch(col, 1);
    layoutPrincipale()->addWidget(GroupBox1);

    for (QLineEdit *e : {Edit2, Edit3, static_cast<QLineEdit *>(maskDaData), static_cast<QLineEdit *>(maskAData)})
        connect(e, &QLineEdit::textChanged, this, &TfrmGrigliaNoteCredito::Edit2Change);
    connect(DBLookupComboBox1, &QComboBox::activated, this, &TfrmGrigliaNoteCredito::Edit2Change);
    disconnect(spdAggiorna, nullptr, this, nullptr);
    connect(spdAggiorna, &QToolButton::clicked, this, &TfrmGrigliaNoteCredito::spdAggiornaClick);
    impostaTasti({}, DBLookupComboBox1);
}

void TfrmGrigliaNoteCredito::riempiClienti()
{
    QComboBox *c = DBLookupComboBox1;
    const QVariant scelta = c->currentIndex() >= 0 ? c->currentData() : QVariant();
    const QSignalBlocker quiet(c);
    c->clear();
    db::Query *q = form_DB->Table7;
    if (!q->isActive()) q->open();
    const int k = q->fieldIndex(QStringLiteral("Id"));
    const int t = q->fieldIndex(QStringLiteral("NominativoVisualizzato"));
    for (int r = 0; r < q->recordCount(); ++r) c->addItem(q->valueAt(r, t).toString(), q->valueAt(r, k));
    c->setCurrentIndex(scelta.isValid() ? c->findData(scelta) : -1);
}

void TfrmGrigliaNoteCredito::showEvent(QShowEvent *e)
{
    riempiClienti();
    forms::ListForm::showEvent(e);
}

void TfrmGrigliaNoteCredito::preparaDaMenu()
{
    for (QLineEdit *e : {Edit2, static_cast<QLineEdit *>(maskDaData), static_cast<QLineEdit *>(maskAData)}) {
        const QSignalBlocker quiet(e);
        e->clear();
    }
    dataset()->setFilter(QString());
}

void TfrmGrigliaNoteCredito::Edit2Change()
{
    vendite::CriteriNoteCredito k;
    k.numero = Edit2->text();
    k.serie = Edit3->text();
    k.daData = dataCompleta(maskDaData);
    k.aData = dataCompleta(maskAData);
    k.cliente = DBLookupComboBox1->currentIndex() >= 0 ? DBLookupComboBox1->currentData().toLongLong() : 0;
    const vendite::FiltroFatture f = vendite::filtroNoteCredito(k);
    if (!f.valido()) {
        // The filter in force stays; nothing is filtered by a day that does not exist.
        forms::avvisa(this, f.errore, forms::kAvviso);
        return;
    }
    dataset()->setFilter(f.filtro);
}

void TfrmGrigliaNoteCredito::btnRequeryClick()
{
    const qint64 id = idCorrente();
    ripunta(form_DB->TableNCRighe, QStringLiteral("select * from NotaCreditoRighe where NotaCredito_ID = %1 order by NumeroRiga").arg(id));
    ripunta(form_DB->TableFatturaScadenze,
            QStringLiteral("select * from FatturaScadenze where Fattura_ID = %1 order by DataScadenza,Numero").arg(id));
    ripunta(form_DB->TableFatturaAllegati,
            QStringLiteral("select * from Fattura_Allegati where Fattura_Id = %1 order by NomeAttachment").arg(id));
}

void TfrmGrigliaNoteCredito::spdInserisciClick()
{
    db::Query *q = dataset();
    m_ultimaAggiunta = 0;
    // The search boxes keep their texts; the new credit note must be among the rows.
    q->setFilter(QString());
    if (q->isEditing()) q->cancel();

    vendite::NuovoDocumento d;
    d.notaCredito = true;
    d.oggi = core::Clock::instance().today();
    // The series is asked also while past documents are browsed.
    if (form_DB->Table12->fieldByName(QStringLiteral("FatturazioneMultipla")).asBoolean() && frmSceltaFatturazioneNotaCr) {
        q->append();
        d.serie = frmSceltaFatturazioneNotaCr->scegli();
        q->cancel();
    }
    d.valoriPredefiniti = [](db::Query &nuovo) {
        common::ImpostaValoriPredefiniti(QStringLiteral("fatturaNotaCredito"), nuovo, *form_DB->TablePersonalizzazioni);
    };
    vendite::DocumentoCreato creato;
    try {
        creato = vendite::nuovoDocumento(form_DB->Connessione, d);
    } catch (const db::DbError &e) {
        forms::avvisa(this, e.message(), kErrore);
        return;
    } catch (const std::exception &e) {
        forms::avvisa(this, QString::fromUtf8(e.what()), kErrore);
        return;
    }
    m_ultimaAggiunta = creato.id;

    // The editor works on the new credit note, never on the row that happened to be current:
    // when the rows shown do not hold it (a past period is browsed), the list holds it alone
    // while the editor is open.
    const QString sqlPrima = rendiCorrente(creato.id, QStringLiteral("select * from fattura where ID = %1").arg(creato.id));
    btnRequeryClick();
    if (frmNotaCredito) {
        frmNotaCredito->DBLookupComboBox6Click();
        frmNotaCredito->DatiModificati = true;
        frmNotaCredito->mostra(true);
    }
    ridaiSql(sqlPrima, creato.id);
    q->setFilter(QString());
}

void TfrmGrigliaNoteCredito::spdAvantiClick()
{
    db::Query *q = dataset();
    if (q->recordCount() < 1) return;
    btnRequeryClick();
    if (frmNotaCredito) frmNotaCredito->mostra(false);
    // The boxes keep their texts: the list shows every credit note until the next change.
    const qint64 id = idCorrente();
    q->setFilter(QString());
    if (id > 0) q->locate(kId, id);
}

void TfrmGrigliaNoteCredito::spdEliminaClick()
{
    db::Query *q = dataset();
    if (q->isEmpty()) return;
    if (!EliminaSenzaConferma && !forms::chiedi(this, config().domandaElimina)) return;
    if (q->isEditing()) q->cancel();
    const qint64 id = idCorrente();
    const qint64 dopo = idAccanto();
    if (id > 0) {
        try {
            vendite::eliminaNotaCredito(form_DB->Connessione, id);
        } catch (const db::DbError &e) {
            forms::avvisa(this, e.message(), kErrore);
            return;
        }
    }
    q->requery();
    if (dopo > 0) q->locate(kId, dopo);
    btnRequeryClick();
}

void TfrmGrigliaNoteCredito::spdAggiornaClick()
{
    db::Query *q = dataset();
    const qint64 id = idCorrente();
    if (q->isEditing()) q->cancel();
    q->requery();
    if (id > 0) q->locate(kId, id);
}

namespace {
// Created once at start-up, in the program's order.
const bool registrato = forms::registra(frmGrigliaNoteCredito, "frmGrigliaNoteCredito",
                                        {.dettaglio = QStringLiteral("frmNotaCredito"),
                                         .griglie = {{QStringLiteral("frmGrigliaNoteCredito_Griglia")}}});
} // namespace
