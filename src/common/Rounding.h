#pragma once

namespace common {

// The nearest integer, halves away from zero: 2.5 gives 3, -2.5 gives -3.
int ArrotondaIntero(double valore);

// Money to the cent, halves away from zero. The decision is taken on the double value of the
// amount times 100: 1.005 gives 1.00 (100.49999999999999), 2.675 gives 2.68 (267.5).
double Arrotonda2Decimali(double valore);

} // namespace common
