#include "GrigliaContabilitaConti.h"
#include "forms/Registro.h"

#include "GrigliaContabilitaRaggruppamenti.h"
#include "accounting/services/PianoDeiConti.h"
#include "data/DB.h"
#include "db/Query.h"

#include "widgets/ToolButton.h"

#include <QIcon>
#include <QStyle>
#include <QToolButton>

TfrmGrigliaContabilitaConti::TfrmGrigliaContabilitaConti(QWidget *parent)
    : ListaPianoConti(
          [] {
              Config c;
              c.nome = QStringLiteral("frmGrigliaContabilitaConti");
              c.titolo = QStringLiteral("Conti");
              c.helpContext = 2730;
              c.dataset = form_DB->TableContabilitaCercaConti;
              c.source = form_DB->SourceContabilitaCercaConti;
              c.colonne = {{QStringLiteral("Classe"), QStringLiteral("Classe"), 312},
                           {QStringLiteral("Raggruppamento"), QStringLiteral("Raggruppamento"), 246},
                           {QStringLiteral("Conto"), QStringLiteral("Conto"), 278}};
              c.ricerca = {{QStringLiteral("Edit1"), QStringLiteral("Ricerca per classe"), QStringLiteral("Classe")},
                           {QStringLiteral("Edit2"), QStringLiteral("Raggruppamento"), QStringLiteral("Raggruppamento")},
                           {QStringLiteral("Edit3"), QStringLiteral("Conto"), QStringLiteral("Conto")}};
              c.domandaElimina = QStringLiteral("Sei sicuro di voler eliminare il Conto ?");
              c.nomeGriglia = QStringLiteral("GrigliaContabilitaConti");
              c.menuGrigliaCompleto = true;
              c.ordinabile = true;
              c.massimizzata = true;
              return c;
          }(),
          {form_DB->TableContabilitaConti, QStringLiteral("ContabilitaConti"), QStringLiteral("Raggruppamento_ID"),
           [](db::Connection &c, qint64 id) { contabilita::eliminaConto(c, id); }, {}},
          parent)
{
}

TfrmContabilitaConti::TfrmContabilitaConti(QWidget *parent)
    : forms::DetailForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmContabilitaConti");
              c.titolo = QStringLiteral("Conti");
              c.helpContext = 4300;
              c.dataset = form_DB->TableContabilitaConti;
              c.source = form_DB->SourceContabilitaConti;
              c.captionErrore = QStringLiteral("Messaggio di Errore");
              c.conAiuto = true;
              return c;
          }(),
          parent)
{
    aggiungiDescrizione(QStringLiteral("Attenzione manca la Descrizione del Conto"));
    // The lookup's row with one button beside it, which picks the grouping from its list.
    const auto raggruppamento =
        aggiungiLookup(QStringLiteral("DBLookupComboBox1"), QStringLiteral("Raggruppamento"), QStringLiteral("Raggruppamento_ID"),
                       form_DB->SourceContabilitaCercaRaggruppamenti, QStringLiteral("Id"), QStringLiteral("Raggruppamento"),
                       {QStringLiteral("frmGrigliaContabilitaRaggruppamenti"),
                        {QStringLiteral("SpeedButton14"), QStringLiteral("Cerca il tipo di Conto")},
                        {}});
    DBLookupComboBox1 = raggruppamento.lookup;
    SpeedButton14 = raggruppamento.modifica;
    SpeedButton14->setIcon(ui::iconaTema(QStringLiteral("edit-find"), QStyle::SP_FileDialogContentsView, this));
    raggruppamento.aggiungi->hide();
    disconnect(SpeedButton14, nullptr, this, nullptr);
    connect(SpeedButton14, &QToolButton::clicked, this, &TfrmContabilitaConti::SpeedButton14Click);
}

void TfrmContabilitaConti::SpeedButton14Click()
{
    TfrmGrigliaContabilitaRaggruppamenti *lista = frmGrigliaContabilitaRaggruppamenti;
    if (!lista) return;
    db::Query *q = dataset();
    const qint64 attuale = q->fieldByName(QStringLiteral("Raggruppamento_ID")).asLargeInt();
    lista->dataset()->setFilter(QString());
    // The list opens on the grouping the account has.
    if (attuale > 0) lista->dataset()->locate(QStringLiteral("Id"), attuale);
    const std::optional<qint64> scelto = lista->scegli();
    if (!scelto) return;
    if (!q->isEditing()) q->edit();
    q->fieldByName(QStringLiteral("Raggruppamento_ID")).setAsInteger(*scelto);
    DatiModificati = true;
}

namespace {
// Created once at start-up, in the program's order.
const bool registrati =
    forms::registra(frmGrigliaContabilitaConti, "frmGrigliaContabilitaConti",
                    {.dettaglio = QStringLiteral("frmContabilitaConti"),
                     .griglie = {{QStringLiteral("GrigliaContabilitaConti"), QStringLiteral("DBGrid2")}}})
    && forms::registra(frmContabilitaConti, "frmContabilitaConti");
} // namespace
