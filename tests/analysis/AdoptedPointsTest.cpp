#include "analysis/AdoptedPoints.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct SExpectedPoint
{
    std::string label;
    double x;
    double y;
};

struct SAdoptCase
{
    const char* name;
    std::vector<std::string> lines;
    std::vector<SExpectedPoint> points;
};

class AdoptedPoints : public ::testing::TestWithParam<SAdoptCase>
{
};

TEST_P(AdoptedPoints, LabelledByLetterAndNumber)
{
    const SAdoptCase& c = GetParam();
    const std::vector<CGraphObject> points = PointsFromResultLines(c.lines);
    ASSERT_EQ(points.size(), c.points.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
        double x{};
        double y{};
        points[i].GetCoordinates(x, y);
        EXPECT_TRUE(points[i].IsPoint());
        EXPECT_EQ(points[i].GetLabel(), c.points[i].label);
        EXPECT_EQ(x, c.points[i].x);
        EXPECT_EQ(y, c.points[i].y);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lists, AdoptedPoints,
    ::testing::Values(
        SAdoptCase{"NumberedPerLetter",
                   {"H ( -1.1547 | 1.5396 )", "T ( 1.1547 | -1.5396 )", "H ( 3 | -0.25 )", "S ( 0 | 0 )"},
                   {{"H1", -1.1547, 1.5396}, {"T1", 1.1547, -1.5396}, {"H2", 3, -0.25}, {"S1", 0, 0}}},
        SAdoptCase{"FamilyCountsWithinEachK",
                   {"k = 1; N ( -1 | 0 )", "k = 1; N ( 1 | 0 )", "", "k = 2; N ( -0.70711 | -0 )", ""},
                   {{"N1 (k=1)", -1, 0}, {"N2 (k=1)", 1, 0}, {"N1 (k=2)", -0.70711, -0.0}}},
        SAdoptCase{"NothingButPoints",
                   {"Es wurden keine Nullstellen gefunden.", "[ -5; 0 ] monoton fallend", "-5\t25\t-10\t2",
                    "N ( 1 | 2", "X ( 1 | 2 )", "N ( 1,5 | 2 )", "W ( 2 | 3 ) ", "W ( 2 | 3 )"},
                   {{"W1", 2, 3}}}),
    [](const auto& info) { return std::string{info.param.name}; });

} // namespace
