#include "TipologieScadenzePersonale.h"
#include "forms/Registro.h"

#include "data/DB.h"

TfrmGrigliaTipologieScadenzePersonale::TfrmGrigliaTipologieScadenzePersonale(QWidget *parent)
    : forms::ListForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmGrigliaTipologieScadenzePersonale");
              c.titolo = QStringLiteral("Tipologie Scadenze Personale");
              c.dataset = form_DB->TableTipologiaScadenzePersonale;
              c.source = form_DB->SourceTipologiaScadenzePersonale;
              c.colonne = {{QStringLiteral("Descrizione"), QStringLiteral("Descrizione"), 300}};
              c.domandaElimina = QStringLiteral("Sei sicuro di voler eliminare la tipologia di Scadenza ?");
              return c;
          }(),
          parent)
{
}

TfrmTipologiaScadenzaPersonale::TfrmTipologiaScadenzaPersonale(QWidget *parent)
    : forms::DetailForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmTipologiaScadenzaPersonale");
              c.titolo = QStringLiteral("Tipologie Scadenze del Personale");
              c.dataset = form_DB->TableTipologiaScadenzePersonale;
              c.source = form_DB->SourceTipologiaScadenzePersonale;
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
    forms::registra(frmGrigliaTipologieScadenzePersonale, "frmGrigliaTipologieScadenzePersonale",
                    {.dettaglio = QStringLiteral("frmTipologiaScadenzaPersonale")})
    && forms::registra(frmTipologiaScadenzaPersonale, "frmTipologiaScadenzaPersonale");
} // namespace
