#include "Carburanti.h"
#include "Cisterne.h"
#include "forms/Registro.h"
#include "operations/services/Carburanti.h"

#include "data/DB.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "forms/Family.h"
#include "widgets/DBEdit.h"
#include "widgets/EditingHelper.h"
#include "widgets/Seams.h"

TfrmGrigliaCarburanti::TfrmGrigliaCarburanti(QWidget *parent)
    : forms::ListForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmGrigliaCarburanti");
              c.titolo = QStringLiteral("Carburanti");
              c.helpContext = 3400;
              c.dataset = form_DB->TableCarburanti;
              c.source = form_DB->SourceCarburanti;
              c.colonne = {{QStringLiteral("Descrizione"), QStringLiteral("Descrizione"), 300},
                           {QStringLiteral("Prezzo"), QStringLiteral("Prezzo al litro"), 120}};
              c.domandaElimina = QStringLiteral("Sei sicuro di voler eliminare il tipo di Carburante?");
              // No placeholder and no default values: a new fuel type starts at price 0.
              c.descrizioneSpazio = false;
              c.nomeGriglia = QStringLiteral("frmGrigliaCarburanti");
              c.ordinabile = true;
              return c;
          }(),
          parent)
{
}

void TfrmGrigliaCarburanti::impostaNuovo() { dataset()->fieldByName(QStringLiteral("Prezzo")).setAsFloat(0); }

void TfrmGrigliaCarburanti::spdEliminaClick()
{
    db::Query *q = dataset();
    if (q->recordCount() < 1) return;
    const qint64 id = q->fieldByName(QStringLiteral("ID")).asLargeInt();
    // Asked before the question: a fuel type in use is never offered for deletion.
    const carburanti::Uso uso = carburanti::uso(form_DB->Connessione, id);
    if (uso.inUso()) {
        forms::avvisa(this, carburanti::messaggioInUso(uso), QStringLiteral("Messaggio di avviso"));
        return;
    }
    if (!forms::chiedi(this, config().domandaElimina)) return;
    operazioni::eliminaERileggi(this, q, [&] {
        const carburanti::EsitoEliminazione e = carburanti::elimina(form_DB->Connessione, id);
        // A tank or a vehicle given this fuel since the check.
        if (!e.eliminato)
            forms::avvisa(this, carburanti::messaggioInUso(e.uso),
                          QStringLiteral("Messaggio di avviso"));
        return e.eliminato;
    });
}

TfrmCarburantiDettaglio::TfrmCarburantiDettaglio(QWidget *parent)
    : forms::DetailForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmCarburantiDettaglio");
              c.titolo = QStringLiteral("Carburante");
              c.helpContext = 3400;
              c.dataset = form_DB->TableCarburanti;
              c.source = form_DB->SourceCarburanti;
              return c;
          }(),
          parent)
{
    aggiungiDescrizione(QStringLiteral("Attenzione la descrizione"));
    DBEdit1 = aggiungiEdit(QStringLiteral("DBEdit1"), QStringLiteral("Prezzo al litro"), QStringLiteral("Prezzo"));
    richiesto(DBEdit1, QStringLiteral("Attenzione manca il Prezzo"));
    completa();
    m_editing->markAmountField(DBEdit1);
}

namespace {
// Created once at start-up, in the program's order; the list's grid layout is restored then.
const bool registrati =
    forms::registra(frmGrigliaCarburanti, "frmGrigliaCarburanti",
                    {.dettaglio = QStringLiteral("frmCarburantiDettaglio"), .griglie = {{QStringLiteral("frmGrigliaCarburanti")}}})
    && forms::registra(frmCarburantiDettaglio, "frmCarburantiDettaglio");
} // namespace
