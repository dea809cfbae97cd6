#include "TipologieCalendario.h"
#include "forms/Registro.h"

#include "data/DB.h"

TfrmGrigliaTipologieCalendario::TfrmGrigliaTipologieCalendario(QWidget *parent)
    : forms::ListForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmGrigliaTipologieCalendario");
              c.titolo = QStringLiteral("Tipologie Calendario");
              c.dataset = form_DB->TableTipologiaCalendario;
              c.source = form_DB->SourceTipologiaCalendario;
              c.colonne = {{QStringLiteral("Descrizione"), QStringLiteral("Descrizione"), 300}};
              c.domandaElimina = QStringLiteral("Sei sicuro di voler eliminare la tipologia di Calendario ?");
              return c;
          }(),
          parent)
{
}

TfrmTipologiaCalendario::TfrmTipologiaCalendario(QWidget *parent)
    : forms::DetailForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmTipologiaCalendario");
              c.titolo = QStringLiteral("Tipologie di Calendario");
              c.dataset = form_DB->TableTipologiaCalendario;
              c.source = form_DB->SourceTipologiaCalendario;
              c.conAiuto = true;
              c.annulla = Annulla::SenzaChiedere;
              return c;
          }(),
          parent)
{
    aggiungiDescrizione();
}

namespace {
// Created once at start-up, in the program's order.
const bool registrati =
    forms::registra(frmGrigliaTipologieCalendario, "frmGrigliaTipologieCalendario",
                    {.dettaglio = QStringLiteral("frmTipologiaCalendario")})
    && forms::registra(frmTipologiaCalendario, "frmTipologiaCalendario");
} // namespace
