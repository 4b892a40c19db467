#include "DrawTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

struct ScaleCase
{
    const char* name;
    std::vector<CGraphFunction> functions;
    int intervals;
    double from, to, step;
};

void PrintTo(const ScaleCase& c, std::ostream* os)
{
    *os << c.name;
}

class AutoScale : public ::testing::TestWithParam<ScaleCase>
{
};

TEST_P(AutoScale, FindsTheRange)
{
    const ScaleCase& c = GetParam();
    CGraph graph;
    graph.Scaling() = FixedScaling();
    graph.Functions() = c.functions;
    graph.AutoScaleY(c.intervals);
    double from{}, to{}, step{};
    graph.Scaling().GetYRange(from, to, step);
    EXPECT_DOUBLE_EQ(from, c.from);
    EXPECT_DOUBLE_EQ(to, c.to);
    EXPECT_DOUBLE_EQ(step, c.step);
    // The x range is never touched.
    graph.Scaling().GetXRange(from, to, step);
    EXPECT_EQ(from, -5);
    EXPECT_EQ(to, 5);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AutoScale,
    ::testing::Values(
        // The 51st sample is lost to rounding (x reaches 5.000000000000004): hi 9.6, lo -10,
        // t 1.96, step 2.
        ScaleCase{"Linear", {Function("2*x", 0)}, 10, -10, 10, 2},
        ScaleCase{"Identity", {Function("x", 0)}, 10, -5, 5, 1}, ScaleCase{"NoFunctions", {}, 10, -5, 5, 1},
        // The first sample fails, and the flag is not cleared again within a function.
        ScaleCase{"FirstSampleFails", {Function("sqrt(x)", 0)}, 10, -5, 5, 1},
        ScaleCase{"EmptyTermIsPassedOver", {CGraphFunction{}}, 10, -5, 5, 1},
        // The failing function counts nothing; the other one still does.
        ScaleCase{"FlagIsClearedPerFunction", {Function("sqrt(x)", 0), Function("2*x", 0)}, 10, -10, 10, 2},
        // hi 14.4, lo -15: t 2.94, step 5.
        ScaleCase{"Family", {Family("k*x", 0, 1, 3, 1)}, 10, -15, 15, 5},
        // n below 1 counts as one interval: t 19.6, step 20.
        ScaleCase{"NoIntervals", {Function("2*x", 0)}, 0, -20, 20, 20},
        ScaleCase{"NegativeIntervals", {Function("2*x", 0)}, -3, -20, 20, 20},
        // A constant: the step starts from 10 and shrinks to 2; the empty range is widened by a
        // step on either side.
        ScaleCase{"Constant", {Function("3", 0)}, 10, 1, 5, 2},
        ScaleCase{"ConstantZero", {Function("0", 0)}, 10, -2, 2, 2},
        ScaleCase{"NegativeConstant", {Function("0-3", 0)}, 10, -5, -1, 2},
        // Samples whose range overflows leave nothing to show: the range of a new graph.
        ScaleCase{"RangeOverflows", {Function("x*1.7e308", 0)}, 10, -5, 5, 1}));

TEST(AutoScale, InfiniteSamplesAreLeftOut)
{
    // !(x) overflows to infinity beyond 171 without raising the flag.
    CGraph graph;
    graph.Scaling() = FixedScaling(160, 180, 1);
    graph.Functions() = {Function("!(x)", 0)};
    graph.AutoScaleY(10);
    double from{}, to{}, step{};
    graph.Scaling().GetYRange(from, to, step);
    EXPECT_TRUE(std::isfinite(from) && std::isfinite(to) && std::isfinite(step));
    EXPECT_LT(from, to);
    EXPECT_GT(step, 0);
    EXPECT_GE(to, std::tgamma(171.0)); // 170!, the largest finite sample
}

TEST(AutoScale, EndsWhenTheStepIsLostInTheValues)
{
    // Around 1e20 adding a step of a few thousand changes nothing; the loops must still end.
    CGraph graph;
    graph.Scaling() = FixedScaling();
    graph.Functions() = {Function("1e20+x*1000", 0)};
    graph.AutoScaleY(10);
    double from{}, to{}, step{};
    graph.Scaling().GetYRange(from, to, step);
    EXPECT_LT(from, to);
    EXPECT_GT(step, 0);
}

TEST(AutoScale, SamplesAtMostTheFamilyLimit)
{
    // A billion family values would never finish; the limit keeps the largest k sampled small.
    CGraph graph;
    graph.Scaling() = FixedScaling();
    graph.Functions() = {Family("k", 0, 0, 1e9, 1)};
    graph.AutoScaleY(10);
    double from{}, to{}, step{};
    graph.Scaling().GetYRange(from, to, step);
    EXPECT_LT(to, 1e4);
    EXPECT_GE(to, 999);
}

} // namespace
