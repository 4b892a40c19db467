// Labels stay readable however crowded the points and however far the zoom: point labels move
// aside instead of covering one another, tick labels stay distinct and apart, and marks keep
// their size on paper.
#include "DrawTestSupport.h"

#include "view/AxisLabels.h"
#include "view/Graph.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

namespace {

CRect BoxOf(const CRecordingContext::Text& text, int height)
{
    return CRect{text.x, text.y, text.x + static_cast<int>(text.text.size()) * CRecordingContext::kCharWidth,
                 text.y + height};
}

bool Overlap(const CRect& a, const CRect& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

struct CrowdCase
{
    const char* name;
    std::vector<CGraphObject> points;
};

TEST(ReadableLabels, PointLabelsNeverCoverOneAnother)
{
    const CrowdCase cases[] = {
        {"the zero and the inflection at the origin", {Point(0, 0, "N2"), Point(0, 0, "W1")}},
        {"five on one spot, all asking for the same place",
         {Point(1, 1, "A"), Point(1, 1, "Bb"), Point(1, 1, "Ccc"), Point(1, 1, "Dddd"), Point(1, 1, "E")}},
        {"a row a pixel apart",
         {Point(0, 0, "P1", 4), Point(0.02, 0, "P2", 4), Point(0.04, 0, "P3", 4), Point(0.06, 0, "P4", 4)}},
        {"long labels stacked",
         {Point(-2, 2, "Hochpunkt", 1), Point(-2, 2.05, "Wendepunkt", 1), Point(-2, 1.95, "Sattelpunkt", 1)}},
        {"mixed places",
         {Point(3, -3, "S1", 7), Point(3, -3, "S2", 5), Point(3, -3, "S3", 6), Point(3, -3, "S4", 3),
          Point(3, -3, "S5", 2), Point(3, -3, "S6", 0)}},
    };
    for (const CrowdCase& c : cases) {
        const Drawn d = DrawGraph(FixedScaling(), {}, c.points);
        std::vector<CRect> boxes;
        for (const CGraphObject& point : c.points) {
            const CRecordingContext::Text* text = FindText(d.dc, point.GetLabel());
            ASSERT_NE(text, nullptr) << c.name << ": " << point.GetLabel();
            boxes.push_back(BoxOf(*text, d.dc.fontHeights.front()));
        }
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            for (std::size_t j = i + 1; j < boxes.size(); ++j) {
                EXPECT_FALSE(Overlap(boxes[i], boxes[j]))
                    << c.name << ": " << c.points[i].GetLabel() << " and " << c.points[j].GetLabel();
            }
        }
    }
}

TEST(ReadableLabels, APointAloneKeepsThePlaceItAsksFor)
{
    // The cross at (249, 150) of the default 500 x 300 area; labels 14 high, 7 per character.
    const Drawn d = DrawGraph(FixedScaling(), {}, {Point(0, 0, "P", 0), Point(4, 4, "Q", 7)});
    const CRecordingContext::Text* p = FindText(d.dc, "P");
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->x, 249 - 7 - 5);
    EXPECT_EQ(p->y, 150 - 14 - 5);
}

struct RangeCase
{
    double from;
    double to;
    double step;
};

// The x labels drawn: the texts that share the row of the label of the first mark.
std::vector<CRecordingContext::Text> XLabels(const CRecordingContext& dc, int row)
{
    std::vector<CRecordingContext::Text> labels;
    for (const CRecordingContext::Text& text : dc.texts) {
        if (text.y == row && text.text != "x") {
            labels.push_back(text);
        }
    }
    return labels;
}

TEST(ReadableLabels, TickLabelsStayDistinctAndApartAtAnyZoom)
{
    const RangeCase cases[] = {
        {-1e-12, 1e-12, 2e-13},      {1e6, 1e6 + 1e-8, 1e-9}, {1e6 - 1e-5, 1e6 + 1e-5, 2e-6},
        {1 - 1e-9, 1 + 1e-9, 2e-10}, {-3e-7, 7e-7, 1e-7},     {0, 1e20, 1e19},
        {1e50, 1e50 + 1e45, 1e44},   {-1e200, 1e200, 5e199},  {-5, 5, 0.25},
        {0.1, 0.7, 1.0 / 30},
    };
    for (const RangeCase& c : cases) {
        for (const CRect area : {CRect{0, 0, 500, 300}, CRect{0, 0, 1200, 800}}) {
            const Drawn d = DrawGraph(FixedScaling(c.from, c.to, c.step, -5, 5, 1), {}, {}, area);
            // The y axis's 0 is not written, so the x axis row is the one of the x label "x".
            const CRecordingContext::Text* x = FindText(d.dc, "x");
            ASSERT_NE(x, nullptr);
            const std::vector<CRecordingContext::Text> labels = XLabels(d.dc, x->y);
            ASSERT_GE(labels.size(), 2u) << c.from << " to " << c.to;
            std::set<std::string> texts;
            for (std::size_t i = 0; i < labels.size(); ++i) {
                EXPECT_TRUE(texts.insert(labels[i].text).second)
                    << c.from << " to " << c.to << ": " << labels[i].text << " twice";
                if (i > 0) {
                    const CRect previous = BoxOf(labels[i - 1], 1);
                    EXPECT_FALSE(Overlap(previous, BoxOf(labels[i], 1)))
                        << c.from << " to " << c.to << ": " << labels[i - 1].text << " runs into "
                        << labels[i].text;
                }
            }
        }
    }
}

TEST(ReadableLabels, PlainRangesReadAsBefore)
{
    const struct
    {
        double value;
        double step;
        const char* text;
    } cases[] = {
        {2.5, 0.5, "2.5"},
        {-3, 1, "-3"},
        {0.00001, 0.00001, "0.00001"},
        {1e-13, 1e-13, "1e-13"},
        {-4e-13, 2e-13, "-4e-13"},
        {1000000.000000002, 1e-9, "1000000.000000002"},
        {1.5e20, 5e19, "1.5e20"},
        {0.25, 0.25, "0.25"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TickLabel(c.value, c.step, EDecimalSeparator::Point), c.text) << c.value;
    }
    EXPECT_EQ(TickLabel(1e-13, 1e-13, EDecimalSeparator::Comma), "1e-13");
    EXPECT_EQ(TickLabel(2.5e-13, 5e-14, EDecimalSeparator::Comma), "2,5e-13");
}

TEST(ReadableLabels, MarksKeepTheirSizeOnPaper)
{
    // The same marks at 96 and at 600 dots per inch: a 600 dpi print is 6.25 times as many dots.
    const struct
    {
        double dotsPerInch;
        int tickHalf;  // x ticks reach this far above and below the axis
        int crossSpan; // a point's cross runs this far along each axis
    } cases[] = {{96, 2, 7}, {600, 13, 44}, {1200, 25, 88}};
    for (const auto& c : cases) {
        CRecordingContext dc;
        dc.dotsPerInch = c.dotsPerInch;
        CGraph graph;
        graph.Scaling() = FixedScaling();
        graph.Objects() = {Point(1, 1, "")};
        graph.Draw(dc, CRect{0, 0, 500, 300}, 14);
        const auto count = [&](auto&& matches) {
            return std::count_if(dc.lines.begin(), dc.lines.end(), matches);
        };
        // Eleven x ticks across the x axis at y 150, and the two strokes of one cross.
        EXPECT_EQ(count([&](const auto& l) {
                      return l.x1 == l.x2 && l.y1 == 150 - c.tickHalf && l.y2 == 150 + c.tickHalf;
                  }),
                  11)
            << c.dotsPerInch;
        EXPECT_EQ(count([&](const auto& l) {
                      return std::abs(l.x2 - l.x1) == c.crossSpan && std::abs(l.y2 - l.y1) == c.crossSpan;
                  }),
                  2)
            << c.dotsPerInch;
    }
}

} // namespace
