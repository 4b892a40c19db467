// Labels stay readable however crowded the points and however far the zoom, and marks keep their
// size on paper.
#include "DrawTestSupport.h"

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

TEST(ReadableLabels, PointLabelsNeverCoverOneAnother)
{
    const std::vector<CGraphObject> crowds[] = {
        {Point(0, 0, "N2"), Point(0, 0, "W1")},
        {Point(1, 1, "A"), Point(1, 1, "Bb"), Point(1, 1, "Ccc"), Point(1, 1, "Dddd"), Point(1, 1, "E")},
        {Point(-2, 2, "Hochpunkt", 1), Point(-2, 2.05, "Wendepunkt", 1), Point(-2, 1.95, "Sattelpunkt", 1)},
        {Point(3, -3, "S1", 7), Point(3, -3, "S2", 5), Point(3, -3, "S3", 6), Point(3, -3, "S4", 3),
         Point(3, -3, "S5", 2), Point(3, -3, "S6", 0)},
    };
    for (const std::vector<CGraphObject>& points : crowds) {
        const Drawn d = DrawGraph(FixedScaling(), {}, points);
        std::vector<CRect> boxes;
        for (const CGraphObject& point : points) {
            const CRecordingContext::Text* text = FindText(d.dc, point.GetLabel());
            ASSERT_NE(text, nullptr) << point.GetLabel();
            boxes.push_back(BoxOf(*text, d.dc.fontHeights.front()));
        }
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            for (std::size_t j = i + 1; j < boxes.size(); ++j) {
                EXPECT_FALSE(Overlap(boxes[i], boxes[j]))
                    << points[i].GetLabel() << " and " << points[j].GetLabel();
            }
        }
    }
}

TEST(ReadableLabels, TickLabelsStayDistinctAndApartAtAnyZoom)
{
    const double cases[][3] = {
        {-1e-12, 1e-12, 2e-13},      {1e6, 1e6 + 1e-8, 1e-9}, {1e6 - 1e-5, 1e6 + 1e-5, 2e-6},
        {1 - 1e-9, 1 + 1e-9, 2e-10}, {-3e-7, 7e-7, 1e-7},     {0, 1e20, 1e19},
        {1e50, 1e50 + 1e45, 1e44},   {-1e200, 1e200, 5e199},
    }; // from, to, step
    for (const auto& c : cases) {
        for (const CRect area : {CRect{0, 0, 500, 300}, CRect{0, 0, 1200, 800}}) {
            const Drawn d = DrawGraph(FixedScaling(c[0], c[1], c[2], -5, 5, 1), {}, {}, area);
            // The x labels share the row of the axis's name "x".
            const CRecordingContext::Text* name = FindText(d.dc, "x");
            ASSERT_NE(name, nullptr);
            std::vector<CRecordingContext::Text> labels;
            std::copy_if(d.dc.texts.begin(), d.dc.texts.end(), std::back_inserter(labels),
                         [&](const auto& t) { return t.y == name->y && t.text != "x"; });
            ASSERT_GE(labels.size(), 2u) << c[0] << " to " << c[1];
            std::set<std::string> texts;
            for (std::size_t i = 0; i < labels.size(); ++i) {
                EXPECT_TRUE(texts.insert(labels[i].text).second)
                    << c[0] << ": " << labels[i].text << " twice";
                EXPECT_TRUE(i == 0 || !Overlap(BoxOf(labels[i - 1], 1), BoxOf(labels[i], 1)))
                    << c[0] << ": " << labels[i - 1].text << " runs into " << labels[i].text;
            }
        }
    }
}

TEST(ReadableLabels, MarksKeepTheirSizeOnPaper)
{
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
