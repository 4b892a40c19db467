#pragma once

#include "document/GraphFunction.h"
#include "view/DrawContext.h"

#include <functional>
#include <optional>

class CGraphLayout;

// The shading of an area between the curve of f and that of g (or the x axis, without g) from
// `from` to `to`, column by column across rect: for each device column, the rows between the two
// curves, and whether f lies above g there. The kept areas of a graph and the area the values
// dialog shows while it is open are both shaded from these columns. A family is shaded for its
// first few values of k; where f or g is not defined the column is left out.
struct SShadeColumn
{
    int x{0};
    int top{0};
    int bottom{0}; // inclusive
    bool fAbove{true};
};
void ForEachShadeColumn(const CGraphLayout& layout, const CRect& rect, const CGraphFunction& f,
                        const CGraphFunction* g, double from, double to,
                        const std::function<void(const SShadeColumn&)>& column);

// The colour of a kept area on white: the record's colour at low opacity, so that a curve drawn
// in the same colour stays clear on it.
std::uint32_t AreaTint(std::uint32_t color);

// Family members shaded at most: beyond a few the tints only darken each other.
inline constexpr int kMaxShadedFamilyValues = 8;
