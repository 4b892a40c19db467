#include "analysis/TypicalSize.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <random>
#include <vector>

namespace {

std::optional<double> BySorting(const std::vector<double>& values)
{
    std::vector<double> sizes;
    for (const double value : values) {
        if (std::isfinite(value)) {
            sizes.push_back(std::fabs(value));
        }
    }
    if (sizes.empty()) {
        return std::nullopt;
    }
    std::sort(sizes.begin(), sizes.end());
    return sizes[sizes.size() * 9 / 10];
}

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Each case large enough that the selection narrows the bits in several rounds before it sorts.
std::vector<std::vector<double>> Cases()
{
    std::mt19937_64 random{20261209};
    std::vector<std::vector<double>> cases;
    const auto many = [&](auto draw) {
        std::vector<double> values(300'000);
        std::generate(values.begin(), values.end(), draw);
        return values;
    };
    std::normal_distribution<double> normal{0.0, 3.0};
    std::uniform_real_distribution<double> narrow{1.0, 1.0 + 1e-12};
    std::uniform_int_distribution<int> digit{0, 9};
    cases.push_back(many([&] { return normal(random); }));
    // All values within a few units of each other: the bits part only in the last round.
    cases.push_back(many([&] { return narrow(random); }));
    // The same value throughout, and a tie across the rank.
    cases.push_back(std::vector<double>(300'000, -2.5));
    cases.push_back(many([&] { return static_cast<double>(digit(random)); }));
    // NaN, infinities, both zeros, subnormals and the largest doubles beside ordinary values.
    cases.push_back(many([&] {
        const double special[] = {kNaN, kInf, -kInf, 0.0, -0.0, 4.9e-324, -1e-310, 1.7e308, -1.7e308};
        return digit(random) < 5 ? special[static_cast<std::size_t>(digit(random)) % std::size(special)]
                                 : normal(random);
    }));
    cases.push_back({kNaN, 3.0, kInf});
    cases.push_back({-0.0});
    return cases;
}

TEST(TypicalSizeTest, AgreesWithSortingTheSizes)
{
    for (const std::vector<double>& values : Cases()) {
        const std::optional<double> expected = BySorting(values);
        const std::optional<double> found = TypicalSize(values);
        ASSERT_TRUE(found.has_value());
        EXPECT_EQ(*found, *expected) << values.size() << " values, first " << values.front();
    }
}

TEST(TypicalSizeTest, NothingWithoutAFiniteValue)
{
    EXPECT_FALSE(TypicalSize(std::vector<double>{}).has_value());
    EXPECT_FALSE(TypicalSize(std::vector<double>{kNaN, kInf, -kInf}).has_value());
}

} // namespace
