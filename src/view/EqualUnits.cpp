#include "view/EqualUnits.h"

#include <cmath>

namespace {

// The range that, with its margins, spans `extent` world units; false where doubles run out.
bool Widened(CAxisRange& axis, double extent)
{
    const double span = extent - 2 * axis.step;
    const double middle = axis.from / 2 + axis.to / 2;
    const double from = middle - span / 2;
    const double to = middle + span / 2;
    if (!std::isfinite(from) || !std::isfinite(to) || !(from < to)) {
        return false;
    }
    // Rounding about the middle may take back a last bit; a range is never narrowed.
    axis.from = std::fmin(from, axis.from);
    axis.to = std::fmax(to, axis.to);
    return true;
}

} // namespace

SEqualUnitRanges EqualUnitRanges(const CAxisRange& x, const CAxisRange& y, double width, double height)
{
    SEqualUnitRanges result{x, y};
    if (!(width > 0) || !(height > 0) || !std::isfinite(width) || !std::isfinite(height)) {
        return result;
    }
    const double xExtent = x.to - x.from + 2 * x.step;
    const double yExtent = y.to - y.from + 2 * y.step;
    const double xUnit = width / xExtent;
    const double yUnit = height / yExtent;
    if (!std::isfinite(xUnit) || !std::isfinite(yUnit)) {
        return result;
    }
    if (xUnit > yUnit) {
        if (!Widened(result.x, width / yUnit)) {
            result.x = x;
        }
    } else if (yUnit > xUnit) {
        if (!Widened(result.y, height / xUnit)) {
            result.y = y;
        }
    }
    return result;
}
