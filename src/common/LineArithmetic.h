#pragma once
#include "Decimale.h"

namespace common {

// Amounts of one document row: quantity times unit price, less up to four discounts in percent
// applied one after the other; the VAT rate in percent. A discount or a rate of 0 or less is
// not applied; a discount of 100 or more leaves 0. Every value is taken at its decimal value
// (Decimale::daDouble) and the result is exact; with `arrotonda` it is rounded to the cent, halves away from zero; the gross total
// rounds net plus VAT once, so it may differ by a cent from their rounded sum.
double TotaleRigaNetto(bool arrotonda, double quantita, double prezzoUnitario, double sconto1, double sconto2,
                       double sconto3, double sconto4);
double TotaleImpostaRiga(bool arrotonda, double quantita, double prezzoUnitario, double aliquotaIva, double sconto1,
                         double sconto2, double sconto3, double sconto4);
double TotaleRigaIvato(bool arrotonda, double quantita, double prezzoUnitario, double aliquotaIva, double sconto1,
                       double sconto2, double sconto3, double sconto4);
// The discount amount: quantity times unit price less the net total.
double ScontoRiga(bool arrotonda, double quantita, double prezzoUnitario, double sconto1, double sconto2,
                  double sconto3, double sconto4);

// Backwards from a VAT-inclusive row total to the unit price before discounts and VAT, to 4
// decimals (one division, rounded once). 0 when the total or the quantity is 0, or a discount of
// 100 or more leaves nothing to go back from.
double PrezzoUnitarioDaTotale(double quantita, double totaleIvato, double aliquotaIva, double sconto1,
                              double sconto2, double sconto3, double sconto4);
// Backwards from a net row total to the list price before discounts, to the cent; 0 in the
// same cases.
double PrezzoListinoDaNetto(double quantita, double totaleNetto, double sconto1, double sconto2, double sconto3,
                            double sconto4);

// The same arithmetic on exact values, for sums over rows: the unrounded net of a row (0 when
// the quantity or the price is 0), the VAT of a net at a rate (0 for a rate of 0 or less), and
// an amount less a discount in percent (unchanged for a discount of 0 or less, 0 for a discount
// of 100 or more).
Decimale NettoRiga(const Decimale &quantita, const Decimale &prezzo, const Decimale &sconto1, const Decimale &sconto2 = {},
                   const Decimale &sconto3 = {}, const Decimale &sconto4 = {});
Decimale ImpostaSu(const Decimale &netto, const Decimale &aliquota);
Decimale Scontato(const Decimale &importo, const Decimale &sconto);

} // namespace common
