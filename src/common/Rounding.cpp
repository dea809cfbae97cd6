#include "Rounding.h"

#include <QtGlobal>
#include <algorithm>
#include <cmath>
#include <limits>

namespace common {

namespace {

// The half is added in extended precision and the sum truncated as it is: in double the
// addition itself could round a value just below a half up to the next whole number.
long double troncaMezzoLontanoDaZero(double valore)
{
    const long double v = valore;
    return std::trunc(valore > 0 ? v + 0.5L : v - 0.5L);
}

} // namespace

int ArrotondaIntero(double valore)
{
    const long double n = troncaMezzoLontanoDaZero(valore);
    if (std::isnan(n)) return 0;
    return int(std::clamp<long double>(n, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

double Arrotonda2Decimali(double valore)
{
    // Hundredths are counted in 64 bits: amounts of 21,474,836.48 and more round like the rest.
    const long double centesimi = troncaMezzoLontanoDaZero(valore * 100);
    if (!(std::fabs(centesimi) < 9.0e18L)) return valore; // not a finite amount
    return double(qint64(centesimi)) / 100;
}

} // namespace common
