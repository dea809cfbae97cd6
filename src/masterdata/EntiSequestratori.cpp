#include "EntiSequestratori.h"
#include "forms/Registro.h"
#include "masterdata/services/Propagazioni.h"

#include "common/RecordHelpers.h"
#include "data/DB.h"
#include "db/Command.h"

TfrmGrigliaEntiSequestratori::TfrmGrigliaEntiSequestratori(QWidget *parent)
    : forms::ListForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmGrigliaEntiSequestratori");
              c.titolo = QStringLiteral("Enti Sequestratori");
              c.helpContext = 8200;
              c.dataset = form_DB->TableEntiSequestratori;
              c.source = form_DB->SourceEntiSequestratori;
              c.colonne = {{QStringLiteral("Descrizione"), QStringLiteral("Descrizione"), 300}};
              c.domandaElimina = QStringLiteral("Sei sicuro di voler eliminare l'Ente?");
              c.descrizioneSvuotata = true;
              c.ricercaColorata = false;
              return c;
          }(),
          parent)
{
}

TfrmEntiSequestratori_Dettaglio::TfrmEntiSequestratori_Dettaglio(QWidget *parent)
    : forms::DetailForm(
          [] {
              Config c;
              c.nome = QStringLiteral("frmEntiSequestratori_Dettaglio");
              c.titolo = QStringLiteral("Enti Sequestratori");
              c.helpContext = 8200;
              c.dataset = form_DB->TableEntiSequestratori;
              c.source = form_DB->SourceEntiSequestratori;
              c.navigazione = false;
              return c;
          }(),
          parent)
{
    aggiungiDescrizione();
}

void TfrmEntiSequestratori_Dettaglio::dopoSalva()
{
    // Every seizure of the authority, of any year, carries its current name, changed or not.
    const qint64 id = form_DB->TableEntiSequestratori->fieldByName(QStringLiteral("Id")).asLargeInt();
    anagrafiche::propagaEnteSequestratore(form_DB->Connessione, id);
    // The seizures on screen elsewhere show the new name: a pending change of the current one
    // is stored first, then they are read again.
    db::Query *sequestri = form_DB->TableSequestri;
    if (sequestri->isEmpty()) sequestri->requery();
    else common::SalvaNuovoRecord(*sequestri, QStringLiteral("Id"));
}

namespace {
// Created once at start-up, in the program's order.
const bool registrati =
    forms::registra(frmGrigliaEntiSequestratori, "frmGrigliaEntiSequestratori",
                    {.dettaglio = QStringLiteral("frmEntiSequestratori_Dettaglio")})
    && forms::registra(frmEntiSequestratori_Dettaglio, "frmEntiSequestratori_Dettaglio");
} // namespace
