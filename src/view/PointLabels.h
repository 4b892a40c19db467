#pragma once

#include "view/DrawContext.h"

#include <cstddef>
#include <unordered_map>
#include <vector>

// Places the labels of points so that they do not cover one another. A label goes to the place
// its point asks for (text position 0 to 7, around the cross) when that is free; otherwise to the
// first free one of the other seven, then of the same places moved out by one, two or three text
// lines. When none is free it stays where it was asked for. Labels are placed in the order they
// come, so the same points give the same picture every time.
class CLabelPlacer
{
public:
    // offset: the distance of a label from its point's centre, in device units.
    explicit CLabelPlacer(int offset) : m_offset{offset} {}

    // The box of a label of this size for a point at (x, y), taken from now on.
    CRect Place(CSize size, int x, int y, int position);

    // The box at one place, without taking it. ring 0 is the place next to the point.
    CRect BoxAt(CSize size, int x, int y, int position, int ring) const;

private:
    bool IsFree(const CRect& label);
    void Take(const CRect& box);
    template <class Body> void ForEachCell(const CRect& box, Body&& body) const;

    int m_offset;
    std::unordered_map<long long, std::vector<CRect>> m_cells;
    // Comparisons left. A file can hold thousands of points on one spot; beyond this many the
    // remaining labels take the place they ask for, so that a drawing stays quick.
    long long m_budget{4'000'000};
};
