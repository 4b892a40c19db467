#pragma once

#include <functional>

class CCompiledTerm;

// The deciding quantity of a scan (f, f' or f'') at one x, for one k.
using QuantityAt = std::function<double(double)>;

// Where a bisection of a sign change ended.
struct SBisection
{
    // False when an evaluation on the way was not a number or raised the math flag: the pair
    // straddles a place where the term is not defined, not a crossing.
    bool settled{false};
    // The end point of the two that is nearer 0 (the earlier on a tie), or an exact zero.
    double x{};
    // How close to 0 the quantity comes there. At an exact zero it is the larger |value| of the
    // two neighbouring doubles, so that a jump through a lone 0 (sgn at 0) is not taken for a
    // continuous crossing.
    double residual{};
};

// Halves [lo, hi] while the two ends have values of strictly opposite signs, until a value is
// exactly 0 or the ends are neighbouring doubles. Leaves the math flag as it found it.
SBisection BisectSignChange(const QuantityAt& g, double lo, double gLo, double hi, double gHi);

// The x in [lo, hi] where |g| is least, for a point where g touches 0 without changing sign: where
// the slope of g changes sign if it does so between the ends, else by golden-section search.
double MinimiseMagnitude(const QuantityAt& g, const QuantityAt& slope, double lo, double hi);

// The first (order 1) or second (order 2) derivative by the program's difference formula with half
// its step. A stencil that reaches across a pole makes a difference formula change sign at a
// distance from the pole set by its step; the formula with half the step does not change sign
// there, while at a true extremum or inflection point both do.
double HalfStepDerivative(const CCompiledTerm& term, double x, double k, int order);

// Strictly opposite signs; 0 and values that are not numbers have no sign.
bool OppositeSigns(double a, double b);
