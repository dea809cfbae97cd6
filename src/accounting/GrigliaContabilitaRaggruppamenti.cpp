#include "GrigliaContabilitaRaggruppamenti.h"
#include "forms/Registro.h"

#include "accounting/services/PianoDeiConti.h"
#include "data/DB.h"
#include "db/Query.h"

#include <QToolButton>

TfrmGrigliaContabilitaRaggruppamenti::TfrmGrigliaContabilitaRaggruppamenti(QWidget *parent)
    : ListaPianoConti(
          [] {
              Config c;
              c.nome = QStringLiteral("frmGrigliaContabilitaRaggruppamenti");
              c.titolo = QStringLiteral("Raggruppamenti");
              c.helpContext = 2740;
              c.dataset = form_DB->TableContabilitaCercaRaggruppamenti;
              c.source = form_DB->SourceContabilitaCercaRaggruppamenti;
              c.colonne = {{QStringLiteral("Classe"), QStringLiteral("Classe"), 392},
                           {QStringLiteral("Raggruppamento"), QStringLiteral("Raggruppamento"), 436}};
              c.ricerca = {{QStringLiteral("Edit1"), QStringLiteral("Ricerca per Classe"), QStringLiteral("Classe")},
                           {QStringLiteral("Edit2"), QStringLiteral("Raggruppamento"), QStringLiteral("Raggruppamento")}};
              c.domandaElimina = QStringLiteral("Sei sicuro di voler eliminare il Raggruppamento ?");
              c.nomeGriglia = QStringLiteral("GrigliaContabilitaRaggruppamenti");
              c.menuGrigliaCompleto = true;
              c.ordinabile = true;
              return c;
          }(),
          {form_DB->TableContabilitaRaggruppamenti, QStringLiteral("ContabilitaRaggruppamenti"), QStringLiteral("Classe_ID"),
           [](db::Connection &c, qint64 id) { contabilita::eliminaRaggruppamento(c, id); },
           {form_DB->TableContabilitaCercaConti}},
          parent)
{
}

TfrmContabilitaRaggruppamentiDettaglio::TfrmContabilitaRaggruppamentiDettaglio(QWidget *parent)
    : forms::DetailForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmContabilitaRaggruppamentiDettaglio");
              c.titolo = QStringLiteral("Raggruppamenti");
              c.helpContext = 4200;
              c.dataset = form_DB->TableContabilitaRaggruppamenti;
              c.source = form_DB->SourceContabilitRaggruppamenti;
              c.captionErrore = QStringLiteral("Messaggio di Errore");
              c.conAiuto = true;
              return c;
          }(),
          parent)
{
    aggiungiDescrizione();
    // The button beside the class opens the class itself.
    const auto classe = aggiungiLookup(QStringLiteral("DBLookupComboBox1"), QStringLiteral("Classe"), QStringLiteral("Classe_ID"),
                                       form_DB->SourceContabilitaClassi, QStringLiteral("Id"), QStringLiteral("Descrizione"),
                                       {QStringLiteral("frmGrigliaContabilitaClassi"), {QStringLiteral("SpeedButton4"), QString()}, {}});
    DBLookupComboBox1 = classe.lookup;
    SpeedButton4 = classe.modifica;
    classe.aggiungi->hide();
}

namespace {
// Created once at start-up, in the program's order.
const bool registrati =
    forms::registra(frmGrigliaContabilitaRaggruppamenti, "frmGrigliaContabilitaRaggruppamenti",
                    {.dettaglio = QStringLiteral("frmContabilitaRaggruppamentiDettaglio"),
                     .griglie = {{QStringLiteral("GrigliaContabilitaRaggruppamenti"), QStringLiteral("DBGrid2")}}})
    && forms::registra(frmContabilitaRaggruppamentiDettaglio, "frmContabilitaRaggruppamentiDettaglio");
} // namespace
