#include "view/PrintRect.h"

#include "document/Scaling.h"
#include "view/GraphLayout.h"

#include <algorithm>
#include <cmath>

namespace {

// Dots from the left or top edge of the rectangle to its far edge for one axis.
// A file may hold a print size of 0 (the record keeps it) or one that is not a number at all;
// printed as it stands that gives an empty page, so such a size prints at 1 cm per step instead.
double UsablePrintSize(double centimetresPerStep)
{
    return centimetresPerStep > 0 && std::isfinite(centimetresPerStep) ? centimetresPerStep : 1.0;
}

int PrintedEnd(const CAxisRange& axis, double centimetresPerStep, int millimetres, int dots)
{
    centimetresPerStep = UsablePrintSize(centimetresPerStep);
    const double steps = (axis.to - axis.from + 2 * axis.step) / axis.step;
    const double end = steps * dots * centimetresPerStep * 10 / millimetres + 40;
    // A device that reports no size gives infinity or NaN here; nothing can be placed then.
    if (std::isnan(end)) {
        return 40;
    }
    return static_cast<int>(std::clamp(end, 40.0, 40.0 + kMaxPrintExtent));
}

} // namespace

CRect PrintRectangle(const CScaling& scaling, int widthMm, int heightMm, int widthDots, int heightDots)
{
    double printX{};
    double printY{};
    scaling.GetPrintSize(printX, printY);
    return CRect{40, 40, PrintedEnd(DrawableXAxis(scaling), printX, widthMm, widthDots),
                 PrintedEnd(DrawableYAxis(scaling), printY, heightMm, heightDots)};
}
