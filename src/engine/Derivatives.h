#pragma once

#include "engine/CompiledTerm.h"

#include <span>

// The finite-difference derivatives of the term language over a compiled term: order 0 is the value, 1 and 2 the first and second
// derivative, any other order the third, by the same difference formulas, evaluated in the same
// order with every intermediate result rounded the same way. Flags are raised as Evaluate raises
// them and cleared by neither.
double EvaluateOrder(const CCompiledTerm& term, double x, double k, int order);

// The same at every x of `xs` into `values` (of the same size). Leaves both flags as they were;
// callers of derivatives read no flags.
void EvaluateOrderBatch(const CCompiledTerm& term, std::span<const double> xs, double k, int order,
                        std::span<double> values);
