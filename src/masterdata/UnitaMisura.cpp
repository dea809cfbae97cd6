#include "UnitaMisura.h"
#include "forms/Registro.h"

#include "data/DB.h"

TfrmGrigliaUnitaMisura::TfrmGrigliaUnitaMisura(QWidget *parent)
    : forms::ListForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmGrigliaUnitaMisura");
              c.titolo = QStringLiteral("Unità di misura");
              c.helpContext = 3500;
              c.dataset = form_DB->TableUnitaMisura;
              c.source = form_DB->SourceUnitaMisura;
              c.colonne = {{QStringLiteral("Descrizione"), QStringLiteral("Descrizione"), 300}};
              c.domandaElimina = QStringLiteral("Sei sicuro di voler eliminare l' Unità di misura?");
              c.descrizioneSvuotata = true;
              return c;
          }(),
          parent)
{
}

TfrmUnitaMisura::TfrmUnitaMisura(QWidget *parent)
    : forms::DetailForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmUnitaMisura");
              c.titolo = QStringLiteral("Unità di misura");
              c.helpContext = 3500;
              c.dataset = form_DB->TableUnitaMisura;
              c.source = form_DB->SourceUnitaMisura;
              c.captionErrore = QStringLiteral("Messaggio di Errore");
              c.navigazione = false;
              return c;
          }(),
          parent)
{
    aggiungiDescrizione();
}

namespace {
// Created once at start-up, in the program's order.
const bool registrati =
    forms::registra(frmGrigliaUnitaMisura, "frmGrigliaUnitaMisura", {.dettaglio = QStringLiteral("frmUnitaMisura")})
    && forms::registra(frmUnitaMisura, "frmUnitaMisura");
} // namespace
