#include "RecordingSink.h"

#include "document/StepLoop.h"
#include "engine/NumberText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <functional>

namespace {

std::string Num(double v)
{
    return FormatNumber(v);
}

TEST(ScanStep, FollowsThePrecisionTable)
{
    const double expected[] = {2.220446049250313e-05, 1.9984014443252818e-05, 1.7763568394002505e-05,
                               1.554312234475219e-05, 1.3322676295501878e-05, 1.1102230246251565e-05,
                               8.881784197001252e-06, 6.661338147750939e-06,  4.440892098500626e-06,
                               2.220446049250313e-06};
    for (int p = 1; p <= 10; ++p) {
        EXPECT_EQ(ScanStep(p), expected[p - 1]) << "p = " << p;
    }
}

TEST(ScanStep, PrecisionOutsideOneToTenIsClamped)
{
    EXPECT_EQ(ClampPrecision(0), 1);
    EXPECT_EQ(ClampPrecision(INT_MIN), 1);
    EXPECT_EQ(ClampPrecision(11), 10);
    EXPECT_EQ(ClampPrecision(INT_MAX), 10);
    EXPECT_EQ(ScanStep(11), ScanStep(10));
    EXPECT_GT(ScanStep(11), 0.0); // 11 unclamped would give a step of 0 and a scan without end
    EXPECT_EQ(ScanStep(-4), ScanStep(1));

    const auto f = MakeFunction("x^2");
    const auto axis = MakeAxis(-0.01, 0.01);
    EXPECT_EQ(Lines(EAnalysis::Zeros, f, axis, 0), Lines(EAnalysis::Zeros, f, axis, 1));
    EXPECT_EQ(Lines(EAnalysis::Zeros, f, axis, 11), Lines(EAnalysis::Zeros, f, axis, 10));
}

// Zeros of polynomials the interpreter computes exactly (x^2 is pow(x, 2), which equals x * x):
// every scan point of the shared loop with |f(x)| < h / 2 yields its own line, no merging.
struct ZeroCase
{
    const char* term;
    std::function<double(double)> f;
    double from;
    double to;
    int precision;
    std::size_t minimumLines; // guards against an oracle that finds nothing either
};

void PrintTo(const ZeroCase& c, std::ostream* os)
{
    *os << c.term << " at p = " << c.precision;
}

class ZerosAgainstTheBand : public ::testing::TestWithParam<ZeroCase>
{
};

TEST_P(ZerosAgainstTheBand, OneLinePerScanPointInTheBand)
{
    const ZeroCase& c = GetParam();
    const double h = ScanStep(c.precision);
    const double t = h / 2.0;
    std::vector<std::string> expected;
    // A sign change between two points outside the band is a crossing the band missed (these
    // polynomials are continuous): the nearer of the two points yields the line.
    double previousX = std::nan("");
    double previousY = std::nan("");
    ForEachStep(c.from, c.to, h, [&](double x) {
        const double y = c.f(x);
        const bool outside = std::fabs(y) >= t;
        if (outside && std::fabs(previousY) >= t && previousY * y < 0) {
            const bool nearer = std::fabs(y) < std::fabs(previousY);
            expected.push_back("N ( " + Num(nearer ? x : previousX) + " | " + Num(nearer ? y : previousY) +
                               " )");
        }
        if (!outside) {
            expected.push_back("N ( " + Num(x) + " | " + Num(y) + " )");
        }
        previousX = x;
        previousY = y;
    });
    if (expected.empty()) {
        expected.emplace_back("Es wurden keine Nullstellen gefunden.");
    }
    const auto lines = Lines(EAnalysis::Zeros, MakeFunction(c.term), MakeAxis(c.from, c.to), c.precision);
    EXPECT_EQ(lines, expected);
    EXPECT_GE(lines.size(), c.minimumLines);
}

INSTANTIATE_TEST_SUITE_P(
    Polynomials, ZerosAgainstTheBand,
    ::testing::Values(ZeroCase{"x", [](double x) { return x; }, -5, 5, 3, 1},
                      ZeroCase{"x^2", [](double x) { return x * x; }, -5, 5, 3, 330},
                      ZeroCase{"x^2", [](double x) { return x * x; }, -0.1, 0.1, 10, 940},
                      // The slope 2.8 at sqrt(2) makes the band narrower than the step: the band
                      // misses the zero, the sign change finds it.
                      ZeroCase{"x*x-2", [](double x) { return x * x - 2; }, 0, 2, 1, 1}));

TEST(Zeros, SlopeOneGivesExactlyOneLineAtZero)
{
    const auto lines = Lines(EAnalysis::Zeros, MakeFunction("x"), MakeAxis(-5, 5));
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(lines[0] == "N ( 0 | 0 )" || lines[0] == "N ( -0 | -0 )") << lines[0];
}

TEST(Zeros, XSquaredRunIsAboutThreeHundredThirtyFiveLines)
{
    const auto lines = Lines(EAnalysis::Zeros, MakeFunction("x^2"), MakeAxis(-5, 5));
    // |x| < sqrt(t) = 0.00298 on a grid of h = 1.78e-5.
    EXPECT_NEAR(static_cast<double>(lines.size()), 2 * std::sqrt(ScanStep(3) / 2) / ScanStep(3), 2.0);
}

TEST(ValueTable, XSquaredOnTheDefaultAxis)
{
    CRecordingSink sink;
    ComputeValueTable(MakeFunction("x^2"), CScaling{}, sink);
    ASSERT_EQ(sink.m_lines.size(), 13u);
    EXPECT_EQ(sink.m_lines[0], "x\tf(x)\tf'(x)\tf''(x)");
    EXPECT_EQ(sink.m_lines[1], "");
    EXPECT_EQ(sink.m_lines[2], "-5\t25\t-10\t2");
    EXPECT_EQ(sink.m_lines[12], "5\t25\t10\t2");
    for (int i = 0; i <= 10; ++i) {
        const double x = -5 + i;
        EXPECT_EQ(sink.m_lines[2 + i], Num(x) + '\t' + Num(x * x) + '\t' + Num(2 * x) + "\t2");
    }
    EXPECT_EQ(sink.m_columns, std::vector<int>{4});
}

TEST(ValueTable, FamilyAddsTheKColumnAndAnEmptyLineAfterEveryGroup)
{
    CRecordingSink sink;
    ComputeValueTable(MakeFunction("k*x^2", 1, 1, 3, 1), MakeAxis(-1, 1, 1), sink);
    std::vector<std::string> expected{"x\tf(x)\tf'(x)\tf''(x)\tk", ""};
    for (int k = 1; k <= 3; ++k) {
        for (int x = -1; x <= 1; ++x) {
            expected.push_back(Num(x) + '\t' + Num(k * x * x) + '\t' + Num(2 * k * x) + '\t' + Num(2 * k) +
                               '\t' + Num(k));
        }
        expected.emplace_back();
    }
    EXPECT_EQ(sink.m_lines, expected);
    EXPECT_EQ(sink.m_columns, std::vector<int>{5});
}

TEST(ValueTable, StepOfZeroOrBelowGivesOneRowAtTheStart)
{
    CScaling equalEnds;
    equalEnds.SetXRange(2, 2, 1); // the setter makes the step 0
    CScaling negative;
    negative.SetXRange(-1, 1, -0.5);
    for (const CScaling& axis : {equalEnds, negative}) {
        double from{};
        double to{};
        double step{};
        axis.GetXRange(from, to, step);
        ASSERT_LE(step, 0.0);
        CRecordingSink sink;
        ComputeValueTable(MakeFunction("x^2"), axis, sink);
        ASSERT_EQ(sink.m_lines.size(), 3u);
        EXPECT_EQ(sink.m_lines[2], Num(from) + '\t' + Num(from * from) + '\t' + Num(2 * from) + "\t2");
        // No usable work estimate: the indicator never moves.
        EXPECT_TRUE(
            std::all_of(sink.m_progress.begin(), sink.m_progress.end(), [](int p) { return p == 0; }));
    }
}

// Results whose place is known: the letter and about where the scan point lies.
struct PointCase
{
    const char* name;
    EAnalysis kind;
    const char* term;
    double from;
    double to;
    int precision;
    std::vector<std::pair<char, double>> expected; // letter, x
};

void PrintTo(const PointCase& c, std::ostream* os)
{
    *os << c.name;
}

class KnownPoints : public ::testing::TestWithParam<PointCase>
{
};

TEST_P(KnownPoints, OneLineEachInOrder)
{
    const PointCase& c = GetParam();
    const auto lines = Lines(c.kind, MakeFunction(c.term), MakeAxis(c.from, c.to), c.precision);
    ASSERT_EQ(lines.size(), c.expected.size()) << ::testing::PrintToString(lines);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto p = ParsePointLine(lines[i]);
        ASSERT_TRUE(p) << lines[i];
        EXPECT_EQ(p->letter, c.expected[i].first) << lines[i];
        EXPECT_NEAR(p->x, c.expected[i].second, 1e-5) << lines[i];
        EXPECT_FALSE(p->k.has_value());
    }
}

const double pi = 3.14159265358979;

INSTANTIATE_TEST_SUITE_P(
    Functions, KnownPoints,
    ::testing::Values(
        PointCase{"CubicExtrema", EAnalysis::Extrema, "x^3-3*x", -5, 5, 3, {{'H', -1}, {'T', 1}}},
        PointCase{"CubicInflection", EAnalysis::Inflections, "x^3-3*x", -5, 5, 3, {{'W', 0}}},
        PointCase{"CubeSaddle", EAnalysis::Inflections, "x^3", -1, 1, 3, {{'S', 0}}},
        PointCase{"SineZeros", EAnalysis::Zeros, "sin(x)", -5, 5, 3, {{'N', -pi}, {'N', 0}, {'N', pi}}},
        PointCase{"SineExtrema",
                  EAnalysis::Extrema,
                  "sin(x)",
                  -5,
                  5,
                  1,
                  {{'H', -1.5 * pi}, {'T', -0.5 * pi}, {'H', 0.5 * pi}, {'T', 1.5 * pi}}},
        PointCase{"SineInflections",
                  EAnalysis::Inflections,
                  "sin(x)",
                  -5,
                  5,
                  1,
                  {{'W', -pi}, {'W', 0}, {'W', pi}}}),
    [](const auto& info) { return std::string{info.param.name}; });

TEST(Extrema, CubicLinesToTheCharacter)
{
    EXPECT_EQ(Lines(EAnalysis::Extrema, MakeFunction("x^3-3*x"), CScaling{}),
              (std::vector<std::string>{"H ( -1 | 2 )", "T ( 1 | -2 )"}));
}

TEST(Extrema, FlatCubeReadsMaximaThenMinimaNeverSaddle)
{
    const auto lines = Lines(EAnalysis::Extrema, MakeFunction("x^3"), MakeAxis(-1, 1));
    // f' = 3x^2 lies in the band for |x| < sqrt(t / 3).
    const double h = ScanStep(3);
    EXPECT_NEAR(static_cast<double>(lines.size()), 2 * std::sqrt(h / 2 / 3) / h, 2.0);
    std::string letters;
    for (const auto& line : lines) {
        const auto p = ParsePointLine(line);
        ASSERT_TRUE(p) << line;
        EXPECT_EQ(p->letter == 'H', p->x < 0) << line;
        letters += p->letter;
    }
    const auto firstT = letters.find('T');
    ASSERT_NE(firstT, std::string::npos);
    EXPECT_EQ(letters.find_first_not_of('H'), firstT);
    EXPECT_EQ(letters.find_first_not_of('T', firstT), std::string::npos);
}

TEST(Monotony, CubicCutAtItsExtrema)
{
    EXPECT_EQ(Lines(EAnalysis::Monotony, MakeFunction("x^3-3*x"), MakeAxis(-2, 2)),
              (std::vector<std::string>{"[ -2; -1 ] monoton steigend", "[ -1; 1 ] monoton fallend",
                                        "[ 1; 2 ] monoton steigend"}));
    EXPECT_EQ(Lines(EAnalysis::Monotony, MakeFunction("-x"), MakeAxis(-5, 5)),
              (std::vector<std::string>{"[ -5; 5 ] monoton fallend"}));
}

// Left of 0 the logarithm reads as 1.0, so f' is 0 at every scan point whose first-derivative
// stencil (x +- 0.002) lies at x <= 0. The word comes from f'', whose stencil reaches x + 0.01:
// it is 0 (not negative, so "fallend") while x + 0.01 <= 0, positive while x + 0.005 <= 0, and
// strongly negative ("steigend") once x + 0.005 > 0.
TEST(Monotony, LogarithmLeftOfZero)
{
    const auto lines = Lines(EAnalysis::Monotony, MakeFunction("ln(x)"), MakeAxis(-1, 1));
    ASSERT_GT(lines.size(), 50000u);
    EXPECT_EQ(lines.front(), "[ -1; -1 ] monoton fallend");
    EXPECT_EQ(lines.back().substr(lines.back().find(';')), "; 1 ] monoton steigend");
    static const std::regex pattern{R"(^\[ (\S+); (\S+) \] monoton (steigend|fallend)$)"};
    int rising = 0;
    std::string previousEnd = "-1";
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
        std::smatch m;
        ASSERT_TRUE(std::regex_match(lines[i], m, pattern)) << lines[i];
        EXPECT_EQ(m[1].str(), previousEnd) << "intervals must join up: " << lines[i];
        previousEnd = m[2].str();
        const double x = std::stod(m[2].str());
        EXPECT_LT(x, -0.002 + 1e-5) << lines[i];
        if (std::fabs(x + 0.005) < 1e-5) {
            continue; // the formatted x is too coarse to tell the side
        }
        const char* word = x + 0.005 > 0 ? "steigend" : "fallend";
        EXPECT_EQ(m[3].str(), word) << lines[i];
        rising += m[3].str() == "steigend";
    }
    EXPECT_GT(rising, 100);
}

TEST(Monotony, NoFlatPointGivesOneIntervalPerFamilyValue)
{
    EXPECT_EQ(Lines(EAnalysis::Monotony, MakeFunction("x"), CScaling{}),
              std::vector<std::string>{"[ -5; 5 ] monoton steigend"});
    EXPECT_EQ(
        Lines(EAnalysis::Monotony, MakeFunction("k*x", 1, 1, 3, 1), MakeAxis(0, 4)),
        (std::vector<std::string>{"k = 1; [ 0; 4 ] monoton steigend", "", "k = 2; [ 0; 4 ] monoton steigend",
                                  "", "k = 3; [ 0; 4 ] monoton steigend", ""}));
    // -k*x is (-k)*x.
    EXPECT_EQ(Lines(EAnalysis::Monotony, MakeFunction("-k*x", 1, 0.5, 1, 0.25), MakeAxis(-1, 0)),
              (std::vector<std::string>{"k = 0.5; [ -1; 0 ] monoton fallend", "",
                                        "k = 0.75; [ -1; 0 ] monoton fallend", "",
                                        "k = 1; [ -1; 0 ] monoton fallend", ""}));
}

TEST(Family, EmptyLineOnlyAfterGroupsWithResults)
{
    // k = 4 and k = 5 have their zero outside the axis.
    const auto lines = Lines(EAnalysis::Zeros, MakeFunction("x-k", 1, 1, 5, 1), MakeAxis(0, 3.5), 1);
    std::vector<std::string> shape;
    for (const auto& line : lines) {
        if (line.empty()) {
            shape.emplace_back();
            continue;
        }
        const auto p = ParsePointLine(line);
        ASSERT_TRUE(p && p->k) << line;
        EXPECT_EQ(p->letter, 'N');
        EXPECT_NEAR(p->x, *p->k, 1e-5) << line;
        if (shape.empty() || shape.back() != Num(*p->k)) {
            shape.push_back(Num(*p->k));
        }
    }
    EXPECT_EQ(shape, (std::vector<std::string>{"1", "", "2", "", "3", ""}));
}

TEST(Family, TermWithKButNoFamilyUsesKFrom)
{
    const auto lines = Lines(EAnalysis::Zeros, MakeFunction("x-k", 0, 2, 9, 1), MakeAxis(0, 4), 1);
    ASSERT_EQ(lines.size(), 1u);
    const auto p = ParsePointLine(lines[0]);
    ASSERT_TRUE(p) << lines[0];
    EXPECT_FALSE(p->k.has_value());
    EXPECT_NEAR(p->x, 2, 1e-5);
}

TEST(Family, StepZeroRunsOnceWithoutProgress)
{
    const auto f = MakeFunction("x-k", 1, 1, 3, 0);
    double from{};
    double to{};
    double step{};
    f.GetRange(from, to, step);
    ASSERT_EQ(step, 0.0);
    CRecordingSink sink;
    ComputeZeros(f, MakeAxis(0, 4), 1, sink);
    ASSERT_EQ(sink.m_lines.size(), 2u);
    EXPECT_EQ(sink.m_lines[0].rfind("k = 1; N ( 1", 0), 0u) << sink.m_lines[0];
    EXPECT_EQ(sink.m_lines[1], "");
    EXPECT_TRUE(std::all_of(sink.m_progress.begin(), sink.m_progress.end(), [](int p) { return p == 0; }));
}

TEST(Family, NegativeStepRunsOnceAtFrom)
{
    const auto f = MakeFunction("k*x", 1, 1, 3, -1);
    EXPECT_EQ(Lines(EAnalysis::Monotony, f, MakeAxis(0, 1)),
              (std::vector<std::string>{"k = 1; [ 0; 1 ] monoton steigend", ""}));
}

struct NothingCase
{
    EAnalysis kind;
    const char* term;
    int family;
    const char* message;
};

class NothingFound : public ::testing::TestWithParam<NothingCase>
{
};

TEST_P(NothingFound, OnlyTheMessageLine)
{
    const NothingCase& c = GetParam();
    EXPECT_EQ(Lines(c.kind, MakeFunction(c.term, c.family, 1, 3, 1), MakeAxis(-1, 1), 1),
              std::vector<std::string>{c.message});
}

INSTANTIATE_TEST_SUITE_P(
    Messages, NothingFound,
    ::testing::Values(NothingCase{EAnalysis::Zeros, "x^2+1", 0, "Es wurden keine Nullstellen gefunden."},
                      NothingCase{EAnalysis::Zeros, "x^2+k", 1, "Es wurden keine Nullstellen gefunden."},
                      NothingCase{EAnalysis::Extrema, "x", 0, "Es wurden keine Extremwerte gefunden."},
                      NothingCase{EAnalysis::Extrema, "k*x", 1, "Es wurden keine Extremwerte gefunden."},
                      NothingCase{EAnalysis::Inflections, "x^2", 0,
                                  "Es wurden keine Wendestellen gefunden."}));

// f' = 0 over a constant stretch: no maximum or minimum, and f''' = 0 rules out a saddle.
TEST(Extrema, ConstantGivesNothing)
{
    EXPECT_EQ(Lines(EAnalysis::Extrema, MakeFunction("3"), MakeAxis(0, 0.1)),
              std::vector<std::string>{"Es wurden keine Extremwerte gefunden."});
}

// One scan point at x = 0 (an axis of equal ends). !(a) is infinite for a above about 171 and
// stays 1 up to a = 1, and infinity times 0 is not a number, so these terms put an infinite or
// undefined value into chosen points of the difference stencils (f' reaches x +- 0.002, f''
// x +- 0.01, f''' x +- 0.02).
struct SinglePointCase
{
    const char* name;
    EAnalysis kind;
    const char* term;
    std::vector<std::string> lines;
};

void PrintTo(const SinglePointCase& c, std::ostream* os)
{
    *os << c.name;
}

class SinglePoint : public ::testing::TestWithParam<SinglePointCase>
{
};

TEST_P(SinglePoint, Lines)
{
    const SinglePointCase& c = GetParam();
    EXPECT_EQ(Lines(c.kind, MakeFunction(c.term), MakeAxis(0, 0)), c.lines);
}

INSTANTIATE_TEST_SUITE_P(
    Stencils, SinglePoint,
    ::testing::Values(
        // f'' exactly 0 and f''' = 6: the only way to a saddle among the extrema.
        SinglePointCase{"ExactSaddle", EAnalysis::Extrema, "x^3", {"S ( 0 | 0 )"}},
        SinglePointCase{"CubeInflectionSaddle", EAnalysis::Inflections, "x^3", {"S ( 0 | 0 )"}},
        // f' = 0, f'' = inf - inf: not a number reads as a maximum, and as rising into it.
        SinglePointCase{
            "UndefinedCurvatureIsMaximum", EAnalysis::Extrema, "!(100000*(x-0.003))", {"H ( 0 | 1 )"}},
        SinglePointCase{"UndefinedCurvatureRises",
                        EAnalysis::Monotony,
                        "!(100000*(x-0.003))",
                        {"[ 0; 0 ] monoton steigend", "[ 0; 0 ] monoton steigend"}},
        // f' = f'' = 0 and f''' undefined.
        SinglePointCase{
            "UndefinedThirdIsSaddle", EAnalysis::Extrema, "!(100000*(x-0.012))*0", {"S ( 0 | 0 )"}},
        SinglePointCase{
            "UndefinedThirdFlatIsSaddle", EAnalysis::Inflections, "!(100000*(x-0.012))*0", {"S ( 0 | 0 )"}},
        SinglePointCase{"UndefinedThirdSlopedIsInflection",
                        EAnalysis::Inflections,
                        "x+!(100000*(x-0.012))*0",
                        {"W ( 0 | 0 )"}},
        // Undefined everywhere: nothing is in a band, and the last interval falls.
        SinglePointCase{"UndefinedSlopeFalls", EAnalysis::Monotony, "!(200)*0", {"[ 0; 0 ] monoton fallend"}},
        SinglePointCase{
            "UndefinedIsNoZero", EAnalysis::Zeros, "!(200)*0", {"Es wurden keine Nullstellen gefunden."}}),
    [](const auto& info) { return std::string{info.param.name}; });

TEST(Progress, StaysWithinZeroToHundredAndEndsAtZero)
{
    for (const auto& f : {MakeFunction("x"), MakeFunction("x-k", 1, 1, 3, 1)}) {
        CRecordingSink sink;
        ComputeZeros(f, MakeAxis(0, 1), 1, sink);
        ASSERT_GE(sink.m_progress.size(), 3u);
        EXPECT_EQ(sink.m_progress.front(), 0);
        EXPECT_EQ(sink.m_progress.back(), 0);
        const std::vector<int> during(sink.m_progress.begin(), sink.m_progress.end() - 1);
        EXPECT_TRUE(std::is_sorted(during.begin(), during.end()));
        EXPECT_EQ(during.back(), 100);
        EXPECT_TRUE(std::all_of(during.begin(), during.end(), [](int p) { return p >= 0 && p <= 100; }));
    }
}

TEST(Progress, FamilyReachesHundredBeforeTheLastGroup)
{
    // E = (3.5 / h) * (2 / 1) while three groups of 3.5 / h + 1 points run: the estimate is used
    // up two points before the end of the second group, before its closing empty line.
    struct CWatchingSink final : IAnalysisSink
    {
        void AddLine(std::string line) override { m_lines.push_back(std::move(line)); }
        void SetProgress(int position) override
        {
            m_positions.push_back(position);
            if (position == 100 && m_linesAtHundred < 0) {
                m_linesAtHundred = static_cast<int>(m_lines.size());
            }
        }
        std::vector<std::string> m_lines;
        std::vector<int> m_positions;
        int m_linesAtHundred{-1};
    } sink;
    ComputeZeros(MakeFunction("x-k", 1, 1, 3, 1), MakeAxis(0, 3.5), 1, sink);
    ASSERT_EQ(sink.m_lines.size(), 6u);
    EXPECT_EQ(sink.m_linesAtHundred, 3);
    EXPECT_EQ(std::count(sink.m_positions.begin(), sink.m_positions.end(), 100), 1);
}

TEST(RunAnalysis, DispatchesByKind)
{
    const auto f = MakeFunction("x^3-x");
    const auto axis = MakeAxis(-1.2, 1.2, 0.6);
    const std::function<void(CRecordingSink&)> direct[] = {
        [&](CRecordingSink& s) { ComputeValueTable(f, axis, s); },
        [&](CRecordingSink& s) { ComputeZeros(f, axis, 1, s); },
        [&](CRecordingSink& s) { ComputeExtrema(f, axis, 1, s); },
        [&](CRecordingSink& s) { ComputeInflections(f, axis, 1, s); },
        [&](CRecordingSink& s) { ComputeMonotony(f, axis, 1, s); },
    };
    for (int kind = 0; kind < 5; ++kind) {
        CRecordingSink expected;
        direct[kind](expected);
        EXPECT_EQ(Lines(static_cast<EAnalysis>(kind), f, axis, 1), expected.m_lines) << "kind " << kind;
    }
}

} // namespace
