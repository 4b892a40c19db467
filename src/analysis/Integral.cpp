#include "analysis/Integral.h"

#include "analysis/AnalysisSink.h"
#include "analysis/Domain.h"
#include "analysis/ExactZeros.h"
#include "analysis/Intersections.h"
#include "analysis/PoolChunks.h"
#include "analysis/Quadrature.h"
#include "analysis/Refinement.h"
#include "analysis/ResultText.h"
#include "document/StepLoop.h"
#include "engine/CompiledTerm.h"
#include "engine/NumberText.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <span>

namespace {

// Parts the quadrature starts from over the whole range, and the most it may use per piece.
constexpr int kStartParts = 64;
constexpr int kMaxParts = 4000;
// The parts of all pieces together: a range with more sign changes than this allows is too
// fine to integrate piece by piece in bounded time. A family shares it among its values of k,
// each keeping at least the smaller amount.
constexpr int kMaxTotalParts = 100000;
constexpr int kMinPartsPerK = 1000;

// A |value| this many times the largest seen on the scan, next to where the quadrature cannot
// settle, is a pole the domain did not see.
constexpr double kPoleFactor = 1e6;

// The points of the scan for sign changes over the whole range, shared like the parts.
constexpr double kMinScanPoints = 1 << 18;
constexpr double kMaxScanPoints = 1 << 20;
constexpr double kMinScanPointsPerK = 1 << 12;
// The zeros of the exact scan are taken where its raster has at most this many points; beyond,
// its walk over every step of the precision would outlast any patience, and the sign changes come
// from the coarser scan alone.
constexpr double kMaxExactScanPoints = 1 << 21;

// Borders closer than this share of the range are one: two zeros of the same crossing, or a zero
// that a scan put next to a jump (sgn at 0).
constexpr double kSameBorder = 1e-10;

// A value this large next to where f stops is f running out of doubles, not f ending.
constexpr double kOverflowing = 1e300;

// Half the width, which unlike the width itself does not overflow for ends near the largest double.
double HalfWidth(double lo, double hi)
{
    return 0.5 * hi - 0.5 * lo;
}

struct SBorder
{
    double x;
    // Shown as the end of a piece (a sign change, a jump); a removable gap only splits the
    // quadrature, so that no node falls on the missing point.
    bool shown;
};

// A pair of neighbouring scan points with values of opposite signs.
struct SSignChange
{
    double lo;
    double loValue;
    double hi;
    double hiValue;
};

// The sign changes of f inside (from, to) on `count` equal steps; `largest` grows to the largest
// |f| seen.
void ScanSignChanges(const CCompiledTerm& term, double k, double from, double to, std::size_t count,
                     std::vector<SSignChange>& changes, double& largest, std::stop_token stop)
{
    std::vector<double> xs(count + 1);
    const double half = HalfWidth(from, to);
    for (std::size_t i = 0; i <= count; ++i) {
        xs[i] = i == count ? to : from + half * (2.0 * static_cast<double>(i) / static_cast<double>(count));
    }
    std::vector<double> values(xs.size());
    std::vector<std::uint8_t> failed(xs.size());
    // Up to a million points: on the shared pool, in chunks long enough for the batch to pay.
    const std::span<const double> all{xs};
    RunOnPool(
        xs.size(), 16384,
        [&](std::size_t begin, std::size_t end) {
            term.EvaluateBatch(all.subspan(begin, end - begin), k,
                               std::span<double>{values}.subspan(begin, end - begin),
                               std::span<std::uint8_t>{failed}.subspan(begin, end - begin));
        },
        stop);
    for (std::size_t i = 0; i < xs.size(); ++i) {
        if (failed[i] == 0 && std::isfinite(values[i])) {
            largest = std::max(largest, std::fabs(values[i]));
        }
    }
    for (std::size_t i = 1; i < xs.size(); ++i) {
        if (failed[i - 1] == 0 && failed[i] == 0 && OppositeSigns(values[i - 1], values[i])) {
            changes.push_back({xs[i - 1], values[i - 1], xs[i], values[i]});
        }
    }
}

// Where the integral over the domain's pieces cannot be taken: the first place of [lo, hi] that no
// piece covers, a pole, or an edge.
std::optional<double> FirstUndefined(const SDomain& domain, double lo, double hi)
{
    std::optional<double> first;
    const auto take = [&](double x) {
        if (!first || x < *first) {
            first = x;
        }
    };
    if (domain.pieces.empty()) {
        take(lo);
        return first;
    }
    if (domain.pieces.front().from > lo) {
        take(lo);
    }
    if (domain.pieces.back().to < hi) {
        take(0.5 * domain.pieces.back().to + 0.5 * hi);
    }
    for (std::size_t i = 1; i < domain.pieces.size(); ++i) {
        if (domain.pieces[i - 1].to < domain.pieces[i].from) {
            take(0.5 * domain.pieces[i - 1].to + 0.5 * domain.pieces[i].from);
        }
    }
    for (const SDomainBorder& border : domain.borders) {
        if (border.kind == EBorderKind::Pole || border.kind == EBorderKind::Edge) {
            take(border.x);
        }
    }
    return first;
}

// What one value of k may spend.
struct SBudget
{
    double minScanPoints;
    double maxScanPoints;
    int parts;
};

SBudget BudgetPerK(int familyValues)
{
    const int values = std::max(familyValues, 1);
    const double maxScan = std::max(kMinScanPointsPerK, kMaxScanPoints / values);
    return {std::min(kMinScanPoints, maxScan), maxScan, std::max(kMinPartsPerK, kMaxTotalParts / values)};
}

// The integral of one k over [lo, hi] (lo < hi), its borders ascending.
SIntegral IntegrateOneK(const CCompiledTerm& term, double k, double lo, double hi, double step,
                        const std::vector<double>& exactZeros, const SBudget& spend, std::stop_token stop)
{
    SIntegral result;
    // A range wider than a double can measure leaves no width to split or to weigh pieces by.
    if (!std::isfinite(hi - lo)) {
        result.failure = EResultMessage::IntegralNotComputable;
        return result;
    }
    const SDomain domain = DomainOf(term, k, lo, hi, stop);
    if (domain.outcome == EDomainOutcome::Stopped) {
        return result;
    }
    if (domain.outcome != EDomainOutcome::Complete) {
        result.failure = EResultMessage::IntegralNotComputable;
        return result;
    }
    result.undefinedAt = FirstUndefined(domain, lo, hi);
    if (result.undefinedAt) {
        // A border that is only the overflow of f (x^2 beyond 1.3e154) is no hole in f itself.
        const bool overflow =
            std::any_of(domain.borders.begin(), domain.borders.end(), [](const SDomainBorder& b) {
                const double limit = std::isnan(b.leftLimit) ? b.rightLimit : b.leftLimit;
                return b.kind == EBorderKind::Edge &&
                       ((b.value && std::fabs(*b.value) > kOverflowing) ||
                        (std::isfinite(limit) && std::fabs(limit) > kOverflowing));
            });
        if (overflow) {
            result.undefinedAt.reset();
            result.failure = EResultMessage::IntegralTooLarge;
        }
        return result;
    }

    std::vector<SBorder> borders;
    for (const SDomainBorder& border : domain.borders) {
        if (border.x > lo && border.x < hi) {
            borders.push_back({border.x, border.kind != EBorderKind::Gap});
        }
    }
    // The scan's points fall between the jumps, so that a jump is never read as a sign change.
    // Its step is the precision's or finer: sin(1/x) near 0.001 changes sign every 3e-6, more
    // often than any precision steps, and each crossing the scan misses costs area.
    double largest = 0;
    const double half = HalfWidth(lo, hi);
    const double points = std::clamp(2 * half / step, spend.minScanPoints, spend.maxScanPoints);
    std::vector<SSignChange> changes;
    for (const SDomainPiece& piece : domain.pieces) {
        const double share = HalfWidth(piece.from, piece.to) / half;
        const double count = std::clamp(std::ceil(points * share), 2.0, spend.maxScanPoints);
        const double inset = 1e-12 * HalfWidth(piece.from, piece.to);
        ScanSignChanges(term, k, piece.from + inset, piece.to - inset, static_cast<std::size_t>(count),
                        changes, largest, stop);
    }
    if (static_cast<double>(changes.size() + exactZeros.size()) > spend.parts / 2) {
        result.failure = EResultMessage::IntegralNotComputable;
        return result;
    }
    const QuantityAt value = [&](double x) { return term.DefinedValue(x, k).value_or(std::nan("")); };
    for (const SSignChange& change : changes) {
        if (stop.stop_requested()) {
            return SIntegral{};
        }
        const SBisection crossing =
            BisectSignChange(value, change.lo, change.loValue, change.hi, change.hiValue);
        if (crossing.settled) {
            borders.push_back({crossing.x, true});
        }
    }
    for (const double z : exactZeros) {
        borders.push_back({z, true});
    }
    std::sort(borders.begin(), borders.end(), [](const SBorder& a, const SBorder& b) { return a.x < b.x; });
    const double same = kSameBorder * 2 * half;
    std::vector<SBorder> kept{{lo, true}};
    for (const SBorder& border : borders) {
        if (border.x - kept.back().x <= same) {
            kept.back().shown = kept.back().shown || border.shown;
        } else if (hi - border.x > same) {
            kept.push_back(border);
        }
    }
    kept.push_back({hi, true});

    // The signs the nodes of one piece saw: both mean a sign change the scan stepped over.
    bool negative = false;
    bool positive = false;
    const Integrand at = [&](double x) {
        const std::optional<double> y = term.DefinedValue(x, k);
        negative = negative || (y && *y < 0);
        positive = positive || (y && *y > 0);
        return y;
    };
    const Integrand magnitude = [&](double x) {
        const std::optional<double> y = term.DefinedValue(x, k);
        return y ? std::optional<double>{std::fabs(*y)} : std::nullopt;
    };
    const int quadratures = static_cast<int>(kept.size()) - 1;
    if (quadratures > spend.parts / 2) {
        result.failure = EResultMessage::IntegralNotComputable;
        return result;
    }
    int budget = spend.parts;
    result.borders.push_back(lo);
    double piece = 0;
    for (int i = 0; i < quadratures; ++i) {
        if (stop.stop_requested()) {
            return SIntegral{};
        }
        const double from = kept[i].x;
        const double to = kept[i + 1].x;
        const double share = HalfWidth(from, to) / half;
        const int parts =
            static_cast<int>(std::clamp(std::ceil(kStartParts * share), 1.0, double{kStartParts}));
        const int left = quadratures - i;
        const int maxParts = std::clamp(budget / left, parts, kMaxParts);
        negative = positive = false;
        // A first pass gives the size the tolerance is relative to.
        const SQuadrature rough = IntegrateAdaptive(at, from, to, parts, 0, parts, stop);
        const double scale = std::max(std::fabs(rough.value), 1e-300);
        const SQuadrature q =
            IntegrateAdaptive(at, from, to, parts, kIntegralTolerance * scale, maxParts, stop);
        if (q.stopped || rough.stopped) {
            return SIntegral{};
        }
        if (q.undefinedAt) {
            result.undefinedAt = q.undefinedAt;
            return result;
        }
        if (q.error > kIntegralWarnTolerance * std::max(std::fabs(q.value), 1e-300) &&
            q.worstMagnitude > kPoleFactor * std::max(largest, 1.0)) {
            result.undefinedAt = q.worstAt;
            return result;
        }
        budget -= q.parts;
        piece += q.value;
        result.integral += q.value;
        if (negative && positive) {
            // The area of this piece is not |its integral|: |f| itself, kinks and all.
            // Its tolerance is relative to the area, which cancellation in the integral hides.
            const SQuadrature roughArea = IntegrateAdaptive(magnitude, from, to, parts, 0, parts, stop);
            const double areaTolerance = kIntegralTolerance * std::max(roughArea.value, 1e-300);
            const SQuadrature a = IntegrateAdaptive(magnitude, from, to, parts, areaTolerance,
                                                    std::clamp(budget / left, parts, kMaxParts), stop);
            if (a.stopped) {
                return SIntegral{};
            }
            budget -= a.parts;
            result.area += a.value;
            result.error += a.error;
        } else {
            result.area += std::fabs(q.value);
        }
        result.error += q.error;
        if (kept[i + 1].shown) {
            result.borders.push_back(to);
            result.pieces.push_back(piece == 0 ? 0.0 : piece);
            piece = 0;
        }
    }
    if (!std::isfinite(result.integral) || !std::isfinite(result.area)) {
        SIntegral tooLarge;
        tooLarge.failure = EResultMessage::IntegralTooLarge;
        return tooLarge;
    }
    return result;
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
    const std::stop_token stop = sink.StopToken();

    // The exact zeros of f - g on [lo, hi], for every k, where their scan is affordable.
    std::vector<std::vector<double>> zeros;
    const int familyValues = CountFamilyValues(integrand);
    const SBudget spend = BudgetPerK(familyValues);
    if (lo < hi && HalfWidth(lo, hi) / step * familyValues <= kMaxExactScanPoints / 2) {
        CScaling range;
        range.SetXRange(lo, hi, 1);
        SZeroVisitor visitor;
        visitor.groupStart = [&](double) { zeros.emplace_back(); };
        visitor.found = [&](double, double x) { zeros.back().push_back(x); };
        visitor.groupEnd = [](double) {};
        ScanExactZeros(integrand, range, precision, sink, visitor);
    }

    std::vector<SIntegral> results;
    std::size_t group = 0;
    ForEachFamilyValue(integrand, [&](double k) {
        const std::vector<double> none;
        const std::vector<double>& exact = group < zeros.size() ? zeros[group] : none;
        ++group;
        SIntegral result;
        if (lo == hi) {
            result.borders.push_back(lo);
        } else {
            result = IntegrateOneK(term, k, lo, hi, step, exact, spend, stop);
        }
        if (stop.stop_requested()) {
            return false;
        }
        // Turned round for a backwards integral; a zero stays +0, never "-0".
        const auto directed = [&](double value) { return value == 0 ? 0.0 : direction * value; };
        for (double& value : result.pieces) {
            value = directed(value);
        }
        result.integral = directed(result.integral);
        if (direction < 0) {
            std::reverse(result.borders.begin(), result.borders.end());
            std::reverse(result.pieces.begin(), result.pieces.end());
        }
        results.push_back(std::move(result));
        return !sink.Stopped();
    });
    return results;
}

namespace {

// A piece whose ends read the same at the digits shown ("[ 2.44949; 2.44949 ]") tells the
// reader nothing: its value joins the piece before it (or after it), and its border goes.
void FoldUnreadablePieces(std::vector<double>& borders, std::vector<double>& pieces, int digits)
{
    for (std::size_t i = 0; i < pieces.size() && i + 1 < borders.size();) {
        if (FormatNumber(borders[i], digits) != FormatNumber(borders[i + 1], digits)) {
            ++i;
            continue;
        }
        if (i > 0) {
            pieces[i - 1] += pieces[i];
            borders.erase(borders.begin() + static_cast<std::ptrdiff_t>(i) + 1);
        } else if (i + 1 < pieces.size()) {
            pieces[i + 1] += pieces[i];
            borders.erase(borders.begin() + static_cast<std::ptrdiff_t>(i) + 1);
        } else {
            borders.erase(borders.begin() + static_cast<std::ptrdiff_t>(i) + 1);
        }
        pieces.erase(pieces.begin() + static_cast<std::ptrdiff_t>(i));
    }
}

} // namespace

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
        const std::optional<double> shownK = family ? std::optional<double>{k} : std::nullopt;
        if (result.failure) {
            sink.Add(SAnalysisResult{SResultMessage{*result.failure, {a, b}}, shownK, options.digits});
        } else {
            SResultIntegral shown{a,
                                  b,
                                  result.undefinedAt,
                                  result.integral,
                                  result.area,
                                  result.error,
                                  result.borders,
                                  result.pieces};
            FoldUnreadablePieces(shown.borders, shown.pieces, options.digits);
            sink.Add(SAnalysisResult{std::move(shown), shownK, options.digits});
        }
        if (family) {
            sink.Add(
                SAnalysisResult{SResultMessage{EResultMessage::GroupEnd, {}}, std::nullopt, options.digits});
        }
        return !sink.Stopped();
    });
}
