#include "view/GraphLayout.h"

#include "document/Scaling.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// Far beyond any device, yet small enough that adding a few device sizes cannot overflow an int.
constexpr double kDeviceBound = 1e9;

} // namespace

int TruncToDevice(double value)
{
    if (std::isnan(value)) {
        return 0;
    }
    if (value >= kDeviceBound) {
        return static_cast<int>(kDeviceBound);
    }
    if (value <= -kDeviceBound) {
        return -static_cast<int>(kDeviceBound);
    }
    return static_cast<int>(value);
}

CAxisRange DrawableAxis(double from, double to, double step)
{
    if (!std::isfinite(from) || !std::isfinite(to)) {
        return {};
    }
    if (to < from) {
        std::swap(from, to);
    }
    if (!(from < to)) {
        // Wide enough to be seen around the value, and never lost to rounding at its magnitude.
        const double half = std::max(1.0, std::abs(from) / 10);
        from -= half;
        to += half;
    }
    if (!(step > 0) || !std::isfinite(step)) {
        step = (to - from) / 4;
    }
    // Both margins must fit as well; beyond that the values are too large to place anything.
    if (!std::isfinite(to - from + 2 * step) || !(step > 0)) {
        return {};
    }
    return {from, to, step};
}

CAxisRange DrawableXAxis(const CScaling& scaling)
{
    CAxisRange r;
    scaling.GetXRange(r.from, r.to, r.step);
    return DrawableAxis(r.from, r.to, r.step);
}

CAxisRange DrawableYAxis(const CScaling& scaling)
{
    CAxisRange r;
    scaling.GetYRange(r.from, r.to, r.step);
    return DrawableAxis(r.from, r.to, r.step);
}

CGraphLayout::CGraphLayout(const CRect& rect, const CAxisRange& x, const CAxisRange& y)
    : m_rect{rect}, m_x{x}, m_y{y}
{
    const double ex = (x.to - x.from) + 2 * x.step;
    const double ey = (y.to - y.from) + 2 * y.step;
    m_sx = rect.Width() / ex;
    m_sy = rect.Height() / ey;
    m_mx = TruncToDevice(x.step * m_sx);
    m_by = TruncToDevice(rect.bottom - y.step * m_sy);
}

int CGraphLayout::X(double x) const
{
    return TruncToDevice((x - m_x.from) * m_sx) + m_mx;
}

int CGraphLayout::Y(double y) const
{
    return TruncToDevice((m_y.from - y) * m_sy) + m_by;
}

int CGraphLayout::XReal(double x) const
{
    return TruncToDevice((x - m_x.from) * m_sx + m_mx);
}

int CGraphLayout::YReal(double y) const
{
    return TruncToDevice((m_y.from - y) * m_sy + m_by);
}

CDevicePoint CGraphLayout::Origin(int charWidth, int textHeight) const
{
    CDevicePoint o{TruncToDevice(-m_x.from * m_sx) + m_mx, TruncToDevice(m_y.from * m_sy) + m_by};
    if (o.x < 5 * charWidth) {
        o.x = 5 * charWidth;
    }
    if (o.x > m_rect.right) {
        o.x = m_rect.right - 5 * charWidth;
    }
    // An x axis below the ymin line would run through the bottom margin and its labels off the
    // rectangle; the axis is kept three text heights inside instead.
    if (o.y > m_by) {
        o.y = m_by - 3 * textHeight;
    }
    if (o.y < 3 * textHeight) {
        o.y = 3 * textHeight;
    }
    return o;
}
