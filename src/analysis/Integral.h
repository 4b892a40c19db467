#pragma once

#include "analysis/AnalysisResult.h"
#include "analysis/DiscussOptions.h"
#include "document/GraphFunction.h"
#include "document/Scaling.h"

#include <optional>
#include <string>
#include <vector>

class IAnalysisSink;

// The integral of f - g (of f alone without g) from a to b, for one value of k.
struct SIntegral
{
    // Where the integrand is not defined or has a pole in [a, b]: no number then.
    std::optional<double> undefinedAt;
    // Why there is no number although f is defined: IntegralTooLarge or IntegralNotComputable.
    std::optional<EResultMessage> failure;
    double integral{};
    double area{};
    // The estimated absolute error of the area (and so of the integral).
    double error{};
    // The borders of the pieces between the zeros and the jumps of f - g, a first and b last, and
    // the signed value of each piece.
    std::vector<double> borders;
    std::vector<double> pieces;
};

// Lines "Integral von a bis b: …", "Fläche: …" (the area between the graphs, ∫|f - g|) and
// "[ z1; z2 ]: …" for each piece between consecutive zeros and jumps of f - g, for every family
// value; a German line without a number where the integral does not exist, where it exceeds a
// double, or where the range is too wide or too fine to integrate in bounded time; and the
// estimated accuracy where it misses 1e-8. A b below a integrates backwards.
void ComputeIntegral(const CGraphFunction& f, const CGraphFunction* g, double a, double b,
                     const CScaling& scaling, int precision, const SDiscussOptions& options,
                     IAnalysisSink& sink);

// The same numbers for every family value of the pair (the k loop of ComputeIntegral).
std::vector<SIntegral> IntegratePieces(const CGraphFunction& f, const CGraphFunction* g, double a, double b,
                                       int precision, IAnalysisSink& sink);

// The relative accuracy the quadrature aims at.
inline constexpr double kIntegralTolerance = 1e-13;
