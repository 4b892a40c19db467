#pragma once

#include "view/DrawContext.h"

class CScaling;

// Where the graph goes on a printed page: from (40, 40) on, so large that each x step measures
// the scaling's print size x in centimetres and each y step print size y, margins included.
// Takes the printable area in millimetres and in dots, and the scaling as stored (before any
// automatic y scaling). A print size that is not above 0 (or not a number) counts as 1 cm, a
// range that cannot be drawn is measured as the drawing will widen it, and a rectangle larger
// than any paper is cut back to kMaxPrintExtent dots.
CRect PrintRectangle(const CScaling& scaling, int widthMm, int heightMm, int widthDots, int heightDots);

// 1.4 metres at 1200 dots per inch: more than the longest side of any paper.
inline constexpr int kMaxPrintExtent = 65536;
