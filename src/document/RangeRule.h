#pragma once

#include <algorithm>
#include <cmath>

// The values a range falls back to when a file holds one that nothing can run over.
struct CRangeFallback
{
    double from;
    double to;
    double step;
};

// The rule both the family range of a function and the axis ranges of a scaling follow: the ends
// are ordered, and a step that is not smaller than the range becomes a quarter of it. A step of 0
// or below with a positive range is kept as given (every loop over it visits `from` once).
//
// A range that cannot be run over at all, with an end that is infinite or not a number or ends
// so far apart that their distance overflows, takes the fallback values instead; a step that is
// infinite or not a number counts as not smaller than the range. Only a graph file can hold such
// values, and this way the drawing, the printing and every analysis see the same usable range.
// Whether a loop can run from one end to the other: both ends finite and their distance too.
inline bool RangeCanBeRun(double a, double b)
{
    return std::isfinite(a) && std::isfinite(b) && std::isfinite(b - a);
}

inline void NormaliseRange(double a, double b, double s, const CRangeFallback& fallback, double& from,
                           double& to, double& step)
{
    if (!RangeCanBeRun(a, b)) {
        a = fallback.from;
        b = fallback.to;
        s = fallback.step;
    }
    from = std::min(a, b);
    to = std::max(a, b);
    step = (to - from) > s && std::isfinite(s) ? s : (to - from) / 4;
}
