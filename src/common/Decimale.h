#pragma once
// Exact decimal numbers for money, prices, quantities, discounts and rates.
//
// A Decimale is a signed 128-bit integer count of units of 10^-scala (scala 0 to 24): 10.05 is
// 1005 at scala 2, a rate of 5.5 is 55 at scala 1. Sums and products are exact (a product keeps
// every decimal of both factors up to 24 decimals, far below anything a cent rounding can see);
// rounding happens only when asked (`arrotonda`), halves away from zero; a division names the
// decimals it keeps. A double is taken at its shortest round-trip decimal form (the double
// 10.05, which is 10.0499999..., becomes exactly 10.05), so a value read from the database is the
// value the user typed.
#include <QString>
#include <QStringView>
#include <QVariant>
#include <optional>

namespace common {

class Decimale {
public:
    constexpr Decimale() = default;
    Decimale(int intero) : m_m(intero) {}
    Decimale(qint64 intero) : m_m(intero) {}

    // The shortest decimal that reads back as `valore`. Throws db::DbError for NaN, infinities
    // and magnitudes of 10^26 or more, which no amount of this program reaches.
    static Decimale daDouble(double valore);
    // A database value: null and empty text are 0, numbers as daDouble, text as daTesto.
    // Throws db::DbError on a value that is no number.
    static Decimale daVariant(const QVariant &valore);
    // A number written with digits, an optional sign and one decimal point or comma ("12.50",
    // "-3", "0,5"); no thousands separators, exponents, spaces inside or words ("NaN", "inf").
    // Nothing when the text is not such a number or has more than 24 decimals or 26 digits.
    static std::optional<Decimale> daTesto(QStringView testo);
    // `mantissa` × 10^-scala.
    static Decimale daScala(qint64 mantissa, int scala);

    double toDouble() const;                   // the nearest double
    QString testo(int decimali = 2) const;     // rounded to `decimali`, point as separator: "11.06"
    QString testoEsatto() const;               // every decimal held, trailing zeros dropped: "1.005"

    // Rounded to `decimali` decimals (0 to 24), halves away from zero.
    Decimale arrotonda(int decimali) const;
    Decimale centesimi() const { return arrotonda(2); }
    qint64 centesimiInteri() const; // the count of cents, rounded as centesimi()
    // a / b rounded to `decimali`, halves away from zero; 0 when b is 0.
    static Decimale dividi(const Decimale &a, const Decimale &b, int decimali);
    // The percentage `percento` of this amount (this × percento / 100), exact.
    Decimale percento(const Decimale &percento) const;

    bool isZero() const { return m_m == 0; }
    int segno() const { return m_m > 0 ? 1 : m_m < 0 ? -1 : 0; }
    Decimale abs() const;

    Decimale operator-() const;
    Decimale &operator+=(const Decimale &b);
    Decimale &operator-=(const Decimale &b);
    Decimale &operator*=(const Decimale &b);
    friend Decimale operator+(Decimale a, const Decimale &b) { return a += b; }
    friend Decimale operator-(Decimale a, const Decimale &b) { return a -= b; }
    friend Decimale operator*(Decimale a, const Decimale &b) { return a *= b; }
    friend bool operator==(const Decimale &a, const Decimale &b) { return confronta(a, b) == 0; }
    friend bool operator!=(const Decimale &a, const Decimale &b) { return confronta(a, b) != 0; }
    friend bool operator<(const Decimale &a, const Decimale &b) { return confronta(a, b) < 0; }
    friend bool operator<=(const Decimale &a, const Decimale &b) { return confronta(a, b) <= 0; }
    friend bool operator>(const Decimale &a, const Decimale &b) { return confronta(a, b) > 0; }
    friend bool operator>=(const Decimale &a, const Decimale &b) { return confronta(a, b) >= 0; }
    static int confronta(const Decimale &a, const Decimale &b);

    static constexpr int ScalaMassima = 24;

private:
    __int128 m_m = 0; // the count of 10^-m_s
    int m_s = 0;

    void riduciScala(int scala); // rounds half away from zero to `scala` (< m_s)
};

} // namespace common
