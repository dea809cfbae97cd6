#pragma once
// The totals of a sales document (quote, invoice, credit note), computed from its stored rows,
// with the VAT summary that the print and the e-invoice show. One rule for every kind.
#include "RigheFattura.h"

#include "common/Decimale.h"

#include <QList>
#include <QString>
#include <QtGlobal>
#include <vector>

namespace db {
class Connection;
}

namespace vendite {

// One block of the VAT summary: the rows of one rate and nature, their net and its VAT, each to
// the cent. Amounts are doubles holding the exact cents (`common::Decimale::daDouble` gives them
// back exactly; `QString::number(x, 'f', 2)` writes them).
struct RiepilogoIva {
    double aliquota = 0; // AliquotaIva, with its decimals
    QString natura;      // the VAT code's Pa_Natura_Codice ("N4"), empty when it has none
    qint64 ivaId = 0;    // the lowest Iva_ID among the block's rows (0 when they name none)
    double imponibile = 0;
    double imposta = 0;
};

struct Totali {
    double imponibile = 0; // TotImponibile
    double imposta = 0;    // TotImposta
    double totale = 0;     // TotFattura, TotalePreventivo
    QList<RiepilogoIva> riepilogo; // by rate, then nature
};

// The VAT summary of one document, fed row by row: the one rule behind calcolaTotali, open to
// readers that hold the rows of many documents at once (the VAT settlement feeds it the rows of
// one document at a time, purchase rows with their stored net). Rows of the same rate and nature
// make one block; `totali()` gives the blocks and the totals as calcolaTotali describes.
class Riepilogo {
public:
    void aggiungi(const common::Decimale &aliquota, const QString &natura, qint64 ivaId, const common::Decimale &netto);
    Totali totali() const;
    bool vuoto() const { return m_blocchi.empty(); }
    void svuota() { m_blocchi.clear(); }

private:
    struct Blocco {
        common::Decimale aliquota;
        QString natura;
        qint64 ivaId = 0;
        common::Decimale netto; // exact, unrounded
    };
    std::vector<Blocco> m_blocchi;
};

// The totals of a document from the rows of table `righe.tabella` linked by `righe.legame`.
// Rows without a quantity count for nothing. The rows are grouped by rate and nature (the
// Pa_Natura_Codice of their Iva_ID); a block's net is the exact sum of its rows' nets (quantity ×
// unit price less the discount, or the four discounts in cascade where the rows have them)
// rounded to the cent, its VAT that exact net at the rate rounded
// once to the cent. TotImponibile and TotImposta are the sums of the blocks' figures, so the
// summary adds up to the totals; the total is their sum. The rows' own TotaleImponibile and
// ValoreTotale are not read. Throws DbError.
Totali calcolaTotali(db::Connection &c, const TabellaRighe &righe, qint64 idDocumento);
// An invoice's (fattdett) or a credit note's (NotaCreditoRighe) totals.
Totali calcolaTotali(db::Connection &c, Righe righe, qint64 idDocumento);
Totali calcolaTotaliFattura(db::Connection &c, qint64 idFattura);

// Computes the totals and writes them into the document's fattura row, in one transaction.
// Returns what was written. Throws DbError (nothing written).
Totali aggiornaTotali(db::Connection &c, Righe righe, qint64 idDocumento);
Totali aggiornaTotaliFattura(db::Connection &c, qint64 idFattura);

} // namespace vendite
