#include "view/GraphLayout.h"
#include "document/Scaling.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct LayoutCase
{
    const char* name;
    CRect rect;
    CAxisRange x;
    CAxisRange y;
    double sx;
    double sy;
    int mx;
    int by;
    int originX;
    int originY;
};

void PrintTo(const LayoutCase& c, std::ostream* os)
{
    *os << c.name;
}

class Layout : public ::testing::TestWithParam<LayoutCase>
{
};

// Character width 7 and text height 14 throughout, as the recording context measures.
TEST_P(Layout, MapsAndPlacesTheOrigin)
{
    const LayoutCase& c = GetParam();
    const CGraphLayout layout{c.rect, c.x, c.y};
    EXPECT_NEAR(layout.Sx(), c.sx, 0.005);
    EXPECT_NEAR(layout.Sy(), c.sy, 0.005);
    EXPECT_EQ(layout.Mx(), c.mx);
    EXPECT_EQ(layout.By(), c.by);
    const CDevicePoint origin = layout.Origin(7, 14);
    EXPECT_EQ(origin.x, c.originX);
    EXPECT_EQ(origin.y, c.originY);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, Layout,
    ::testing::Values(
        LayoutCase{"ScreenDefault", {0, 0, 500, 300}, {-5, 5, 1}, {-5, 5, 1}, 41.67, 25, 41, 275, 249, 150},
        // On paper the horizontal mapping still counts from 0, not from the left edge at 40: the
        // y axis sits 40 dots left of the middle of the frame, the x axis in its middle.
        LayoutCase{"Paper", {40, 40, 2920, 2920}, {-5, 5, 1}, {-5, 5, 1}, 240, 240, 240, 2680, 1440, 1480},
        LayoutCase{"ZeroLeftOfRange", {0, 0, 500, 300}, {2, 12, 1}, {-5, 5, 1}, 41.67, 25, 41, 275, 35, 150},
        LayoutCase{
            "ZeroRightOfRange", {0, 0, 500, 300}, {-12, -2, 1}, {-5, 5, 1}, 41.67, 25, 41, 275, 465, 150},
        LayoutCase{"ZeroBelowRange", {0, 0, 500, 300}, {-5, 5, 1}, {2, 12, 1}, 41.67, 25, 41, 275, 249, 233},
        LayoutCase{"ZeroAboveRange", {0, 0, 500, 300}, {-5, 5, 1}, {-12, -2, 1}, 41.67, 25, 41, 275, 249, 42},
        LayoutCase{
            "HalfSteps", {0, 0, 600, 400}, {0, 10, 0.5}, {-1, 1, 0.5}, 54.55, 133.33, 27, 333, 35, 200}));

TEST(Layout, TheTwoMappingsTruncateDifferently)
{
    const CGraphLayout layout{CRect{0, 0, 500, 300}, {-5, 5, 1}, {-5, 5, 1}};
    // Ticks and curves truncate the distance first, points and lines the whole position.
    EXPECT_EQ(layout.Y(2.5), 88);
    EXPECT_EQ(layout.YReal(2.5), 87);
    EXPECT_EQ(layout.X(-5.01), 41);
    EXPECT_EQ(layout.XReal(-5.01), 40);
    EXPECT_EQ(layout.X(5), 457);
    EXPECT_EQ(layout.Y(5), 25);
}

TEST(Layout, FarValuesStayAddressable)
{
    const CGraphLayout layout{CRect{0, 0, 500, 300}, {-5, 5, 1}, {-5, 5, 1}};
    EXPECT_GT(layout.Y(-1e300), 1000000);
    EXPECT_LT(layout.Y(1e300), -1000000);
    EXPECT_GT(layout.XReal(1e300), 1000000);
    // An origin a trillion units off is still clamped, not wrapped round.
    const CGraphLayout far{CRect{0, 0, 500, 300}, {1e15, 1e15 + 10, 1}, {-1e15 - 10, -1e15, 1}};
    EXPECT_EQ(far.Origin(7, 14).x, 35);
    EXPECT_EQ(far.Origin(7, 14).y, 42);
}

TEST(TruncToDevice, TruncatesTowardZeroWithinBounds)
{
    EXPECT_EQ(TruncToDevice(1.9), 1);
    EXPECT_EQ(TruncToDevice(-1.9), -1);
    EXPECT_EQ(TruncToDevice(1e300), 1000000000);
    EXPECT_EQ(TruncToDevice(-kInf), -1000000000);
    EXPECT_EQ(TruncToDevice(kNaN), 0);
}

struct AxisCase
{
    const char* name;
    double from, to, step;
    CAxisRange expected;
};

void PrintTo(const AxisCase& c, std::ostream* os)
{
    *os << c.name;
}

class Drawable : public ::testing::TestWithParam<AxisCase>
{
};

TEST_P(Drawable, GivesAUsableRange)
{
    const AxisCase& c = GetParam();
    const CAxisRange r = DrawableAxis(c.from, c.to, c.step);
    EXPECT_DOUBLE_EQ(r.from, c.expected.from);
    EXPECT_DOUBLE_EQ(r.to, c.expected.to);
    EXPECT_DOUBLE_EQ(r.step, c.expected.step);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Drawable,
    ::testing::Values(
        AxisCase{"Unchanged", -5, 5, 1, {-5, 5, 1}},
        AxisCase{"StepLargerThanRangeIsKept", 0, 1, 3, {0, 1, 3}},
        AxisCase{"EmptyRangeWidened", 2, 2, 0, {1, 3, 0.5}},
        AxisCase{"EmptyLargeRangeWidenedByItsSize", 100, 100, 0, {90, 110, 5}},
        AxisCase{"ZeroStep", -5, 5, 0, {-5, 5, 2.5}}, AxisCase{"NegativeStep", -5, 5, -1, {-5, 5, 2.5}},
        AxisCase{"NaNStep", -5, 5, kNaN, {-5, 5, 2.5}}, AxisCase{"InfiniteStep", -5, 5, kInf, {-5, 5, 2.5}},
        AxisCase{"ReversedEnds", 5, -5, 1, {-5, 5, 1}}, AxisCase{"InfiniteEnd", 0, kInf, 1, {-5, 5, 1}},
        AxisCase{"NaNEnd", kNaN, 5, 1, {-5, 5, 1}}, AxisCase{"RangeOverflows", -1e308, 1e308, 1, {-5, 5, 1}},
        AxisCase{"MarginsOverflow", -5, 5, 1e308, {-5, 5, 1}}));

TEST(Drawable, ReadsTheScalingWithoutChangingIt)
{
    CScaling scaling;
    scaling.SetXRange(2, 2, 1);
    scaling.SetYRange(-1, 1, 0.5);
    const CAxisRange x = DrawableXAxis(scaling);
    const CAxisRange y = DrawableYAxis(scaling);
    EXPECT_DOUBLE_EQ(x.from, 1);
    EXPECT_DOUBLE_EQ(x.to, 3);
    EXPECT_DOUBLE_EQ(y.step, 0.5);
    double from{}, to{}, step{};
    scaling.GetXRange(from, to, step);
    EXPECT_EQ(step, 0);
}

} // namespace
