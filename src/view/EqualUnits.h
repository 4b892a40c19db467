#pragma once

#include "view/GraphLayout.h"

// Equal units on both axes: one x unit as long as one y unit in a drawing rectangle of the given
// width and height (pixels, dots or millimetres: only their ratio counts, so the device's units
// must be as wide as they are high). The axis whose unit would come out longer gets a wider range,
// about the same middle; the other stays as it is, and neither range is ever narrowed. Each axis
// keeps its step, and with it the step of margin the layout adds on both sides (CGraphLayout).
// Ranges that cannot be widened within doubles, and an empty rectangle, are left alone.
struct SEqualUnitRanges
{
    CAxisRange x;
    CAxisRange y;
};
SEqualUnitRanges EqualUnitRanges(const CAxisRange& x, const CAxisRange& y, double width, double height);
