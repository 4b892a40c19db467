#pragma once

#include "document/Scaling.h"
#include "view/GraphLayout.h"

// The arithmetic of zooming and panning a graph window, in the layout the drawing uses: each axis
// shows its range plus one step of margin on both sides across the window. Positions are device
// units measured from the low end of an axis: from the left edge for x, from the bottom edge for y
// (a window's y position is its height minus the pointer's y).

// A round step, 1, 2 or 5 times a power of ten, that divides the width into 4 to 12 steps: the
// smallest such step that gives at most 12.
double RoundStep(double width);

// The world value at a position along an axis drawn `pixels` units long.
double WorldAt(const CAxisRange& axis, int pixels, double position);
// The inverse: where a world value lies along the axis.
double PositionOf(const CAxisRange& axis, int pixels, double value);

// The axis of the given width with a round step, laid out so that `value` lies at `position`
// again: zooming about the pointer when the width changes, panning when it stays.
CAxisRange AnchoredAxis(int pixels, double value, double position, double width);

// How many decimals tell apart the values of neighbouring device units on the axis (0 to 15).
int PixelDecimals(const CAxisRange& axis, int pixels);

// Whether an axis of this width around this centre can still be drawn and read: zooming stops
// before the steps vanish in rounding, and before the range leaves what a double can hold.
bool IsZoomableWidth(double centre, double width);

// Why a zoom changes nothing: an axis would grow wider than a double can hold with its margins,
// or so narrow that its ticks could no longer be told apart.
enum class EZoomLimit
{
    None,
    TooWide,
    TooNarrow
};
EZoomLimit ZoomLimitOf(double centre, double width);
// The limit a ZoomedScaling or a BoxScaling with the same arguments ran into.
EZoomLimit ZoomedScalingLimit(const CScaling& scaling, int width, int height, double x, double y,
                              double factor);
EZoomLimit BoxScalingLimit(const CScaling& scaling, int width, int height, double x1, double y1, double x2,
                           double y2);

// The scalings a gesture in a window of the given size leads to. Each axis that moves gets a round
// step. With automatic y scaling on, y is left to the drawing and only x moves. A result equal to
// the scaling given means that the gesture changes nothing (zoomed in or out as far as it goes).
//
// Zoom by factor (above 1 zooms in) about a device point (x from the left, y from the top).
CScaling ZoomedScaling(const CScaling& scaling, int width, int height, double x, double y, double factor);
// The graph point under `from` moves under `to`.
CScaling PannedScaling(const CScaling& scaling, int width, int height, double fromX, double fromY, double toX,
                       double toY);
// Pans by a fraction of the visible ranges, in steps of the graph: +dx moves the view right (to
// larger x), +dy moves it up.
CScaling ShiftedScaling(const CScaling& scaling, double dx, double dy);
// The rectangle between two device points becomes the visible range.
CScaling BoxScaling(const CScaling& scaling, int width, int height, double x1, double y1, double x2,
                    double y2);
// -5 to 5 in steps of 1 on both axes; everything else stays.
CScaling StandardScaling(const CScaling& scaling);
