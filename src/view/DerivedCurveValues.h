#pragma once

#include "document/DerivedCurve.h"
#include "document/GraphFunction.h"
#include "document/Scaling.h"
#include "engine/CompiledTerm.h"

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

// F at ascending xs with F(x0) = y0, undefined[i] 1 where F does not exist. The drawing has no
// quadrature of its own and knows nothing of where f is defined; whoever draws hands one in
// (the curve discussion's, analysis/Antiderivative.h).
using AntiderivativeSampler = void (*)(const CCompiledTerm& f, double k, double x0, double y0,
                                       std::span<const double> xs, std::span<double> values,
                                       std::span<std::uint8_t> undefined);

// A corner of an Ortskurve's polyline, in world coordinates.
struct SWorldPoint
{
    double x{};
    double y{};
};

// The branches of an Ortskurve, each a polyline in the order of k.
using LocusBranches = std::vector<std::vector<SWorldPoint>>;

// The Ortskurve of family f's extrema (or inflection points) on the scaling's x range. Computing
// one takes a discussion per value of k on a fine grid, far too much for every repaint: whoever
// draws hands in one that keeps what it computed (framework/CurveSamplers.h). Never nullptr.
using LocusSampler = std::shared_ptr<const LocusBranches> (*)(const CGraphFunction& f, bool inflections,
                                                             const CScaling& scaling);

// The poles of the term at this k from a to b, ascending, for automatic scaling to look past
// (view knows nothing of where a term is defined; the curve discussion's domain service does).
using PoleFinder = std::vector<double> (*)(const CCompiledTerm& f, double k, double a, double b);

// Everything a drawing borrows from the curve discussion. Without a sampler the curves that need it
// are not drawn; without a pole finder automatic scaling takes every sample as it comes.
struct SCurveSamplers
{
    // Not explicit, so that an antiderivative sampler alone still stands for the whole set.
    SCurveSamplers(AntiderivativeSampler antiderivativeSampler = nullptr, LocusSampler locusSampler = nullptr,
                   PoleFinder poleFinder = nullptr)
        : antiderivative{antiderivativeSampler}, locus{locusSampler}, poles{poleFinder}
    {
    }

    AntiderivativeSampler antiderivative{nullptr};
    LocusSampler locus{nullptr};
    PoleFinder poles{nullptr};
};

// The values of a derived curve of source (the compiled term of its source function) at xs:
// f' and f'' from the term's exact derivatives, F from the sampler (all undefined without one);
// an Ortskurve, which has no value at an x, is undefined everywhere.
// undefined[i] is 1 where the curve has no value. Leaves both error flags as they were.
void DerivedCurveValues(const CCompiledTerm& source, const CDerivedCurve& curve, double k,
                        AntiderivativeSampler antiderivative, std::span<const double> xs,
                        std::span<double> values, std::span<std::uint8_t> undefined);

// Family members of one antiderivative drawn at most: each costs a domain and a quadrature per
// device unit, some hundred times a derivative's curve.
inline constexpr int kMaxAntiderivativeMembers = 20;
