#pragma once
// One user action on the rows of a sales invoice or credit note is one transaction: the rows
// written, the header's totals and the instalments that follow them, or nothing.
#include "RigheFattura.h"
#include "Scadenze.h"
#include "Totali.h"

#include <functional>

namespace db {
class Connection;
}

namespace vendite {

struct EsitoRighe {
    bool salvato = false;          // everything written and committed
    bool documentoMancante = false; // the document no longer exists (deleted elsewhere): nothing written
    bool rifiutato = false;        // `scrivi` answered false (a refused post): nothing written
    Totali totali;                 // the totals stored in the document
    scadenze::Esito scadenze;      // the instalments updated
};

// In one transaction: checks that the document `id` still exists, runs `scrivi` (a row's post,
// rows from the price list, a special row, the header's post, a row's delete ...), stores the
// totals of its rows in the document (aggiornaTotali) and updates its instalments
// (generaScadenze, updating: paid instalments keep their payment). A missing document or a
// `scrivi` answering false writes nothing. On the server the whole runs again when another
// workstation's work collides with it, so `scrivi` must do the same work each time it runs.
// Throws DbError (nothing written).
EsitoRighe salvaRighe(db::Connection &c, Righe righe, qint64 id, const std::function<bool()> &scrivi);
// The same for a document of any kind: `aggiornaTotali` stores the totals of its rows (and
// returns them), then the instalments of kind `genere` are updated.
EsitoRighe salvaRighe(db::Connection &c, qint64 id, scadenze::Genere genere, const std::function<Totali()> &aggiornaTotali,
                      const std::function<bool()> &scrivi);

// The same for a quote's rows: in one transaction, checks that quote `id` (PreventiTestata)
// still exists, runs `scrivi` (a row's post, rows from the price list, the free row, a row's
// delete, the header's post) and stores the totals of its rows in the quote (TotImponibile,
// TotImposta, TotalePreventivo). A quote has no instalments. A missing quote or a `scrivi`
// answering false writes nothing; the whole runs again on a collision. Throws DbError.
EsitoRighe salvaRighePreventivo(db::Connection &c, qint64 id, const std::function<bool()> &scrivi);

// The message of a save refused because the document was deleted meanwhile.
QString messaggioDocumentoMancante();

} // namespace vendite
