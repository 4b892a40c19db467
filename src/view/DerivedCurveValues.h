#pragma once

#include "document/DerivedCurve.h"
#include "engine/CompiledTerm.h"

#include <cstdint>
#include <span>

// F at ascending xs with F(x0) = y0, undefined[i] 1 where F does not exist. The drawing has no
// quadrature of its own and knows nothing of where f is defined; whoever draws hands one in
// (the curve discussion's, analysis/Antiderivative.h).
using AntiderivativeSampler = void (*)(const CCompiledTerm& f, double k, double x0, double y0,
                                       std::span<const double> xs, std::span<double> values,
                                       std::span<std::uint8_t> undefined);

// The values of a derived curve of source (the compiled term of its source function) at xs:
// f' and f'' from the term's exact derivatives, F from the sampler (all undefined without one).
// undefined[i] is 1 where the curve has no value. Leaves both error flags as they were.
void DerivedCurveValues(const CCompiledTerm& source, const CDerivedCurve& curve, double k,
                        AntiderivativeSampler antiderivative, std::span<const double> xs,
                        std::span<double> values, std::span<std::uint8_t> undefined);

// Family members of one antiderivative drawn at most: each costs a domain and a quadrature per
// device unit, some hundred times a derivative's curve.
inline constexpr int kMaxAntiderivativeMembers = 20;
