#include "engine/ErrorFlags.h"
#include "engine/MathFunctions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace {

TEST(FunctionTable, NamesInTheirOrder)
{
    const char* expected[] = {"(",    "sin(",  "cos(", "sqrt(", "tan(", "exp(",  "ln(",
                              "log(", "acos(", "asin(", "atan(", "abs(", "sinh(", "cosh(",
                              "tanh(", "ceil(", "floor(", "fib(", "!(",   "sgn(",  "int("};
    for (int i = 0; i < kFunctionCount; ++i) {
        EXPECT_EQ(g_functionTable[i].name, expected[i]) << i;
    }
}

TEST(FunctionTable, NotANumberPassesThroughWithoutError)
{
    g_mathError = 0;
    for (const auto& entry : g_functionTable) {
        entry.compute(std::nan(""));
    }
    EXPECT_EQ(g_mathError, 0);
}

TEST(FunctionTable, InfiniteArgumentsOnlyFailWhereTheResultIsNoNumber)
{
    g_mathError = 0;
    EXPECT_EQ(g_functionTable[5].compute(HUGE_VAL), HUGE_VAL); // exp
    EXPECT_EQ(g_functionTable[6].compute(HUGE_VAL), HUGE_VAL); // ln
    EXPECT_EQ(g_mathError, 0);
    EXPECT_EQ(g_functionTable[1].compute(HUGE_VAL), 1.0); // sin
    EXPECT_EQ(g_mathError, 1);
}

TEST(CheckedPow, Cases)
{
    const struct
    {
        double base, exponent, expected;
        int error;
    } cases[] = {
        {2, 10, 1024, 0}, {0, 0, 1, 0},          {0, -1, 1, 1},           {-8, 1.0 / 3, 1, 1},
        {10, 400, 1, 1},  {10, -400, 0, 0},      {HUGE_VAL, 2, HUGE_VAL, 0}, {-2, 2, 4, 0},
    };
    for (const auto& c : cases) {
        g_mathError = 0;
        EXPECT_EQ(CheckedPow(c.base, c.exponent), c.expected) << c.base << "^" << c.exponent;
        EXPECT_EQ(g_mathError, c.error) << c.base << "^" << c.exponent;
    }
}

TEST(Fibonacci, MatchesTheRecursionForSmallArguments)
{
    // The recursive definition itself, for the arguments where it is cheap.
    std::function<double(double)> reference = [&](double a) {
        return a <= 1 ? 1.0 : reference(a - 1) + reference(a - 2);
    };
    for (double a = -2; a <= 20; a += 0.25) {
        EXPECT_EQ(Fibonacci(a), reference(a)) << a;
    }
}

TEST(Factorial, MatchesTheRecursion)
{
    std::function<double(double)> reference = [&](double a) { return a <= 1 ? 1.0 : a * reference(a - 1); };
    for (double a = -2; a <= 180; a += 0.75) {
        EXPECT_EQ(Factorial(a), reference(a)) << a;
    }
    EXPECT_EQ(Factorial(200), HUGE_VAL);
    EXPECT_EQ(Factorial(std::nan("")), 1.0);
}

} // namespace
