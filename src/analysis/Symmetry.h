#pragma once

#include "analysis/AnalysisResult.h"

class CCompiledTerm;

// Whether the graph of f (the term at k) is symmetric to the y axis or to the origin, tried on
// points of [-reach, reach] and far beyond it, out to 10^6: f(-x) = f(x), or f(-x) = -f(x), to a
// relative 1e-9. A symmetry that holds at every point is only likely and is marked numerical; a
// point where both fail by far more than rounding can explain proves that there is none.
SResultSymmetry SymmetryOf(const CCompiledTerm& term, double k, double reach);
