#pragma once

#include "document/GraphFunction.h"

#include <array>
#include <cstdint>

// The colours new functions are drawn in, as record values (red in the low byte). Their hues stay
// apart for the common kinds of colour blindness, and their lightness differs enough that a
// grey-scale print tells them apart too; neighbours in the order differ most, since a graph
// usually holds the first few. None is so light that a thin curve fades on white paper.
inline constexpr std::array<std::uint32_t, 8> kFunctionPalette{
    0x000000, // black
    0x005ED5, // vermillion #D55E00
    0x882233, // indigo #332288
    0x99AA44, // teal #44AA99
    0x552288, // wine #882255
    0x009FE6, // orange #E69F00
    0x337711, // green #117733
    0xEECC88, // light blue #88CCEE
};

// The colour for a function added to the list: the first of the palette that no function of the
// list uses yet, or, once all are taken, the palette's colours over again by the list's length.
std::uint32_t NextPaletteColor(const CFunctionList& functions);
