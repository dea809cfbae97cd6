#include "GrigliaContabilitaClassi.h"
#include "forms/Registro.h"

#include "accounting/services/PianoDeiConti.h"
#include "data/DB.h"
#include "db/Query.h"
#include "forms/Family.h"
#include "widgets/DBGrid.h"

#include <QToolButton>

TfrmGrigliaContabilitaClassi::TfrmGrigliaContabilitaClassi(QWidget *parent)
    : forms::ListForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmGrigliaContabilitaClassi");
              c.titolo = QStringLiteral("Classi");
              c.helpContext = 4400;
              c.dataset = form_DB->TableContabilitaClassi;
              c.source = form_DB->SourceContabilitaClassi;
              c.colonne = {{QStringLiteral("Descrizione"), QStringLiteral("Classi"), 630}};
              c.domandaElimina = QStringLiteral("Sei sicuro di voler eliminare la Classe ?");
              c.nomeGriglia = QStringLiteral("GrigliaContabilitaClassi");
              return c;
          }(),
          parent)
{
    DBGrid1->setObjectName(QStringLiteral("DBGrid2"));
    // A title click sorts by that column, always ascending.
    disconnect(DBGrid1, &ui::DBGrid::titleClicked, this, nullptr);
    connect(DBGrid1, &ui::DBGrid::titleClicked, this, [this](const QString &campo) { dataset()->setSort(campo + QStringLiteral(" ASC")); });
    disconnect(spdAggiorna, &QToolButton::clicked, this, nullptr);
    connect(spdAggiorna, &QToolButton::clicked, this, &TfrmGrigliaContabilitaClassi::spdAggiornaClick);
}

void TfrmGrigliaContabilitaClassi::spdAggiornaClick()
{
    // Classes, accounts and groupings read again: another workstation may have changed any.
    dataset()->requery();
    form_DB->TableContabilitaConti->requery();
    form_DB->TableContabilitaRaggruppamenti->requery();
}

void TfrmGrigliaContabilitaClassi::spdEliminaClick()
{
    db::Query *q = dataset();
    if (q->recordCount() < 1 || !forms::chiedi(this, config().domandaElimina)) return;
    contabilita::eliminaClasse(form_DB->Connessione, q->fieldByName(QStringLiteral("Id")).asLargeInt());
    q->requery();
    form_DB->TableContabilitaCercaRaggruppamenti->requery();
    form_DB->TableContabilitaCercaConti->requery();
}

TfrmContabilitaClassiDettaglio::TfrmContabilitaClassiDettaglio(QWidget *parent)
    : forms::DetailForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmContabilitaClassiDettaglio");
              c.titolo = QStringLiteral("Classi");
              c.helpContext = 4500;
              c.dataset = form_DB->TableContabilitaClassi;
              c.source = form_DB->SourceContabilitaClassi;
              c.captionErrore = QStringLiteral("Messaggio di Errore");
              c.conAiuto = true;
              return c;
          }(),
          parent)
{
    aggiungiDescrizione();
}

namespace {
// Created once at start-up, in the program's order.
const bool registrati =
    forms::registra(frmGrigliaContabilitaClassi, "frmGrigliaContabilitaClassi",
                    {.dettaglio = QStringLiteral("frmContabilitaClassiDettaglio"),
                     .griglie = {{QStringLiteral("GrigliaContabilitaClassi"), QStringLiteral("DBGrid2")}}})
    && forms::registra(frmContabilitaClassiDettaglio, "frmContabilitaClassiDettaglio");
} // namespace
