#pragma once

#include "engine/NumberText.h"

#include <string>

// The numbers on an axis. Up to five decimals they read as they always have; a step finer than
// that gets as many decimals as it needs, and values that would need more digits than a label
// can hold (tiny steps near 0, or numbers beyond 1e45) are written with a power of ten, with
// enough digits in the mantissa to tell neighbouring marks apart.
std::string TickLabel(double value, double step, EDecimalSeparator separator);

// Whether a mark is the axis's 0, which is written once under the x axis and stepped aside. Far
// out on a fine axis a mark of 1e-13 is no 0, so the test scales with the step below 1.
bool IsZeroMark(double value, double step);

// Every how many marks a label is written, so that labels of `labelExtent` units (plus a gap of
// `gap`) do not run into each other when marks are `spacing` units apart: 1, 2, 5, 10, 20, ...
// A label goes to the marks whose index (value / step, rounded) the stride divides, so 0 keeps its.
long long LabelStride(double spacing, int labelExtent, int gap);
