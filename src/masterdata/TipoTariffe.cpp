#include "TipoTariffe.h"
#include "forms/Registro.h"

#include "data/DB.h"

TfrmGrigliaTipoTariffe::TfrmGrigliaTipoTariffe(QWidget *parent)
    : forms::ListForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmGrigliaTipoTariffe");
              c.titolo = QStringLiteral("Tipologia Tariffe");
              c.dataset = form_DB->TableTipoTariffe;
              c.source = form_DB->SourceTipoTariffe;
              c.colonne = {{QStringLiteral("Descrizione"), QStringLiteral("Descrizione"), 300}};
              c.ricerca = {}; // no search box: the tariff types are a handful
              c.domandaElimina = QStringLiteral("Sei sicuro di voler eliminare la Tipologia di Tariffa?");
              return c;
          }(),
          parent)
{
}

TfrmTipoTariffe_Dettaglio::TfrmTipoTariffe_Dettaglio(QWidget *parent)
    : forms::DetailForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmTipoTariffe_Dettaglio");
              c.titolo = QStringLiteral("Tipologia Tariffe");
              c.dataset = form_DB->TableTipoTariffe;
              c.source = form_DB->SourceTipoTariffe;
              c.captionErrore = QStringLiteral("Messaggio di Errore");
              return c;
          }(),
          parent)
{
    aggiungiDescrizione();
}

namespace {
// Created once at start-up, in the program's order.
const bool registrati =
    forms::registra(frmGrigliaTipoTariffe, "frmGrigliaTipoTariffe",
                    {.dettaglio = QStringLiteral("frmTipoTariffe_Dettaglio")})
    && forms::registra(frmTipoTariffe_Dettaglio, "frmTipoTariffe_Dettaglio");
} // namespace
