#include "TipoDocumenti.h"
#include "forms/Registro.h"

#include "data/DB.h"

TfrmGrigliaTipoDocumenti::TfrmGrigliaTipoDocumenti(QWidget *parent)
    : forms::ListForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmGrigliaTipoDocumenti");
              c.titolo = QStringLiteral("Tipo di Documenti");
              c.helpContext = 2300;
              c.dataset = form_DB->TableTipoDocumenti;
              c.source = form_DB->SourceTipoDocumenti;
              c.colonne = {{QStringLiteral("Descrizione"), QStringLiteral("Descrizione"), 300}};
              c.domandaElimina = QStringLiteral("Sei sicuro di voler eliminare il tipo di documento?");
              c.descrizioneSvuotata = true;
              c.nomeGriglia = QStringLiteral("frmGrigliaTipoDocumenti");
              return c;
          }(),
          parent)
{
}

TfrmTipoDocumenti::TfrmTipoDocumenti(QWidget *parent)
    : forms::DetailForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmTipoDocumenti");
              c.titolo = QStringLiteral("Tipo Documenti");
              c.helpContext = 2300;
              c.dataset = form_DB->TableTipoDocumenti;
              c.source = form_DB->SourceTipoDocumenti;
              return c;
          }(),
          parent)
{
    aggiungiDescrizione();
}

namespace {
// Created once at start-up, in the program's order.
const bool registrati =
    forms::registra(frmGrigliaTipoDocumenti, "frmGrigliaTipoDocumenti",
                    {.dettaglio = QStringLiteral("frmTipoDocumenti"), .griglie = {{QStringLiteral("frmGrigliaTipoDocumenti")}}})
    && forms::registra(frmTipoDocumenti, "frmTipoDocumenti");
} // namespace
