#include "DrawTestSupport.h"

#include "document/StepLoop.h"
#include "engine/CompiledTerm.h"
#include "view/GraphLayout.h"
#include "view/GraphPaint.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr std::uint32_t kRed = 0x0000ff;
constexpr std::uint32_t kBlue = 0xff0000;
constexpr std::uint32_t kGreen = 0x00ff00;

TEST(Draw, FrameAndAxesOfTheScreenExample)
{
    const Drawn d = DrawGraph(FixedScaling());
    ASSERT_EQ(d.dc.fontHeights.front(), 14); // 300 / 30 is below the minimum
    ASSERT_EQ(d.dc.rects.size(), 1u);
    EXPECT_EQ(d.dc.rects[0].right, 500);
    EXPECT_EQ(d.dc.rects[0].bottom, 300);
    // x axis through y 150 with its arrow head, y axis through x 249 with its own.
    EXPECT_TRUE(HasLine(d.dc, 0, 150, 499, 150));
    EXPECT_TRUE(HasLine(d.dc, 499, 150, 496, 147));
    EXPECT_TRUE(HasLine(d.dc, 496, 147, 496, 153));
    EXPECT_TRUE(HasLine(d.dc, 496, 153, 499, 150));
    EXPECT_TRUE(HasLine(d.dc, 249, 300, 249, 1));
    EXPECT_TRUE(HasLine(d.dc, 249, 1, 246, 4));
    EXPECT_TRUE(HasLine(d.dc, 246, 4, 252, 4));
    EXPECT_TRUE(HasLine(d.dc, 252, 4, 249, 1));
}

TEST(Draw, FontFollowsTheHeightOfTheArea)
{
    EXPECT_EQ(DrawGraph(FixedScaling(), {}, {}, CRect{0, 0, 800, 900}).dc.fontHeights.front(), 30);
    EXPECT_EQ(DrawGraph(FixedScaling(), {}, {}, CRect{0, 0, 500, 300}, 20).dc.fontHeights.front(), 20);
}

TEST(Draw, OriginOutsideTheRangesMovesTheAxes)
{
    const Drawn left = DrawGraph(FixedScaling(2, 12, 1));
    EXPECT_TRUE(HasLine(left.dc, 35, 300, 35, 1)); // five character widths from the edge
    const Drawn below = DrawGraph(FixedScaling(-5, 5, 1, 2, 12, 1));
    EXPECT_TRUE(HasLine(below.dc, 0, 233, 499, 233)); // three text heights above the ymin line
}

struct TickCase
{
    double value;
    int tick; // device x of an x tick, device y of a y tick
    const char* label;
    int labelX;
    int labelY;
};

TEST(Draw, XTicksAndLabels)
{
    const Drawn d = DrawGraph(FixedScaling());
    // Labels are centred by whole characters; the 0 steps a further 2.5 widths (17) aside.
    for (const TickCase& c :
         {TickCase{-5, 41, "-5", 34, 157}, TickCase{-3, 124, "-3", 117, 157}, TickCase{0, 249, "0", 232, 157},
          TickCase{1, 291, "1", 291, 157}, TickCase{5, 457, "5", 457, 157}}) {
        SCOPED_TRACE(c.label);
        EXPECT_TRUE(HasLine(d.dc, c.tick, 148, c.tick, 152));
        // y labels share the texts; look for the one under the x axis.
        bool found = false;
        for (const auto& t : d.dc.texts) {
            found = found || (t.text == c.label && t.x == c.labelX && t.y == c.labelY);
        }
        EXPECT_TRUE(found);
    }
    const auto* name = FindText(d.dc, "x");
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->x, 488);
    EXPECT_EQ(name->y, 157);
}

TEST(Draw, YTicksAndLabels)
{
    const Drawn d = DrawGraph(FixedScaling());
    for (const TickCase& c :
         {TickCase{5, 25, "5", 237, 18}, TickCase{-5, 275, "-5", 230, 268}, TickCase{2, 100, "2", 237, 93}}) {
        SCOPED_TRACE(c.label);
        EXPECT_TRUE(HasLine(d.dc, 246, c.tick, 252, c.tick));
        bool found = false;
        for (const auto& t : d.dc.texts) {
            found = found || (t.text == c.label && t.x == c.labelX && t.y == c.labelY);
        }
        EXPECT_TRUE(found);
    }
    // The tick at 0 is there, its label is not: only the x axis writes a 0.
    EXPECT_TRUE(HasLine(d.dc, 246, 150, 252, 150));
    int zeros = 0;
    for (const auto& t : d.dc.texts) {
        zeros += t.text == "0" ? 1 : 0;
    }
    EXPECT_EQ(zeros, 1);
    const auto* name = FindText(d.dc, "y");
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->x, 240);
    EXPECT_EQ(name->y, 1);
}

TEST(Draw, FractionalLabelsAndSmallZero)
{
    // 0.5 steps from -1: the running sum hits 0 exactly; 0.0004 would count as 0 too.
    const Drawn d = DrawGraph(FixedScaling(-1, 1, 0.5, -1, 1, 0.5));
    EXPECT_NE(FindText(d.dc, "-0.5"), nullptr);
    EXPECT_NE(FindText(d.dc, "0.5"), nullptr);
    EXPECT_NE(FindText(d.dc, "1"), nullptr);
}

// Where a range starts off the multiples of its step, as a zoom or a pan leaves it, the marks sit
// on the multiples inside it; a range on them keeps its running sum from the start.
TEST(Draw, MarksOfRangesOffTheirStep)
{
    struct SCase
    {
        double from, to, step;
        std::vector<std::string> xLabels;
    };
    const SCase cases[] = {
        {-3.54545, 4.45455, 1, {"-3", "-2", "-1", "0", "1", "2", "3", "4"}},
        {-0.35, 0.35, 0.1, {"-0.3", "-0.2", "-0.1", "0", "0.1", "0.2", "0.3"}},
        {7.3, 12.1, 2, {"8", "10", "12"}},
        {-4, 4, 2, {"-4", "-2", "0", "2", "4"}},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.from);
        const Drawn d = DrawGraph(FixedScaling(c.from, c.to, c.step));
        const auto* name = FindText(d.dc, "x");
        ASSERT_NE(name, nullptr);
        std::vector<std::string> xLabels;
        for (const auto& t : d.dc.texts) {
            if (t.y == name->y && t.text != "x") {
                xLabels.push_back(t.text);
            }
        }
        EXPECT_EQ(xLabels, c.xLabels);
    }
}

TEST(Draw, TicksWithoutLabels)
{
    CScaling scaling = FixedScaling();
    scaling.SetLabelAxes(0);
    scaling.SetGridType(CScaling::NoGrid);
    const Drawn d = DrawGraph(scaling);
    EXPECT_TRUE(d.dc.texts.empty());
    // Two axes with arrow heads (4 lines each) and eleven ticks on each axis.
    EXPECT_EQ(d.dc.lines.size(), 8u + 11u + 11u);
}

TEST(Draw, DashedGrid)
{
    CScaling scaling = FixedScaling();
    scaling.SetGridType(CScaling::DashedLines);
    const Drawn d = DrawGraph(scaling);
    int dotted = 0;
    for (const auto& l : d.dc.lines) {
        dotted += l.pen.style == CPen::Dotted ? 1 : 0;
    }
    EXPECT_EQ(dotted, 22);
    // Horizontal lines from mx to X(xmax), vertical ones from by to Y(ymax).
    EXPECT_TRUE(HasLine(d.dc, 41, 275, 457, 275, CPen::Dotted));
    EXPECT_TRUE(HasLine(d.dc, 41, 25, 457, 25, CPen::Dotted));
    EXPECT_TRUE(HasLine(d.dc, 124, 275, 124, 25, CPen::Dotted));
    EXPECT_TRUE(HasLine(d.dc, 457, 275, 457, 25, CPen::Dotted));
    EXPECT_TRUE(d.dc.pixels.empty());
}

TEST(Draw, DottedGrid)
{
    CScaling scaling = FixedScaling();
    scaling.SetGridType(CScaling::Dots);
    const Drawn d = DrawGraph(scaling);
    EXPECT_EQ(d.dc.pixels.size(), 21u * 21u); // every half step on both axes
    const auto has = [&](int x, int y) {
        for (const auto& p : d.dc.pixels) {
            if (p.x == x && p.y == y && p.color == 0) {
                return true;
            }
        }
        return false;
    };
    EXPECT_TRUE(has(41, 275));
    EXPECT_TRUE(has(353, 87)); // (2.5, 2.5) through the real-offset mapping (Y would give 88)
    EXPECT_FALSE(has(353, 88));
    for (const auto& l : d.dc.lines) {
        EXPECT_NE(l.pen.style, CPen::Dotted);
    }
}

TEST(Draw, UnknownGridKindDrawsNoGrid)
{
    for (int kind : {0, 3, -1}) {
        CScaling scaling = FixedScaling();
        scaling.SetGridType(kind);
        const Drawn d = DrawGraph(scaling);
        EXPECT_TRUE(d.dc.pixels.empty()) << kind;
        for (const auto& l : d.dc.lines) {
            EXPECT_EQ(l.pen.style, CPen::Solid) << kind;
        }
    }
}

TEST(Draw, PointsInsideTheRangeOnly)
{
    const Drawn d = DrawGraph(FixedScaling(), {},
                              {Point(5, 0, "edge", 0, kGreen), Point(5.000001, 0, "beyond", 0, kRed),
                               Point(0, -5.0000001, "below", 0, kRed)});
    // The point at xmax: a cross around (457, 150).
    EXPECT_TRUE(HasLine(d.dc, 454, 147, 461, 154));
    EXPECT_TRUE(HasLine(d.dc, 454, 153, 461, 146));
    EXPECT_EQ(WithColor(d.dc.lines, kGreen).size(), 2u);
    EXPECT_NE(FindText(d.dc, "edge"), nullptr);
    // Just outside: neither cross nor label.
    EXPECT_TRUE(WithColor(d.dc.lines, kRed).empty());
    EXPECT_EQ(FindText(d.dc, "beyond"), nullptr);
    EXPECT_EQ(FindText(d.dc, "below"), nullptr);
}

TEST(Draw, PointLabelsWhateverTheSwitches)
{
    CScaling scaling = FixedScaling();
    scaling.SetLabelAxes(0);
    scaling.SetShowTerms(0);
    const Drawn d = DrawGraph(scaling, {}, {Point(1, 1, "P")});
    EXPECT_NE(FindText(d.dc, "P"), nullptr);
}

struct LabelCase
{
    int position;
    int x;
    int y;
};

class PointLabel : public ::testing::TestWithParam<LabelCase>
{
};

// A point at the origin (249, 150); the label "AB" measures 14 by 14.
TEST_P(PointLabel, StandsWhereItsPositionSays)
{
    const LabelCase& c = GetParam();
    const Drawn d = DrawGraph(FixedScaling(), {}, {Point(0, 0, "AB", c.position)});
    const auto* text = FindText(d.dc, "AB");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->x, c.x);
    EXPECT_EQ(text->y, c.y);
    EXPECT_EQ(text->color, 0x00ff00u);
}

INSTANTIATE_TEST_SUITE_P(AllPositions, PointLabel,
                         ::testing::Values(LabelCase{0, 230, 131}, LabelCase{1, 242, 131},
                                           LabelCase{2, 254, 131}, LabelCase{3, 230, 143},
                                           LabelCase{4, 254, 143}, LabelCase{5, 230, 155},
                                           LabelCase{6, 242, 155}, LabelCase{7, 254, 155},
                                           // Codes outside 0 to 7 stand above left, like 0.
                                           LabelCase{8, 230, 131}, LabelCase{-1, 230, 131}));

TEST(Draw, VerticalLinesEvenOutsideTheRange)
{
    const Drawn d = DrawGraph(FixedScaling(), {}, {VerticalLine(2.5, kBlue), VerticalLine(20, kRed)});
    EXPECT_TRUE(HasLine(d.dc, 353, 275, 353, 25));
    EXPECT_TRUE(HasLine(d.dc, 1082, 275, 1082, 25));
    const auto* inside = FindText(d.dc, "x=2.5");
    ASSERT_NE(inside, nullptr);
    EXPECT_EQ(inside->x, 353);
    EXPECT_EQ(inside->y, 287); // halfway between by and the bottom
    EXPECT_EQ(inside->color, kBlue);
    EXPECT_NE(FindText(d.dc, "x=20"), nullptr);

    CScaling quiet = FixedScaling();
    quiet.SetShowTerms(0);
    const Drawn q = DrawGraph(quiet, {}, {VerticalLine(2.5)});
    EXPECT_TRUE(HasLine(q.dc, 353, 275, 353, 25));
    EXPECT_EQ(FindText(q.dc, "x=2.5"), nullptr);
}

TEST(Draw, LegendLinesKeepTheirListPlace)
{
    CGraphFunction empty; // never given a term
    empty.SetColor(kGreen);
    const Drawn d = DrawGraph(FixedScaling(), {Function("x", kRed), empty, Function("x^2", kBlue)});
    const auto* first = FindText(d.dc, "f(x)=x");
    const auto* third = FindText(d.dc, "h(x)=x^2"); // the third function's automatic name
    ASSERT_NE(first, nullptr);
    ASSERT_NE(third, nullptr);
    EXPECT_EQ(first->x, 41);
    EXPECT_EQ(first->y, 5);
    EXPECT_EQ(third->x, 41);
    EXPECT_EQ(third->y, 5 + 2 * 16);
    EXPECT_EQ(third->color, kBlue);
    EXPECT_TRUE(WithColor(d.dc.lines, kGreen).empty());
    EXPECT_TRUE(WithColor(d.dc.moves, kGreen).empty());
    EXPECT_FALSE(WithColor(d.dc.lines, kBlue).empty());

    CScaling quiet = FixedScaling();
    quiet.SetShowTerms(0);
    EXPECT_EQ(FindText(DrawGraph(quiet, {Function("x", kRed)}).dc, "f(x)=x"), nullptr);
}

TEST(Draw, LegendLinesNameTheirFunction)
{
    CGraphFunction named = Function("x+1", kGreen);
    named.SetName("Kosten");
    const Drawn d = DrawGraph(FixedScaling(-5, 5, 1, -16, 16, 4),
                              {Function("x", kRed), named, Family("k*x", kBlue, 1, 3, 1)});
    for (const char* text : {"f(x)=x", "Kosten(x)=x+1", "h_k(x)=k*x"}) {
        EXPECT_NE(FindText(d.dc, text), nullptr) << text;
    }
}

TEST(Draw, LongTermsAreWrittenWhole)
{
    std::string term = "x";
    while (term.size() < 600) {
        term += "+x";
    }
    const Drawn d = DrawGraph(FixedScaling(), {Function(term, kRed)});
    EXPECT_NE(FindText(d.dc, "f(x)=" + term), nullptr);
}

// World x of a device x on the 500 by 300 default layout.
double WorldX(int px)
{
    return (px - 41) / (500.0 / 12) - 5;
}

TEST(Draw, TangentBreaksAtItsPoles)
{
    CScaling scaling = FixedScaling();
    const Drawn d = DrawGraph(scaling, {Function("tan(x)", kRed)});
    const auto lines = WithColor(d.dc.lines, kRed);
    ASSERT_GT(lines.size(), 300u);
    // No line joins the two sides of a pole at pi/2 + n pi.
    for (const auto& l : lines) {
        const double a = std::floor((WorldX(l.x1) - std::numbers::pi / 2) / std::numbers::pi);
        const double b = std::floor((WorldX(l.x2) - std::numbers::pi / 2) / std::numbers::pi);
        EXPECT_EQ(a, b) << l.x1 << " to " << l.x2;
        EXPECT_LE(std::abs(l.y2 - l.y1), 300);
    }
    // Five pieces between four poles: at least five starts.
    EXPECT_GE(WithColor(d.dc.moves, kRed).size(), 5u);
}

TEST(Draw, SquareRootStartsAtZero)
{
    const Drawn d = DrawGraph(FixedScaling(), {Function("sqrt(x)", kRed)});
    const auto moves = WithColor(d.dc.moves, kRed);
    const auto lines = WithColor(d.dc.lines, kRed);
    ASSERT_FALSE(moves.empty());
    ASSERT_FALSE(lines.empty());
    // Samples lie one device unit apart, added up from xmin; the curve starts with a move to the
    // first of them at or right of 0.
    double first = -1;
    ForEachStep(-5, 5, 1 / (500.0 / 12), [&](double x) {
        first = x;
        return x < 0;
    });
    ASSERT_GE(first, 0);
    ASSERT_LT(first, 0.025);
    const CGraphLayout map{CRect{0, 0, 500, 300}, {-5, 5, 1}, {-5, 5, 1}};
    EXPECT_EQ(moves.front().x, map.X(first));
    EXPECT_EQ(moves.front().y, map.Y(std::sqrt(first)));
    for (const auto& l : lines) {
        EXPECT_GE(l.x1, 249);
        EXPECT_LE(l.y2, 150);
    }
    // One piece: every later sample continues the line.
    EXPECT_EQ(moves.size(), 1u);
}

TEST(Draw, UndefinedStretchesSplitTheCurve)
{
    // Defined for |x| >= 2 only: two pieces, nothing in between.
    const Drawn d = DrawGraph(FixedScaling(), {Function("sqrt(x^2-4)", kRed)});
    EXPECT_EQ(WithColor(d.dc.moves, kRed).size(), 2u);
    for (const auto& l : WithColor(d.dc.lines, kRed)) {
        EXPECT_TRUE(l.x2 <= 166 || l.x1 >= 332) << l.x1 << " to " << l.x2; // X(-2), X(2)
    }
}

TEST(Draw, FarValuesLiftThePen)
{
    // The first sample at or right of 0 is 0.016000000000004: there 1/(x-0.016) is about 2e14,
    // while its neighbours (about -42 and 42) lie inside the area. The far value must not be
    // joined to the next one.
    double first = -1;
    ForEachStep(-5, 5, 1 / (500.0 / 12), [&](double x) {
        first = x;
        return x < 0;
    });
    ASSERT_GT(CCompiledTerm{"1/(x-0.016)"}.Evaluate(first, 0), 1e6);

    const Drawn d = DrawGraph(FixedScaling(-5, 5, 1, -50, 50, 10), {Function("1/(x-0.016)", kRed)});
    for (const auto& l : WithColor(d.dc.lines, kRed)) {
        EXPECT_LE(std::abs(l.y2 - l.y1), 300) << l.x1 << " to " << l.x2;
    }
    EXPECT_GE(WithColor(d.dc.moves, kRed).size(), 2u);
}

TEST(Draw, CurvesOutsideTheAreaOnlyMove)
{
    // x + 7 leaves the area through its top edge once x passes -1 and never comes back.
    const Drawn d = DrawGraph(FixedScaling(), {Function("x+7", kRed)});
    const CRect area{0, 0, 500, 300};
    const auto lines = WithColor(d.dc.lines, kRed);
    ASSERT_FALSE(lines.empty());
    for (const auto& l : lines) {
        EXPECT_TRUE(PtInRect(area, l.x2, l.y2));
    }
    EXPECT_GT(WithColor(d.dc.moves, kRed).size(), 10u);
}

TEST(Draw, FamilyDrawsOneCurvePerValue)
{
    const Drawn d = DrawGraph(FixedScaling(-5, 5, 1, -16, 16, 4), {Family("k*x", kRed, 1, 3, 1)});
    // Each curve stays inside the area, so each starts with exactly one move.
    const auto moves = WithColor(d.dc.moves, kRed);
    ASSERT_EQ(moves.size(), 3u);
    EXPECT_EQ(WithColor(d.dc.texts, kRed).size(), 1u); // one legend line for the whole family
    // The curves start at x = -5 with y = -5, -10 and -15.
    const CGraphLayout map{CRect{0, 0, 500, 300}, {-5, 5, 1}, {-16, 16, 4}};
    EXPECT_EQ(moves[0].y, map.Y(-5));
    EXPECT_EQ(moves[1].y, map.Y(-10));
    EXPECT_EQ(moves[2].y, map.Y(-15));
}

TEST(Draw, WithoutTheFamilyFlagKIsTheStoredStart)
{
    CGraphFunction f = Family("k", kRed, 2, 9, 1);
    f.SetUseFamilyConstant(0);
    const Drawn d = DrawGraph(FixedScaling(), {f});
    const auto moves = WithColor(d.dc.moves, kRed);
    ASSERT_EQ(moves.size(), 1u);
    for (const auto& l : WithColor(d.dc.lines, kRed)) {
        EXPECT_EQ(l.y2, 100); // Y(2)
    }
}

TEST(Draw, AutomaticScalingIsHandedBack)
{
    CScaling scaling = FixedScaling();
    scaling.SetAutoScaleY(1);
    // 300 high with text 14 high: 10 intervals.
    const Drawn d = DrawGraph(scaling, {Function("2*x", kRed)});
    double from{}, to{}, step{};
    d.scaling.GetYRange(from, to, step);
    EXPECT_DOUBLE_EQ(from, -10);
    EXPECT_DOUBLE_EQ(to, 10);
    EXPECT_DOUBLE_EQ(step, 2);
    EXPECT_NE(FindText(d.dc, "10"), nullptr);
    EXPECT_NE(FindText(d.dc, "-8"), nullptr);
}

TEST(Draw, LeavesTheContextAsItFoundIt)
{
    const Drawn d = DrawGraph(FixedScaling(), {Function("x", kRed)}, {Point(1, 1, "P")});
    EXPECT_EQ(d.dc.CurrentPen(), (CPen{CPen::Solid, 0x123456}));
    EXPECT_EQ(d.dc.CurrentFont(), CFont{99});
    EXPECT_FALSE(d.dc.Transparent());
}

TEST(PtInRect, LeftAndTopInsideRightAndBottomOutside)
{
    const CRect r{10, 20, 30, 40};
    EXPECT_TRUE(PtInRect(r, 10, 20));
    EXPECT_TRUE(PtInRect(r, 29, 39));
    EXPECT_FALSE(PtInRect(r, 30, 25));
    EXPECT_FALSE(PtInRect(r, 15, 40));
    EXPECT_FALSE(PtInRect(r, 9, 25));
}

} // namespace

namespace {

// The chosen separator reaches every number drawn (both axes, the label of a vertical line) and
// nothing else: the legend's term keeps its point, because it is a term.
TEST(Draw, NumbersTakeTheChosenSeparator)
{
    struct Case
    {
        EDecimalSeparator separator;
        std::vector<std::string> shown;
        std::vector<std::string> absent;
    };
    const Case cases[] = {
        {EDecimalSeparator::Comma, {"-1,5", "0,5", "2,5", "x=1,25", "f(x)=0.5*x"}, {"0.5", "x=1.25"}},
        {EDecimalSeparator::Point, {"-1.5", "0.5", "2.5", "x=1.25", "f(x)=0.5*x"}, {"0,5", "x=1,25"}},
    };
    CGraphObject line;
    line.SetKind(1);
    line.SetPosition(1.25);
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<char>(c.separator));
        CRecordingContext dc;
        PaintGraph(dc, CRect{0, 0, 500, 300}, {Function("0.5*x", kRed)}, {line},
                   FixedScaling(-3, 3, 0.5, -3, 3, 0.5), nullptr, nullptr, c.separator);
        std::vector<std::string> texts;
        for (const auto& text : dc.texts) {
            texts.push_back(text.text);
        }
        for (const std::string& text : c.shown) {
            EXPECT_NE(std::find(texts.begin(), texts.end(), text), texts.end()) << text;
        }
        for (const std::string& text : c.absent) {
            EXPECT_EQ(std::find(texts.begin(), texts.end(), text), texts.end()) << text;
        }
    }
}

} // namespace
