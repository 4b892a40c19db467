// The discussion of F with F' = f and F(x0) = y0, against the closed forms of F.
#include "analysis/AntiderivativeDiscussion.h"
#include "analysis/ResultList.h"
#include "analysis/ResultText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <variant>
#include <vector>

namespace {

using EScan = EAntiderivativeScan;

struct SExpected
{
    char letter;
    double x;
    double y;
};

CGraphFunction Integrand(const char* term)
{
    CGraphFunction f;
    f.SetTerm(term);
    f.SetName("F");
    return f;
}

std::vector<SAnalysisResult> Discuss(EScan scan, const char* term, double x0, double y0, double from,
                                     double to)
{
    CScaling scaling;
    scaling.SetXRange(from, to, 1);
    CResultList list;
    DiscussAntiderivative(scan, Integrand(term), x0, y0, scaling, 3, SDiscussOptions{true, 5, nullptr}, list);
    return list.Results();
}

TEST(AntiderivativeDiscussion, FindsThePointsOfTheClosedForm)
{
    const double r3 = std::sqrt(3.0);
    const double pi = std::numbers::pi;
    const struct
    {
        const char* term;
        double x0, y0;
        double from, to;
        EScan scan;
        std::vector<SExpected> points;
    } cases[] = {
        // F = x^2: a touching zero, found once, and the minimum there.
        {"2*x", 0, 0, -5, 5, EScan::Zeros, {{'N', 0, 0}}},
        {"2*x", 0, 0, -5, 5, EScan::Extrema, {{'T', 0, 0}}},
        // F = x^3 - 3x.
        {"3*x^2-3", 0, 0, -5, 5, EScan::Zeros, {{'N', -r3, 0}, {'N', 0, 0}, {'N', r3, 0}}},
        {"3*x^2-3", 0, 0, -5, 5, EScan::Extrema, {{'H', -1, 2}, {'T', 1, -2}}},
        {"3*x^2-3", 0, 0, -5, 5, EScan::Inflections, {{'W', 0, 0}}},
        // F = x^3 has a flat inflection: a saddle.
        {"3*x^2", 0, 0, -5, 5, EScan::Inflections, {{'S', 0, 0}}},
        // F = 1 - 1/x lives right of the pole only.
        {"1/x^2", 1, 0, -5, 5, EScan::Zeros, {{'N', 1, 0}}},
        {"1/x^2", 1, 0, -5, 5, EScan::Extrema, {}},
        // F = sin(x).
        {"cos(x)",
         0,
         0,
         -10,
         10,
         EScan::Zeros,
         {{'N', -3 * pi, 0},
          {'N', -2 * pi, 0},
          {'N', -pi, 0},
          {'N', 0, 0},
          {'N', pi, 0},
          {'N', 2 * pi, 0},
          {'N', 3 * pi, 0}}},
        {"cos(x)", 0, 0, -4, 4, EScan::Extrema, {{'T', -pi / 2, -1}, {'H', pi / 2, 1}}},
        // F = x^2/2 + 1 across the gap of f at 0, where f changes sign: F has its minimum there.
        {"x^2/x", 2, 3, -5, 5, EScan::Extrema, {{'T', 0, 1}}},
        // F = |x| - 1 from the jump of sgn: a corner minimum, and zeros at ±1.
        {"sgn(x)", 1, 0, -5, 5, EScan::Extrema, {{'T', 0, -1}}},
        {"sgn(x)", 1, 0, -5, 5, EScan::Zeros, {{'N', -1, 0}, {'N', 1, 0}}},
        // x0 beyond the range: F = x^2 - 16 reached from 4.
        {"2*x", 4, 0, -2, 2, EScan::Zeros, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string{c.term} + " scan " + std::to_string(static_cast<int>(c.scan)));
        std::vector<SResultPoint> points;
        for (const SAnalysisResult& r : Discuss(c.scan, c.term, c.x0, c.y0, c.from, c.to)) {
            if (const auto* p = std::get_if<SResultPoint>(&r.value)) {
                points.push_back(*p);
            }
        }
        ASSERT_EQ(points.size(), c.points.size());
        for (std::size_t i = 0; i < points.size(); ++i) {
            EXPECT_EQ(points[i].letter, c.points[i].letter);
            EXPECT_NEAR(points[i].x, c.points[i].x, 1e-9);
            EXPECT_NEAR(points[i].y, c.points[i].y, 1e-9);
        }
    }
}

TEST(AntiderivativeDiscussion, SaysWhereFExistsAndWhatItIsNot)
{
    const struct
    {
        const char* term;
        double x0;
        EScan scan;
        std::vector<std::string> lines;
    } cases[] = {
        {"1/x^2",
         1,
         EScan::Monotony,
         {"F ist nur für x in ] 0; 5 ] definiert, dem Stück des Definitionsbereichs von f um x0.",
          "] 0; 5 ] monoton steigend"}},
        {"1/x^2",
         1,
         EScan::Extrema,
         {"F ist nur für x in ] 0; 5 ] definiert, dem Stück des Definitionsbereichs von f um x0.",
          "Es wurden keine Extremwerte gefunden."}},
        {"ln(x)",
         -1,
         EScan::Zeros,
         {
             "F ist nicht definiert: f ist an der Stelle x0 = -1 nicht definiert.",
         }},
        {"3*x^2-3",
         0,
         EScan::Monotony,
         {"[ -5; -1 ] monoton steigend", "[ -1; 1 ] monoton fallend", "[ 1; 5 ] monoton steigend"}},
        {"3*x^2-3", 0, EScan::Curvature, {"[ -5; 0 ] rechtsgekrümmt", "[ 0; 5 ] linksgekrümmt"}},
        // F of int(x) is 0 where int(x) is, falls before and rises after; the jumps at the ends of
        // the range belong to F.
        {"int(x)", 0, EScan::Zeros, {"F ist 0 für alle x in [ -1; 1 ]"}},
        {"int(x)",
         0,
         EScan::Monotony,
         {"[ -5; -1 ] monoton fallend", "[ -1; 1 ] konstant", "[ 1; 5 ] monoton steigend"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.term);
        std::vector<std::string> lines;
        for (const SAnalysisResult& r : Discuss(c.scan, c.term, c.x0, 0, -5, 5)) {
            for (const std::string& line : ResultLines(r)) {
                lines.push_back(LineToUtf8(line));
            }
        }
        EXPECT_EQ(lines, c.lines);
    }
    CScaling scaling;
    CResultList list;
    RunAntiderivativeAnalysis(EAnalysis::Tangent, Integrand("x"), 0, 0, scaling, 3, SDiscussOptions{}, list);
    ASSERT_EQ(list.Results().size(), 1u);
    EXPECT_EQ(LineToUtf8(ResultLines(list.Results()[0]).at(0)),
              "Für eine Stammfunktion ist diese Berechnung nicht verfügbar.");
}

TEST(AntiderivativeDiscussion, TabulatesFWithFAndItsSlopeAsDerivatives)
{
    CScaling scaling;
    scaling.SetXRange(-2, 2, 1);
    CResultList list;
    DiscussAntiderivative(EScan::ValueTable, Integrand("3*x^2-3"), 0, 1, scaling, 3, SDiscussOptions{}, list);
    std::vector<std::string> lines;
    for (const SAnalysisResult& r : list.Results()) {
        for (const std::string& line : ResultLines(r)) {
            lines.push_back(line);
        }
    }
    // F = x^3 - 3x + 1, F' = 3x^2 - 3, F'' = 6x.
    const std::vector<std::string> expected{"x\tF(x)\tF'(x)\tF''(x)",
                                            "",
                                            "-2\t-1\t9\t-12",
                                            "-1\t3\t0\t-6",
                                            "0\t1\t-3\t0",
                                            "1\t-1\t0\t6",
                                            "2\t3\t9\t12"};
    EXPECT_EQ(lines, expected);
}

} // namespace
