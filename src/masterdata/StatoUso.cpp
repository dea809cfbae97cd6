#include "StatoUso.h"
#include "forms/Registro.h"

#include "data/DB.h"

TfrmStatoUso::TfrmStatoUso(QWidget *parent)
    : masterdata::TabellaSingola(
          [] {
              Config c;
              c.nome = QStringLiteral("frmStatoUso");
              c.titolo = QStringLiteral("Stato di Utilizzo");
              c.dataset = form_DB->TableStatoUso;
              c.source = form_DB->SourceStatoUso;
              c.domandaElimina = QStringLiteral("Sei sicuro di voler eliminare lo Stato di Uso?");
              return c;
          }(),
          parent)
{
}

namespace {
// Created once at start-up, in the program's order.
const bool registrati =
    forms::registra(frmStatoUso, "frmStatoUso");
} // namespace
