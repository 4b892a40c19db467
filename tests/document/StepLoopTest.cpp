#include "document/StepLoop.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <vector>

namespace {

std::vector<double> Steps(double from, double to, double step)
{
    std::vector<double> values;
    ForEachStep(from, to, step, [&](double v) { values.push_back(v); });
    return values;
}

std::vector<double> Family(int use, double from, double to, double step)
{
    CGraphFunction f;
    f.SetUseFamilyConstant(use);
    f.SetRange(from, to, step);
    std::vector<double> values;
    ForEachFamilyValue(f, [&](double k) { values.push_back(k); });
    return values;
}

TEST(ForEachStep, AddsRepeatedly)
{
    EXPECT_EQ(Steps(-1, 1, 0.5), (std::vector<double>{-1, -0.5, 0, 0.5, 1}));
    // 0.1 added ten times falls short of 1 by rounding... or passes it: the running sum decides.
    double sum = 0;
    int count = 0;
    while (sum <= 1) {
        sum += 0.1;
        ++count;
    }
    EXPECT_EQ(Steps(0, 1, 0.1).size(), static_cast<std::size_t>(count));
}

TEST(ForEachStep, EveryRunEnds)
{
    EXPECT_EQ(Steps(0, 5, 0), (std::vector<double>{0}));
    EXPECT_EQ(Steps(0, 5, -1), (std::vector<double>{0}));
    EXPECT_EQ(Steps(0, 5, std::nan("")), (std::vector<double>{0}));
    EXPECT_EQ(Steps(1e17, 2e17, 1), (std::vector<double>{1e17}));
    EXPECT_TRUE(Steps(5, 0, 1).empty());
    EXPECT_TRUE(Steps(std::nan(""), 1, 1).empty());
}

TEST(ForEachStep, BodyMayStopTheRun)
{
    int visits = 0;
    ForEachStep(0, 100, 1, [&](double) { return ++visits < 3; });
    EXPECT_EQ(visits, 3);
}

TEST(ForEachFamilyValue, RunsOverTheFamily)
{
    EXPECT_EQ(Family(1, -1, 1, 0.5), (std::vector<double>{-1, -0.5, 0, 0.5, 1}));
    EXPECT_EQ(Family(1, 1, 3, 1), (std::vector<double>{1, 2, 3}));
}

TEST(ForEachFamilyValue, OneValueAtFromWithoutFamilyOrStep)
{
    EXPECT_EQ(Family(0, 2, 9, 1), (std::vector<double>{2}));
    EXPECT_EQ(Family(1, 3, 3, 1), (std::vector<double>{3})); // SetRange made the step 0
    EXPECT_EQ(Family(1, 0, 4, 0), (std::vector<double>{0}));
    EXPECT_EQ(Family(1, 0, 4, -1), (std::vector<double>{0}));        // a negative step would never end
    EXPECT_EQ(Family(7, -1, 1, 1), (std::vector<double>{-1, 0, 1})); // any nonzero flag is on
}

TEST(ForEachFamilyValue, VisitsAThousandValuesAtMost)
{
    const struct
    {
        double from, to, step;
        std::size_t visited;
        std::optional<double> lastBeforeCut;
    } cases[] = {
        {1, 1000, 1, 1000, std::nullopt}, // exactly the cap: nothing is cut
        {1, 1001, 1, 1000, 1000.0},
        {0, 1e9, 1, 1000, 999.0},
        {0, 1e12, 0.5, 1000, 499.5},
    };
    for (const auto& c : cases) {
        CGraphFunction f;
        f.SetUseFamilyConstant(1);
        f.SetRange(c.from, c.to, c.step);
        const std::vector<double> values = Family(1, c.from, c.to, c.step);
        EXPECT_EQ(values.size(), c.visited) << c.to;
        EXPECT_EQ(CountFamilyValues(f), static_cast<int>(c.visited)) << c.to;
        const std::optional<double> last = LastFamilyValueBeforeCut(f);
        EXPECT_EQ(last.has_value(), c.lastBeforeCut.has_value()) << c.to;
        if (last && c.lastBeforeCut) {
            EXPECT_DOUBLE_EQ(*last, *c.lastBeforeCut) << c.to;
            EXPECT_EQ(values.back(), *last) << c.to;
        }
    }
}

TEST(ForEachFamilyValue, ANewRecordIsEvaluatedOnceAtZero)
{
    EXPECT_EQ(Family(0, 0, 0, 0), (std::vector<double>{0}));
}

} // namespace
