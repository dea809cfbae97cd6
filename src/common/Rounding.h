#pragma once

namespace common {

// The nearest integer, halves away from zero: 2.5 gives 3, -2.5 gives -3.
int ArrotondaIntero(double valore);

// Money to the cent, halves away from zero, decided on the amount's decimal value (the shortest
// decimal that reads back as the double, see Decimale): 1.005 gives 1.01, 2.675 gives 2.68,
// -1.005 gives -1.01. A sum or product computed in double is not such a value: compute it with
// Decimale and round that (Decimale::centesimi).
double Arrotonda2Decimali(double valore);

} // namespace common
