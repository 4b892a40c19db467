#include "document/Scaling.h"

#include "document/RangeRule.h"

namespace {

// An axis nothing can be drawn or scanned on becomes the axis of a new graph.
constexpr CRangeFallback kNewAxis{-5.0, 5.0, 1.0};

} // namespace

void CScaling::SetXRange(double from, double to, double step)
{
    NormaliseRange(from, to, step, kNewAxis, m_xFrom, m_xTo, m_xStep);
}

void CScaling::SetYRange(double from, double to, double step)
{
    NormaliseRange(from, to, step, kNewAxis, m_yFrom, m_yTo, m_yStep);
}

void CScaling::SetPrintSize(double x, double y)
{
    m_printX = x < 0 ? 1.0 : x;
    m_printY = y < 0 ? 1.0 : y;
}

bool CScaling::operator!=(const CScaling& o) const
{
    // Doubles compare as numbers on purpose: -0 equals 0, and a NaN always differs.
    return m_xFrom != o.m_xFrom || m_xTo != o.m_xTo || m_xStep != o.m_xStep ||
           m_autoScaleY != o.m_autoScaleY || m_yFrom != o.m_yFrom || m_yTo != o.m_yTo ||
           m_yStep != o.m_yStep || m_gridType != o.m_gridType || m_showTerms != o.m_showTerms ||
           m_labelAxes != o.m_labelAxes || m_printX != o.m_printX || m_printY != o.m_printY ||
           m_equalUnits != o.m_equalUnits;
}
