#include "Reparti.h"
#include "forms/Registro.h"

#include "data/DB.h"

TfrmReparti::TfrmReparti(QWidget *parent)
    : forms::ListForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmReparti");
              c.titolo = QStringLiteral("Reparti");
              c.helpContext = 1600;
              c.dataset = form_DB->TableReparti;
              c.source = form_DB->SourceReparti;
              c.colonne = {{QStringLiteral("Descrizione"), QStringLiteral("Descrizione"), 300}};
              c.domandaElimina = QStringLiteral("Sei sicuro di voler eliminare il Reparto?");
              c.descrizioneSvuotata = true;
              c.nomeGriglia = QStringLiteral("frmReparti_Griglia");
              c.ricercaNavigazione = true;
              c.apostrofoAcuto = true;
              return c;
          }(),
          parent)
{
}

TfrmRepartiDett::TfrmRepartiDett(QWidget *parent)
    : forms::DetailForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmRepartiDett");
              c.titolo = QStringLiteral("Reparti");
              c.helpContext = 1600;
              c.dataset = form_DB->TableReparti;
              c.source = form_DB->SourceReparti;
              return c;
          }(),
          parent)
{
    aggiungiDescrizione();
}

namespace {
// Created once at start-up, in the program's order.
const bool registrati =
    forms::registra(frmReparti, "frmReparti",
                    {.dettaglio = QStringLiteral("frmRepartiDett"), .griglie = {{QStringLiteral("frmReparti_Griglia")}}})
    && forms::registra(frmRepartiDett, "frmRepartiDett");
} // namespace
