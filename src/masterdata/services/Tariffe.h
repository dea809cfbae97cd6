#pragma once
// The price list without widgets: the WHERE clause a pick hands to its caller, the copy of a
// tariff, and the bulk change of the unit prices of chosen tariffs with their final prices.
#include <QDate>
#include <QList>
#include <QString>
#include <optional>

namespace db {
class Connection;
}

namespace tariffe {

// "where prezziar.id = 1 or prezziar.id =2 ...": the chosen tariffs as the callers read them;
// empty when none was chosen.
QString tariffeScelte(const QList<qint64> &ids);

// Copies the tariff `id` (prices, VAT, discount, flags, customer, type, unit, texts) into a new
// row dated `oggi`, "(COPIA)" appended to a description shorter than 92 characters; the towns
// and the kilometres stay behind. The new row's id, or nothing when `id` is not found.
std::optional<qint64> copia(db::Connection &c, qint64 id, const QDate &oggi);

// The final price the tariff editor shows: the unit price plus its VAT (the rate with its
// decimals), to the cent.
double prezzoIvato(double prezzo, double aliquota);

struct Variazione {
    bool aumento = true;     // raise; otherwise lower
    bool percentuale = true; // `valore` is a percentage of the unit price; otherwise an amount
    double valore = 0;
};

struct NuoviPrezzi {
    double prezzo = 0;             // the new unit price, to the cent
    std::optional<double> completo; // the new final price; nothing when the VAT rate is unknown
};

// A tariff's new prices: the unit price changed by `v`; the final price from the unrounded new
// price, less the tariff's discount, plus its VAT (not added to a price not above 0).
NuoviPrezzi nuoviPrezzi(double prezzo, double sconto, std::optional<double> aliquota, const Variazione &v);

// Changes every tariff of `ids` in one transaction: on a failure no tariff is changed and the
// database's error is thrown. A tariff without VAT rate gets its unit price and keeps its final
// price. The number of tariffs changed.
int cambiaPrezzi(db::Connection &c, const QList<qint64> &ids, const Variazione &v);

} // namespace tariffe
