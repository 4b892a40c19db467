#include "RecordingSink.h"

#include "analysis/Integral.h"
#include "analysis/Intersections.h"
#include "analysis/Tangent.h"
#include "analysis/ResultText.h"
#include "analysis/TermText.h"
#include "engine/TextEncoding.h"
#include "engine/CompiledTerm.h"
#include "engine/ErrorFlags.h"
#include "engine/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <numbers>
#include <regex>

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kE = std::numbers::e;

std::vector<std::string> Discuss(EAnalysis kind, const CGraphFunction& f, const SAnalysisInputs& inputs,
                                 const CScaling& axis, int digits = 15)
{
    CRecordingSink sink;
    RunAnalysis(kind, f, axis, 3, SDiscussOptions{true, digits}, inputs, sink);
    return sink.m_lines;
}

SAnalysisInputs With(const CGraphFunction* g)
{
    SAnalysisInputs inputs;
    inputs.with = g;
    return inputs;
}

struct SPoint
{
    double x;
    double y;
    bool touching;
};

std::vector<SPoint> Points(const std::vector<std::string>& lines)
{
    static const std::regex point{R"(S \( (\S+) \| (\S+) \)( .*)?)"};
    std::vector<SPoint> points;
    for (const std::string& line : lines) {
        std::smatch m;
        if (std::regex_search(line, m, point)) {
            points.push_back({std::atof(m[1].str().c_str()), std::atof(m[2].str().c_str()), m[3].matched});
        }
    }
    return points;
}

// The number after `label` in the first line that holds it.
double After(const std::vector<std::string>& lines, const std::string& label)
{
    for (const std::string& line : lines) {
        const auto at = line.find(label);
        if (at != std::string::npos) {
            return std::atof(line.c_str() + at + label.size());
        }
    }
    ADD_FAILURE() << "no line with " << label;
    return std::nan("");
}

double Near(double expected)
{
    return 1e-9 * std::max(1.0, std::fabs(expected));
}

std::string Joined(const std::vector<std::string>& lines)
{
    std::string all;
    for (const auto& line : lines) {
        all += line + '\n';
    }
    return all;
}

// Every intersection of the closed-form table, within 1e-9 * max(1, |value|).
TEST(Intersections, ClosedFormTable)
{
    struct SCase
    {
        const char* f;
        const char* g;
        double from;
        double to;
        std::vector<SPoint> expected;
    };
    const double r = std::sqrt(2.0) / 2;
    const SCase cases[] = {
        {"x^2", "x+2", -5, 5, {{-1, 1, false}, {2, 4, false}}},
        {"x^3", "x", -5, 5, {{-1, -1, false}, {0, 0, false}, {1, 1, false}}},
        {"x^3-6*x^2+11*x-6", "0", -5, 5, {{1, 0, false}, {2, 0, false}, {3, 0, false}}},
        {"x^2", "2*x-1", -5, 5, {{1, 1, true}}},
        {"x^2-4*x+7", "2*x-2", -5, 5, {{3, 4, true}}},
        {"sin(x)",
         "cos(x)",
         -5,
         5,
         {{kPi / 4 - kPi, -r, false}, {kPi / 4, r, false}, {kPi / 4 + kPi, -r, false}}},
        {"exp(x)", "2", -5, 5, {{std::log(2.0), 2, false}}},
        {"ln(x)", "1", -5, 5, {{kE, 1, false}}},
        {"exp(x)", "exp(2*x-1)", -5, 5, {{1, kE, false}}},
        {"1/(x-1)+x", "x+0.5", -5, 5, {{3, 3.5, false}}},
        {"(x^2+1)/x", "x", -5, 5, {}},
        {"1/x", "0", -5, 5, {}},
        {"int(x)", "0.5", -3.3, 3.3, {}},
        {"sgn(x)", "0.5", -3, 3, {}},
        {"tan(x)", "0", -1.5, 1.5, {{0, 0, false}}},
    };
    for (const SCase& c : cases) {
        const CGraphFunction g = MakeFunction(c.g);
        const auto lines =
            Discuss(EAnalysis::Intersections, MakeFunction(c.f), With(&g), MakeAxis(c.from, c.to));
        const auto points = Points(lines);
        ASSERT_EQ(points.size(), c.expected.size()) << c.f << " / " << c.g << '\n' << Joined(lines);
        for (std::size_t i = 0; i < points.size(); ++i) {
            EXPECT_NEAR(points[i].x, c.expected[i].x, Near(c.expected[i].x)) << c.f << " / " << c.g;
            EXPECT_NEAR(points[i].y, c.expected[i].y, Near(c.expected[i].y)) << c.f << " / " << c.g;
            EXPECT_EQ(points[i].touching, c.expected[i].touching) << c.f << " / " << c.g << '\n'
                                                                  << Joined(lines);
        }
        if (c.expected.empty()) {
            EXPECT_EQ(lines, std::vector<std::string>{kNoIntersectionsText}) << c.f << " / " << c.g;
        }
    }
}

TEST(Intersections, TheDoneExampleReadsAsAtSchool)
{
    const CGraphFunction g = MakeFunction("x+2");
    EXPECT_EQ(Discuss(EAnalysis::Intersections, MakeFunction("x^2"), With(&g), MakeAxis(-5, 5), 5),
              (std::vector<std::string>{"S ( -1 | 1 )", "S ( 2 | 4 )"}));
}

TEST(Intersections, EqualFunctionsAreSaidToBeEqual)
{
    const CGraphFunction f = MakeFunction("x^2");
    SAnalysisInputs itself = With(&f);
    itself.withItself = true;
    EXPECT_EQ(Discuss(EAnalysis::Intersections, f, itself, MakeAxis(-5, 5)),
              std::vector<std::string>{kEqualFunctionsText});
    const CGraphFunction sum = MakeFunction("x+x");
    EXPECT_EQ(Discuss(EAnalysis::Intersections, MakeFunction("2*x"), With(&sum), MakeAxis(-5, 5)),
              std::vector<std::string>{kEqualFunctionsText});
    // Equal where both are defined, and failing at the same places.
    const CGraphFunction quotient = MakeFunction("2/x");
    EXPECT_EQ(Discuss(EAnalysis::Intersections, MakeFunction("1/x+1/x"), With(&quotient), MakeAxis(-5, 5)),
              std::vector<std::string>{kEqualFunctionsText});
}

// The k loop of the first function drives both terms; the second one's family drives it when the
// first has none.
TEST(Intersections, FamiliesGiveOneGroupPerK)
{
    const CGraphFunction line = MakeFunction("k");
    const auto lines =
        Discuss(EAnalysis::Intersections, MakeFunction("x^2", 1, 1, 4, 1), With(&line), MakeAxis(-5, 5), 5);
    EXPECT_EQ(lines, (std::vector<std::string>{"k = 1; S ( -1 | 1 )", "k = 1; S ( 1 | 1 )", "",
                                               "k = 2; S ( -1.41421 | 2 )", "k = 2; S ( 1.41421 | 2 )", "",
                                               "k = 3; S ( -1.73205 | 3 )", "k = 3; S ( 1.73205 | 3 )", "",
                                               "k = 4; S ( -2 | 4 )", "k = 4; S ( 2 | 4 )", ""}));
    const CGraphFunction familyLine = MakeFunction("k*x", 1, 1, 2, 0.5);
    const CGraphFunction ignored = MakeFunction("x", 1, 5, 9, 1);
    EXPECT_EQ(Discuss(EAnalysis::Intersections, MakeFunction("x^2"), With(&familyLine), MakeAxis(-5, 5), 5),
              (std::vector<std::string>{"k = 1; S ( 0 | 0 )", "k = 1; S ( 1 | 1 )", "",
                                        "k = 1.5; S ( 0 | 0 )", "k = 1.5; S ( 1.5 | 2.25 )", "",
                                        "k = 2; S ( 0 | 0 )", "k = 2; S ( 2 | 4 )", ""}));
    EXPECT_EQ(Discuss(EAnalysis::Intersections, MakeFunction("x^2-k", 1, 1, 1, 1), With(&ignored),
                      MakeAxis(-5, 5), 5)
                  .front()
                  .substr(0, 6),
              "k = 1;");
}

struct STangentCase
{
    const char* f;
    double x0;
    double y0;
    double slope;
};

TEST(Tangent, ClosedFormTable)
{
    const STangentCase cases[] = {
        {"x^3", 1, 1, 3},
        {"x^2-3*x+2", 2.5, 0.75, 2},
        {"sin(x)", 1, std::sin(1.0), std::cos(1.0)},
        {"cos(x)", 2, std::cos(2.0), -std::sin(2.0)},
        {"exp(x)", 1.5, std::exp(1.5), std::exp(1.5)},
        {"ln(x)", 4, std::log(4.0), 0.25},
        {"(x^2+1)/x", 2, 2.5, 0.75},
        {"1/(x-1)", 3, 0.5, -0.25},
        {"x^2", 0, 0, 0},
        {"1000000*x^2", 1000, 1e12, 2e9},
    };
    for (const STangentCase& c : cases) {
        SAnalysisInputs at;
        at.at = c.x0;
        const auto lines = Discuss(EAnalysis::Tangent, MakeFunction(c.f), at, MakeAxis(-5, 5));
        ASSERT_EQ(lines.size(), 4u) << c.f << '\n' << Joined(lines);
        EXPECT_NEAR(Points({"S" + lines[0].substr(1)}).at(0).y, c.y0, Near(c.y0)) << c.f;
        EXPECT_NEAR(After(lines, "Steigung: "), c.slope, Near(c.slope)) << c.f;
        // The tangent's term, read by the term engine, is the line through the point.
        const std::string tangent = lines[2].substr(std::string{"Tangente: y = "}.size());
        const CCompiledTerm term{tangent};
        for (const double x : {c.x0, c.x0 + 1, c.x0 - 2}) {
            const double expected = c.y0 + c.slope * (x - c.x0);
            EXPECT_NEAR(term.Evaluate(x, 0), expected,
                        1e-9 * std::max({1.0, std::fabs(expected), std::fabs(c.y0)}))
                << c.f << ": " << tangent;
        }
    }
}

TEST(Tangent, TheDoneExampleAndItsNormal)
{
    SAnalysisInputs at;
    at.at = 1;
    EXPECT_EQ(Discuss(EAnalysis::Tangent, MakeFunction("x^3"), at, MakeAxis(-5, 5), 5),
              (std::vector<std::string>{"P ( 1 | 1 )", "Steigung: 3", "Tangente: y = 3*x-2",
                                        "Normale: y = -0.33333*x+1.33333"}));
    at.at = 0;
    EXPECT_EQ(Discuss(EAnalysis::Tangent, MakeFunction("x^2+1"), at, MakeAxis(-5, 5), 5),
              (std::vector<std::string>{"P ( 0 | 1 )", "Steigung: 0", "Tangente: y = 1", "Normale: x = 0"}));
}

TEST(Tangent, NoLineWhereThereIsNone)
{
    struct SCase
    {
        const char* f;
        double x0;
        const char* pattern;
    };
    const SCase cases[] = {
        {"abs(x)", 0, kTangentNotDifferentiableText},
        {"sqrt(x)", 0, kTangentNotDifferentiableText},
        {"sgn(x)", 0, kTangentNotDifferentiableText},
        {"int(x)", 1, kTangentNotDifferentiableText},
        {"x^(1/3)", 0, kTangentNotDifferentiableText},
        {"ln(x)", 0, kTangentNotDefinedText},
        {"1/x", 0, kTangentNotDefinedText},
        {"sqrt(x)", -1, kTangentNotDefinedText},
    };
    for (const SCase& c : cases) {
        SAnalysisInputs at;
        at.at = c.x0;
        std::string expected{c.pattern};
        expected.replace(expected.find("%s"), 2, FormatNumber(c.x0));
        EXPECT_EQ(Discuss(EAnalysis::Tangent, MakeFunction(c.f), at, MakeAxis(-5, 5), 5),
                  std::vector<std::string>{expected})
            << c.f;
    }
}

// What the buttons put into the document reads back, through the term engine, as a line whose
// value at x0 is f(x0), with every digit kept.
TEST(Tangent, AdoptedLinesReadBackExactly)
{
    const STangentCase cases[] = {
        {"x^3", 1, 1, 3},
        {"sin(x)", 0.3, std::sin(0.3), std::cos(0.3)},
        {"exp(x)", -20, std::exp(-20.0), std::exp(-20.0)},
        {"x^2/3", 1, 1.0 / 3, 2.0 / 3},
        {"1e30*x^2", 1, 1e30, 2e30},
    };
    for (const STangentCase& c : cases) {
        for (const bool normal : {false, true}) {
            const SAdoptedLines adopted = AdoptTangentLines(MakeFunction(c.f), c.x0, normal);
            ASSERT_EQ(adopted.functions.size(), 1u) << c.f;
            const std::string& term = adopted.functions[0].GetTerm();
            g_syntaxError = 0;
            const CCompiledTerm compiled{term};
            EXPECT_FALSE(compiled.HasSyntaxError()) << term;
            const double f0 = CCompiledTerm{MakeFunction(c.f).GetTerm()}.Evaluate(c.x0, 0);
            // Up to the rounding of m * x0 + c, which may cancel.
            const double size =
                std::max({1.0, std::fabs(f0), std::fabs(c.x0 * (normal ? 1 / c.slope : c.slope))});
            EXPECT_NEAR(compiled.Evaluate(c.x0, 0), f0, 4e-16 * size)
                << c.f << (normal ? " normal " : " tangent ") << term;
            const double slope = compiled.Evaluate(c.x0 + 1, 0) - compiled.Evaluate(c.x0, 0);
            const double expected = normal ? -1 / c.slope : c.slope;
            EXPECT_NEAR(slope, expected, 1e-9 * std::max(1.0, std::fabs(expected))) << term;
            EXPECT_EQ(
                adopted.functions[0].GetComment().rfind(normal ? "Normale an f(x)=" : "Tangente an f(x)=", 0),
                0u);
        }
    }
    const SAdoptedLines vertical = AdoptTangentLines(MakeFunction("x^2+1"), 2e-7 * 0, true);
    ASSERT_EQ(vertical.lines.size(), 1u);
    EXPECT_EQ(vertical.lines[0].GetKind(), CGraphObject::VerticalLine);
    EXPECT_TRUE(vertical.functions.empty());
    EXPECT_TRUE(AdoptTangentLines(MakeFunction("abs(x)"), 0, false).functions.empty());
    EXPECT_EQ(AdoptTangentLines(MakeFunction("k*x^2", 1, 1, 3, 1), 1, false).functions.size(), 3u);
}

TEST(TermText, NumbersReadBackAsThemselves)
{
    for (const double v : {0.1, -0.1, 3.0, -2.5, 1e-7, -1.2345e-7, 123456.789, 1.0 / 3, 1e19, 2.5e-19}) {
        const std::string text = TermNumberExact(v);
        EXPECT_EQ(CCompiledTerm{text}.Evaluate(0, 0), v) << text;
        EXPECT_EQ(text.find('e'), std::string::npos) << text;
        // Behind an operator, too: "2*" followed by the number.
        EXPECT_EQ(CCompiledTerm{"2*" + (v < 0 ? "(" + text + ")" : text)}.Evaluate(0, 0), 2 * v) << text;
    }
    for (const double v : {1e30, -4.5e-40, 6.02214076e23}) {
        const std::string text = TermNumberExact(v);
        EXPECT_NEAR(CCompiledTerm{"0+" + text}.Evaluate(0, 0), v, 1e-15 * std::fabs(v)) << text;
    }
    EXPECT_EQ(TermNumber(1e50, 5).front(), '(');
    EXPECT_NEAR(CCompiledTerm{"1+" + TermNumber(1e50, 5)}.Evaluate(0, 0), 1e50, 1e36);
    EXPECT_EQ(LineTerm("3", "-2"), "3*x-2");
    EXPECT_EQ(LineTerm("-0.5", "0"), "-0.5*x");
    EXPECT_EQ(LineTerm("0", "-0"), "0");
}

struct SIntegralCase
{
    const char* f;
    const char* g;
    double a;
    double b;
    double integral;
    double area;
};

TEST(Integral, ClosedFormTable)
{
    const SIntegralCase cases[] = {
        {"sin(x)", nullptr, 0, 6.283185307179586, 0, 4},
        {"x^2", nullptr, 0, 3, 9, 9},
        {"x^2", "x+2", -1, 2, -4.5, 4.5},
        {"x", nullptr, -1, 2, 1.5, 2.5},
        {"x^3-x", nullptr, -2, 2, 0, 5},
        {"sin(x)", "cos(x)", 0, kPi, 2, 2 * std::sqrt(2.0)},
        {"exp(x)", nullptr, 0, 1, kE - 1, kE - 1},
        {"exp(x)", "ln(x)", 1, 2, std::exp(2.0) - kE - (2 * std::log(2.0) - 1),
         std::exp(2.0) - kE - (2 * std::log(2.0) - 1)},
        {"1/x", nullptr, 1, kE, 1, 1},
        {"(x^2+1)/x", "x", 1, 2, std::log(2.0), std::log(2.0)},
        {"x^2", "2*x-1", 0, 3, 3, 3},
        {"int(x)", nullptr, 0, 2.5, 2, 2},
        {"x^2", nullptr, 3, 0, -9, 9},
        {"exp(0-x^2)", nullptr, -5, 5, std::sqrt(kPi) * std::erf(5.0), std::sqrt(kPi) * std::erf(5.0)},
    };
    for (const SIntegralCase& c : cases) {
        CGraphFunction g;
        SAnalysisInputs inputs;
        if (c.g != nullptr) {
            g = MakeFunction(c.g);
            inputs.with = &g;
        }
        inputs.from = c.a;
        inputs.to = c.b;
        const auto lines = Discuss(EAnalysis::Integral, MakeFunction(c.f), inputs, MakeAxis(-5, 5));
        const double integral = After(lines, ": ");
        const double area = After(lines, Utf8ToCp1252("Fläche: "));
        EXPECT_NEAR(integral, c.integral, 1e-10 * std::max(1.0, std::fabs(c.area))) << c.f << '\n'
                                                                                    << Joined(lines);
        EXPECT_NEAR(area, c.area, 1e-10 * c.area) << c.f << '\n' << Joined(lines);
        EXPECT_EQ(Joined(lines).find("Genauigkeit"), std::string::npos) << Joined(lines);
    }
}

// Where f crosses g the area is not the integral: the pieces between the crossings say why.
TEST(Integral, AreaAgainstIntegralWhereTheGraphsCross)
{
    SAnalysisInputs inputs;
    inputs.from = -1;
    inputs.to = 2;
    EXPECT_EQ(Discuss(EAnalysis::Integral, MakeFunction("x"), inputs, MakeAxis(-5, 5), 5),
              (std::vector<std::string>{"Integral von -1 bis 2: 1.5", Utf8ToCp1252("Fläche: 2.5"),
                                        "[ -1; 0 ]: -0.5", "[ 0; 2 ]: 2"}));
    const CGraphFunction g = MakeFunction("x+2");
    inputs.with = &g;
    inputs.from = -2;
    inputs.to = 3;
    const auto lines = Discuss(EAnalysis::Integral, MakeFunction("x^2"), inputs, MakeAxis(-5, 5), 5);
    EXPECT_EQ(lines,
              (std::vector<std::string>{"Integral von -2 bis 3: -0.83333", Utf8ToCp1252("Fläche: 8.16667"),
                                        "[ -2; -1 ]: 1.83333", "[ -1; 2 ]: -4.5", "[ 2; 3 ]: 1.83333"}));
}

TEST(Integral, FamiliesGiveOneGroupPerK)
{
    SAnalysisInputs inputs;
    inputs.from = 0;
    inputs.to = 3;
    // k runs over 2 and 5; x - k crosses 0 inside [0, 3] only for k = 2.
    EXPECT_EQ(Discuss(EAnalysis::Integral, MakeFunction("x-k", 1, 2, 5.5, 3), inputs, MakeAxis(-5, 5), 5),
              (std::vector<std::string>{
                  "k = 2; Integral von 0 bis 3: -1.5", "k = 2; " + Utf8ToCp1252("Fläche: 2.5"),
                  "k = 2; [ 0; 2 ]: -2", "k = 2; [ 2; 3 ]: 0.5", "", "k = 5; Integral von 0 bis 3: -10.5",
                  "k = 5; " + Utf8ToCp1252("Fläche: 10.5"), "k = 5; [ 0; 3 ]: -10.5", ""}));
}

// A pole or a place where f fails gives no number at all, wherever the scan points fall.
TEST(Integral, PolesAndGapsGiveNoSilentNumber)
{
    struct SCase
    {
        const char* f;
        double a;
        double b;
        double near;
    };
    const SCase cases[] = {
        {"1/x", -1, 1, 0},
        {"1/(x-0.3)", 0, 1, 0.3},
        {"1/(x-0.3)^2", 0, 1, 0.3},
        {"tan(x)", 0, 3, kPi / 2},
        {"sqrt(x)", -1, 1, -1},
        {"ln(x)", 0, 1, 0},
        {"1/(x-0.123456789)^4", -1, 1, 0.123456789},
    };
    for (const SCase& c : cases) {
        SAnalysisInputs inputs;
        inputs.from = c.a;
        inputs.to = c.b;
        const auto lines = Discuss(EAnalysis::Integral, MakeFunction(c.f), inputs, MakeAxis(-5, 5), 5);
        ASSERT_EQ(lines.size(), 1u) << c.f << '\n' << Joined(lines);
        EXPECT_EQ(lines[0].rfind("Das Integral existiert auf [ ", 0), 0u) << lines[0];
        const auto at = lines[0].find("x ~ ");
        ASSERT_NE(at, std::string::npos) << lines[0];
        EXPECT_NEAR(std::atof(lines[0].c_str() + at + 4), c.near, 1e-3) << c.f << ": " << lines[0];
    }
}

// Kinks, cusps, jumps, gaps, poles and ranges from tiny to huge, against their closed forms: the
// lines at five digits begin with these (the sum of the area of sin(1/x) is 0.773793105...).
TEST(KinksJumpsAndPoles, TangentAndIntegralTable)
{
    struct SCase
    {
        EAnalysis kind;
        const char* f;
        double a; // x0 of a tangent
        double b;
        std::vector<std::string> lines;
    };
    const auto notDifferentiable = [](const char* x0) {
        std::string line{kTangentNotDifferentiableText};
        return std::vector<std::string>{line.replace(line.find("%s"), 2, x0)};
    };
    const EAnalysis integral = EAnalysis::Integral;
    const EAnalysis tangent = EAnalysis::Tangent;
    const SCase cases[] = {
        {integral, "sgn(x)", -1, 2,
         {"Integral von -1 bis 2: 1", "Fläche: 3", "[ -1; 0 ]: -1", "[ 0; 2 ]: 2"}},
        {integral, "sin(1/x)", 0.001, 1, {"Integral von 0.001 bis 1: 0.50407", "Fläche: 0.77379"}},
        {integral, "x", 0, 1e6, {"Integral von 0 bis 1000000: 500000000000", "Fläche: 500000000000"}},
        {integral, "x^2", -1e300, 1e300,
         {"Das Integral von -1e+300 bis 1e+300 ist zu groß, um es anzugeben."}},
        {integral, "x", -1e300, 1e300, {"Das Integral von -1e+300 bis 1e+300 ist zu groß, um es anzugeben."}},
        {integral, "1/x", -1, 2,
         {"Das Integral existiert auf [ -1; 2 ] nicht: f ist bei x ~ 0 nicht definiert."}},
        {integral, "(x^2-1)/(x-1)", 0, 2, {"Integral von 0 bis 2: 4", "Fläche: 4", "[ 0; 2 ]: 4"}},
        {integral, "x^2-6", 0, 2.4494897, {"Integral von 0 bis 2.44949: -9.79796", "Fläche: 9.79796",
                                           "[ 0; 2.44949 ]: -9.79796"}},
        {integral, "abs(x-1)-1", 0, 3,
         {"Integral von 0 bis 3: -0.5", "Fläche: 1.5", "[ 0; 2 ]: -1", "[ 2; 3 ]: 0.5"}},
        {tangent, "sqrt(x^2)", 0, 0, notDifferentiable("0")},
        {tangent, "abs(x-1)", 1, 0, notDifferentiable("1")},
        {tangent, "sqrt(abs(x))", 0, 0, notDifferentiable("0")},
        {tangent, "sgn(x)", 0, 0, notDifferentiable("0")},
        {tangent, "int(x)", -2, 0, notDifferentiable("-2")},
        {tangent, "sqrt(x^2)", 1e-7, 0,
         {"P ( 0 | 0 )", "Steigung: 1", "Tangente: y = 1*x", "Normale: y = -1*x"}},
        {tangent, "abs(x-1)", 1 - 1e-7, 0, {"P ( 1 | 0 )", "Steigung: -1", "Tangente: y = -1*x+1"}},
        {tangent, "abs(x-1000000)", 1e6 + 1e-7, 0, {"P ( 1000000 | 0 )", "Steigung: 1"}},
        {tangent, "x^2", 1e-7, 0,
         {"P ( 0 | 0 )", "Steigung: 0", "Tangente: y = 0", "Normale: y = -5000000*x+0.5"}},
        {tangent, "1/(x-0.001)", 0, 0,
         {"P ( 0 | -1000 )", "Steigung: -1000000", "Tangente: y = -1000000*x-1000"}},
        {tangent, "1e160*(x-1e160)", 1e160, 0,
         {"An der Stelle x0 = 1e+160 sind Steigung oder Achsenabschnitt der Tangente zu groß, um sie anzugeben."}},
    };
    for (const SCase& c : cases) {
        SAnalysisInputs inputs;
        inputs.at = c.a;
        inputs.from = c.a;
        inputs.to = c.b;
        const auto lines = Discuss(c.kind, MakeFunction(c.f), inputs, MakeAxis(-5, 5), 5);
        EXPECT_GE(lines.size(), c.lines.size()) << c.f << '\n' << Joined(lines);
        for (std::size_t i = 0; i < std::min(lines.size(), c.lines.size()); ++i) {
            EXPECT_EQ(lines[i], Utf8ToCp1252(c.lines[i])) << c.f << '\n' << Joined(lines);
        }
        // No zero-length piece, no "-0", no number a double could not hold.
        static const std::regex wrong{R"((^|[^\d.])-0($|[^\d.])|inf|nan|\[ (\S+); \3 \])"};
        EXPECT_FALSE(std::regex_search(Joined(lines), wrong)) << c.f << '\n' << Joined(lines);
    }
}

// A stop asked for before the run ends it at once, with no line and no half-finished number.
TEST(KinksJumpsAndPoles, StopEndsTheIntegralAtOnce)
{
    class CStoppedSink final : public IAnalysisSink
    {
    public:
        CStoppedSink() { m_source.request_stop(); }
        void AddLine(std::string line) override { m_lines.push_back(std::move(line)); }
        std::stop_token StopToken() const override { return m_source.get_token(); }
        std::stop_source m_source;
        std::vector<std::string> m_lines;
    };
    for (const char* f : {"sin(x)", "sin(1/x)", "x^2-6"}) {
        CStoppedSink sink;
        SAnalysisInputs inputs;
        inputs.from = 0.001;
        inputs.to = 1e4;
        RunAnalysis(EAnalysis::Integral, MakeFunction(f), MakeAxis(-5, 5), 10,
                    SDiscussOptions{true, 5}, inputs,
                    sink);
        EXPECT_EQ(sink.m_lines, std::vector<std::string>{}) << f;
    }
}
} // namespace
