// f' and f'' come from the exact derivatives of the source's term, and every derived curve is
// computed from the source as it stands when drawn.
#include "DrawTestSupport.h"

#include "analysis/Antiderivative.h"
#include "view/DerivedCurveValues.h"
#include "view/GraphLayout.h"
#include "view/GraphPaint.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

std::vector<double> ValuesOf(const std::string& term, EDerivedKind kind, const std::vector<double>& xs,
                             std::vector<std::uint8_t>& undefined)
{
    std::vector<double> values(xs.size());
    undefined.assign(xs.size(), 0);
    DerivedCurveValues(CCompiledTerm{term}, CDerivedCurve{0, kind}, 0, SampleAntiderivative, xs, values,
                       undefined);
    return values;
}

TEST(DerivedCurve, ZerosOfTheFirstDerivativeAreTheExtremaOfF)
{
    std::vector<double> xs;
    for (double x = -3; x <= 3; x += 0.125) {
        xs.push_back(x);
    }
    std::vector<std::uint8_t> undefined;
    const std::vector<double> first = ValuesOf("x^3-3*x", EDerivedKind::FirstDerivative, xs, undefined);
    std::vector<double> zeros;
    for (std::size_t i = 0; i < xs.size(); ++i) {
        EXPECT_EQ(undefined[i], 0);
        EXPECT_NEAR(first[i], 3 * xs[i] * xs[i] - 3, 1e-12);
        if (first[i] == 0) {
            zeros.push_back(xs[i]);
        }
    }
    EXPECT_EQ(zeros, (std::vector<double>{-1, 1}));
    const std::vector<double> second = ValuesOf("x^3-3*x", EDerivedKind::SecondDerivative, xs, undefined);
    for (std::size_t i = 0; i < xs.size(); ++i) {
        EXPECT_NEAR(second[i], 6 * xs[i], 1e-12);
    }
    // Where f fails, so do its derivatives.
    const std::vector<double> atPole = ValuesOf("1/x", EDerivedKind::FirstDerivative, {-1, 0, 2}, undefined);
    EXPECT_EQ(undefined, (std::vector<std::uint8_t>{0, 1, 0}));
    EXPECT_DOUBLE_EQ(atPole[2], -0.25);
}

TEST(DerivedCurve, IsDrawnFromTheSourceAsItStandsWithItsLegendLine)
{
    // f' of a parabola is a line: its rows at the left and right edge tell which parabola it came from.
    const CRect rect{0, 0, 400, 400};
    const CScaling scaling = FixedScaling(-2, 2, 1, -8, 8, 1);
    const CGraphLayout map{rect, DrawableXAxis(scaling), DrawableYAxis(scaling)};
    const struct
    {
        const char* term;
        double slopeAt1;
    } cases[] = {{"x^2", 2}, {"2*x^2", 4}, {"x-x^2", -1}};
    for (const auto& c : cases) {
        CRecordingContext dc;
        CDerivedCurve curve{0, EDerivedKind::FirstDerivative};
        curve.SetColor(0x00FF00);
        PaintGraph(dc, rect, {Function(c.term, 0xFF0000)}, {}, scaling, nullptr, nullptr,
                   EDecimalSeparator::Point, std::nullopt, {curve}, SampleAntiderivative);
        bool found = false;
        for (const auto& line : dc.lines) {
            found = found || (line.pen.color == 0x00FF00 && line.x2 == map.X(1.0) &&
                              std::abs(line.y2 - map.Y(c.slopeAt1)) <= 2);
        }
        EXPECT_TRUE(found) << c.term;
        EXPECT_TRUE(
            std::any_of(dc.texts.begin(), dc.texts.end(), [](const auto& t) { return t.text == "f'(x)"; }));
    }
}

} // namespace
