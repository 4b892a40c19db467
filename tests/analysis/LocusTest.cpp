#include "RecordingSink.h"

#include "analysis/Locus.h"
#include "analysis/ResultText.h"
#include "engine/CompiledTerm.h"
#include "engine/TextEncoding.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>
#include <stop_token>
#include <string>
#include <vector>

namespace {

// Where a branch's points must lie: (x, y) for its k, from the closed form of the family.
using ClosedForm = std::function<std::pair<double, double>(double k)>;

struct SBranchExpectation
{
    char kind;
    ELocusShape shape;
    ClosedForm at;
};

struct SLocusCase
{
    const char* name;
    const char* term;
    double kFrom;
    double kTo;
    double kStep;
    ELocusOf of;
    // The Ortskurve as a teacher finds it by hand: a stated term must read back as this polynomial,
    // whatever form it takes.
    std::optional<std::function<double(double)>> locus;
    std::vector<SBranchExpectation> branches;
};

double Scale(const SLocusBranch& branch)
{
    double largest = 0;
    for (const SLocusPoint& p : branch.points) {
        largest = std::max({largest, std::fabs(p.x), std::fabs(p.y)});
    }
    return largest;
}

const SLocusCase kCases[] = {
    {"ParabolaVertexOnParabola",
     "x^2-2*k*x+k",
     -2,
     2,
     0.5,
     ELocusOf::Extrema,
     [](double x) { return x - x * x; },
     {{'T', ELocusShape::Polynomial,
       [](double k) {
           return std::pair{k, k - k * k};
       }}}},
    {"CubicExtremaOnCubic",
     "x^3-k*x",
     0.25,
     3,
     0.25,
     ELocusOf::Extrema,
     [](double x) { return -2 * x * x * x; },
     {{'H', ELocusShape::Polynomial,
       [](double k) {
           return std::pair{-std::sqrt(k / 3), 2 * k / 3 * std::sqrt(k / 3)};
       }},
      {'T', ELocusShape::Polynomial,
       [](double k) {
           return std::pair{std::sqrt(k / 3), -2 * k / 3 * std::sqrt(k / 3)};
       }}}},
    // k < 0 gives maxima, k > 0 minima; near k = 0 the vertex leaves the range.
    {"ScaledParabolaOnLine",
     "k*x^2+x",
     -2,
     2,
     0.5,
     ELocusOf::Extrema,
     [](double x) { return x / 2; },
     {{'H', ELocusShape::Polynomial,
       [](double k) {
           return std::pair{-1 / (2 * k), -1 / (4 * k)};
       }},
      {'T', ELocusShape::Polynomial,
       [](double k) {
           return std::pair{-1 / (2 * k), -1 / (4 * k)};
       }}}},
    {"QuarticInflectionsOnQuartic",
     "x^4-k*x^2",
     0.5,
     6,
     0.5,
     ELocusOf::Inflections,
     [](double x) { return -5 * x * x * x * x; },
     {{'W', ELocusShape::Polynomial,
       [](double k) {
           return std::pair{-std::sqrt(k / 6), -5 * k * k / 36};
       }},
      {'W', ELocusShape::Polynomial,
       [](double k) {
           return std::pair{std::sqrt(k / 6), -5 * k * k / 36};
       }}}},
    // T(ln k | k - k ln k): y = e^x (1 - x), which no polynomial follows.
    {"ExponentialMinimaOnNoPolynomial",
     "exp(x)-k*x",
     0.5,
     5,
     0.5,
     ELocusOf::Extrema,
     std::nullopt,
     {{'T', ELocusShape::NoPolynomial,
       [](double k) {
           return std::pair{std::log(k), k - k * std::log(k)};
       }}}},
    {"ShiftedParabolaOnTheYAxis",
     "x^2+k",
     -2,
     2,
     1,
     ELocusOf::Extrema,
     std::nullopt,
     {{'T', ELocusShape::Vertical,
       [](double k) {
           return std::pair{0.0, k};
       }}}},
};

class LocusOfFamily : public ::testing::TestWithParam<SLocusCase>
{
};

TEST_P(LocusOfFamily, BranchesFollowTheClosedFormAndEveryFitHoldsWhenReadBack)
{
    const SLocusCase& c = GetParam();
    const SLocus locus =
        ComputeLocus(c.of, MakeFunction(c.term, 1, c.kFrom, c.kTo, c.kStep), MakeAxis(-5, 5), 1);
    ASSERT_EQ(locus.outcome, ELocusOutcome::Complete);
    EXPECT_EQ(locus.unresolved, 0);
    EXPECT_GE(locus.values, kLocusGridValues);
    ASSERT_EQ(locus.branches.size(), c.branches.size());
    for (std::size_t b = 0; b < c.branches.size(); ++b) {
        SCOPED_TRACE(b);
        const SLocusBranch& branch = locus.branches[b];
        const SBranchExpectation& expected = c.branches[b];
        EXPECT_EQ(branch.kind, expected.kind);
        EXPECT_EQ(branch.fit.shape, expected.shape);
        ASSERT_GT(branch.points.size(), 20u);
        const double tolerance = 1e-9 * Scale(branch);
        for (const SLocusPoint& p : branch.points) {
            const auto [x, y] = expected.at(p.k);
            ASSERT_NEAR(p.x, x, 1e-9 * std::max(1.0, std::fabs(x))) << "k = " << p.k;
            ASSERT_NEAR(p.y, y, 1e-9 * std::max(1.0, std::fabs(y))) << "k = " << p.k;
        }
        // Consecutive points are consecutive values of k: the branch never skips nor doubles back.
        for (std::size_t i = 1; i < branch.points.size(); ++i) {
            ASSERT_GT(branch.points[i].k, branch.points[i - 1].k);
        }
        if (branch.fit.shape != ELocusShape::Polynomial) {
            continue;
        }
        const CCompiledTerm term{branch.fit.term};
        ASSERT_FALSE(term.HasSyntaxError()) << branch.fit.term;
        for (const SLocusPoint& p : branch.points) {
            const std::optional<double> value = term.DefinedValue(p.x, 0);
            ASSERT_TRUE(value.has_value()) << branch.fit.term;
            ASSERT_NEAR(*value, p.y, tolerance) << branch.fit.term << " at x = " << p.x;
            ASSERT_NEAR(*value, (*c.locus)(p.x), tolerance) << branch.fit.term;
        }
        EXPECT_LE(branch.fit.coefficients.size(), 5u);
    }
}

INSTANTIATE_TEST_SUITE_P(Families, LocusOfFamily, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string{info.param.name}; });

// What the values dialog and the command line show: the heading of each branch, its points at the
// family's own k, and the fit as a term a teacher can check a hand result against.
TEST(LocusLines, ShowPointsAtTheFamilyValuesAndTheFit)
{
    struct SCase
    {
        const char* term;
        double kFrom;
        double kTo;
        double kStep;
        EAnalysis analysis;
        std::vector<std::string> lines;
    };
    const SCase cases[] = {
        {"x^2-2*k*x+k",
         0,
         2,
         1,
         EAnalysis::LocusExtrema,
         {"Zweig 1: T f\xFCr k von 0 bis 2 (401 Punkte)", "k = 0; T ( 0 | 0 )", "k = 1; T ( 1 | 0 )",
          "k = 2; T ( 2 | -2 )", "Ortskurve: y = x-x^2", ""}},
        {"x^2+k",
         1,
         3,
         1,
         EAnalysis::LocusExtrema,
         {"Zweig 1: T f\xFCr k von 1 bis 3 (401 Punkte)", "k = 1; T ( 0 | 1 )", "k = 2; T ( 0 | 2 )",
          "k = 3; T ( 0 | 3 )", "Ortskurve: x = 0", ""}},
        {"x^2", 0, 0, 0, EAnalysis::LocusExtrema, {Utf8ToCp1252(kLocusNeedsFamilyText)}},
        {"x^2-k", 0, 2, 1, EAnalysis::LocusInflections, {"Es wurden keine Wendestellen gefunden."}},
        {"exp(x)-k*x",
         1,
         2,
         0.5,
         EAnalysis::LocusExtrema,
         {"Zweig 1: T f\xFCr k von 1 bis 2 (401 Punkte)", "k = 1; T ( 0 | 1 )",
          "k = 1.5; T ( 0.40547 | 0.8918 )", "k = 2; T ( 0.69315 | 0.61371 )", kLocusNoPolynomialText, ""}},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.term);
        CRecordingSink sink;
        RunAnalysis(c.analysis, MakeFunction(c.term, c.kStep != 0, c.kFrom, c.kTo, c.kStep), MakeAxis(-5, 5),
                    1, SDiscussOptions{}, SAnalysisInputs{}, sink);
        EXPECT_EQ(sink.m_lines, c.lines);
        EXPECT_EQ(sink.m_progress.back(), 0);
    }
}

// Stopp in the dialog and a closing window: nothing half-joined reaches the list.
TEST(LocusLines, AStopEndsTheRunWithoutALine)
{
    class CStoppedSink final : public IAnalysisSink
    {
    public:
        CStoppedSink() { m_source.request_stop(); }
        void AddLine(std::string line) override { lines.push_back(std::move(line)); }
        std::stop_token StopToken() const override { return m_source.get_token(); }
        std::vector<std::string> lines;

    private:
        std::stop_source m_source;
    };
    CStoppedSink sink;
    const CGraphFunction family = MakeFunction("x^2-2*k*x+k", 1, 0, 2, 1);
    RunAnalysis(EAnalysis::LocusExtrema, family, MakeAxis(-5, 5), 1, SDiscussOptions{}, SAnalysisInputs{},
                sink);
    EXPECT_TRUE(sink.lines.empty());
    const SLocus locus = ComputeLocus(ELocusOf::Extrema, family, MakeAxis(-5, 5), 1, sink.StopToken());
    EXPECT_EQ(locus.outcome, ELocusOutcome::Stopped);
    EXPECT_EQ(locus.values, 0);
}

// The fit on its own: the lowest degree, the shortest coefficients that still hold, and never a
// polynomial that misses a point.
TEST(LocusFit, StatesOnlyWhatHoldsAtEveryPoint)
{
    struct SCase
    {
        const char* name;
        std::function<double(double)> y;
        int count;
        double noise; // added to every other point
        ELocusShape shape;
        std::size_t degree;
    };
    const SCase cases[] = {
        {"ThirdsBecomeFractions", [](double x) { return x * x / 3 - 2 * x / 3; }, 50, 0,
         ELocusShape::Polynomial, 2},
        {"IrrationalStaysExact", [](double x) { return std::sqrt(2.0) * x * x * x * x; }, 50, 0,
         ELocusShape::Polynomial, 4},
        {"LeadingMinusSquare", [](double x) { return -x * x + x * x * x; }, 50, 0, ELocusShape::Polynomial,
         3},
        {"FifthDegree", [](double x) { return std::pow(x, 5); }, 50, 0, ELocusShape::NoPolynomial, 0},
        {"NoiseAboveTolerance", [](double x) { return 1 - x; }, 50, 1e-7, ELocusShape::NoPolynomial, 0},
        {"NoiseBelowTolerance", [](double x) { return 1 - x; }, 50, 1e-12, ELocusShape::Polynomial, 1},
        {"TwoPointsConfirmNothing", [](double x) { return x; }, 2, 0, ELocusShape::TooFewPoints, 0},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<double> xs;
        std::vector<double> ys;
        for (int i = 0; i < c.count; ++i) {
            const double x = -2 + 4.0 * i / std::max(1, c.count - 1) + 0.01;
            xs.push_back(x);
            ys.push_back(c.y(x) + (i % 2 == 1 ? c.noise : 0));
        }
        const SLocusFit fit = FitLocus(xs, ys);
        ASSERT_EQ(fit.shape, c.shape) << fit.term;
        if (fit.shape != ELocusShape::Polynomial) {
            continue;
        }
        EXPECT_EQ(fit.coefficients.size(), c.degree + 1) << fit.term;
        double largest = 0;
        for (std::size_t i = 0; i < xs.size(); ++i) {
            largest = std::max({largest, std::fabs(xs[i]), std::fabs(ys[i])});
        }
        const CCompiledTerm term{fit.term};
        for (std::size_t i = 0; i < xs.size(); ++i) {
            EXPECT_NEAR(term.Evaluate(xs[i], 0), ys[i], 1e-9 * largest) << fit.term;
        }
        // No coefficient is written with more digits than it needs where a fraction says it.
        EXPECT_EQ(fit.term.find("333"), std::string::npos) << fit.term;
    }
}

} // namespace
