#include "view/ViewZoom.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

CScaling Axes(double xFrom, double xTo, double xStep, double yFrom, double yTo, double yStep, bool autoY)
{
    CScaling s;
    s.SetXRange(xFrom, xTo, xStep);
    s.SetYRange(yFrom, yTo, yStep);
    s.SetAutoScaleY(autoY ? 1 : 0);
    return s;
}

// Steps are 1, 2 or 5 times a power of ten.
bool IsRound(double step)
{
    const double mantissa = step / std::pow(10.0, std::floor(std::log10(step) + 1e-9));
    return std::abs(mantissa - 1) < 1e-9 || std::abs(mantissa - 2) < 1e-9 || std::abs(mantissa - 5) < 1e-9;
}

} // namespace

TEST(ViewZoom, RoundStepsGiveFourToTwelveSteps)
{
    const struct
    {
        double width;
        double step;
    } cases[] = {{10, 1},  {8, 1},      {12, 1},      {12.5, 2},  {24, 2},      {25, 5}, {60, 5},
                 {61, 10}, {0.1, 0.01}, {0.13, 0.02}, {1e6, 1e5}, {3e-7, 5e-8}, {7.5, 1}};
    for (const auto& c : cases) {
        const double step = RoundStep(c.width);
        EXPECT_NEAR(step, c.step, c.step * 1e-12) << c.width;
    }
    for (double width = 1e-6; width < 1e9; width *= 1.0731) {
        const double step = RoundStep(width);
        EXPECT_TRUE(IsRound(step)) << width;
        EXPECT_GE(width / step, 4 - 1e-9) << width;
        EXPECT_LE(width / step, 12 + 1e-9) << width;
    }
}

// The point under the pointer stays under it to the pixel, whatever the step becomes.
TEST(ViewZoom, ZoomKeepsThePointUnderThePointer)
{
    const struct
    {
        CScaling scaling;
        int width;
        int height;
        double x;
        double y;
        double factor;
    } cases[] = {
        {Axes(-5, 5, 1, -5, 5, 1, false), 800, 600, 123, 456, 1.25},
        {Axes(-5, 5, 1, -5, 5, 1, false), 800, 600, 700, 20, 1 / 1.25},
        {Axes(-3, 97, 7, 0.001, 0.002, 0.0003, false), 1024, 700, 3, 699, 1.25 * 1.25},
        {Axes(-1e6, 3e6, 5e5, -2, 2, 0.5, false), 500, 500, 250, 250, 1 / 1.5625},
    };
    for (const auto& c : cases) {
        const CScaling zoomed = ZoomedScaling(c.scaling, c.width, c.height, c.x, c.y, c.factor);
        for (bool xAxis : {true, false}) {
            const int pixels = xAxis ? c.width : c.height;
            const double position = xAxis ? c.x : c.height - c.y;
            const CAxisRange before = xAxis ? DrawableXAxis(c.scaling) : DrawableYAxis(c.scaling);
            const CAxisRange after = xAxis ? DrawableXAxis(zoomed) : DrawableYAxis(zoomed);
            const double value = WorldAt(before, pixels, position);
            EXPECT_NEAR(PositionOf(after, pixels, value), position, 1e-6) << xAxis;
            EXPECT_NEAR((after.to - after.from) * c.factor, before.to - before.from,
                        (before.to - before.from) * 1e-12);
            EXPECT_TRUE(IsRound(after.step)) << after.step;
        }
    }
}

TEST(ViewZoom, OneNotchOnANewGraphGivesWidthEight)
{
    const CScaling zoomed = ZoomedScaling(Axes(-5, 5, 1, -5, 5, 1, false), 640, 480, 400, 100, 1.25);
    const CAxisRange x = DrawableXAxis(zoomed);
    EXPECT_DOUBLE_EQ(x.to - x.from, 8.0);
    EXPECT_DOUBLE_EQ(x.step, 1.0);
}

TEST(ViewZoom, AutomaticYScalingLeavesYToTheDrawing)
{
    const CScaling start = Axes(-5, 5, 1, -7, 3, 1, true);
    const CScaling results[] = {
        ZoomedScaling(start, 800, 600, 100, 100, 1.25), PannedScaling(start, 800, 600, 100, 100, 300, 400),
        ShiftedScaling(start, 0.1, 0.1), BoxScaling(start, 800, 600, 100, 100, 300, 200)};
    for (const CScaling& result : results) {
        double from = 0;
        double to = 0;
        double step = 0;
        result.GetYRange(from, to, step);
        EXPECT_EQ(from, -7);
        EXPECT_EQ(to, 3);
        result.GetXRange(from, to, step);
        EXPECT_NE(from, -5);
    }
}

// A drag moves the graph with the pointer on both axes when y is fixed.
TEST(ViewZoom, PanMovesTheGrabbedPointToThePointer)
{
    const CScaling start = Axes(-5, 5, 1, -5, 5, 1, false);
    const CScaling panned = PannedScaling(start, 600, 400, 100, 300, 250, 120);
    EXPECT_NEAR(PositionOf(DrawableXAxis(panned), 600, WorldAt(DrawableXAxis(start), 600, 100)), 250, 1e-9);
    EXPECT_NEAR(PositionOf(DrawableYAxis(panned), 400, WorldAt(DrawableYAxis(start), 400, 400 - 300)),
                400 - 120, 1e-9);
    const CScaling shifted = ShiftedScaling(start, -0.1, 0.1);
    const CAxisRange x = DrawableXAxis(shifted);
    const CAxisRange y = DrawableYAxis(shifted);
    EXPECT_DOUBLE_EQ(x.from, -6);
    EXPECT_DOUBLE_EQ(x.to, 4);
    EXPECT_DOUBLE_EQ(y.from, -4);
}

TEST(ViewZoom, BoxBecomesTheRangeAndStandardViewGoesBack)
{
    const CScaling start = Axes(-5, 5, 1, -5, 5, 1, false);
    // 600 pixels show 12 units: 50 pixels per unit, the range starting one step in.
    const CScaling boxed = BoxScaling(start, 600, 600, 100, 100, 200, 350);
    const CAxisRange x = DrawableXAxis(boxed);
    const CAxisRange y = DrawableYAxis(boxed);
    EXPECT_DOUBLE_EQ(x.from, -4);
    EXPECT_DOUBLE_EQ(x.to, -2);
    EXPECT_DOUBLE_EQ(y.from, -1);
    EXPECT_DOUBLE_EQ(y.to, 4);
    EXPECT_TRUE(IsRound(x.step) && IsRound(y.step));
    EXPECT_EQ(StandardScaling(boxed), start);
}

TEST(ViewZoom, ZoomStopsAtTheLimitsOfTheNumbers)
{
    CScaling scaling = Axes(1e6, 1e6 + 1e-5, 1e-6, -5, 5, 1, false);
    EXPECT_EQ(ZoomedScaling(scaling, 800, 600, 400, 300, 1.25), scaling);
    scaling = Axes(-4.5e249, 4.5e249, 1e249, -5, 5, 1, false);
    EXPECT_EQ(ZoomedScaling(scaling, 800, 600, 400, 300, 1 / 1.25), scaling);
}

// A zoom that changes nothing says why; one that happens names no limit.
TEST(ViewZoom, ARefusedZoomNamesItsLimit)
{
    const struct
    {
        CScaling scaling;
        double factor;
        EZoomLimit limit;
    } cases[] = {
        {Axes(-4.5e249, 4.5e249, 1e249, -5, 5, 1, false), 1 / 1.25, EZoomLimit::TooWide},
        {Axes(-5, 5, 1, -4.5e249, 4.5e249, 1e249, false), 1 / 1.25, EZoomLimit::TooWide},
        {Axes(1e6, 1e6 + 1e-5, 1e-6, -5, 5, 1, false), 1.25, EZoomLimit::TooNarrow},
        {Axes(-5e-251, 5e-251, 2e-251, -5, 5, 1, false), 1.25, EZoomLimit::TooNarrow},
        {Axes(-5, 5, 1, 1e6, 1e6 + 1e-5, 1e-6, true), 1.25, EZoomLimit::None}, // y is automatic
        {Axes(1e6, 1e6 + 1e-5, 1e-6, -5, 5, 1, false), 1 / 1.25, EZoomLimit::None},
    };
    for (const auto& c : cases) {
        const EZoomLimit limit = ZoomedScalingLimit(c.scaling, 800, 600, 400, 300, c.factor);
        EXPECT_EQ(limit, c.limit) << static_cast<int>(c.limit);
        EXPECT_EQ(ZoomedScaling(c.scaling, 800, 600, 400, 300, c.factor) == c.scaling, limit != EZoomLimit::None);
    }
    EXPECT_EQ(BoxScalingLimit(Axes(1e6, 1e6 + 1e-3, 1e-4, -5, 5, 1, false), 800, 600, 400, 300, 401, 301),
              EZoomLimit::TooNarrow);
}

TEST(ViewZoom, DecimalsFollowThePixel)
{
    const struct
    {
        CAxisRange axis;
        int pixels;
        int decimals;
    } cases[] = {{{-5, 5, 1}, 1200, 2},
                 {{-5, 5, 1}, 120, 1},
                 {{-5, 5, 1}, 12, 0},
                 {{0, 1e-3, 1e-4}, 1000, 6},
                 {{-500, 500, 100}, 600, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(PixelDecimals(c.axis, c.pixels), c.decimals) << c.pixels;
    }
}
