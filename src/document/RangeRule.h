#pragma once

#include <algorithm>

// The rule both the family range of a function and the axis ranges of a scaling follow: the ends
// are ordered, and a step that is not smaller than the range becomes a quarter of it. Nothing
// else is corrected: a step of 0 or below with a positive range is kept as given.
inline void NormaliseRange(double a, double b, double s, double& from, double& to, double& step)
{
    from = std::min(a, b);
    to = std::max(a, b);
    step = (to - from) > s ? s : (to - from) / 4;
}
