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
    std::vector<SAnalysisResult> results;
    std::vector<SExpectedPoint> points;
};

SAnalysisResult Point(char letter, int index, double x, double y, std::optional<double> k = std::nullopt,
                      int digits = 5, bool touching = false)
{
    return SAnalysisResult{SResultPoint{letter, index, x, y, touching}, k, digits};
}

SAnalysisResult Message(EResultMessage id)
{
    return SAnalysisResult{SResultMessage{id, {}}, std::nullopt, 5};
}

class AdoptedPoints : public ::testing::TestWithParam<SAdoptCase>
{
};

TEST_P(AdoptedPoints, LabelledByLetterAndNumberWhereTheListShowsThem)
{
    const SAdoptCase& c = GetParam();
    const std::vector<CGraphObject> points = PointObjects(c.results);
    ASSERT_EQ(points.size(), c.points.size());
    EXPECT_EQ(HasPoints(c.results), !c.points.empty());
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
        SAdoptCase{"NumberedPerLetterAtTheShownDecimals",
                   {Point('H', 1, -1.1547005383792515, 1.5396007178390020),
                    Point('T', 1, 1.1547005383792515, -1.5396007178390020), Point('H', 2, 3, -0.25),
                    Point('S', 1, 0, 0)},
                   {{"H1", -1.1547, 1.5396}, {"T1", 1.1547, -1.5396}, {"H2", 3, -0.25}, {"S1", 0, 0}}},
        SAdoptCase{"FamilyLabelsNameTheShownK",
                   {Point('N', 1, -1, 0, 1.0), Point('N', 2, 1, 0, 1.0), Message(EResultMessage::GroupEnd),
                    Point('N', 1, -0.70710678118654757, -0.0, 0.123456789, 3),
                    Message(EResultMessage::GroupEnd)},
                   {{"N1 (k=1)", -1, 0}, {"N2 (k=1)", 1, 0}, {"N1 (k=0.123)", -0.707, -0.0}}},
        SAdoptCase{"TouchingIntersectionsArePointsToo",
                   {Point('S', 1, -1, 1), Point('S', 2, 0, 0, std::nullopt, 5, true)},
                   {{"S1", -1, 1}, {"S2", 0, 0}}},
        SAdoptCase{
            "NothingButPoints",
            {Message(EResultMessage::NoZeros),
             SAnalysisResult{SResultInterval{-5, 0, true, true, false}, std::nullopt, 5},
             SAnalysisResult{SResultTableRow{-5, 25, -10, 2}, std::nullopt, 5},
             SAnalysisResult{SResultTangent{1, 1, 2, {2, -1}, SResultLine{-0.5, 1.5}}, std::nullopt, 5}},
            {}}),
    [](const auto& info) { return std::string{info.param.name}; });

} // namespace
