#pragma once
// The totals of a sales invoice, computed from its stored rows, with the summary per VAT rate
// that the print and the e-invoice show.
#include "RigheFattura.h"

#include <QList>
#include <QtGlobal>

namespace db {
class Connection;
}

namespace vendite {

// The rows of one VAT rate (one VAT row, Iva_ID): their net and its VAT, each to the cent.
struct RiepilogoIva {
    double aliquota = 0; // AliquotaIva, with its decimals
    qint64 ivaId = 0;    // Iva_ID (0 when the rows name none)
    double imponibile = 0;
    double imposta = 0;
};

struct Totali {
    double imponibile = 0; // TotImponibile
    double imposta = 0;    // TotImposta
    double totale = 0;     // TotFattura
    QList<RiepilogoIva> riepilogo; // by rate, then VAT row
};

// The totals of the invoice `idFattura` from its rows in fattdett (NumFatt). Rows are grouped
// by rate and VAT row; a group's net is the sum of its rows' nets (quantity × unit price less
// the first discount, unrounded) rounded to the cent, its VAT the unrounded net times the rate
// (kept with its decimals: 5.5 is 5.5%) rounded once to the cent, which is what the invoice's
// print sums for the rate. TotImponibile and TotImposta are the
// sums of the groups' figures, so the printed summary adds up to the totals to the cent; the
// total is their sum. Rows without a quantity count for nothing. Throws DbError.
Totali calcolaTotaliFattura(db::Connection &c, qint64 idFattura);

// Computes the totals and writes them into the invoice's fattura row, in one transaction.
// Returns what was written. Throws DbError (nothing written).
Totali aggiornaTotaliFattura(db::Connection &c, qint64 idFattura);

// The same computation over the rows of either kind of sales document: a credit note's totals
// (Righe::NotaCredito, its NotaCreditoRighe) are those of an invoice with the same rows, whether
// the rows were typed or copied from an invoice.
Totali calcolaTotali(db::Connection &c, Righe righe, qint64 idDocumento);
Totali aggiornaTotali(db::Connection &c, Righe righe, qint64 idDocumento);

} // namespace vendite
