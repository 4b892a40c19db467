#include "view/CurvePolyline.h"

#include <cmath>

void DrawCurvePolyline(CDrawContext& dc, const CGraphLayout& map, const CRect& rect,
                       std::span<const double> xs, std::span<const double> values,
                       std::span<const std::uint8_t> mathErrors, CDevicePoint offset)
{
    bool penDown = false;
    for (std::size_t s = 0; s < xs.size(); ++s) {
        const double v = values[s];
        const int px = map.X(xs[s]) + offset.x;
        const int py = map.Y(v) + offset.y;
        // A value far off the area is a jump (a pole, say) and must not be joined by a line; so is
        // one that overflowed without raising the flag.
        if (mathErrors[s] != 0 || !std::isfinite(v) || py < -200 || py > 2 * map.By()) {
            penDown = false;
        } else if (penDown) {
            if (PtInRect(rect, px, py)) {
                dc.LineTo(px, py);
            } else {
                dc.MoveTo(px, py);
            }
        } else {
            dc.MoveTo(px, py);
            penDown = true;
        }
    }
}
