// The member a slider picks is drawn bold in the family's colour, the others faint or not at all.
#include "DrawTestSupport.h"

#include "view/GraphLayout.h"

#include <gtest/gtest.h>

#include <set>

namespace {

constexpr std::uint32_t kRed = 0x0000FF;
constexpr std::uint32_t kFaintRed = 0xBFBFFF; // three quarters of the way to white

// Rows of the horizontal curve segments drawn in one colour.
std::set<int> RowsIn(const CRecordingContext& dc, std::uint32_t color)
{
    std::set<int> rows;
    for (const auto& line : dc.lines) {
        if (line.pen.color == color && line.y1 == line.y2 && line.x2 - line.x1 == 1) {
            rows.insert(line.y1);
        }
    }
    return rows;
}

TEST(FamilyFocus, OnlyTheSlidersMemberIsBoldTheOthersFaintOrHidden)
{
    // The family y = k: each member is one row of the picture.
    const CRect rect{0, 0, 400, 400};
    const CScaling scaling = FixedScaling();
    const CGraphLayout map{rect, DrawableXAxis(scaling), DrawableYAxis(scaling)};
    const std::set<int> members{map.Y(-2), map.Y(-1), map.Y(0), map.Y(1), map.Y(2)};
    const struct
    {
        std::optional<SFamilyFocus> focus;
        std::set<int> bold;
        std::set<int> faint;
        const char* legend;
    } cases[] = {
        {SFamilyFocus{0, 1, false}, {map.Y(1), map.Y(1) + 1}, members, "f_k(x)=k   k = 1"},
        {SFamilyFocus{0, 0.25, false}, {map.Y(0.25), map.Y(0.25) + 1}, members, "f_k(x)=k   k = 0.25"},
        {SFamilyFocus{0, -2, true}, {map.Y(-2), map.Y(-2) + 1}, {}, "f_k(x)=k   k = -2"},
        {std::nullopt, members, {}, "f_k(x)=k"},
        // A focus on a function that is not drawn changes nothing.
        {SFamilyFocus{3, 1, true}, members, {}, "f_k(x)=k"},
    };
    for (const auto& c : cases) {
        CGraph graph;
        graph.Functions() = {Family("k", kRed, -2, 2, 1)};
        graph.Scaling() = scaling;
        graph.SetFamilyFocus(c.focus);
        CRecordingContext dc;
        graph.Draw(dc, rect, 14);
        const std::string legend = c.legend;
        EXPECT_EQ(RowsIn(dc, kRed), c.bold) << legend;
        EXPECT_EQ(RowsIn(dc, kFaintRed), c.faint) << legend;
        EXPECT_TRUE(std::any_of(dc.texts.begin(), dc.texts.end(), [&](const auto& text) {
            return text.text == legend;
        })) << legend;
    }
}

} // namespace
