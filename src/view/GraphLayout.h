#pragma once

#include "view/DrawContext.h"

class CScaling;

// Truncates toward zero like a plain conversion, but values beyond what a device can address
// (and NaN, as 0) are held at a bound instead of overflowing the integer.
int TruncToDevice(double value);

// One axis as the drawing uses it: from < to, both finite, and a finite step above 0.
struct CAxisRange
{
    double from{-5.0};
    double to{5.0};
    double step{1.0};
};

// Makes a stored range drawable without touching the stored record. An empty range is widened
// around its value, a step of 0 or below becomes a quarter of the range, and a range that cannot
// be drawn at all (infinite or not a number) falls back to that of a new graph.
CAxisRange DrawableAxis(double from, double to, double step);
CAxisRange DrawableXAxis(const CScaling& scaling);
CAxisRange DrawableYAxis(const CScaling& scaling);

struct CDevicePoint
{
    int x{0};
    int y{0};
};

// Where world coordinates land inside a drawing rectangle. Each axis gets one step of margin on
// both sides. Horizontal positions count from device x = 0 and vertical ones from the bottom
// edge of the rectangle, so on paper (rectangle starting at 40, 40) everything but the frame,
// the axes and the texts placed from the rectangle sits 40 units further left than on screen.
class CGraphLayout
{
public:
    CGraphLayout(const CRect& rect, const CAxisRange& x, const CAxisRange& y);

    double Sx() const { return m_sx; }
    double Sy() const { return m_sy; }
    int Mx() const { return m_mx; }
    int By() const { return m_by; }

    // Ticks, labels, the grid lines and curves use the integer-offset mapping; points and
    // vertical lines (and the grid dots) add the offset before truncating, so the two can differ
    // by one unit.
    int X(double x) const;
    int Y(double y) const;
    int XReal(double x) const;
    int YReal(double y) const;

    // The crossing of the axes, held where its labels stay readable when 0 lies outside a range.
    CDevicePoint Origin(int charWidth, int textHeight) const;

private:
    CRect m_rect;
    CAxisRange m_x;
    CAxisRange m_y;
    double m_sx{0.0};
    double m_sy{0.0};
    int m_mx{0};
    int m_by{0};
};
