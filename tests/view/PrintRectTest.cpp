#include "view/PrintRect.h"
#include "document/Scaling.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct PrintCase
{
    const char* name;
    double xFrom, xTo, xStep;
    double printX, printY;
    int widthMm, heightMm, widthDots, heightDots;
    CRect expected;
};

void PrintTo(const PrintCase& c, std::ostream* os)
{
    *os << c.name;
}

class PrintRect : public ::testing::TestWithParam<PrintCase>
{
};

TEST_P(PrintRect, MeasuresEachStepInCentimetres)
{
    const PrintCase& c = GetParam();
    CScaling scaling;
    scaling.SetXRange(c.xFrom, c.xTo, c.xStep);
    scaling.SetPrintSize(c.printX, c.printY);
    const CRect r = PrintRectangle(scaling, c.widthMm, c.heightMm, c.widthDots, c.heightDots);
    EXPECT_EQ(r.left, c.expected.left);
    EXPECT_EQ(r.top, c.expected.top);
    EXPECT_EQ(r.right, c.expected.right);
    EXPECT_EQ(r.bottom, c.expected.bottom);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PrintRect,
    ::testing::Values(
        // 24 dots per millimetre, 12 steps of 1 cm on each axis.
        PrintCase{"Example", -5, 5, 1, 1, 1, 200, 280, 4800, 6720, {40, 40, 2920, 2920}},
        PrintCase{"OtherSizes", -5, 5, 1, 2, 0.5, 200, 280, 4800, 6720, {40, 40, 5800, 1480}},
        // 6 steps of 2.5 cm at 600 dots per inch (23.62 dots per mm): 3543.3 dots.
        PrintCase{"FewerSteps", 0, 2, 0.5, 2.5, 1, 210, 297, 4960, 7015, {40, 40, 3582, 2874}},
        // A size of 0 or one that is not a number would print an empty page: 1 cm instead.
        PrintCase{"ZeroSize", -5, 5, 1, 0, 0, 200, 280, 4800, 6720, {40, 40, 2920, 2920}},
        PrintCase{"NaNSize", -5, 5, 1, kNaN, 2, 200, 280, 4800, 6720, {40, 40, 2920, 5800}},
        PrintCase{"InfiniteSize", -5, 5, 1, 2, kInf, 200, 280, 4800, 6720, {40, 40, 5800, 2920}},
        PrintCase{"HugeSize", -5, 5, 1, 1e9, 1, 200, 280, 4800, 6720, {40, 40, 40 + 65536, 2920}},
        PrintCase{"DeviceWithoutSize", -5, 5, 1, 1, 1, 0, 0, 4800, 6720, {40, 40, 40 + 65536, 40 + 65536}},
        PrintCase{"NoDevice", -5, 5, 1, 1, 1, 0, 0, 0, 0, {40, 40, 40, 40}},
        // An empty range is measured as the drawing widens it: 1 to 3 in steps of 0.5.
        PrintCase{"EmptyRange", 2, 2, 1, 1, 1, 200, 280, 4800, 6720, {40, 40, 1480, 2920}}));

} // namespace
