#include "CategoriePersonale.h"
#include "forms/Registro.h"

#include "data/DB.h"

TfrmGrigliaCategoriePersonale::TfrmGrigliaCategoriePersonale(QWidget *parent)
    : forms::ListForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmGrigliaCategoriePersonale");
              c.titolo = QStringLiteral("Categorie Personale");
              c.helpContext = 7300;
              c.dataset = form_DB->TableCategoriePersonale;
              c.source = form_DB->SourceCategoriePersonale;
              c.colonne = {{QStringLiteral("Descrizione"), QStringLiteral("Descrizione"), 300}};
              c.domandaElimina = QStringLiteral("Sei sicuro di voler eliminare la Categoria?");
              return c;
          }(),
          parent)
{
}

TfrmCategoriePersonaleDettaglio::TfrmCategoriePersonaleDettaglio(QWidget *parent)
    : forms::DetailForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmCategoriePersonaleDettaglio");
              c.titolo = QStringLiteral("Categorie Personale");
              c.helpContext = 7300;
              c.dataset = form_DB->TableCategoriePersonale;
              c.source = form_DB->SourceCategoriePersonale;
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
    forms::registra(frmGrigliaCategoriePersonale, "frmGrigliaCategoriePersonale",
                    {.dettaglio = QStringLiteral("frmCategoriePersonaleDettaglio")})
    && forms::registra(frmCategoriePersonaleDettaglio, "frmCategoriePersonaleDettaglio");
} // namespace
