#include "Rounding.h"

#include "Decimale.h"

#include <QtGlobal>
#include <algorithm>
#include <cmath>
#include <limits>

namespace common {

namespace {

// The value rounded to `decimali` on its decimal form; a value that is no amount is returned
// as it is (the callers' checks refuse it where it was typed).
double arrotondaDecimale(double valore, int decimali)
{
    if (!std::isfinite(valore) || std::fabs(valore) >= 1e26) return valore;
    return Decimale::daDouble(valore).arrotonda(decimali).toDouble();
}

} // namespace

int ArrotondaIntero(double valore)
{
    const double n = arrotondaDecimale(valore, 0);
    if (std::isnan(n)) return 0;
    return int(std::clamp<double>(n, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

double Arrotonda2Decimali(double valore) { return arrotondaDecimale(valore, 2); }

} // namespace common
