#include "analysis/Antiderivative.h"

#include "analysis/AntiderivativeStretch.h"
#include "analysis/Domain.h"
#include "analysis/Quadrature.h"
#include "engine/CompiledTerm.h"
#include "engine/ErrorFlags.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// Parts per step of the accumulation: a step is one device unit, where f is nearly a polynomial,
// so a few Kronrod parts meet the tolerance; a pole just outside the stretch needs more.
constexpr int kMaxPartsPerStep = 64;
// The first step, from x0 to the edge of the drawn range, may span far more than a unit.
constexpr int kFirstStepPieces = 16;
constexpr int kMaxPartsFirstStep = 4000;

// Walks from x0 over the xs in the order of `order` (outward), each step from the previous x.
template <class Indices>
void Walk(const CStretchIntegral& accumulate, const SAntiderivativeStretch& stretch, double x0, double y0,
          std::span<const double> xs, Indices order, std::span<double> values,
          std::span<std::uint8_t> undefined)
{
    double x = x0;
    double F = y0;
    bool first = true;
    for (const std::size_t i : order) {
        if (!PieceHolds(stretch.outer, xs[i])) {
            return;
        }
        const std::optional<double> step =
            accumulate.Step(x, xs[i], std::max(std::fabs(F), 1.0), first ? kFirstStepPieces : 1,
                            first ? kMaxPartsFirstStep : kMaxPartsPerStep);
        if (!step) {
            return;
        }
        first = false;
        F += *step;
        x = xs[i];
        values[i] = F;
        undefined[i] = 0;
    }
}

} // namespace

void SampleAntiderivative(const CCompiledTerm& f, double k, double x0, double y0, std::span<const double> xs,
                          std::span<double> values, std::span<std::uint8_t> undefined)
{
    std::fill(undefined.begin(), undefined.end(), std::uint8_t{1});
    if (xs.empty() || f.HasSyntaxError() || !std::isfinite(x0) || !std::isfinite(y0)) {
        return;
    }
    const int syntaxBefore = g_syntaxError;
    const int mathBefore = g_mathError;
    const double lo = std::min(x0, xs.front());
    const double hi = std::max(x0, xs.back());
    const SDomain domain = lo < hi ? DomainOf(f, k, lo, hi) : SDomain{};
    SAntiderivativeStretch stretch;
    if (domain.outcome == EDomainOutcome::Complete && lo < hi) {
        stretch = StretchAround(domain, x0);
    } else if (lo == hi && f.DefinedValue(x0, k)) {
        stretch.outer = SDomainPiece{x0, x0, true, true};
    }
    if (stretch.outer.from <= stretch.outer.to) {
        const CStretchIntegral accumulate{f, k, stretch};
        // Right of x0 ascending, left of it descending: each step starts where the last ended.
        const auto right = std::lower_bound(xs.begin(), xs.end(), x0) - xs.begin();
        std::vector<std::size_t> outward;
        for (auto i = right; i < static_cast<std::ptrdiff_t>(xs.size()); ++i) {
            outward.push_back(static_cast<std::size_t>(i));
        }
        Walk(accumulate, stretch, x0, y0, xs, outward, values, undefined);
        outward.clear();
        for (auto i = right; i-- > 0;) {
            outward.push_back(static_cast<std::size_t>(i));
        }
        Walk(accumulate, stretch, x0, y0, xs, outward, values, undefined);
    }
    g_syntaxError = syntaxBefore;
    g_mathError = mathBefore;
}

std::optional<double> AntiderivativeAt(const CCompiledTerm& f, double k, double x0, double y0, double x)
{
    double value{};
    std::uint8_t undefined{};
    SampleAntiderivative(f, k, x0, y0, std::span{&x, 1}, std::span{&value, 1}, std::span{&undefined, 1});
    return undefined == 0 && std::isfinite(value) ? std::optional<double>{value} : std::nullopt;
}
