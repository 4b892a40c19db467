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

TEST(CheckedSquare, SquaresMissedByAlmostHalfAUnitTakeTheQuickWayAndArePows)
{
    // Ordinary bases, whose bound is 0.4879 units, and bases near the ends of the quick range,
    // whose bound shrinks to 0.4628.
    // {low, high, missFrom, missTo}
    const double bands[][4] = {{-10, 10, 0.45, 0.4878},
                               {1.0 / 256, 1.0 / 128, 0.45, 0.4878},
                               {300, 500, 0.46, 0.4878},
                               {0x1p390, 0x1p399, 0.45, 0.4625},
                               {0x1p-399, 0x1p-390, 0.45, 0.4625}};
    std::mt19937_64 random{39};
    for (const auto& band : bands) {
        for (int found = 0; found < 3000;) {
            const double x = std::uniform_real_distribution<double>{band[0], band[1]}(random);
            const double p = x * x;
            const double miss = std::fabs(std::fma(x, x, -p)) / (p - std::nextafter(p, 0.0));
            if (miss < band[2] || miss >= band[3]) {
                continue;
            }
            ++found;
            const SQuickPower split = SquareByProduct<checked_powers::SSplitProduct>(x);
            const SQuickPower fused = SquareByProduct<checked_powers::SFusedProduct>(x);
            ASSERT_TRUE(split.decided != 0 && fused.decided != 0) << std::hexfloat << x << " " << miss;
            ASSERT_TRUE(Same(split.power, std::pow(x, 2.0)) && Same(fused.power, split.power))
                << std::hexfloat << x;
        }
    }
}

TEST(CheckedSquare, EdgesGiveTheValueAndFlagOfPow)
{
    const double kMax = std::numeric_limits<double>::max();
    const double kInf = std::numeric_limits<double>::infinity();
    const double edges[][6] = {
        // subnormal bases and squares that underflow
        {0x1p-1074, -0x1.8p-1060, 0x1.fffffffffffffp-538, 0x1.6a09e667f3bcdp-512, -0.0, 0.0},
        // squares near and past overflow, not numbers
        {0x1.fffffffffffffp511, 0x1.6a09e667f3bccp511, -kMax, kInf, std::numeric_limits<double>::quiet_NaN()},
        // exact squares, powers of two among them, whose doubles below lie twice as dense
        {3.0, -12345.0, 0.75, 0x1.0000001p0, 0.5, -0x1p300},
        // squares exactly halfway between two doubles; the ends of the quick range
        {134217727.0, -94906267.0, 0x1.fffffffp-3, 0x1p-400, 0x1p400}};
    for (const auto& group : edges) {
        for (const double edge : group) {
            for (const double x : {edge, std::nextafter(edge, 0.0), std::nextafter(edge, kInf)}) {
                g_mathError = 0;
                const double want = CheckedPow(x, 2.0);
                const int wantFlag = g_mathError;
                g_mathError = 0;
                EXPECT_TRUE(Same(want, CheckedSquare(x)) && wantFlag == g_mathError) << std::hexfloat << x;
            }
        }
    }
}

} // namespace
