#pragma once
// A purchase invoice as a whole: its totals from its rows less the withholding tax, one save of
// its rows with the totals and the instalments that follow, and its delete with everything that
// depends on it.
#include "sales/services/SalvaRighe.h"
#include "sales/services/Scadenze.h"
#include "sales/services/Totali.h"

#include <functional>

namespace db {
class Connection;
}

namespace acquisti {

// The rows of purchase invoices for the one totals rule (vendite::calcolaTotali): Movimenti by
// Fattura_ID, four discounts in cascade.
vendite::TabellaRighe tabellaRighe();

// The totals of purchase invoice `id` by the rule of every document (VAT summary by rate and
// nature, each block's VAT rounded once), the total less the withholding tax
// (fattura.RitenutaAcconto, none when empty). Throws DbError.
vendite::Totali calcolaTotali(db::Connection &c, qint64 id);
// The same, written into TotImponibile, TotImposta and TotFattura, in one transaction.
vendite::Totali aggiornaTotali(db::Connection &c, qint64 id);

// One user action on the rows of purchase invoice `id` (a row's post and its amounts, a new row,
// a row's delete, a changed withholding tax), as one transaction: `scrivi` (may be empty), then
// the totals and the instalment update (paid instalments keep their payment); nothing written
// when the invoice is gone or `scrivi` answers false. As vendite::salvaRighe.
vendite::EsitoRighe salvaRighe(db::Connection &c, qint64 id, const std::function<bool()> &scrivi);

// What salvaTestata did.
struct EsitoTestata {
    bool salvato = false;           // the header and, when asked, the new schedule are stored
    bool documentoMancante = false; // the invoice was deleted meanwhile: nothing written
    bool rifiutato = false;         // `scrivi` answered false: nothing written
    bool pagateConservate = false;  // the rebuild would discard payments without leave: nothing written
    scadenze::Esito scadenze;
};

// The header's save when the supplier or the payment method was chosen or cleared, as one
// transaction: `scrivi` (the header's post), then, with `ricostruisci`, the schedule made again
// from the stored header (scadenze::generaScadenze rebuild: without a payment method the
// instalments go, and with opzioni.DuplicaFatturazioneInPrimaNota every cash-book row of the
// invoice). When instalments are paid and `scartaPagamenti` is false nothing is written
// (pagateConservate): the editor asks first (scadenze::haScadenzePagate). Throws DbError (nothing
// written).
EsitoTestata salvaTestata(db::Connection &c, qint64 id, const std::function<bool()> &scrivi, bool ricostruisci,
                          bool scartaPagamenti = false);

// What eliminaFattura did, rows per table.
struct EsitoEliminazione {
    bool eliminata = false; // the purchase invoice was there and is gone
    int primaNota = 0;      // finanzia: the invoice's own row and the payments of its instalments
    int scadenze = 0;       // FatturaScadenze
    int righe = 0;          // Movimenti
};

// Deletes purchase invoice `id` (Carico true, FattNota false) with its cash-book rows (those
// naming it and the payments of its instalments), instalments and rows, in one transaction. An
// id that is no purchase invoice changes nothing. The picture file named in Immagine is the
// user's own and stays on disk; fuel-tank loads keep their reference. Throws DbError (nothing
// deleted).
EsitoEliminazione eliminaFattura(db::Connection &c, qint64 id);

} // namespace acquisti
