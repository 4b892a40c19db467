#include "analysis/PieceGrid.h"

#include "analysis/ExactZeros.h"

#include <algorithm>
#include <cmath>

std::size_t RangeIntervals(int precision)
{
    return std::size_t{1} << (10 + ClampPrecision(precision));
}

std::pair<double, double> RefinedStretch(const QuantityAt& f, const std::pair<double, double>& samples,
                                         const SDomainPiece& piece, const ScanVector<double>& xs)
{
    const auto edge = [&](double zero, double beyond) {
        // f(zero) == 0, f(beyond) != 0 or beyond is the piece end: halve towards the change.
        if (zero == beyond) {
            return zero;
        }
        for (;;) {
            const double m = zero + (beyond - zero) / 2;
            if (m == zero || m == beyond) {
                return zero;
            }
            (f(m) == 0 ? zero : beyond) = m;
        }
    };
    // A stretch from the first or to the last sample reaches the end of the piece.
    const double lo = samples.first == xs.front() ? piece.from : edge(samples.first, piece.from);
    const double hi = samples.second == xs.back() ? piece.to : edge(samples.second, piece.to);
    return {lo, hi};
}

SRoots RootsOnPiece(const CDerivativeAt& at, int order, const SDomainPiece& piece, double width,
                    int precision, std::stop_token stop, CSeriesSamples* samples)
{
    SRootSearch search;
    search.g = at.Order(order);
    search.slope = at.Order(order + 1);
    search.both = at.WithSlope(order);
    search.bounded = at.WithBounds(order);
    search.touching = order == 0;
    const double share = width > 0 ? (piece.to - piece.from) / width : 1.0;
    const double intervals =
        static_cast<double>(RangeIntervals(precision)) * (std::isfinite(share) ? share : 1.0);
    search.intervals = std::max(kMinPieceIntervals, static_cast<std::size_t>(std::min(intervals, 1e9)));
    search.maxIntervals = std::max(search.intervals, std::size_t{1} << 21);
    search.stop = std::move(stop);
    if (samples != nullptr) {
        search.series = at.Series();
        search.order = order;
        search.k = at.K();
        search.samples = samples;
    }
    return RootsOn(search, piece.from, piece.fromIncluded, piece.to, piece.toIncluded);
}
