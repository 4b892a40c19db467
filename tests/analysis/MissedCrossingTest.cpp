// The band of a scan is half a scan step wide; a crossing steeper than about 1 jumps over it
// between two points. These tables hold the scans to every such crossing at every precision, to
// nothing at poles and jumps, and, in the exact mode, to one line per point at its true place.
#include "RecordingSink.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <regex>
#include <vector>

namespace {

constexpr double kPi = std::numbers::pi;
const double kCubicTurn = 2 / std::sqrt(3.0);

struct SPoint
{
    char letter;
    double x;
    double k{0};
};

std::vector<CPointLine> PointLines(EAnalysis kind, const CGraphFunction& f, const CScaling& axis,
                                   int precision, const SDiscussOptions& options = {})
{
    CRecordingSink sink;
    RunAnalysis(kind, f, axis, precision, options, sink);
    std::vector<CPointLine> points;
    for (const std::string& line : sink.m_lines) {
        if (const std::optional<CPointLine> point = ParsePointLine(line)) {
            points.push_back(*point);
        }
    }
    return points;
}

struct SScanCase
{
    const char* name;
    CGraphFunction function;
    double from;
    double to;
    EAnalysis kind;
    std::vector<SPoint> expected; // the real points; at poles and jumps there are none
};

class SteepCrossings : public ::testing::TestWithParam<SScanCase>
{
};

// Every line lies near an expected point with its letter, and every expected point has a line;
// in the exact mode exactly one.
TEST_P(SteepCrossings, FoundAtEveryPrecisionAndNothingElse)
{
    const SScanCase& c = GetParam();
    for (int precision = 1; precision <= 10; ++precision) {
        for (const bool exact : {false, true}) {
            SCOPED_TRACE("p = " + std::to_string(precision) + (exact ? ", exact" : ""));
            std::vector<int> seen(c.expected.size(), 0);
            for (const CPointLine& line :
                 PointLines(c.kind, c.function, MakeAxis(c.from, c.to), precision, {exact, 5})) {
                const auto near = [&](const SPoint& e) {
                    return line.letter == e.letter && std::fabs(line.x - e.x) < 1e-3 &&
                           line.k.value_or(0) == e.k;
                };
                const auto match = std::find_if(c.expected.begin(), c.expected.end(), near);
                ASSERT_NE(match, c.expected.end()) << line.letter << " at " << line.x;
                ++seen[static_cast<std::size_t>(match - c.expected.begin())];
            }
            for (std::size_t i = 0; i < seen.size(); ++i) {
                EXPECT_TRUE(exact ? seen[i] == 1 : seen[i] >= 1)
                    << c.expected[i].letter << " at " << c.expected[i].x;
            }
        }
    }
}

std::vector<SPoint> SineZeros()
{
    std::vector<SPoint> zeros;
    for (int m = -11; m <= 11; ++m) {
        zeros.push_back({'N', m * kPi / 7});
    }
    return zeros;
}

INSTANTIATE_TEST_SUITE_P(
    Steep, SteepCrossings,
    ::testing::Values(
        SScanCase{"CubicZeros",
                  MakeFunction("0.5*x^3-2*x"),
                  -10,
                  10,
                  EAnalysis::Zeros,
                  {{'N', -2}, {'N', 0}, {'N', 2}}},
        SScanCase{"CubicExtrema",
                  MakeFunction("0.5*x^3-2*x"),
                  -10,
                  10,
                  EAnalysis::Extrema,
                  {{'H', -kCubicTurn}, {'T', kCubicTurn}}},
        SScanCase{
            "CubicInflection", MakeFunction("0.5*x^3-2*x"), -10, 10, EAnalysis::Inflections, {{'W', 0}}},
        SScanCase{"SineZeros", MakeFunction("sin(7*x)"), -5, 5, EAnalysis::Zeros, SineZeros()},
        SScanCase{"FamilyZeros",
                  MakeFunction("k*x^3-x", 1, 1, 3, 1),
                  -2,
                  2,
                  EAnalysis::Zeros,
                  {{'N', -1, 1},
                   {'N', 0, 1},
                   {'N', 1, 1},
                   {'N', -1 / std::sqrt(2.0), 2},
                   {'N', 0, 2},
                   {'N', 1 / std::sqrt(2.0), 2},
                   {'N', -1 / std::sqrt(3.0), 3},
                   {'N', 0, 3},
                   {'N', 1 / std::sqrt(3.0), 3}}},
        SScanCase{"FamilyExtrema",
                  MakeFunction("k*x^3-x", 1, 1, 3, 1),
                  -2,
                  2,
                  EAnalysis::Extrema,
                  {{'H', -1 / std::sqrt(3.0), 1},
                   {'T', 1 / std::sqrt(3.0), 1},
                   {'H', -1 / std::sqrt(6.0), 2},
                   {'T', 1 / std::sqrt(6.0), 2},
                   {'H', -1.0 / 3, 3},
                   {'T', 1.0 / 3, 3}}}),
    [](const auto& info) { return std::string{info.param.name}; });

// A pole or a jump changes sign between two scan points as a steep crossing does; bisecting it
// ends far from 0, or where the term is not defined, and yields nothing. Near a pole the
// difference formulas of f' and f'' change sign too, where their stencil reaches across it.
INSTANTIATE_TEST_SUITE_P(
    PolesAndJumps, SteepCrossings,
    ::testing::Values(
        SScanCase{"ReciprocalZeros", MakeFunction("1/x"), -5, 5, EAnalysis::Zeros, {}},
        SScanCase{"ReciprocalExtrema", MakeFunction("1/x"), -5, 5, EAnalysis::Extrema, {}},
        SScanCase{"ReciprocalInflections", MakeFunction("1/x"), -5, 5, EAnalysis::Inflections, {}},
        SScanCase{"TangentZeros",
                  MakeFunction("tan(x)"),
                  -5,
                  5,
                  EAnalysis::Zeros,
                  {{'N', -kPi}, {'N', 0}, {'N', kPi}}},
        SScanCase{"TangentExtrema", MakeFunction("tan(x)"), -5, 5, EAnalysis::Extrema, {}},
        SScanCase{"TangentInflections",
                  MakeFunction("tan(x)"),
                  -5,
                  5,
                  EAnalysis::Inflections,
                  {{'W', -kPi}, {'W', 0}, {'W', kPi}}},
        SScanCase{"IntegerPartZeros", MakeFunction("int(x)-0.5"), -5, 5, EAnalysis::Zeros, {}},
        SScanCase{"SignZeros", MakeFunction("sgn(x)"), -5, 5, EAnalysis::Zeros, {}},
        SScanCase{"LogarithmZeros", MakeFunction("ln(x)"), -5, 5, EAnalysis::Zeros, {{'N', 1}}}),
    [](const auto& info) { return std::string{info.param.name}; });

// In monotony a missed crossing of f' closes an interval there, as a band hit would: the steep
// cubic has three intervals at every precision, cut near its two turning points.
TEST(SteepCrossings, CloseMonotonyIntervalsAtEveryPrecision)
{
    const std::regex interval{R"(^\[ (\S+); (\S+) \] monoton (steigend|fallend)$)"};
    const double cuts[] = {-10, -kCubicTurn, kCubicTurn, 10};
    const char* const words[] = {"steigend", "fallend", "steigend"};
    for (int precision = 1; precision <= 10; ++precision) {
        SCOPED_TRACE("p = " + std::to_string(precision));
        const auto lines =
            Lines(EAnalysis::Monotony, MakeFunction("0.5*x^3-2*x"), MakeAxis(-10, 10), precision);
        ASSERT_EQ(lines.size(), 3U);
        for (std::size_t i = 0; i < lines.size(); ++i) {
            std::smatch m;
            ASSERT_TRUE(std::regex_match(lines[i], m, interval)) << lines[i];
            EXPECT_NEAR(std::stod(m[1].str()), cuts[i], 1e-4) << lines[i];
            EXPECT_NEAR(std::stod(m[2].str()), cuts[i + 1], 1e-4) << lines[i];
            EXPECT_EQ(m[3].str(), words[i]) << lines[i];
        }
    }
}

// The exact mode against points known in closed form: each once. The target is 1e-9 relative;
// with exact derivatives only rounding is left, and the difference formulas would miss 1e-12 here
// by up to three orders (the inflection points of x/(x^2+1) and of x^3-3*x^2+1000).
struct SExactCase
{
    const char* term;
    double from;
    double to;
    EAnalysis kind;
    std::vector<SPoint> expected;
};

class ExactPoints : public ::testing::TestWithParam<SExactCase>
{
};

TEST_P(ExactPoints, OnceEachAtTheClosedForm)
{
    const SExactCase& c = GetParam();
    for (const int precision : {3, 10}) {
        SCOPED_TRACE("p = " + std::to_string(precision));
        const auto lines =
            PointLines(c.kind, MakeFunction(c.term), MakeAxis(c.from, c.to), precision, {true, 15});
        ASSERT_EQ(lines.size(), c.expected.size());
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const SPoint& e = c.expected[i];
            EXPECT_EQ(lines[i].letter, e.letter) << e.x;
            EXPECT_LE(std::fabs(lines[i].x - e.x), 1e-12 * std::fmax(1, std::fabs(e.x)))
                << lines[i].x << " vs " << e.x;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    ClosedForms, ExactPoints,
    ::testing::Values(
        SExactCase{"0.5*x^3-2*x", -10, 10, EAnalysis::Zeros, {{'N', -2}, {'N', 0}, {'N', 2}}},
        SExactCase{"0.5*x^3-2*x", -10, 10, EAnalysis::Extrema, {{'H', -kCubicTurn}, {'T', kCubicTurn}}},
        SExactCase{"0.5*x^3-2*x", -10, 10, EAnalysis::Inflections, {{'W', 0}}},
        SExactCase{"x^2-2", -5, 5, EAnalysis::Zeros, {{'N', -std::sqrt(2.0)}, {'N', std::sqrt(2.0)}}},
        SExactCase{"sin(x)", -5, 5, EAnalysis::Zeros, {{'N', -kPi}, {'N', 0}, {'N', kPi}}},
        SExactCase{"sin(x)",
                   -5,
                   5,
                   EAnalysis::Extrema,
                   {{'H', -3 * kPi / 2}, {'T', -kPi / 2}, {'H', kPi / 2}, {'T', 3 * kPi / 2}}},
        SExactCase{"sin(x)", -5, 5, EAnalysis::Inflections, {{'W', -kPi}, {'W', 0}, {'W', kPi}}},
        SExactCase{"cos(2*x)",
                   -3,
                   3,
                   EAnalysis::Zeros,
                   {{'N', -3 * kPi / 4}, {'N', -kPi / 4}, {'N', kPi / 4}, {'N', 3 * kPi / 4}}},
        SExactCase{"exp(x)-2", -5, 5, EAnalysis::Zeros, {{'N', std::log(2.0)}}},
        SExactCase{"x*exp(-x)", -1, 5, EAnalysis::Extrema, {{'H', 1}}},
        SExactCase{"x*exp(-x)", -1, 5, EAnalysis::Inflections, {{'W', 2}}},
        SExactCase{"ln(x)-1", 0.5, 5, EAnalysis::Zeros, {{'N', std::exp(1.0)}}},
        SExactCase{"x*ln(x)", 0.1, 3, EAnalysis::Extrema, {{'T', std::exp(-1.0)}}},
        SExactCase{"sqrt(x)-1.5", 0, 5, EAnalysis::Zeros, {{'N', 2.25}}},
        SExactCase{"x/(x^2+1)", -5, 5, EAnalysis::Extrema, {{'T', -1}, {'H', 1}}},
        SExactCase{"x/(x^2+1)",
                   -5,
                   5,
                   EAnalysis::Inflections,
                   {{'W', -std::sqrt(3.0)}, {'W', 0}, {'W', std::sqrt(3.0)}}},
        // Large values beside a small third derivative: the difference formula of f'' loses
        // about seven digits to rounding here, the closest this table comes to its target.
        SExactCase{"x^3-3*x^2+1000", -5, 5, EAnalysis::Inflections, {{'W', 1}}},
        SExactCase{"(x^2-4)/(x-5)", -5, 4.5, EAnalysis::Zeros, {{'N', -2}, {'N', 2}}}));

// A root that touches 0 without changing sign is one point, not a run of lines.
struct STouchCase
{
    const char* term;
    EAnalysis kind;
    std::vector<std::string> lines;
};

class TouchingPoints : public ::testing::TestWithParam<STouchCase>
{
};

TEST_P(TouchingPoints, OneLineEach)
{
    const STouchCase& c = GetParam();
    for (const int precision : {1, 3, 10}) {
        SCOPED_TRACE("p = " + std::to_string(precision));
        CRecordingSink sink;
        RunAnalysis(c.kind, MakeFunction(c.term), MakeAxis(-5, 5), precision, {true, 5}, sink);
        EXPECT_EQ(sink.m_lines, c.lines);
    }
}

INSTANTIATE_TEST_SUITE_P(
    DoubleRoots, TouchingPoints,
    ::testing::Values(
        STouchCase{"x^2", EAnalysis::Zeros, {"N ( 0 | 0 )"}},
        STouchCase{"(x-1)^2*(x+1)", EAnalysis::Zeros, {"N ( -1 | 0 )", "N ( 1 | 0 )"}},
        STouchCase{"x^2-2*x+1", EAnalysis::Zeros, {"N ( 1 | 0 )"}},
        // f' = 3x^2 touches 0 without a sign change: a saddle is no extremum.
        STouchCase{"x^3", EAnalysis::Extrema, {"Es wurden keine Extremwerte gefunden."}},
        // f' = 4x^3 changes sign, although f'' and f''' are 0 there as well.
        STouchCase{"x^4", EAnalysis::Extrema, {"T ( 0 | 0 )"}},
        // At 1 the difference formula of f'' is rounding noise of either sign; the exact one is 0.
        STouchCase{"(x-1)^4", EAnalysis::Extrema, {"T ( 1 | 0 )"}},
        STouchCase{"x^3", EAnalysis::Monotony, {"[ -5; 5 ] monoton steigend"}}));

} // namespace
