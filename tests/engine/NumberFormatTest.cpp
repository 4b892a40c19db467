#include "engine/NumberText.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>

namespace {

TEST(FormatNumber, FixedPointWithoutTrailingZeros)
{
    const struct
    {
        double value;
        const char* text;
    } cases[] = {
        {2, "2"},           {-3, "-3"},           {1.5, "1.5"},         {-0.25, "-0.25"},
        {0.1, "0.1"},       {100, "100"},         {10.05, "10.05"},     {123.456789, "123.45679"},
        {0.00001, "0.00001"}, {0.000004, "0"},    {-0.000004, "-0"},    {0.000006, "0.00001"},
        {1234567.125, "1234567.125"}, {0, "0"},   {-0.0, "-0"},         {2.999996, "3"},
        {1000000, "1000000"}, {0.5, "0.5"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatNumber(c.value), c.text) << c.value;
    }
}

TEST(FormatNumber, LongestFixedTextsStayFixed)
{
    // 45 integer digits plus ".00000" is 51 characters: still fixed point.
    const std::string text = FormatNumber(9e44);
    EXPECT_EQ(text.size(), 45u);
    EXPECT_EQ(text.find('e'), std::string::npos);
}

TEST(FormatNumber, TooLongForFixedPointUsesExponentForm)
{
    // The double nearest to 1e45 is just below it and still fits; 1e46 does not.
    EXPECT_EQ(FormatNumber(1e46), "1e+46");
    EXPECT_EQ(FormatNumber(-1e44), "-1e+44");
    EXPECT_EQ(FormatNumber(1.234567e300), "1.23457e+300");
    EXPECT_EQ(FormatNumber(std::numeric_limits<double>::max()), "1.79769e+308");
}

TEST(FormatNumber, InfinitiesAndNotANumber)
{
    EXPECT_EQ(FormatNumber(HUGE_VAL), "inf");
    EXPECT_EQ(FormatNumber(-HUGE_VAL), "-inf");
    EXPECT_EQ(FormatNumber(std::nan("")), "nan");
    EXPECT_EQ(FormatNumber(-std::nan("")), "nan");
}

TEST(FormatNumber, IgnoresTheLocale)
{
    // A German locale would print a decimal comma through printf; numbers must keep the point.
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) {
        GTEST_SKIP() << "no German locale installed";
    }
    EXPECT_EQ(FormatNumber(1.5), "1.5");
    std::setlocale(LC_NUMERIC, saved.c_str());
}

} // namespace
