#include "analysis/AntiderivativeStretch.h"

#include "engine/CompiledTerm.h"

#include <algorithm>
#include <cmath>

namespace {

bool Passable(const SDomain& domain, double at)
{
    return std::any_of(domain.borders.begin(), domain.borders.end(), [at](const SDomainBorder& border) {
        return border.x == at && (border.kind == EBorderKind::Gap || border.kind == EBorderKind::Jump);
    });
}

} // namespace

bool PieceHolds(const SDomainPiece& piece, double x)
{
    return (x > piece.from || (x == piece.from && piece.fromIncluded)) &&
           (x < piece.to || (x == piece.to && piece.toIncluded));
}

SAntiderivativeStretch StretchAround(const SDomain& domain, double x0)
{
    SAntiderivativeStretch stretch;
    const auto& pieces = domain.pieces;
    std::size_t first = pieces.size();
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        // A gap or a jump at x0 itself: F still starts there, its neighbours join anyway.
        if (PieceHolds(pieces[i], x0) ||
            ((x0 == pieces[i].from || x0 == pieces[i].to) && Passable(domain, x0))) {
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
    // An end of the range where f is defined but jumps (int(x) at -5) belongs to F as well: the
    // integral reaches it. Where f is not defined the domain lists the end as an edge.
    const auto reached = [&domain](double at) {
        return std::none_of(domain.borders.begin(), domain.borders.end(), [at](const SDomainBorder& border) {
            return border.x == at && border.kind != EBorderKind::Gap && border.kind != EBorderKind::Jump;
        });
    };
    stretch.outer =
        SDomainPiece{pieces[first].from, pieces[last].to,
                     pieces[first].fromIncluded || (first == 0 && reached(pieces[first].from)),
                     pieces[last].toIncluded || (last + 1 == pieces.size() && reached(pieces[last].to))};
    for (std::size_t i = first; i < last; ++i) {
        stretch.inner.push_back(pieces[i].to);
    }
    return stretch;
}

CStretchIntegral::CStretchIntegral(const CCompiledTerm& f, double k, const SAntiderivativeStretch& stretch)
    : m_stretch{stretch}
{
    m_at = [&f, k](double x) { return f.DefinedValue(x, k); };
}

std::optional<double> CStretchIntegral::Step(double a, double b, double scale, int pieces, int maxParts) const
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
