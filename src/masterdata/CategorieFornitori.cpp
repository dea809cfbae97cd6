#include "CategorieFornitori.h"
#include "forms/Registro.h"

#include "data/DB.h"

TfrmCategorieFornitori_Griglia::TfrmCategorieFornitori_Griglia(QWidget *parent)
    : forms::ListForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmCategorieFornitori_Griglia");
              c.titolo = QStringLiteral("Categorie Fornitori");
              c.helpContext = 7300;
              c.dataset = form_DB->TableCategorieFornitori;
              c.source = form_DB->SourceCategoriaFornitori;
              c.colonne = {{QStringLiteral("Descrizione"), QStringLiteral("Descrizione"), 322}};
              c.domandaElimina = QStringLiteral("Sei sicuro di voler eliminare la Categoria?");
              c.pulsanteRicarica = true;
              c.ricercaNavigazione = true;
              return c;
          }(),
          parent)
{
}

TfrmCategorieFornitori::TfrmCategorieFornitori(QWidget *parent)
    : forms::DetailForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmCategorieFornitori");
              c.titolo = QStringLiteral("Categorie");
              c.helpContext = 7300;
              c.dataset = form_DB->TableCategorieFornitori;
              c.source = form_DB->SourceCategoriaFornitori;
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
    forms::registra(frmCategorieFornitori_Griglia, "frmCategorieFornitori_Griglia",
                    {.dettaglio = QStringLiteral("frmCategorieFornitori")})
    && forms::registra(frmCategorieFornitori, "frmCategorieFornitori");
} // namespace
