#pragma once

#include "view/DrawContext.h"
#include "view/GraphLayout.h"

#include <cstdint>
#include <span>

// One curve from its samples, shifted by offset: consecutive samples are joined, except across a
// sample that failed (mathErrors 1), is no finite number or lies far off the area, where a pole
// or a jump must not be bridged by a line. The spans are of the same size.
void DrawCurvePolyline(CDrawContext& dc, const CGraphLayout& map, const CRect& rect,
                       std::span<const double> xs, std::span<const double> values,
                       std::span<const std::uint8_t> mathErrors, CDevicePoint offset);
