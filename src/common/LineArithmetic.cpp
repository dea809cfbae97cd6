#include "LineArithmetic.h"

#include <array>
#include <optional>

namespace common {

namespace {

using Sconti = std::array<Decimale, 4>;

Sconti sconti(double s1, double s2, double s3, double s4)
{
    return {Decimale::daDouble(s1), Decimale::daDouble(s2), Decimale::daDouble(s3), Decimale::daDouble(s4)};
}

// Quantity times price with the discounts applied in cascade; nothing when the row is empty.
std::optional<Decimale> nettoScontato(double quantita, double prezzo, const Sconti &s)
{
    if (prezzo == 0 || quantita == 0) return std::nullopt;
    Decimale n = Decimale::daDouble(quantita) * Decimale::daDouble(prezzo);
    for (const Decimale &d : s) n = Scontato(n, d);
    return n;
}

double risultato(bool arrotonda, const Decimale &valore) { return (arrotonda ? valore.centesimi() : valore).toDouble(); }

// `valore` taken back before the discounts and divided by `divisore`, in one division rounded
// to `decimali`; nothing when a discount of 100 or more wiped it out.
std::optional<Decimale> primaDegliSconti(Decimale valore, Decimale divisore, const Sconti &s, int decimali)
{
    for (const Decimale &d : s) {
        if (d >= Decimale(100)) return std::nullopt;
        if (d.segno() > 0) {
            valore *= Decimale(100);
            divisore *= Decimale(100) - d;
        }
    }
    return Decimale::dividi(valore, divisore, decimali);
}

} // namespace

Decimale Scontato(const Decimale &importo, const Decimale &sconto)
{
    if (sconto.segno() <= 0) return importo;
    // A discount takes at most the whole amount: beyond 100% a cost would become a credit.
    if (sconto >= Decimale(100)) return {};
    return importo - importo.percento(sconto);
}

Decimale ImpostaSu(const Decimale &netto, const Decimale &aliquota)
{
    return aliquota.segno() > 0 ? netto.percento(aliquota) : Decimale();
}

Decimale NettoRiga(const Decimale &quantita, const Decimale &prezzo, const Decimale &sconto1, const Decimale &sconto2,
                   const Decimale &sconto3, const Decimale &sconto4)
{
    if (quantita.isZero() || prezzo.isZero()) return {};
    return Scontato(Scontato(Scontato(Scontato(quantita * prezzo, sconto1), sconto2), sconto3), sconto4);
}

double TotaleRigaNetto(bool arrotonda, double quantita, double prezzoUnitario, double sconto1, double sconto2,
                       double sconto3, double sconto4)
{
    const auto n = nettoScontato(quantita, prezzoUnitario, sconti(sconto1, sconto2, sconto3, sconto4));
    return n ? risultato(arrotonda, *n) : 0;
}

double TotaleImpostaRiga(bool arrotonda, double quantita, double prezzoUnitario, double aliquotaIva, double sconto1,
                         double sconto2, double sconto3, double sconto4)
{
    const auto n = nettoScontato(quantita, prezzoUnitario, sconti(sconto1, sconto2, sconto3, sconto4));
    return n ? risultato(arrotonda, ImpostaSu(*n, Decimale::daDouble(aliquotaIva))) : 0;
}

double TotaleRigaIvato(bool arrotonda, double quantita, double prezzoUnitario, double aliquotaIva, double sconto1,
                       double sconto2, double sconto3, double sconto4)
{
    const auto n = nettoScontato(quantita, prezzoUnitario, sconti(sconto1, sconto2, sconto3, sconto4));
    return n ? risultato(arrotonda, *n + ImpostaSu(*n, Decimale::daDouble(aliquotaIva))) : 0;
}

double ScontoRiga(bool arrotonda, double quantita, double prezzoUnitario, double sconto1, double sconto2,
                  double sconto3, double sconto4)
{
    const auto n = nettoScontato(quantita, prezzoUnitario, sconti(sconto1, sconto2, sconto3, sconto4));
    return n ? risultato(arrotonda, Decimale::daDouble(quantita) * Decimale::daDouble(prezzoUnitario) - *n) : 0;
}

double PrezzoUnitarioDaTotale(double quantita, double totaleIvato, double aliquotaIva, double sconto1,
                              double sconto2, double sconto3, double sconto4)
{
    if (totaleIvato == 0 || quantita == 0) return 0;
    // totale × 100 / (100 + rate), before the discounts, divided by the quantity.
    const Decimale aliquota = Decimale::daDouble(aliquotaIva);
    Decimale valore = Decimale::daDouble(totaleIvato), divisore = Decimale::daDouble(quantita);
    if (aliquota.segno() > 0) {
        valore *= Decimale(100);
        divisore *= Decimale(100) + aliquota;
    }
    const auto prezzo = primaDegliSconti(valore, divisore, sconti(sconto1, sconto2, sconto3, sconto4), 4);
    return prezzo ? prezzo->toDouble() : 0;
}

double PrezzoListinoDaNetto(double quantita, double totaleNetto, double sconto1, double sconto2, double sconto3,
                            double sconto4)
{
    if (totaleNetto == 0 || quantita == 0) return 0;
    const auto prezzo = primaDegliSconti(Decimale::daDouble(totaleNetto), Decimale::daDouble(quantita),
                                         sconti(sconto1, sconto2, sconto3, sconto4), 2);
    return prezzo ? prezzo->toDouble() : 0;
}

} // namespace common
