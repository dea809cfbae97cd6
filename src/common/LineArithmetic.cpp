#include "LineArithmetic.h"
#include "Rounding.h"

#include <QString>
#include <array>
#include <optional>

namespace common {

namespace {

using Sconti = std::array<double, 4>;

// Quantity times price with the discounts applied in cascade; nothing when the row is empty.
std::optional<double> nettoScontato(double quantita, double prezzo, const Sconti &sconti)
{
    if (prezzo == 0 || quantita == 0) return std::nullopt;
    double n = quantita * prezzo;
    for (double s : sconti)
        if (s > 0) n -= n * 0.01 * s;
    return n;
}

double imposta(double netto, double aliquota) { return aliquota > 0 ? netto * 0.01 * aliquota : 0; }

double arrotondaSe(bool arrotonda, double valore) { return arrotonda ? Arrotonda2Decimali(valore) : valore; }

// The amount before the discounts; nothing when a discount of 100 or more wiped it out.
std::optional<double> primaDegliSconti(double valore, const Sconti &sconti)
{
    for (double s : sconti) {
        if (s >= 100) return std::nullopt;
        if (s > 0) valore = valore * 100 / (100 - s);
    }
    return valore;
}

} // namespace

double TotaleRigaNetto(bool arrotonda, double quantita, double prezzoUnitario, double sconto1, double sconto2,
                       double sconto3, double sconto4)
{
    const auto n = nettoScontato(quantita, prezzoUnitario, {sconto1, sconto2, sconto3, sconto4});
    return n ? arrotondaSe(arrotonda, *n) : 0;
}

double TotaleImpostaRiga(bool arrotonda, double quantita, double prezzoUnitario, double aliquotaIva, double sconto1,
                         double sconto2, double sconto3, double sconto4)
{
    const auto n = nettoScontato(quantita, prezzoUnitario, {sconto1, sconto2, sconto3, sconto4});
    return n ? arrotondaSe(arrotonda, imposta(*n, aliquotaIva)) : 0;
}

double TotaleRigaIvato(bool arrotonda, double quantita, double prezzoUnitario, double aliquotaIva, double sconto1,
                       double sconto2, double sconto3, double sconto4)
{
    const auto n = nettoScontato(quantita, prezzoUnitario, {sconto1, sconto2, sconto3, sconto4});
    return n ? arrotondaSe(arrotonda, *n + imposta(*n, aliquotaIva)) : 0;
}

double ScontoRiga(bool arrotonda, double quantita, double prezzoUnitario, double sconto1, double sconto2,
                  double sconto3, double sconto4)
{
    const auto n = nettoScontato(quantita, prezzoUnitario, {sconto1, sconto2, sconto3, sconto4});
    return n ? arrotondaSe(arrotonda, quantita * prezzoUnitario - *n) : 0;
}

double PrezzoUnitarioDaTotale(double quantita, double totaleIvato, double aliquotaIva, double sconto1,
                              double sconto2, double sconto3, double sconto4)
{
    if (totaleIvato == 0 || quantita == 0) return 0;
    const double imponibile = aliquotaIva > 0 ? totaleIvato / (1 + 0.01 * aliquotaIva) : totaleIvato;
    const auto listino = primaDegliSconti(imponibile, {sconto1, sconto2, sconto3, sconto4});
    if (!listino) return 0;
    // Four decimals through the decimal text: halves go away from zero on the decimal expansion.
    return QString::number(*listino / quantita, 'f', 4).toDouble();
}

double PrezzoListinoDaNetto(double quantita, double totaleNetto, double sconto1, double sconto2, double sconto3,
                            double sconto4)
{
    if (totaleNetto == 0 || quantita == 0) return 0;
    const auto listino = primaDegliSconti(totaleNetto, {sconto1, sconto2, sconto3, sconto4});
    return listino ? Arrotonda2Decimali(*listino / quantita) : 0;
}

} // namespace common
