#include "console/ArgumentText.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>

// A number with the point is read to the last bit, the comma grouping thousands; everything else
// is left to the reading with the decimal comma and of expressions, so "1,00" must not be 100.
TEST(ArgumentText, ReadsDecimalNumbersWithGroupedThousands)
{
    const struct
    {
        const char* text;
        std::optional<double> value;
    } cases[] = {
        {"0.1", 0.1},       {"6.283185307179586", 6.283185307179586},
        {"1,000", 1000.0},  {"-12,345,678.5", -12345678.5},
        {"1,000e3", 1e6},   {"+2", 2.0},
        {".5", 0.5},        {"5.", 5.0},
        {"1E+1", 10.0},     {"1,00", std::nullopt},
        {"1234,567", std::nullopt}, {",123", std::nullopt},
        {"1,", std::nullopt}, {"1e", std::nullopt},
        {".", std::nullopt}, {"inf", std::nullopt},
        {"1e999", std::nullopt}, {" 1", std::nullopt},
        {"0x10", std::nullopt}, {"+-1", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseDecimalNumber(c.text), c.value);
    }
}

TEST(ArgumentText, ReadsWholeNumbersInTheRangeOfInt)
{
    const struct
    {
        const char* text;
        std::optional<int> value;
    } cases[] = {
        {"+1", 1}, {"01", 1}, {"-2147483648", INT_MIN}, {"2147483647", INT_MAX},
        {"2147483648", std::nullopt}, {"1.0", std::nullopt}, {"", std::nullopt}, {"-", std::nullopt},
        {"1 ", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseWholeNumber(c.text), c.value);
    }
}

// A file name goes into a message before the count does; a marker in the name takes the count,
// as the messages have always been filled.
TEST(ArgumentText, FillsTheLowestMarker)
{
    const struct
    {
        const char* text;
        const char* value;
        const char* filled;
    } cases[] = {
        {"--function 2: %2 nur %3", "die Datei \"a.zel\" enthält", "--function 2: die Datei \"a.zel\" enthält nur %3"},
        {"--function 2: die Datei \"%1.zel\" enthält nur %3", "eine Funktion",
         "--function 2: die Datei \"eine Funktion.zel\" enthält nur %3"},
        {"%3 and %L3 and %10", "x", "x and x and %10"},
        {"100% sicher", "x", "100% sicher"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ReplaceLowestEscape(c.text, c.value), c.filled);
    }
}
