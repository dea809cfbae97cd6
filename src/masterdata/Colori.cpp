#include "Colori.h"
#include "forms/Registro.h"

#include "data/DB.h"

#include <QToolButton>

TfrmGrigliaColori::TfrmGrigliaColori(QWidget *parent)
    : forms::ListForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmGrigliaColori");
              c.titolo = QStringLiteral("Colori");
              c.helpContext = 3300;
              c.dataset = form_DB->TableColori;
              c.source = form_DB->SourceColori;
              c.colonne = {{QStringLiteral("Descrizione"), QStringLiteral("Descrizione"), 300}};
              c.domandaElimina = QStringLiteral("Sei sicuro di voler eliminare il Colore?");
              c.pulsanteRicarica = true;
              return c;
          }(),
          parent)
{
    spdIndietro->setText(QStringLiteral("Sinistra"));
}

// Rows added elsewhere since the list was opened are there before the new one.
void TfrmGrigliaColori::primaDiAggiungere() { dataset()->requery(); }

TfrmColoriDett::TfrmColoriDett(QWidget *parent)
    : forms::DetailForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmColoriDett");
              c.titolo = QStringLiteral("Colori");
              c.helpContext = 3300;
              c.dataset = form_DB->TableColori;
              c.source = form_DB->SourceColori;
              c.navigazione = false;
              return c;
          }(),
          parent)
{
    aggiungiDescrizione(QStringLiteral("Attenzione manca la Descrizione "));
}

namespace {
// Created once at start-up, in the program's order.
const bool registrati =
    forms::registra(frmGrigliaColori, "frmGrigliaColori", {.dettaglio = QStringLiteral("frmColoriDett")})
    && forms::registra(frmColoriDett, "frmColoriDett");
} // namespace
