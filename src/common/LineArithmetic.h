#pragma once

namespace common {

// Amounts of one document row: quantity times unit price, less up to four discounts in percent
// applied one after the other; the VAT rate in percent. A discount or a rate of 0 or less is
// not applied. With `arrotonda` the result is rounded to the cent (Arrotonda2Decimali); the
// gross total rounds net plus VAT once, so it may differ by a cent from their rounded sum.
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
// decimals. 0 when the total or the quantity is 0, or a discount of 100 or more leaves nothing
// to go back from.
double PrezzoUnitarioDaTotale(double quantita, double totaleIvato, double aliquotaIva, double sconto1,
                              double sconto2, double sconto3, double sconto4);
// Backwards from a net row total to the list price before discounts, to the cent; 0 in the
// same cases.
double PrezzoListinoDaNetto(double quantita, double totaleNetto, double sconto1, double sconto2, double sconto3,
                            double sconto4);

} // namespace common
