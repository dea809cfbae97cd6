#include "TipologieCostiPersonale.h"
#include "forms/Registro.h"

#include "data/DB.h"

TfrmGrigliaTipologieCostiPersonale::TfrmGrigliaTipologieCostiPersonale(QWidget *parent)
    : forms::ListForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmGrigliaTipologieCostiPersonale");
              c.titolo = QStringLiteral("Tipo costi Personale");
              c.helpContext = 7900;
              c.dataset = form_DB->TableTipologiaCostiPersonale;
              c.source = form_DB->SourceTipologiaCostiPersonale;
              c.colonne = {{QStringLiteral("Descrizione"), QStringLiteral("Descrizione"), 300}};
              c.domandaElimina = QStringLiteral("Sei sicuro di voler eliminare la tipologia di costo per le Personale?");
              return c;
          }(),
          parent)
{
}

TfrmTipologiaCostiPersonaleDettaglio::TfrmTipologiaCostiPersonaleDettaglio(QWidget *parent)
    : forms::DetailForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmTipologiaCostiPersonaleDettaglio");
              c.titolo = QStringLiteral("Tipo Costi per Personale");
              c.helpContext = 7900;
              c.dataset = form_DB->TableTipologiaCostiPersonale;
              c.source = form_DB->SourceTipologiaCostiPersonale;
              c.captionErrore = QStringLiteral("Messaggio di Errore");
              c.conAiuto = true;
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
    forms::registra(frmGrigliaTipologieCostiPersonale, "frmGrigliaTipologieCostiPersonale",
                    {.dettaglio = QStringLiteral("frmTipologiaCostiPersonaleDettaglio")})
    && forms::registra(frmTipologiaCostiPersonaleDettaglio, "frmTipologiaCostiPersonaleDettaglio");
} // namespace
