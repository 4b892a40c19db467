#include "analysis/Integral.h"

#include "analysis/AnalysisSink.h"
#include "analysis/ExactZeros.h"
#include "analysis/Intersections.h"
#include "analysis/Quadrature.h"
#include "analysis/Refinement.h"
#include "analysis/ResultText.h"
#include "document/StepLoop.h"
#include "engine/TextEncoding.h"
#include "engine/CompiledTerm.h"
#include "engine/ErrorFlags.h"
#include "engine/NumberText.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

// Parts the quadrature starts from over the whole range, and the most it may use per piece.
constexpr int kStartParts = 64;
constexpr int kMaxParts = 4000;

// A |value| this many times the largest seen on the scan, next to where the quadrature cannot
// settle or a sign change cannot be bisected to 0, is a pole.
constexpr double kPoleFactor = 1e6;

// Points of the scan for places where the integrand is not defined; a step finer than the
// precision's would cost time without telling more.
constexpr std::int64_t kMaxScanPoints = 1 << 20;

// Scans [a, b] for a place where the integrand fails or runs off to infinity across a sign
// change; returns it, and the largest |value| seen in `largest`.
std::optional<double> FindUndefined(const CCompiledTerm& term, double a, double b, double step, double k,
                                    double& largest)
{
    const auto count =
        std::min<std::int64_t>(static_cast<std::int64_t>(std::ceil((b - a) / step)), kMaxScanPoints);
    std::vector<double> xs(static_cast<std::size_t>(count) + 1);
    for (std::size_t i = 0; i < xs.size(); ++i) {
        xs[i] = i + 1 == xs.size() ? b : a + (b - a) * static_cast<double>(i) / static_cast<double>(count);
    }
    std::vector<double> values(xs.size());
    std::vector<std::uint8_t> failed(xs.size());
    term.EvaluateBatch(xs, k, values, failed);
    largest = 0;
    for (std::size_t i = 0; i < xs.size(); ++i) {
        if (failed[i] != 0 || !std::isfinite(values[i])) {
            return xs[i];
        }
        largest = std::max(largest, std::fabs(values[i]));
    }
    for (std::size_t i = 1; i < xs.size(); ++i) {
        if (OppositeSigns(values[i - 1], values[i])) {
            // Halved down to neighbouring doubles: a continuous crossing ends near 0, a pole far
            // beyond anything the scan saw, and a place where f fails shows itself on the way.
            double lo = xs[i - 1];
            double hi = xs[i];
            double loValue = values[i - 1];
            double hiValue = values[i];
            for (;;) {
                const double middle = lo + (hi - lo) / 2;
                if (middle <= lo || middle >= hi) {
                    break;
                }
                const std::optional<double> value = term.DefinedValue(middle, k);
                if (!value) {
                    return middle;
                }
                if (*value == 0) {
                    loValue = hiValue = 0;
                    break;
                }
                if (OppositeSigns(loValue, *value)) {
                    hi = middle;
                    hiValue = *value;
                } else {
                    lo = middle;
                    loValue = *value;
                }
            }
            if (std::min(std::fabs(loValue), std::fabs(hiValue)) > kPoleFactor * std::max(largest, 1.0)) {
                return std::fabs(loValue) < std::fabs(hiValue) ? lo : hi;
            }
        }
    }
    return std::nullopt;
}

} // namespace

std::vector<SIntegral> IntegratePieces(const CGraphFunction& f, const CGraphFunction* g, double a, double b,
                                       int precision, IAnalysisSink& sink)
{
    const CGraphFunction integrand = g != nullptr ? DifferenceFunction(f, *g) : f;
    const CCompiledTerm term{integrand.GetTerm()};
    const double lo = std::min(a, b);
    const double hi = std::max(a, b);
    const double direction = b < a ? -1.0 : 1.0;
    const double step = ScanStep(precision);

    // The zeros of f - g on [lo, hi], for every k, as the intersections find them.
    std::vector<std::vector<double>> zeros;
    CScaling range;
    range.SetXRange(lo, hi, 1);
    SZeroVisitor visitor;
    visitor.groupStart = [&](double) { zeros.emplace_back(); };
    visitor.found = [&](double, double x) { zeros.back().push_back(x); };
    visitor.groupEnd = [](double) {};
    if (lo < hi) {
        ScanExactZeros(integrand, range, precision, sink, visitor);
    }

    std::vector<SIntegral> results;
    std::size_t group = 0;
    ForEachFamilyValue(integrand, [&](double k) {
        SIntegral result;
        result.borders.push_back(lo);
        const double margin = 1e-12 * std::max({1.0, std::fabs(lo), std::fabs(hi)});
        if (group < zeros.size()) {
            for (const double z : zeros[group]) {
                if (z > lo + margin && z < hi - margin && z > result.borders.back()) {
                    result.borders.push_back(z);
                }
            }
        }
        ++group;
        result.borders.push_back(hi);
        if (lo == hi) {
            result.borders.pop_back();
            results.push_back(result);
            return !sink.Stopped();
        }
        double largest = 0;
        result.undefinedAt = FindUndefined(term, lo, hi, step, k, largest);
        const Integrand at = [&](double x) { return term.DefinedValue(x, k); };
        double area = 0;
        for (std::size_t i = 0; i + 1 < result.borders.size() && !result.undefinedAt; ++i) {
            const double from = result.borders[i];
            const double to = result.borders[i + 1];
            const int parts = std::max(1, static_cast<int>(std::ceil(kStartParts * (to - from) / (hi - lo))));
            // A first pass gives the size the tolerance is relative to.
            const SQuadrature rough = IntegrateAdaptive(at, from, to, parts, 0, parts);
            const double scale = std::max(std::fabs(rough.value), 1e-300);
            SQuadrature q = IntegrateAdaptive(at, from, to, parts, kIntegralTolerance * scale, kMaxParts);
            if (q.undefinedAt) {
                result.undefinedAt = q.undefinedAt;
                break;
            }
            if (q.error > kIntegralWarnTolerance * std::max(std::fabs(q.value), 1e-300) &&
                q.worstMagnitude > kPoleFactor * std::max(largest, 1.0)) {
                result.undefinedAt = q.worstAt;
                break;
            }
            result.pieces.push_back(direction * q.value);
            result.integral += direction * q.value;
            area += std::fabs(q.value);
            result.error += q.error;
        }
        result.area = area;
        if (direction < 0) {
            std::reverse(result.borders.begin(), result.borders.end());
            std::reverse(result.pieces.begin(), result.pieces.end());
        }
        results.push_back(std::move(result));
        return !sink.Stopped();
    });
    return results;
}

void ComputeIntegral(const CGraphFunction& f, const CGraphFunction* g, double a, double b,
                     const CScaling& /*scaling*/, int precision, const SDiscussOptions& options,
                     IAnalysisSink& sink)
{
    sink.SetProgress(0);
    const std::vector<SIntegral> results = IntegratePieces(f, g, a, b, precision, sink);
    const CGraphFunction integrand = g != nullptr ? DifferenceFunction(f, *g) : f;
    const bool family = integrand.GetUseFamilyConstant() != 0;
    std::size_t group = 0;
    ForEachFamilyValue(integrand, [&](double k) {
        if (group >= results.size()) {
            return false;
        }
        const SIntegral& result = results[group++];
        SResultIntegral shown{a,
                              b,
                              result.undefinedAt,
                              result.integral,
                              result.area,
                              result.error,
                              result.borders,
                              result.pieces};
        sink.Add(SAnalysisResult{std::move(shown), family ? std::optional<double>{k} : std::nullopt,
                                 options.digits});
        if (family) {
            sink.Add(
                SAnalysisResult{SResultMessage{EResultMessage::GroupEnd, {}}, std::nullopt, options.digits});
        }
        return !sink.Stopped();
    });
}
