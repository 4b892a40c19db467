#include "analysis/TracePoints.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cmath>
#include <numbers>
#include <string>
#include <utility>
#include <vector>

namespace {

CGraphFunction Function(const char* term)
{
    CGraphFunction f;
    f.SetTerm(term);
    return f;
}

CScaling XRange(double from, double to)
{
    CScaling s;
    s.SetXRange(from, to, 1);
    return s;
}

} // namespace

// The exact points of sin(x) on -5..5: zeros at 0 and ±pi, extrema at ±pi/2 and ±3pi/2, the
// inflections at the zeros.
TEST(TracePoints, SineHasItsExactPoints)
{
    const std::vector<STracePoint> points = TracePointsOf(Function("sin(x)"), 0, XRange(-5, 5), 3);
    const double pi = std::numbers::pi;
    const struct
    {
        double x;
        char letter;
    } expected[] = {{-3 * pi / 2, 'H'}, {-pi, 'N'},    {-pi, 'W'}, {-pi / 2, 'T'}, {0, 'N'},
                    {0, 'W'},           {pi / 2, 'H'}, {pi, 'N'},  {pi, 'W'},      {3 * pi / 2, 'T'}};
    for (const auto& e : expected) {
        const auto found = std::find_if(points.begin(), points.end(), [&e](const STracePoint& p) {
            return p.letter == e.letter && std::abs(p.x - e.x) < 1e-9;
        });
        EXPECT_NE(found, points.end()) << e.letter << " at " << e.x;
    }
    EXPECT_TRUE(std::is_sorted(points.begin(), points.end(),
                               [](const STracePoint& a, const STracePoint& b) { return a.x < b.x; }));
}

TEST(TracePoints, SnapsOnlyWithinTheTolerance)
{
    const std::vector<STracePoint> points = TracePointsOf(Function("sin(x)"), 0, XRange(-5, 5), 3);
    const double pi = std::numbers::pi;
    const struct
    {
        double x;
        double tolerance;
        std::optional<char> letter;
    } cases[] = {{pi / 2 + 0.04, 0.05, 'H'},
                 {pi / 2 - 0.04, 0.05, 'H'},
                 {pi / 2 + 0.06, 0.05, std::nullopt},
                 {-pi / 2 + 0.01, 0.05, 'T'},
                 {1.0, 0.05, std::nullopt}};
    for (const auto& c : cases) {
        const std::optional<STracePoint> snap = SnapTracePoint(points, c.x, c.tolerance);
        ASSERT_EQ(snap.has_value(), c.letter.has_value()) << c.x;
        if (snap) {
            EXPECT_EQ(snap->letter, *c.letter);
            EXPECT_NEAR(std::sin(snap->x), snap->letter == 'H' ? 1.0 : -1.0, 1e-15);
        }
    }
    EXPECT_EQ(TracePointName('H'), "Hochpunkt");
    EXPECT_EQ(TracePointName('W'), "Wendepunkt");
}

// One member of a family is scanned alone: k*x^2 - 1 with k = 0.25 has its zeros at ±2.
TEST(TracePoints, AFamilyMemberIsScannedWithItsValue)
{
    CGraphFunction family = Function("k*x^2-1");
    family.SetUseFamilyConstant(1);
    family.SetRange(-1, 1, 0.25);
    const std::vector<STracePoint> points = TracePointsOf(family, 0.25, XRange(-5, 5), 3);
    int zeros = 0;
    for (const STracePoint& p : points) {
        if (p.letter == 'N') {
            EXPECT_NEAR(std::abs(p.x), 2.0, 1e-12);
            ++zeros;
        }
    }
    EXPECT_EQ(zeros, 2);
}

// k reaches the term as a number, never as text: a German locale once turned 0.5 into "0,5..."
// (read as x^2 - 0), and k = 1e50 ran over the text's buffer.
TEST(TracePoints, AFamilyValueIsTheSameInEveryLocale)
{
    const double r = std::sqrt(0.5);
    const struct
    {
        const char* term;
        double k;
        std::vector<std::pair<char, double>> points;
    } cases[] = {
        {"x^2-k", 0.5, {{'N', -r}, {'T', 0}, {'N', r}}},
        {"x^2-k/10^50", 1e50, {{'N', -1}, {'T', 0}, {'N', 1}}},
    };
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    for (const auto& c : cases) {
        CGraphFunction family = Function(c.term);
        family.SetUseFamilyConstant(1);
        family.SetRange(-2, 2, 1);
        std::vector<std::vector<STracePoint>> found;
        for (const char* locale : {"C", "de_DE.UTF-8"}) {
            ASSERT_NE(std::setlocale(LC_ALL, locale), nullptr) << locale;
            found.push_back(TracePointsOf(family, c.k, XRange(-5, 5), 3));
        }
        std::setlocale(LC_ALL, saved.c_str());
        ASSERT_EQ(found[0].size(), c.points.size()) << c.term;
        ASSERT_EQ(found[1].size(), c.points.size()) << c.term;
        for (std::size_t i = 0; i < c.points.size(); ++i) {
            EXPECT_EQ(found[0][i].letter, c.points[i].first) << c.term << " #" << i;
            EXPECT_NEAR(found[0][i].x, c.points[i].second, 1e-6) << c.term << " #" << i;
            EXPECT_EQ(found[1][i].x, found[0][i].x) << c.term << " #" << i;
            EXPECT_EQ(found[1][i].y, found[0][i].y) << c.term << " #" << i;
            EXPECT_EQ(found[1][i].letter, found[0][i].letter) << c.term << " #" << i;
        }
        // Snapping near the right-hand zero finds it there.
        const std::optional<STracePoint> snap = SnapTracePoint(found[1], c.points.back().second + 0.01, 0.05);
        ASSERT_TRUE(snap.has_value()) << c.term;
        EXPECT_NEAR(snap->x, c.points.back().second, 1e-6) << c.term;
    }
}
