// The domain service on the terms a curve discussion meets: where each border is, what kind it is,
// and the pieces between the borders, on ordinary, very wide and very fine ranges.
#include "analysis/Domain.h"
#include "engine/CompiledTerm.h"
#include "engine/ErrorFlags.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <numbers>
#include <ostream>
#include <string>
#include <vector>

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kInf = std::numeric_limits<double>::infinity();
const double kSquareLimit = std::sqrt(DBL_MAX); // where x^2 overflows

struct SBorder
{
    EBorderKind kind;
    double x;
    bool signChange{false};
    double value{std::numeric_limits<double>::quiet_NaN()}; // checked where not NaN
};

struct SPiece
{
    double from;
    double to;
    bool fromIncluded;
    bool toIncluded;
};

struct SCase
{
    const char* term;
    double k;
    double a;
    double b;
    std::vector<SBorder> borders;
    std::vector<SPiece> pieces;
};

using K = EBorderKind;

void PrintTo(const SCase& c, std::ostream* out)
{
    *out << c.term << " at k = " << c.k << " on " << c.a << ".." << c.b;
}

// Within a few units in the last place: the borders are bisected to neighbouring doubles.
bool CloseInUlps(double actual, double expected)
{
    double x = expected;
    for (int i = 0; i < 4; ++i) {
        x = std::nextafter(x, -kInf);
    }
    for (int i = 0; i < 9; ++i, x = std::nextafter(x, kInf)) {
        if (actual == x) {
            return true;
        }
    }
    return false;
}

const SCase kCases[] = {
    {"1/(x-2)", 0, -5, 5, {{K::Pole, 2, true}}, {{-5, 2, true, false}, {2, 5, false, true}}},
    {"1/x^2", 0, -5, 5, {{K::Pole, 0, false}}, {{-5, 0, true, false}, {0, 5, false, true}}},
    {"(x^2-1)/(x-1)", 0, -5, 5, {{K::Gap, 1, false, 2}}, {{-5, 1, true, false}, {1, 5, false, true}}},
    {"1/(x^2-1)",
     0,
     -5,
     5,
     {{K::Pole, -1, true}, {K::Pole, 1, true}},
     {{-5, -1, true, false}, {-1, 1, false, false}, {1, 5, false, true}}},
    {"1/(3*x-1)^2",
     0,
     -5,
     5,
     {{K::Pole, 1.0 / 3, false}},
     {{-5, 1.0 / 3, true, false}, {1.0 / 3, 5, false, true}}},
    {"tan(x)",
     0,
     -5,
     5,
     {{K::Pole, -3 * kPi / 2, true},
      {K::Pole, -kPi / 2, true},
      {K::Pole, kPi / 2, true},
      {K::Pole, 3 * kPi / 2, true}},
     {{-5, -3 * kPi / 2, true, false},
      {-3 * kPi / 2, -kPi / 2, false, false},
      {-kPi / 2, kPi / 2, false, false},
      {kPi / 2, 3 * kPi / 2, false, false},
      {3 * kPi / 2, 5, false, true}}},
    {"sqrt(x)", 0, -5, 5, {{K::Edge, 0, false, 0}}, {{0, 5, true, true}}},
    {"ln(x)", 0, -5, 5, {{K::Edge, 0}}, {{0, 5, false, true}}},
    // ln(x)/x overflows for x below 4e-306: still the edge at 0.
    {"ln(x)/x", 0, -5, 5, {{K::Edge, 0}}, {{0, 5, false, true}}},
    {"ln(x)", 0, 0, 5, {{K::Edge, 0}}, {{0, 5, false, true}}},
    {"sqrt(4-x^2)", 0, -5, 5, {{K::Edge, -2, false, 0}, {K::Edge, 2, false, 0}}, {{-2, 2, true, true}}},
    {"asin(x)",
     0,
     -5,
     5,
     {{K::Edge, -1, false, -kPi / 2}, {K::Edge, 1, false, kPi / 2}},
     {{-1, 1, true, true}}},
    {"x^0.5", 0, -5, 5, {{K::Edge, 0, false, 0}}, {{0, 5, true, true}}},
    // int truncates toward zero: f(-4) = -4 belongs to the piece on its left, f(4) to the right.
    {"int(x)",
     0,
     -5,
     5,
     {{K::Jump, -4},
      {K::Jump, -3},
      {K::Jump, -2},
      {K::Jump, -1},
      {K::Jump, 1},
      {K::Jump, 2},
      {K::Jump, 3},
      {K::Jump, 4}},
     {{-5, -4, false, true},
      {-4, -3, false, true},
      {-3, -2, false, true},
      {-2, -1, false, true},
      {-1, 1, false, false},
      {1, 2, true, false},
      {2, 3, true, false},
      {3, 4, true, false},
      {4, 5, true, false}}},
    {"sgn(x)", 0, -5, 5, {{K::Jump, 0, false, 0}}, {{-5, 0, true, false}, {0, 5, false, true}}},
    {"ln(x^2)", 0, -5, 5, {{K::Pole, 0, false}}, {{-5, 0, true, false}, {0, 5, false, true}}}, // grows like
                                                                                               // ln
    {"ln(abs(x-1))", 0, -5, 5, {{K::Pole, 1, false}}, {{-5, 1, true, false}, {1, 5, false, true}}},
    {"x^(-1)", 0, -5, 5, {{K::Pole, 0, true}}, {{-5, 0, true, false}, {0, 5, false, true}}},
    // The zeros of tan are poles, its poles are places where 1/tan(x) is continuous.
    {"1/tan(x)",
     0,
     -5,
     5,
     {{K::Pole, -kPi, true}, {K::Pole, 0, true}, {K::Pole, kPi, true}},
     {{-5, -kPi, true, false}, {-kPi, 0, false, false}, {0, kPi, false, false}, {kPi, 5, false, true}}},
    {"x/abs(x)", 0, -5, 5, {{K::Jump, 0}}, {{-5, 0, true, false}, {0, 5, false, true}}},
    {"sqrt(x^2-1)",
     0,
     -5,
     5,
     {{K::Edge, -1, false, 0}, {K::Edge, 1, false, 0}},
     {{-5, -1, true, true}, {1, 5, true, true}}},
    {"(x-1)^(1/3)", 0, -5, 5, {{K::Edge, 1, false, 0}}, {{1, 5, true, true}}},
    {"1/int(x)",
     0,
     -5,
     3.5,
     {{K::Jump, -4}, {K::Jump, -3}, {K::Jump, -2}, {K::Edge, -1}, {K::Edge, 1}, {K::Jump, 2}, {K::Jump, 3}},
     {{-5, -4, false, true},
      {-4, -3, false, true},
      {-3, -2, false, true},
      {-2, -1, false, true},
      {1, 2, true, false},
      {2, 3, true, false},
      {3, 3.5, true, true}}},
    {"floor(x)",
     0,
     -2.5,
     2.5,
     {{K::Jump, -2}, {K::Jump, -1}, {K::Jump, 0}, {K::Jump, 1}, {K::Jump, 2}},
     {{-2.5, -2, true, false},
      {-2, -1, true, false},
      {-1, 0, true, false},
      {0, 1, true, false},
      {1, 2, true, false},
      {2, 2.5, true, true}}},
    // Places that the term offers but where nothing breaks.
    {"1/(x-k)", 7, -5, 5, {}, {{-5, 5, true, true}}},
    {"abs(x-1)", 0, -5, 5, {}, {{-5, 5, true, true}}},
    {"x^3", 0, -5, 5, {}, {{-5, 5, true, true}}},
    {"sqrt(abs(x))", 0, -5, 5, {}, {{-5, 5, true, true}}},
    {"1/(x^2+1)", 0, -5, 5, {}, {{-5, 5, true, true}}},
    // A family term at k = 1.
    {"(x^2-k)/(x-k)", 1, -5, 5, {{K::Gap, 1, false, 2}}, {{-5, 1, true, false}, {1, 5, false, true}}},
    {"1/(x-k)", 1, -5, 5, {{K::Pole, 1, true}}, {{-5, 1, true, false}, {1, 5, false, true}}},
    {"sin(1/x)", 0, 0.001, 1, {}, {{0.001, 1, true, true}}},
    {"sin(1/x)", 0, -1, 1, {{K::NoLimit, 0}}, {{-1, 0, true, false}, {0, 1, false, true}}},
    // Wide and fine ranges.
    {"1/(x-2)", 0, -1e300, 1e300, {{K::Pole, 2, true}}, {{-1e300, 2, true, false}, {2, 1e300, false, true}}},
    {"1/((x-2)*(x-3))",
     0,
     -1e300,
     1e300,
     {{K::Pole, 2, true}, {K::Pole, 3, true}},
     {{-1e300, 2, true, false}, {2, 3, false, false}, {3, 1e300, false, true}}},
    {"x^2",
     0,
     -1e300,
     1e300,
     {{K::Edge, -kSquareLimit}, {K::Edge, kSquareLimit}},
     {{-kSquareLimit, kSquareLimit, false, false}}},
    {"1/x^2",
     0,
     -1e300,
     1e300,
     {{K::Edge, -kSquareLimit}, {K::Pole, 0}, {K::Edge, kSquareLimit}},
     {{-kSquareLimit, 0, false, false}, {0, kSquareLimit, false, false}}},
    {"exp(x)", 0, -1e300, 1e300, {{K::Edge, std::log(DBL_MAX)}}, {{-1e300, std::log(DBL_MAX), true, false}}},
    {"1/(x-1000000000050000)",
     0,
     1e15,
     1e15 + 1e5,
     {{K::Pole, 1e15 + 5e4, true}},
     {{1e15, 1e15 + 5e4, true, false}, {1e15 + 5e4, 1e15 + 1e5, false, true}}},
};

class DomainTable : public ::testing::TestWithParam<SCase>
{
};

TEST_P(DomainTable, BordersAndPieces)
{
    const SCase& c = GetParam();
    const CCompiledTerm term{c.term};
    g_mathError = 0;
    const SDomain domain = DomainOf(term, c.k, c.a, c.b);
    EXPECT_EQ(g_mathError, 0) << "a probe must not count as a failure of the caller";
    ASSERT_EQ(domain.outcome, EDomainOutcome::Complete);

    ASSERT_EQ(domain.borders.size(), c.borders.size());
    for (std::size_t i = 0; i < c.borders.size(); ++i) {
        const SDomainBorder& got = domain.borders[i];
        const SBorder& want = c.borders[i];
        SCOPED_TRACE("border " + std::to_string(i));
        EXPECT_EQ(got.kind, want.kind);
        EXPECT_TRUE(CloseInUlps(got.x, want.x)) << got.x << " for " << want.x;
        EXPECT_EQ(got.signChange, want.signChange);
        if (!std::isnan(want.value)) {
            ASSERT_TRUE(got.value.has_value());
            EXPECT_NEAR(*got.value, want.value, 1e-12);
        }
    }

    ASSERT_EQ(domain.pieces.size(), c.pieces.size());
    for (std::size_t i = 0; i < c.pieces.size(); ++i) {
        const SDomainPiece& got = domain.pieces[i];
        const SPiece& want = c.pieces[i];
        SCOPED_TRACE("piece " + std::to_string(i));
        EXPECT_TRUE(CloseInUlps(got.from, want.from)) << got.from << " for " << want.from;
        EXPECT_TRUE(CloseInUlps(got.to, want.to)) << got.to << " for " << want.to;
        EXPECT_EQ(got.fromIncluded, want.fromIncluded);
        EXPECT_EQ(got.toIncluded, want.toIncluded);
        // An included end, and the middle, must be where the term gives a value.
        EXPECT_TRUE(term.DefinedValue(got.from / 2 + got.to / 2, c.k).has_value());
        EXPECT_EQ(got.fromIncluded && !term.DefinedValue(got.from, c.k), false);
        EXPECT_EQ(got.toIncluded && !term.DefinedValue(got.to, c.k), false);
    }
}

INSTANTIATE_TEST_SUITE_P(Terms, DomainTable, ::testing::ValuesIn(kCases));

// Many places on one range: each where it belongs, none missed, none twice.
struct SManyCase
{
    const char* term;
    double a;
    double b;
    EBorderKind kind;
    int count;
    double period; // every border lies at offset + a multiple of this
    double offset;
};

TEST(DomainMany, EveryPlaceOnce)
{
    const SManyCase cases[] = {
        // 3183 poles, more than the first grid can follow: the finer one is needed.
        {"1/sin(x)", -5000, 5000, K::Pole, 3183, kPi, 0},
        {"tan(100*x)", -5, 5, K::Pole, 318, kPi / 100, kPi / 200},
        {"int(1000*x)", 0, 1, K::Jump, 999, 0.001, 0},
    };
    for (const SManyCase& c : cases) {
        const SDomain domain = DomainOf(CCompiledTerm{c.term}, 0, c.a, c.b);
        ASSERT_EQ(domain.outcome, EDomainOutcome::Complete) << c.term;
        EXPECT_EQ(domain.borders.size(), static_cast<std::size_t>(c.count)) << c.term;
        EXPECT_EQ(domain.pieces.size(), domain.borders.size() + 1) << c.term;
        for (const SDomainBorder& border : domain.borders) {
            const double multiple = (border.x - c.offset) / c.period;
            EXPECT_EQ(border.kind, c.kind) << c.term << " at " << border.x;
            EXPECT_NEAR(multiple, std::round(multiple), 1e-9) << c.term << " at " << border.x;
        }
    }
}

struct SOutcomeCase
{
    const char* term;
    double a;
    double b;
    EDomainOutcome outcome;
};

TEST(DomainOutcome, EndsWithAClearOutcome)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const SOutcomeCase cases[] = {
        {"tan(x)", -1e300, 1e300, EDomainOutcome::TooManyBorders},       // too wide
        {"int(x)", 1e15, 1e15 + 1e5, EDomainOutcome::TooManyBorders},    // too fine
        {"1/sin(x)", -1e300, 1e300, EDomainOutcome::TooManyBorders},     // sign changes beyond the grid
        {"sqrt(sin(x))", -1e300, 1e300, EDomainOutcome::TooManyBorders}, // definedness beyond the grid
        // 31831 poles: the grids see slow false waves of different lengths instead.
        {"1/sin(x)", 1e15, 1e15 + 1e5, EDomainOutcome::TooManyBorders},
        {"sin(x)", -DBL_MAX, DBL_MAX, EDomainOutcome::Complete},
        {"(x+1", -5, 5, EDomainOutcome::SyntaxError},
        {"x", 5, -5, EDomainOutcome::InvalidRange},
        {"x", nan, 5, EDomainOutcome::InvalidRange},
        {"x", -kInf, 5, EDomainOutcome::InvalidRange},
    };
    for (const SOutcomeCase& c : cases) {
        const SDomain domain = DomainOf(CCompiledTerm{c.term}, 0, c.a, c.b);
        EXPECT_EQ(domain.outcome, c.outcome) << c.term << " on " << c.a << ".." << c.b;
        if (c.outcome != EDomainOutcome::Complete) {
            EXPECT_TRUE(domain.pieces.empty()) << c.term;
        }
    }
}

TEST(DomainOutcome, StopsWhenAsked)
{
    std::stop_source stop;
    stop.request_stop();
    const SDomain domain = DomainOf(CCompiledTerm{"1/(x-2)"}, 0, -5, 5, stop.get_token());
    EXPECT_EQ(domain.outcome, EDomainOutcome::Stopped);
    EXPECT_TRUE(domain.pieces.empty());
}

} // namespace

// A family shares the scan of the parts that do not depend on k; every member must still get
// exactly the domain it gets alone, also where k moves a place (1/(x-k)), makes overflow
// (exp(k*x^3)) or enters a watched part only through another register (sqrt(x)*k).
#include "analysis/FamilyDomain.h"

namespace {

bool SameDomain(const SDomain& p, const SDomain& q)
{
    if (p.outcome != q.outcome || p.pieces.size() != q.pieces.size() ||
        p.borders.size() != q.borders.size()) {
        return false;
    }
    for (std::size_t i = 0; i < p.pieces.size(); ++i) {
        const SDomainPiece& a = p.pieces[i];
        const SDomainPiece& b = q.pieces[i];
        if (a.from != b.from || a.to != b.to || a.fromIncluded != b.fromIncluded ||
            a.toIncluded != b.toIncluded) {
            return false;
        }
    }
    for (std::size_t i = 0; i < p.borders.size(); ++i) {
        const SDomainBorder& a = p.borders[i];
        const SDomainBorder& b = q.borders[i];
        if (a.x != b.x || a.kind != b.kind || a.signChange != b.signChange || a.value != b.value) {
            return false;
        }
    }
    return true;
}

TEST(FamilyDomain, EveryMemberAsAlone)
{
    const char* const terms[] = {"x^3-k*x",         "1/(x-1)+k*x", "1/(x-k)",    "sqrt(x)*k",
                                 "ln(x)+k",         "tan(x)*k",    "int(x)+k*x", "exp(k*x^3)/(x-1)",
                                 "(x^2-k^2)/(x-k)", "x^k",         "exp(k*x)*x", "sqrt(k-x^2)"};
    for (const char* text : terms) {
        const CCompiledTerm term{text};
        CFamilyDomain family{term, -5, 5};
        for (double k = -60; k <= 60; k += 2.5) {
            EXPECT_TRUE(SameDomain(family.Of(k), DomainOf(term, k, -5, 5))) << text << " at k = " << k;
        }
    }
}

} // namespace

namespace {

// Gaps where f cancels: right beside the place its values are rounding noise (1-cos(x) is 0 there,
// exp(x)-1 a few units, and sqrt(2) is no zero of x^2-2 in doubles), so the limit is read before
// the noise. Where the nearest values are free of noise they stay exact.
TEST(DomainGap, LimitsWhereTheTermCancels)
{
    struct SGap
    {
        const char* term;
        double x;
        double limit;
        double tolerance;
    };
    const SGap gaps[] = {
        {"(x^2-2)/(x-sqrt(2))", std::sqrt(2.0), 2 * std::sqrt(2.0), 1e-7},
        {"(exp(x)-1)/x", 0, 1, 1e-7},
        {"(1-cos(x))/x^2", 0, 0.5, 1e-7},
        {"(sqrt(x+1)-1)/x", 0, 0.5, 1e-7},
        {"(2^x-1)/x", 0, std::log(2.0), 1e-7},
        {"(x^2-1)/(x-1)", 1, 2, 0},
        {"sin(x)/x", 0, 1, 0},
    };
    for (const SGap& gap : gaps) {
        const SDomain domain = DomainOf(CCompiledTerm{gap.term}, 0, -0.5, 5);
        ASSERT_EQ(domain.borders.size(), 1u) << gap.term;
        const SDomainBorder& border = domain.borders.front();
        EXPECT_EQ(border.kind, EBorderKind::Gap) << gap.term;
        EXPECT_NEAR(border.x, gap.x, 1e-12) << gap.term;
        ASSERT_TRUE(border.value.has_value()) << gap.term;
        EXPECT_NEAR(*border.value, gap.limit, gap.tolerance) << gap.term;
    }
}

} // namespace
