#include "Modelli.h"
#include "forms/Registro.h"

#include "data/DB.h"

TfrmModelli::TfrmModelli(QWidget *parent)
    : forms::ListForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmModelli");
              c.titolo = QStringLiteral("Marche");
              c.helpContext = 1500;
              c.dataset = form_DB->TableModelli;
              c.source = form_DB->SourceModelli;
              c.colonne = {{QStringLiteral("Descrizione"), QStringLiteral("Descrizione"), 300}};
              c.domandaElimina = QStringLiteral("Sei sicuro di voler eliminare il Modello?");
              c.descrizioneSvuotata = true;
              c.nomeGriglia = QStringLiteral("frmModelli_Griglia");
              c.ricercaNavigazione = true;
              return c;
          }(),
          parent)
{
}

TfrmModelliDett::TfrmModelliDett(QWidget *parent)
    : forms::DetailForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmModelliDett");
              c.titolo = QStringLiteral("Marche");
              c.helpContext = 1500;
              c.dataset = form_DB->TableModelli;
              c.source = form_DB->SourceModelli;
              return c;
          }(),
          parent)
{
    aggiungiDescrizione();
}

namespace {
// Created once at start-up, in the program's order.
const bool registrati =
    forms::registra(frmModelli, "frmModelli",
                    {.dettaglio = QStringLiteral("frmModelliDett"), .griglie = {{QStringLiteral("frmModelli_Griglia")}}})
    && forms::registra(frmModelliDett, "frmModelliDett");
} // namespace
