#include "engine/CompiledTerm.h"
#include "engine/ErrorFlags.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>

namespace {

struct SDerivativeCase
{
    const char* term;
    double x;
    std::array<double, 4> expected; // f, f', f'', f''' in closed form
};

class TermDerivatives : public ::testing::TestWithParam<SDerivativeCase>
{
};

TEST_P(TermDerivatives, MatchTheClosedForm)
{
    const SDerivativeCase& c = GetParam();
    const CCompiledTerm term{c.term};
    const CCompiledTerm::SDerivatives d = term.EvaluateDerivatives(c.x, 2.0);
    const double got[] = {d.value, d.first, d.second, d.third};
    for (int n = 0; n < 4; ++n) {
        EXPECT_NEAR(got[n], c.expected[n], 1e-12 * std::fmax(1, std::fabs(c.expected[n]))) << "order " << n;
    }
}

const double e = std::exp(1.0);

INSTANTIATE_TEST_SUITE_P(
    Terms, TermDerivatives,
    ::testing::Values(
        SDerivativeCase{"0.5*x^3-2*x", 3, {7.5, 11.5, 9, 3}},
        SDerivativeCase{"(x-1)^4", 1.5, {0.0625, 0.5, 3, 12}}, SDerivativeCase{"k*x^2", 3, {18, 12, 4, 0}},
        SDerivativeCase{"1/x", 2, {0.5, -0.25, 0.25, -0.375}},
        SDerivativeCase{"x/(x^2+1)", 1, {0.5, 0, -0.5, 1.5}},
        SDerivativeCase{"sin(x)*exp(x)", 0, {0, 1, 2, 2}}, SDerivativeCase{"cos(2*x)", 0, {1, 0, -4, 0}},
        SDerivativeCase{"sqrt(x)", 4, {2, 0.25, -1.0 / 32, 3.0 / 256}},
        SDerivativeCase{"ln(x)", e, {1, 1 / e, -1 / (e * e), 2 / (e * e * e)}},
        SDerivativeCase{
            "log(x)", 10, {1, 0.1 / std::log(10.0), -0.01 / std::log(10.0), 0.002 / std::log(10.0)}},
        SDerivativeCase{"tan(x)", 0, {0, 1, 0, 2}}, SDerivativeCase{"atan(x)", 0, {0, 1, 0, -2}},
        SDerivativeCase{"asin(x)", 0, {0, 1, 0, 1}},
        SDerivativeCase{"acos(x)", 0, {std::acos(0.0), -1, 0, -1}},
        SDerivativeCase{"sinh(x)+cosh(x)", 0, {1, 1, 1, 1}}, SDerivativeCase{"tanh(x)", 0, {0, 1, 0, -2}},
        SDerivativeCase{"x^x", 1, {1, 1, 2, 3}},
        SDerivativeCase{"2^x", 0, {1, std::log(2.0), std::pow(std::log(2.0), 2), std::pow(std::log(2.0), 3)}},
        SDerivativeCase{"abs(x)*x", -2, {-4, 4, -2, 0}}, SDerivativeCase{"int(x)+x", 2.5, {4.5, 1, 0, 0}}));

// The bounds of the rounding errors: the same values as without them, bounds that hold against the
// closed form, and bounds far below the values where nothing cancels, so that no true sign is lost.
TEST_P(TermDerivatives, BoundsHoldAndStayTight)
{
    const SDerivativeCase& c = GetParam();
    const CCompiledTerm term{c.term};
    const CCompiledTerm::SDerivatives plain = term.EvaluateDerivatives(c.x, 2.0);
    const CCompiledTerm::SBoundedDerivatives d = term.EvaluateDerivativesWithBounds(c.x, 2.0);
    const double values[] = {d.value.value, d.value.first, d.value.second, d.value.third};
    const double bounds[] = {d.bound.value, d.bound.first, d.bound.second, d.bound.third};
    const double same[] = {plain.value, plain.first, plain.second, plain.third};
    for (int n = 0; n < 4; ++n) {
        const double size = std::fmax(1, std::fabs(c.expected[n]));
        EXPECT_EQ(values[n], same[n]) << "order " << n;
        // The closed form is itself rounded, by a few units.
        EXPECT_LE(std::fabs(values[n] - c.expected[n]), bounds[n] + 8e-16 * size) << "order " << n;
        EXPECT_LE(bounds[n], 1e-12 * size) << "order " << n;
    }
}

// Beside a removable gap the quotient's derivatives are differences of nearly equal numbers
// divided by powers of x - 1: whatever the rounding left, the bound covers it.
TEST(TermDerivativeBounds, CoverTheNoiseOfACancellation)
{
    const struct
    {
        const char* term;
        double x;
        int order;
        double exact;
    } cases[] = {
        {"(x^2-1)/(x-1)", 1 + 1e-6, 2, 0},
        {"(x^2-1)/(x-1)", 1 - 3e-9, 2, 0},
        {"(x^2-1)/(x-1)", 1 + 1e-6, 1, 1},
        {"(x^2-1)/(x-1)", 3, 3, 0},
        {"(x^3-x)/(x-1)", 1 + 1e-7, 2, 2},
        {"(x^3-x)/(x-1)", 1 - 1e-5, 3, 0},
        {"x^4-4*x^3+6*x^2-4*x+1", 1.0001, 0, 1e-16},
        {"sin(x)^2+cos(x)^2", 0.7, 1, 0},
        {"exp(x)*exp(0-x)", 2, 2, 0},
        {"sqrt(x^2+0.000001)-x", 1e3, 1, -5e-13},
    };
    for (const auto& c : cases) {
        const CCompiledTerm::SBoundedDerivatives d =
            CCompiledTerm{c.term}.EvaluateDerivativesWithBounds(c.x, 0);
        const double values[] = {d.value.value, d.value.first, d.value.second, d.value.third};
        const double bounds[] = {d.bound.value, d.bound.first, d.bound.second, d.bound.third};
        EXPECT_LE(std::fabs(values[c.order] - c.exact), bounds[c.order])
            << c.term << " at " << c.x << ", order " << c.order << ": " << values[c.order];
    }
}

// Where the term is not defined, or a function carries no derivative, the derivatives are unknown
// rather than wrong; the flags are left as they were.
TEST(TermDerivatives, UnknownWhereTheTermFails)
{
    for (const char* text : {"1/x", "ln(x)", "sqrt(x-1)", "!(x)"}) {
        g_mathError = 0;
        const CCompiledTerm::SDerivatives d =
            CCompiledTerm{text}.EvaluateDerivatives(text[0] == '!' ? 2.5 : 0, 0);
        EXPECT_TRUE(std::isnan(d.first) && std::isnan(d.second) && std::isnan(d.third)) << text;
        EXPECT_EQ(g_mathError, 0) << text;
    }
}

} // namespace

namespace {

bool Same(double a, double b)
{
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b) ||
           (std::isnan(a) && std::isnan(b));
}

// Carrying fewer orders gives the same bits for the orders carried, also where a part fails, where
// the exponent of a power varies with x (whose way of differentiating depends on every order), and
// where a constant exponent's jet leaves out the powers it does not need.
TEST(TermDerivatives, FewerOrdersGiveTheSameBits)
{
    const char* const terms[] = {
        "sin(x)*exp(-x^2/4)", "x^x",        "2^(x^3)",      "x^(x-x)",   "(x^2-1)/(x-1)",
        "sqrt(x)^3-x^4/k",    "x^0.5+x^-2", "cos(x)/x",     "tan(x)^k",  "ln(abs(x))*sinh(x)",
        "!(x)+atan(x)^5",     "1/(x-2)",    "cosh(x)^-1.5", "asin(x/4)", "(x+2)^((x-1)^3+2.5)"};
    for (const char* text : terms) {
        const CCompiledTerm term{text};
        for (double x = -4.25; x <= 4.25; x += 0.125) {
            const CCompiledTerm::SDerivatives full = term.EvaluateDerivatives(x, 2.5);
            for (int highest = 1; highest <= 3; ++highest) {
                const int saved = g_mathError = 7;
                const CCompiledTerm::SDerivatives d = term.EvaluateDerivatives(x, 2.5, highest);
                EXPECT_EQ(g_mathError, saved);
                const double want[] = {full.value, full.first, highest >= 2 ? full.second : NAN,
                                       highest >= 3 ? full.third : NAN};
                const double got[] = {d.value, d.first, d.second, d.third};
                for (int n = 0; n < 4; ++n) {
                    EXPECT_TRUE(Same(got[n], want[n]))
                        << text << " at " << x << " up to " << highest << ", order " << n << ": " << got[n]
                        << " instead of " << want[n];
                }
            }
        }
    }
    g_mathError = 0;
}

} // namespace
