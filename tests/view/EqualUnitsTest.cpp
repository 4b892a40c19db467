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
        {{-5, 5, 1}, {-4, 4, 1}, 1300, 900},    // a maximised window: x units were longer
        {{-5, 5, 1}, {-5, 5, 1}, 400, 900},     // a tall window: y is widened
        {{0, 100, 10}, {-1, 1, 0.5}, 800, 600}, // steps of their own sizes
        {{-1e-6, 1e-6, 1e-7}, {2, 3, 0.25}, 640, 480},
        {{-3, 7, 2}, {10, 30, 5}, 190.0, 277.0}, // millimetres of a page
        {{1e300, 1.5e300, 1e299}, {0, 1, 1}, 800, 600},
    };
    for (const auto& c : cases) {
        const SEqualUnitRanges r = EqualUnitRanges(c.x, c.y, c.width, c.height);
        const double ux = Unit(r.x, c.width);
        const double uy = Unit(r.y, c.height);
        EXPECT_NEAR(ux / uy, 1.0, 1e-9) << c.width << "x" << c.height;
        // Never narrowed, and the shorter of the two units is the one both take.
        EXPECT_LE(r.x.from, c.x.from);
        EXPECT_GE(r.x.to, c.x.to);
        EXPECT_LE(r.y.from, c.y.from);
        EXPECT_GE(r.y.to, c.y.to);
        const double shorter = std::min(Unit(c.x, c.width), Unit(c.y, c.height));
        EXPECT_NEAR(ux / shorter, 1.0, 1e-9);
        EXPECT_NEAR((r.x.from + r.x.to) / 2, (c.x.from + c.x.to) / 2, 1e-9 * (r.x.to - r.x.from));
        EXPECT_NEAR((r.y.from + r.y.to) / 2, (c.y.from + c.y.to) / 2, 1e-9 * (r.y.to - r.y.from));
    }
}

TEST(EqualUnits, LeavesRangesAloneWhereNoUnitCanBeMeasuredOrWidened)
{
    const CAxisRange x{-5, 5, 1}, y{-1, 1, 1}, huge{-1e308, 1e308, 1e307};
    // An empty or broken rectangle, and an x range that would have to pass the largest double.
    const double sizes[][2] = {{0, 600}, {800, -1}, {NAN, 600}, {800, 6e302}};
    for (const auto& size : sizes) {
        const CAxisRange wide = size[1] > 1e300 ? huge : x;
        const SEqualUnitRanges r = EqualUnitRanges(wide, y, size[0], size[1]);
        EXPECT_TRUE(r.x.from == wide.from && r.x.to == wide.to && r.y.from == y.from && r.y.to == y.to);
    }
}

} // namespace
