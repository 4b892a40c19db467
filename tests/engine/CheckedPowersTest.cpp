// The quick square against pow where it matters most: squares that x * x misses by almost half a
// unit, which the quick way now takes, and the edges of its range, which must stay with pow.
#include "engine/CheckedPowers.h"
#include "engine/ErrorFlags.h"
#include "engine/MathFunctions.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

namespace {

bool Same(double a, double b)
{
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

// How far x * x lies from the exact square, in units of its last place.
double SquareMiss(double x)
{
    const double p = x * x;
    return std::fabs(std::fma(x, x, -p)) / (std::fabs(p) - std::nextafter(std::fabs(p), 0.0));
}

void ExpectPowsSquare(double x)
{
    g_mathError = 0;
    const double want = CheckedPow(x, 2.0);
    const int wantFlag = g_mathError;
    g_mathError = 0;
    const double got = CheckedSquare(x);
    EXPECT_TRUE(Same(want, got) && wantFlag == g_mathError) << std::hexfloat << x;
}

TEST(CheckedSquare, SquaresMissedByAlmostHalfAUnitTakeTheQuickWayAndArePows)
{
    // Ordinary bases, whose bound is 0.4879 units, and bases near the ends of the quick range,
    // whose bound shrinks to 0.4628.
    const struct
    {
        double low;
        double high;
        double missFrom;
        double missTo;
    } bands[] = {{-10, 10, 0.45, 0.4878},          {1.0 / 256, 1.0 / 128, 0.45, 0.4878},
                 {300, 500, 0.46, 0.4878},          {0x1p390, 0x1p399, 0.45, 0.4625},
                 {0x1p-399, 0x1p-390, 0.45, 0.4625}};
    std::mt19937_64 random{39};
    for (const auto& band : bands) {
        int found = 0;
        while (found < 3000) {
            const double x = std::uniform_real_distribution<double>{band.low, band.high}(random);
            const double miss = SquareMiss(x);
            if (miss < band.missFrom || miss >= band.missTo) {
                continue;
            }
            ++found;
            const SQuickPower split = SquareByProduct<checked_powers::SSplitProduct>(x);
            const SQuickPower fused = SquareByProduct<checked_powers::SFusedProduct>(x);
            ASSERT_TRUE(split.decided != 0 && fused.decided != 0) << std::hexfloat << x << " " << miss;
            ASSERT_TRUE(Same(split.power, std::pow(x, 2.0)) && Same(fused.power, split.power)) << std::hexfloat << x;
        }
    }
}

TEST(CheckedSquare, EdgesGiveTheValueAndFlagOfPow)
{
    const double kMax = std::numeric_limits<double>::max();
    const double edges[] = {
        // subnormal bases and squares that underflow, partly or wholly
        0x1p-1074, -0x1.8p-1060, 0x1p-1022, 0x1.fffffffffffffp-538, 0x1p-537, 0x1.6a09e667f3bcdp-512,
        // squares near and beyond overflow
        0x1.fffffffffffffp511, -0x1p512, 0x1.6a09e667f3bccp511, 1e154, kMax, -kMax,
        // exact squares, powers of two among them, whose doubles below lie twice as dense
        3.0, -12345.0, 0.75, 0x1.0000001p0, 1.0, 0.5, -0x1p300, 0x1p-300,
        // squares exactly halfway between two doubles: odd whole numbers from 2^26.5 to 2^27
        134217727.0, -94906267.0, 0x1.fffffffp-3, 0x1.6a09e6bp400,
        // the ends of the quick range and their neighbours
        0x1p-400, 0x1.0000000000001p-400, 0x1.fffffffffffffp-401, 0x1p400, 0x1.0000000000001p400,
        0x1.fffffffffffffp399,
        // not numbers
        std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
        std::numeric_limits<double>::quiet_NaN(), 0.0, -0.0};
    for (const double x : edges) {
        ExpectPowsSquare(x);
        ExpectPowsSquare(std::nextafter(x, 0.0));
        ExpectPowsSquare(std::nextafter(x, std::numeric_limits<double>::infinity()));
    }
}

} // namespace
