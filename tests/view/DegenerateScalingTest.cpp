// Graphs that a file or the dialogs can hold but that have no sensible picture: every drawing
// must end, with a bounded amount of work, and still show its frame and axes.
#include "DrawTestSupport.h"

#include "view/DrawLimits.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct DegenerateCase
{
    const char* name;
    double xFrom, xTo, xStep, yFrom, yTo, yStep;
    int autoScale;
    int grid;
};

void PrintTo(const DegenerateCase& c, std::ostream* os)
{
    *os << c.name;
}

class Degenerate : public ::testing::TestWithParam<DegenerateCase>
{
};

TEST_P(Degenerate, DrawsInBoundedTime)
{
    const DegenerateCase& c = GetParam();
    CScaling scaling = FixedScaling(c.xFrom, c.xTo, c.xStep, c.yFrom, c.yTo, c.yStep);
    scaling.SetAutoScaleY(c.autoScale);
    scaling.SetGridType(c.grid);
    const Drawn d =
        DrawGraph(scaling, {Function("x", 0x0000ff), Function("3", 0xff0000)}, {Point(0, 0, "O")});
    EXPECT_LT(d.dc.CallCount(), 100000u);
    EXPECT_TRUE(HasLine(d.dc, 0, d.dc.lines[0].y1, 499, d.dc.lines[0].y1)); // the x axis comes first
    if (c.autoScale != 0) {
        double from{}, to{}, step{};
        d.scaling.GetYRange(from, to, step);
        EXPECT_LT(from, to);
        EXPECT_GT(step, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Degenerate,
    ::testing::Values(DegenerateCase{"EmptyXRange", 2, 2, 1, -5, 5, 1, 0, 1},
                      DegenerateCase{"EmptyYRange", -5, 5, 1, 3, 3, 1, 0, 2},
                      DegenerateCase{"NegativeSteps", -5, 5, -1, -5, 5, -2, 0, 1},
                      DegenerateCase{"ZeroStepsWithDots", -5, 5, 0, -5, 5, 0, 0, 2},
                      DegenerateCase{"TinyStepsWithLines", -5, 5, 1e-12, -5, 5, 1e-12, 0, 1},
                      DegenerateCase{"TinyStepsWithDots", -5, 5, 1e-9, -5, 5, 1e-9, 0, 2},
                      DegenerateCase{"InfiniteEnds", -kInf, 5, 1, -5, kInf, 1, 0, 1},
                      DegenerateCase{"NaNEnds", kNaN, kNaN, 1, kNaN, 5, 1, 0, 2},
                      DegenerateCase{"HugeRange", -1e308, 1e308, 1e307, -1e308, 1e308, 1e307, 0, 1},
                      DegenerateCase{"HugeSteps", -5, 5, 1e308, -5, 5, 1e308, 0, 2},
                      DegenerateCase{"FarFromZero", 1e20, 1e20 + 1e6, 1, 1e20, 1e20 + 1e6, 1, 0, 2},
                      DegenerateCase{"AutoScaledConstant", -5, 5, 1, -5, 5, 1, 1, 1},
                      DegenerateCase{"AutoScaledEmptyXRange", 3, 3, 0, -5, 5, 1, 1, 2}));

TEST(Degenerate, AreasWithoutSize)
{
    for (const CRect& rect :
         {CRect{0, 0, 0, 0}, CRect{0, 0, 500, 0}, CRect{10, 10, 0, 0}, CRect{0, 0, 3, 3}}) {
        CScaling scaling = FixedScaling();
        scaling.SetAutoScaleY(1);
        scaling.SetGridType(CScaling::Dots);
        const Drawn d = DrawGraph(scaling, {Function("x", 0x0000ff)}, {VerticalLine(1)}, rect, 0);
        EXPECT_LT(d.dc.CallCount(), 1000u) << rect.right << "x" << rect.bottom;
    }
}

TEST(Degenerate, FamiliesAreLimited)
{
    const Drawn d = DrawGraph(FixedScaling(), {Family("x", 0x0000ff, 0, 1e9, 1)});
    // "x" stays inside the area: one move per curve.
    EXPECT_EQ(WithColor(d.dc.moves, 0x0000ffu).size(), static_cast<std::size_t>(kMaxFamilyCurves));
}

TEST(Degenerate, NegativeFamilyStepDrawsOneCurve)
{
    CGraphFunction f = Family("x", 0x0000ff, 0, 5, 1);
    f.SetRange(0, 5, -1); // passes the setter unchanged: the range is larger than the step
    const Drawn d = DrawGraph(FixedScaling(), {f});
    EXPECT_EQ(WithColor(d.dc.moves, 0x0000ffu).size(), 1u);
}

TEST(Degenerate, ValuesThatAreNotNumbersBreakTheCurve)
{
    // 0 * 1e999 is infinity times zero: no flag, but no number either.
    const Drawn d = DrawGraph(FixedScaling(), {Function("x*0*1e999", 0x0000ff)});
    EXPECT_TRUE(WithColor(d.dc.lines, 0x0000ffu).empty());
}

} // namespace
