#include "TipologiaCostiVetture.h"
#include "forms/Registro.h"

#include "data/DB.h"

TfrmGrigliaTipologiaCostiVetture::TfrmGrigliaTipologiaCostiVetture(QWidget *parent)
    : forms::ListForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmGrigliaTipologiaCostiVetture");
              c.titolo = QStringLiteral("Tipo Costi per Vetture");
              c.helpContext = 7900;
              c.dataset = form_DB->TableTipologiaCostiVetture;
              c.source = form_DB->SourceTipologiaCostiVetture;
              c.colonne = {{QStringLiteral("Descrizione"), QStringLiteral("Descrizione"), 300}};
              c.domandaElimina = QStringLiteral("Sei sicuro di voler eliminare la tipologia di costo per le vetture?");
              return c;
          }(),
          parent)
{
}

TfrmTipologiaCostiVettureDettaglio::TfrmTipologiaCostiVettureDettaglio(QWidget *parent)
    : forms::DetailForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmTipologiaCostiVettureDettaglio");
              c.titolo = QStringLiteral("Tipologia Costo per Vetture");
              c.helpContext = 7900;
              c.dataset = form_DB->TableTipologiaCostiVetture;
              c.source = form_DB->SourceTipologiaCostiVetture;
              c.captionErrore = QStringLiteral("Messaggio di Errore");
              c.conAiuto = true;
              c.navigazione = false;
              return c;
          }(),
          parent)
{
    aggiungiDescrizione();
    // Like every check box of a detail, a click marks the record modified: "Indietro" saves it.
    DBCheckBox2 = aggiungiCheck(QStringLiteral("DBCheckBox2"), QStringLiteral("Straordinario"), QStringLiteral("Straordinaria"));
}

namespace {
// Created once at start-up, in the program's order.
const bool registrati =
    forms::registra(frmGrigliaTipologiaCostiVetture, "frmGrigliaTipologiaCostiVetture",
                    {.dettaglio = QStringLiteral("frmTipologiaCostiVettureDettaglio")})
    && forms::registra(frmTipologiaCostiVettureDettaglio, "frmTipologiaCostiVettureDettaglio");
} // namespace
