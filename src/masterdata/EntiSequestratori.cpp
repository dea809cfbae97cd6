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
    // The seizures on screen elsewhere show the new name. The current seizure is never posted
    // from here (its editor saves it, with its checks): a seizure with changes still pending is
    // left as it is, and its editor reads the register again when this form closes.
    db::Query *sequestri = form_DB->TableSequestri;
    if (!sequestri->isActive()) return;
    if (sequestri->isEditing()) {
        for (int c = 0; c < sequestri->fieldCount(); ++c)
            if (sequestri->isModified(c)) return;
        sequestri->cancel();
    }
    if (sequestri->isEmpty()) sequestri->requery();
    else common::RicaricaDataset(*sequestri, QStringLiteral("Id"));
}

namespace {
// Created once at start-up, in the program's order.
const bool registrati =
    forms::registra(frmGrigliaEntiSequestratori, "frmGrigliaEntiSequestratori",
                    {.dettaglio = QStringLiteral("frmEntiSequestratori_Dettaglio")})
    && forms::registra(frmEntiSequestratori_Dettaglio, "frmEntiSequestratori_Dettaglio");
} // namespace
