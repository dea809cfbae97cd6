#pragma once
// The rows of a purchase invoice (Movimenti, Scarico false, linked by Fattura_ID): the amounts of
// one row, the rows the editor adds, and the stored amounts of a row brought in line with it.
#include <QtGlobal>

namespace db {
class Connection;
}

namespace acquisti {

// The values of one row as typed: quantity (Um), unit price (ValoreUnitario), the four
// discounts in percent applied in cascade (Sconto first; 0 or less is no discount) and the VAT
// rate in percent, with its decimals (5.5 is 5.5%).
struct ValoriRiga {
    double quantita = 0;
    double prezzo = 0;
    double sconti[4] = {0, 0, 0, 0};
    double aliquota = 0;
};

// The derived amounts: the net, exact and not rounded (TotaleImponibile), and net plus VAT to
// the cent, halves away from zero (PrezzoCompleto). A quantity or a price of 0 gives 0; a
// discount of 100% or more leaves a net of 0 (more than 100% never turns it negative).
struct ImportiRiga {
    double imponibile = 0;
    double totale = 0;
};
ImportiRiga importiRiga(const ValoriRiga &v);

// Backwards from the final price (PrezzoCompleto) to the unit price before VAT and discounts, to
// 4 decimals; 0 when the final price or the quantity is 0, or a discount of 100% or more leaves
// nothing to go back from.
double prezzoDaTotale(const ValoriRiga &v, double totale);

enum class TipoRiga {
    Articolo,       // "Aggiungi": "Descrizione Articolo", code "Codice Art", unit price 1
    SpeseTrasporto, // "Spese di Trasporto", code "spsTrasp": opzioni.Spese_di_Trasporto, VAT included
    SpeseIncasso,   // "Spese di Incasso", code "spsIncasso": opzioni.Spese_di_Incasso, VAT included
};

// Writes one new row of purchase invoice `idFattura` and returns its ID: NumeroRiga the
// invoice's rows + 1, dated with the invoice's date (today without one), quantity 1, no discount,
// the options' VAT rate and code (opzioni.AliquotaIva, Iva_ID) and the account of its kind
// (opzioni.conto_ID_Predefinito_su_FattureAcquisto_Generale, _SpeseTrasporto, _SpeseIncasso).
// The cost rows take their unit price and net back from the VAT-included cost (4 decimals) and
// keep the cost as their final price; the free row's final price is 1 plus VAT at that rate.
// Totals are not recomputed (the row editor's save does). Throws DbError (nothing written) when
// the purchase invoice does not exist.
qint64 nuovaRiga(db::Connection &c, qint64 idFattura, TipoRiga tipo);

// Rewrites the stored TotaleImponibile and PrezzoCompleto of row `idRiga` from its stored
// quantity, price, discounts and rate (importiRiga). False, and nothing written, when the row
// has no quantity ("Attenzione manca la quantità") or does not exist. Throws DbError.
bool aggiornaImportiRiga(db::Connection &c, qint64 idRiga);

} // namespace acquisti
