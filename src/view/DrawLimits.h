#pragma once

// Bounds that keep one drawing finite whatever a graph file or the dialogs hold.

#include "document/StepLoop.h"

#include <cstddef>

// Family values drawn (and sampled for automatic scaling) per function: the family loop's own cap,
// which the analyses share.
inline constexpr int kMaxFamilyCurves = kMaxFamilyValues;

// Curves per drawing, over all functions: five functions with the largest family each. A curve
// of 800 samples takes about half a millisecond to compute and draw, so this keeps a drawing at a
// few seconds; a thousand functions with a family of a thousand each would have taken many
// minutes, and a graph anyone can read holds far fewer curves.
inline constexpr int kMaxCurvesPerDrawing = 5 * kMaxFamilyCurves;

// Grid dots per drawing. Dots closer than one device unit are left out anyway; this bounds the
// count on large printer pages.
inline constexpr double kMaxGridDots = 4.0e6;

// Objects per drawing, taken in list order. Each object is a few strokes and perhaps a label, so
// this many draw in a few milliseconds; a legal file may hold over a million, which took seconds
// per repaint and gigabytes as an SVG, and no graph anyone can read holds more than a few hundred.
inline constexpr int kMaxObjectsPerDrawing = 5000;

// Characters of one point label that a drawing shows. A label runs on one line, so more than
// this lies far beyond the edge of any page; the label itself is kept whole in the document.
inline constexpr std::size_t kMaxLabelCharactersDrawn = 1000;
