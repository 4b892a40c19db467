#include "document/StepLoop.h"

#include <gtest/gtest.h>

#include <cmath>
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
    EXPECT_EQ(Family(1, 0, 4, -1), (std::vector<double>{0})); // a negative step would never end
    EXPECT_EQ(Family(7, -1, 1, 1), (std::vector<double>{-1, 0, 1})); // any nonzero flag is on
}

TEST(ForEachFamilyValue, ANewRecordIsEvaluatedOnceAtZero)
{
    EXPECT_EQ(Family(0, 0, 0, 0), (std::vector<double>{0}));
}

} // namespace
