#pragma once
// The totals of a sales invoice, computed from its stored rows.
#include <QtGlobal>

namespace db {
class Connection;
}

namespace vendite {

struct Totali {
    double imponibile = 0; // TotImponibile
    double imposta = 0;    // TotImposta
    double totale = 0;     // TotFattura
};

// The totals of the invoice `idFattura` from its rows in fattdett (NumFatt): per row with a
// quantity, the net of quantity, unit price and first discount, and its VAT at the row's rate
// read as a whole number, both unrounded; each sum rounded to the cent; the total their sum.
// Rows without a quantity count for nothing. Throws DbError.
Totali calcolaTotaliFattura(db::Connection &c, qint64 idFattura);

// Computes the totals and writes them into the invoice's fattura row, in one transaction.
// Returns what was written. Throws DbError (nothing written).
Totali aggiornaTotaliFattura(db::Connection &c, qint64 idFattura);

} // namespace vendite
