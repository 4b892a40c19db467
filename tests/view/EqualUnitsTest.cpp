#include "view/EqualUnits.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

double Unit(const CAxisRange& axis, double length)
{
    return length / (axis.to - axis.from + 2 * axis.step);
}

TEST(EqualUnits, WidensTheAxisWithTheLongerUnitAboutItsMiddle)
{
    const struct
    {
        CAxisRange x, y;
        double width, height;
    } cases[] = {
        {{-5, 5, 1}, {-4, 4, 1}, 1300, 900},      // a maximised window: x units were longer
        {{-5, 5, 1}, {-5, 5, 1}, 400, 900},       // a tall window: y is widened
        {{0, 100, 10}, {-1, 1, 0.5}, 800, 600},   // steps of their own sizes
        {{-1e-6, 1e-6, 1e-7}, {2, 3, 0.25}, 640, 480},
        {{-3, 7, 2}, {10, 30, 5}, 190.0, 277.0},  // millimetres of a page
        {{-5, 5, 1}, {-5, 5, 1}, 600, 600},       // already equal: nothing moves
        {{1e300, 1.5e300, 1e299}, {0, 1, 1}, 800, 600},
    };
    for (const auto& c : cases) {
        const SEqualUnitRanges r = EqualUnitRanges(c.x, c.y, c.width, c.height);
        const double ux = Unit(r.x, c.width);
        const double uy = Unit(r.y, c.height);
        EXPECT_NEAR(ux / uy, 1.0, 1e-9) << c.width << "x" << c.height;
        // Never narrowed, steps kept, and the shorter of the two units is the one both take.
        EXPECT_LE(r.x.from, c.x.from);
        EXPECT_GE(r.x.to, c.x.to);
        EXPECT_LE(r.y.from, c.y.from);
        EXPECT_GE(r.y.to, c.y.to);
        EXPECT_EQ(r.x.step, c.x.step);
        EXPECT_EQ(r.y.step, c.y.step);
        const double shorter = std::min(Unit(c.x, c.width), Unit(c.y, c.height));
        EXPECT_NEAR(ux / shorter, 1.0, 1e-9);
        EXPECT_NEAR((r.x.from + r.x.to) / 2, (c.x.from + c.x.to) / 2, 1e-9 * (r.x.to - r.x.from));
        EXPECT_NEAR((r.y.from + r.y.to) / 2, (c.y.from + c.y.to) / 2, 1e-9 * (r.y.to - r.y.from));
    }
}

TEST(EqualUnits, LeavesRangesAloneWhereNoUnitCanBeMeasuredOrWidened)
{
    const CAxisRange x{-5, 5, 1};
    const CAxisRange y{-1, 1, 1};
    const CAxisRange huge{-1e308, 1e308, 1e307};
    const struct
    {
        CAxisRange x, y;
        double width, height;
    } cases[] = {
        {x, y, 0, 600},
        {x, y, 800, -1},
        {x, y, NAN, 600},
        {huge, y, 800, 600 * 1e300}, // the x range would have to pass the largest double
    };
    for (const auto& c : cases) {
        const SEqualUnitRanges r = EqualUnitRanges(c.x, c.y, c.width, c.height);
        EXPECT_EQ(r.x.from, c.x.from);
        EXPECT_EQ(r.x.to, c.x.to);
        EXPECT_EQ(r.y.from, c.y.from);
        EXPECT_EQ(r.y.to, c.y.to);
    }
}

} // namespace
