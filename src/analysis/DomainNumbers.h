#pragma once

#include <cstdint>

// Doubles as ordered integers: neighbouring doubles have neighbouring keys and -0 and +0 share 0,
// so that a bisection by keys ends on neighbouring doubles in at most 64 halvings, whatever the
// magnitudes, where halving by value would need over two thousand from 1e300 down to 1e-300.
std::int64_t DoubleKey(double x);
double KeyDouble(std::int64_t key);

// The double halfway between two by key; strictly between them unless they are neighbours.
double KeyMidpoint(double lo, double hi);

// Whether no double lies strictly between lo and hi.
bool Neighbours(double lo, double hi);

// The double in [lo, hi] with the fewest significant bits (0 if the range holds it): the one
// number of a run of doubles that stands for the run, so that a border that rounding smears over
// a few doubles is reported where it belongs (1/x^2 fails on all |x| below 1.5e-162, at 0).
double SimplestBetween(double lo, double hi);
