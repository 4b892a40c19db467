#include "analysis/Antiderivative.h"

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
constexpr double kRelativeTolerance = 1e-11;

// The stretch of the domain that holds x0: neighbouring pieces joined where f has only a gap or a
// jump between them. Empty (from > to) when x0 lies on no piece.
struct SStretch
{
    SDomainPiece outer{1.0, 0.0, false, false};
    // The borders inside the stretch: the quadrature's steps end there, so that no node falls on
    // a place where f is missing.
    std::vector<double> inner;
};

bool Holds(const SDomainPiece& piece, double x)
{
    return (x > piece.from || (x == piece.from && piece.fromIncluded)) &&
           (x < piece.to || (x == piece.to && piece.toIncluded));
}

bool Passable(const SDomain& domain, double at)
{
    return std::any_of(domain.borders.begin(), domain.borders.end(), [at](const SDomainBorder& border) {
        return border.x == at && (border.kind == EBorderKind::Gap || border.kind == EBorderKind::Jump);
    });
}

SStretch StretchAround(const SDomain& domain, double x0)
{
    SStretch stretch;
    const auto& pieces = domain.pieces;
    std::size_t first = pieces.size();
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        // A gap or a jump at x0 itself: F still starts there, its neighbours join anyway.
        if (Holds(pieces[i], x0) || ((x0 == pieces[i].from || x0 == pieces[i].to) && Passable(domain, x0))) {
            first = i;
            break;
        }
    }
    if (first == pieces.size()) {
        return stretch;
    }
    std::size_t last = first;
    while (first > 0 && pieces[first - 1].to == pieces[first].from && Passable(domain, pieces[first].from)) {
        --first;
    }
    while (last + 1 < pieces.size() && pieces[last].to == pieces[last + 1].from &&
           Passable(domain, pieces[last].to)) {
        ++last;
    }
    stretch.outer = SDomainPiece{pieces[first].from, pieces[last].to, pieces[first].fromIncluded,
                                 pieces[last].toIncluded};
    for (std::size_t i = first; i < last; ++i) {
        stretch.inner.push_back(pieces[i].to);
    }
    return stretch;
}

class CAccumulator
{
public:
    CAccumulator(const CCompiledTerm& f, double k, const SStretch& stretch) : m_stretch{stretch}
    {
        m_at = [&f, k](double x) { return f.DefinedValue(x, k); };
    }

    // The integral of f from a to b (either order), split at the inner borders between them;
    // nothing when the quadrature meets a place where f is not defined.
    std::optional<double> Step(double a, double b, double scale, int pieces, int maxParts) const
    {
        const double lo = std::min(a, b);
        const double hi = std::max(a, b);
        double sum = 0;
        double from = lo;
        auto inner = std::upper_bound(m_stretch.inner.begin(), m_stretch.inner.end(), lo);
        for (;;) {
            const double to = (inner != m_stretch.inner.end() && *inner < hi) ? *inner++ : hi;
            if (to > from) {
                const SQuadrature q =
                    IntegrateAdaptive(m_at, from, to, pieces, kRelativeTolerance * scale, maxParts);
                if (q.undefinedAt || !std::isfinite(q.value)) {
                    return std::nullopt;
                }
                sum += q.value;
            }
            if (to >= hi) {
                break;
            }
            from = to;
        }
        return a <= b ? sum : -sum;
    }

private:
    const SStretch& m_stretch;
    Integrand m_at;
};

// Walks from x0 over the xs in the order of `order` (outward), each step from the previous x.
template <class Indices>
void Walk(const CAccumulator& accumulate, const SStretch& stretch, double x0, double y0,
          std::span<const double> xs, Indices order, std::span<double> values,
          std::span<std::uint8_t> undefined)
{
    double x = x0;
    double F = y0;
    bool first = true;
    for (const std::size_t i : order) {
        if (!Holds(stretch.outer, xs[i])) {
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
    SStretch stretch;
    if (domain.outcome == EDomainOutcome::Complete && lo < hi) {
        stretch = StretchAround(domain, x0);
    } else if (lo == hi && f.DefinedValue(x0, k)) {
        stretch.outer = SDomainPiece{x0, x0, true, true};
    }
    if (stretch.outer.from <= stretch.outer.to) {
        const CAccumulator accumulate{f, k, stretch};
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
