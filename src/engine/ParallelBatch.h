#pragma once

#include "engine/CompiledTerm.h"

#include <span>

// EvaluateOrderBatch spread over every core: the points are cut into one consecutive part per
// core, the calling thread takes the first. Each value depends on its own point only, so the
// result is the same whatever the number of cores. Small batches stay on the calling thread.
void EvaluateOrderInParallel(const CCompiledTerm& term, std::span<const double> xs, double k, int order,
                             std::span<double> values);
