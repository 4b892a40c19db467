#pragma once

#include "analysis/Refinement.h"
#include "analysis/ScanBuffer.h"
#include "analysis/SeriesSamples.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <stop_token>
#include <utility>
#include <vector>

// The places where a quantity g (f, f' or f'') is 0 on one piece where f is defined and
// continuous, as the default discussion finds them: every sign change on a grid is bisected to
// neighbouring doubles; every sample whose |g| is least among its neighbours is looked at more
// closely, because a double zero (x^2 at 0) or two zeros closer than the grid step hide there.

struct SRoot
{
    double x{};
    // g changes sign there; otherwise it only touches 0 (x^2 at 0), or is 0 at an end of the piece.
    bool crossing{false};
    // The sign of g just left of x: -1, 0 or 1.
    int leftSign{0};
};

enum class ERootsOutcome : std::uint8_t
{
    Complete,
    TooDense, // g changes sign too often for the finest grid allowed: no zeros are given
    Stopped
};

// g and g' at one x, as one evaluation gives them both, each with a bound on its rounding error
// (0 where none is known). A value no larger than its bound has no sign: it counts as 0.
struct SValueAndSlope
{
    double value;
    double slope;
    double valueBound{0};
    double slopeBound{0};
};

struct SRootSearch
{
    // All safe on any thread; NaN where not defined.
    QuantityAt g;
    QuantityAt slope; // g'
    std::function<SValueAndSlope(double)> both;
    // The same with the bounds of their rounding errors, where they are known: a value within its
    // bound has no sign and counts as 0. Looked at only where g comes near 0.
    std::function<SValueAndSlope(double)> bounded;
    // Whether zeros where g only touches 0 are wanted (zeros and intersections: yes; extrema and
    // inflection points, which need a sign change: no).
    bool touching{false};
    // The samples of the grid: intervals to begin with, doubled up to maxIntervals while the grid
    // does not resolve g: while sign changes crowd, or while the slopes at the samples do not
    // account for the steps between their values (sin sampled once per period looks smooth, but
    // its slopes say otherwise).
    std::size_t intervals{2048};
    std::size_t maxIntervals{1 << 21};
    std::stop_token stop;
    // Where several scans of one discussion share their grids: f, f', f'', f''' at once at x into
    // out (NaN where the exact ones are unknown), the derivative g is of (0 for f), the family value
    // the samples are kept under, and the store. g and g' are then read from the store, and `both`
    // is asked only where either is NaN.
    std::function<void(double x, double* out)> series;
    int order{0};
    double k{0.0};
    CSeriesSamples* samples{nullptr};
};

struct SRoots
{
    ERootsOutcome outcome{ERootsOutcome::Complete};
    std::vector<SRoot> roots; // ascending, each x once
    // Stretches where g is exactly 0 at several samples in a row: f constant (for g = f') or a
    // whole interval of zeros.
    std::vector<std::pair<double, double>> zeroStretches;
    // The signs of g at the samples between two neighbouring roots are what names the stretch
    // between them; SignBetween reads them.
    ScanVector<double> xs;
    ScanVector<double> values;
    // 1 where a sample's value was lost in rounding and so counts as 0 (NaN beside an open end).
    ScanVector<std::uint8_t> lost;
};

// The zeros of g on [from, to]. An end that does not belong to the piece (fromIncluded false) is
// kept at a distance of 5e-10 of the piece's width: no zero closer to it than that is found, and
// the samples next to it whose values are lost in rounding (the cancellation beside a removable
// gap) count as unknown, not as 0.
SRoots RootsOn(const SRootSearch& search, double from, bool fromIncluded, double to, bool toIncluded);

// The sign of g between two neighbouring roots (or ends): the majority of the signs of the samples
// strictly between them, or of g at the middle where no sample lies between; 0 where g is 0
// throughout.
int SignBetween(const SRoots& roots, const QuantityAt& g, double from, double to);
