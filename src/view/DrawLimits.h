#pragma once

// Bounds that keep one drawing finite whatever a graph file or the dialogs hold.

// Family values drawn (and sampled for automatic scaling) per function. A family of a million
// curves would keep the window busy for hours; nobody could tell its curves apart anyway.
inline constexpr int kMaxFamilyCurves = 1000;

// Grid dots per drawing. Dots closer than one device unit are left out anyway; this bounds the
// count on large printer pages.
inline constexpr double kMaxGridDots = 4.0e6;
