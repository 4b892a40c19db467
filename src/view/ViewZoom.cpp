#include "view/ViewZoom.h"

#include <algorithm>
#include <cmath>

namespace {

// Below this share of its centre an axis runs out of digits to tell its ticks apart; beyond the
// largest width the margins would overflow.
constexpr double kMinRelativeWidth = 1e-11;
constexpr double kMinWidth = 1e-250;
constexpr double kMaxWidth = 1e250;

double Scale(const CAxisRange& axis, int pixels)
{
    return std::max(pixels, 1) / (axis.to - axis.from + 2 * axis.step);
}

void SetAxis(CScaling& scaling, bool xAxis, const CAxisRange& axis)
{
    if (xAxis) {
        scaling.SetXRange(axis.from, axis.to, axis.step);
    } else {
        scaling.SetYRange(axis.from, axis.to, axis.step);
    }
}

// The axis again with a round step, its range unchanged.
CAxisRange Rounded(const CAxisRange& axis)
{
    return {axis.from, axis.to, RoundStep(axis.to - axis.from)};
}

} // namespace

double RoundStep(double width)
{
    if (!(width > 0) || !std::isfinite(width)) {
        return 1.0;
    }
    double power = std::pow(10.0, std::floor(std::log10(width / 12)));
    for (int i = 0; i < 8; ++i) {
        for (double mantissa : {1.0, 2.0, 5.0}) {
            const double step = mantissa * power;
            // A tiny tolerance, so that 10 / 1 counts as 10 steps although log10 rounds.
            if (width / step <= 12 * (1 + 1e-12)) {
                return step;
            }
        }
        power *= 10;
    }
    return width / 10;
}

double WorldAt(const CAxisRange& axis, int pixels, double position)
{
    return position / Scale(axis, pixels) + axis.from - axis.step;
}

double PositionOf(const CAxisRange& axis, int pixels, double value)
{
    return (value - axis.from + axis.step) * Scale(axis, pixels);
}

CAxisRange AnchoredAxis(int pixels, double value, double position, double width)
{
    CAxisRange axis;
    axis.step = RoundStep(width);
    const double scale = std::max(pixels, 1) / (width + 2 * axis.step);
    axis.from = value - position / scale + axis.step;
    axis.to = axis.from + width;
    return axis;
}

int PixelDecimals(const CAxisRange& axis, int pixels)
{
    const double unit = 1 / Scale(axis, pixels);
    if (!(unit > 0) || !std::isfinite(unit)) {
        return 0;
    }
    return std::clamp(static_cast<int>(std::ceil(-std::log10(unit) - 1e-9)), 0, 15);
}

bool IsZoomableWidth(double centre, double width)
{
    return std::isfinite(centre) && width >= kMinWidth && width <= kMaxWidth &&
           width >= std::abs(centre) * kMinRelativeWidth;
}

EZoomLimit ZoomLimitOf(double centre, double width)
{
    if (IsZoomableWidth(centre, width)) {
        return EZoomLimit::None;
    }
    return std::isfinite(centre) && !(width > kMaxWidth) ? EZoomLimit::TooNarrow : EZoomLimit::TooWide;
}

EZoomLimit ZoomedScalingLimit(const CScaling& scaling, int width, int height, double x, double y,
                              double factor)
{
    const CAxisRange xr = DrawableXAxis(scaling);
    const CAxisRange yr = DrawableYAxis(scaling);
    const EZoomLimit xLimit = ZoomLimitOf(WorldAt(xr, width, x), (xr.to - xr.from) / factor);
    if (xLimit != EZoomLimit::None || scaling.GetAutoScaleY() != 0) {
        return xLimit;
    }
    return ZoomLimitOf(WorldAt(yr, height, height - y), (yr.to - yr.from) / factor);
}

EZoomLimit BoxScalingLimit(const CScaling& scaling, int width, int height, double x1, double y1, double x2,
                           double y2)
{
    const CAxisRange xr = DrawableXAxis(scaling);
    const CAxisRange yr = DrawableYAxis(scaling);
    const double left = WorldAt(xr, width, std::min(x1, x2));
    const double right = WorldAt(xr, width, std::max(x1, x2));
    const EZoomLimit xLimit = ZoomLimitOf((left + right) / 2, right - left);
    if (xLimit != EZoomLimit::None || scaling.GetAutoScaleY() != 0) {
        return xLimit;
    }
    const double bottom = WorldAt(yr, height, height - std::max(y1, y2));
    const double top = WorldAt(yr, height, height - std::min(y1, y2));
    return ZoomLimitOf((bottom + top) / 2, top - bottom);
}

CScaling ZoomedScaling(const CScaling& scaling, int width, int height, double x, double y, double factor)
{
    CScaling result = scaling;
    const bool zoomY = scaling.GetAutoScaleY() == 0;
    const CAxisRange xr = DrawableXAxis(scaling);
    const CAxisRange yr = DrawableYAxis(scaling);
    const double xValue = WorldAt(xr, width, x);
    const double yValue = WorldAt(yr, height, height - y);
    const double xWidth = (xr.to - xr.from) / factor;
    const double yWidth = (yr.to - yr.from) / factor;
    if (!IsZoomableWidth(xValue, xWidth) || (zoomY && !IsZoomableWidth(yValue, yWidth))) {
        return scaling;
    }
    SetAxis(result, true, AnchoredAxis(width, xValue, x, xWidth));
    if (zoomY) {
        SetAxis(result, false, AnchoredAxis(height, yValue, height - y, yWidth));
    }
    return result;
}

CScaling PannedScaling(const CScaling& scaling, int width, int height, double fromX, double fromY, double toX,
                       double toY)
{
    CScaling result = scaling;
    const CAxisRange xr = DrawableXAxis(scaling);
    const CAxisRange yr = DrawableYAxis(scaling);
    SetAxis(result, true, AnchoredAxis(width, WorldAt(xr, width, fromX), toX, xr.to - xr.from));
    if (scaling.GetAutoScaleY() == 0) {
        SetAxis(result, false,
                AnchoredAxis(height, WorldAt(yr, height, height - fromY), height - toY, yr.to - yr.from));
    }
    return result;
}

CScaling ShiftedScaling(const CScaling& scaling, double dx, double dy)
{
    CScaling result = scaling;
    const CAxisRange xr = DrawableXAxis(scaling);
    const CAxisRange yr = DrawableYAxis(scaling);
    const double shiftX = (xr.to - xr.from) * dx;
    SetAxis(result, true, Rounded({xr.from + shiftX, xr.to + shiftX, xr.step}));
    if (scaling.GetAutoScaleY() == 0) {
        const double shiftY = (yr.to - yr.from) * dy;
        SetAxis(result, false, Rounded({yr.from + shiftY, yr.to + shiftY, yr.step}));
    }
    return result;
}

CScaling BoxScaling(const CScaling& scaling, int width, int height, double x1, double y1, double x2,
                    double y2)
{
    CScaling result = scaling;
    const CAxisRange xr = DrawableXAxis(scaling);
    const CAxisRange yr = DrawableYAxis(scaling);
    const double left = WorldAt(xr, width, std::min(x1, x2));
    const double right = WorldAt(xr, width, std::max(x1, x2));
    if (!IsZoomableWidth((left + right) / 2, right - left)) {
        return scaling;
    }
    SetAxis(result, true, Rounded({left, right, 0}));
    if (scaling.GetAutoScaleY() == 0) {
        const double bottom = WorldAt(yr, height, height - std::max(y1, y2));
        const double top = WorldAt(yr, height, height - std::min(y1, y2));
        if (!IsZoomableWidth((bottom + top) / 2, top - bottom)) {
            return scaling;
        }
        SetAxis(result, false, Rounded({bottom, top, 0}));
    }
    return result;
}

CScaling StandardScaling(const CScaling& scaling)
{
    CScaling result = scaling;
    result.SetXRange(-5, 5, 1);
    result.SetYRange(-5, 5, 1);
    return result;
}
