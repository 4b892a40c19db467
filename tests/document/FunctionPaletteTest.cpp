#include "document/FunctionPalette.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace {

// CIE lightness L* of a record colour, as a grey-scale print renders it.
double Lightness(std::uint32_t color)
{
    const auto linear = [](std::uint32_t channel) {
        const double c = static_cast<double>(channel & 0xFF) / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    const double y = 0.2126 * linear(color) + 0.7152 * linear(color >> 8) + 0.0722 * linear(color >> 16);
    return y > 0.008856 ? 116.0 * std::cbrt(y) - 16.0 : 903.3 * y;
}

CGraphFunction Coloured(std::uint32_t color)
{
    CGraphFunction f;
    f.SetColor(color);
    return f;
}

} // namespace

TEST(FunctionPalette, EveryTwoColoursDifferInGreyAndNoneFadesOnWhite)
{
    for (std::size_t i = 0; i < kFunctionPalette.size(); ++i) {
        EXPECT_LE(Lightness(kFunctionPalette[i]), 80.0) << i;
        for (std::size_t j = 0; j < i; ++j) {
            EXPECT_GE(std::abs(Lightness(kFunctionPalette[i]) - Lightness(kFunctionPalette[j])), 7.0)
                << i << ' ' << j;
        }
        // Neighbours are the pairs a small graph shows together.
        if (i > 0) {
            EXPECT_GE(std::abs(Lightness(kFunctionPalette[i]) - Lightness(kFunctionPalette[i - 1])), 20.0)
                << i;
        }
    }
}

TEST(FunctionPalette, NewFunctionsTakeTheColoursInOrderSkippingThoseInUse)
{
    struct SCase
    {
        std::vector<std::uint32_t> listed;
        std::uint32_t next;
    };
    const SCase cases[] = {
        {{}, kFunctionPalette[0]},
        {{kFunctionPalette[0]}, kFunctionPalette[1]},
        {{kFunctionPalette[1]}, kFunctionPalette[0]},
        // colours from a file that are not in the palette take none of its places
        {{0x123456, 0x0000FF}, kFunctionPalette[0]},
        {{kFunctionPalette[0], kFunctionPalette[2], kFunctionPalette[1]}, kFunctionPalette[3]},
    };
    for (const SCase& c : cases) {
        CFunctionList list;
        for (std::uint32_t color : c.listed) {
            list.push_back(Coloured(color));
        }
        EXPECT_EQ(NextPaletteColor(list), c.next) << c.listed.size();
    }
    // Adding one after the other: eight different colours, then the order again.
    CFunctionList list;
    std::set<std::uint32_t> seen;
    for (int i = 0; i < 8; ++i) {
        list.push_back(Coloured(NextPaletteColor(list)));
        seen.insert(list.back().GetColor());
    }
    EXPECT_EQ(seen.size(), 8U);
    EXPECT_EQ(NextPaletteColor(list), kFunctionPalette[0]);
    list.push_back(Coloured(NextPaletteColor(list)));
    EXPECT_EQ(NextPaletteColor(list), kFunctionPalette[1]);
}
