#include "engine/SchoolNotation.h"
#include "engine/CompiledTerm.h"
#include "engine/ErrorFlags.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

double ValueOf(const std::string& stored, double x, double k)
{
    g_syntaxError = 0;
    g_mathError = 0;
    const double value = CCompiledTerm{stored}.Evaluate(x, k);
    EXPECT_EQ(g_syntaxError, 0) << stored;
    EXPECT_EQ(g_mathError, 0) << stored;
    return value;
}

struct SRewrite
{
    const char* typed;
    const char* stored;
    double (*meant)(double x, double k);
};

// What the pupil meant must be what the stored term computes, at two points.
TEST(SchoolNotation, StoredTermComputesWhatWasMeant)
{
    const SRewrite cases[] = {
        {"x\xB2-3", "x^2-3", [](double x, double) { return x * x - 3; }},
        {"0,5x\xB3", "0.5*x^3", [](double x, double) { return 0.5 * x * x * x; }},
        {"-x^2+4", "-(x^2)+4", [](double x, double) { return -x * x + 4; }},
        {"2x^2", "2*x^2", [](double x, double) { return 2 * x * x; }},
        {"x^-1", "x^(-1)", [](double x, double) { return 1 / x; }},
        {"2^-1", "2^(-1)", [](double, double) { return 0.5; }},
        {"x + 2", "x+2", [](double x, double) { return x + 2; }},
        {"(x+1)(x-1)", "(x+1)*(x-1)", [](double x, double) { return x * x - 1; }},
        {"x(x+1)", "x*(x+1)", [](double x, double) { return x * (x + 1); }},
        {"2sin(x)", "2*sin(x)", [](double x, double) { return 2 * std::sin(x); }},
        {"kx", "k*x", [](double x, double k) { return k * x; }},
        {"2*-3", "2*(-3)", [](double, double) { return -6.0; }},
        {"x--x", "x-(-x)", [](double x, double) { return 2 * x; }},
        {"2+-x^2", "2+(-(x^2))", [](double x, double) { return 2 - x * x; }},
        {"3\xB7x\xD7 2", "3*x*2", [](double x, double) { return 6 * x; }},
        {"X\xF7 4", "x/4", [](double x, double) { return x / 4; }},
        // e stands alone, but not inside exp, ceil or sec-like names that are functions
        {"e^x", "exp(x)", [](double x, double) { return std::exp(x); }},
        {"2e^(x+1)", "2*exp(x+1)", [](double x, double) { return 2 * std::exp(x + 1); }},
        {"e^-x", "exp(-x)", [](double x, double) { return std::exp(-x); }},
        {"exp(x)ceil(x)", "exp(x)*ceil(x)", [](double x, double) { return std::exp(x) * std::ceil(x); }},
        {"xe", "x*e", [](double x, double) { return x * 2.71828182846; }},
        {"2pi x", "2*pi*x", [](double x, double) { return 2 * 3.14159265359 * x; }},
        // a signed exponent of a number is no subtraction
        {"1e-7x", "0.0000001*x", [](double x, double) { return 1e-7 * x; }},
        {"1,5e3", "1.5e3", [](double, double) { return 1500.0; }},
        {"2.5e+2", "2.5e2", [](double, double) { return 250.0; }},
        {"(x+1)!", "!(x+1)", [](double x, double) { return x == 3 ? 24.0 : 1.0; }},
        {"SIN(X)", "sin(x)", [](double x, double) { return std::sin(x); }},
    };
    for (const SRewrite& c : cases) {
        const std::string stored = RewriteSchoolNotation(c.typed);
        EXPECT_EQ(stored, c.stored) << c.typed;
        EXPECT_FALSE(CheckSchoolNotation(c.typed).IsError()) << c.typed;
        for (const double x : {3.0, -0.5}) {
            EXPECT_DOUBLE_EQ(ValueOf(stored, x, 1.5), c.meant(x, 1.5)) << c.typed << " at " << x;
        }
    }
}

struct SProblem
{
    const char* typed;
    ESchoolProblem problem;
    std::size_t position;
};

// What the language would quietly complete or misread is refused where it happens.
TEST(SchoolNotation, ReportsWhatIsStillWrongAndWhere)
{
    const SProblem cases[] = {
        {"sin(x", ESchoolProblem::MissingClosingParenthesis, 3},
        {"x+", ESchoolProblem::MissingOperand, 2},
        {"3*x/", ESchoolProblem::MissingOperand, 4},
        {"2* ", ESchoolProblem::MissingOperand, 3},
        {"x)", ESchoolProblem::MissingOpeningParenthesis, 1},
        {"sin()", ESchoolProblem::EmptyParentheses, 3},
        {"", ESchoolProblem::MissingOperand, 0},
        {"sinx", ESchoolProblem::UnknownName, 0},
        {"x+a", ESchoolProblem::UnknownName, 2},
        {"x2", ESchoolProblem::NumberWithoutOperator, 1},
        {"1.2.3", ESchoolProblem::NumberWithoutOperator, 3},
        {"0,5,", ESchoolProblem::NumberWithoutOperator, 3},
        {"x # 2", ESchoolProblem::UnexpectedCharacter, 2},
        {"(x+1", ESchoolProblem::MissingClosingParenthesis, 0},
        {"x+1 000", ESchoolProblem::NumberWithoutOperator, 4},
    };
    const std::string deep = std::string(4'000, '(') + "x" + std::string(4'000, ')');
    EXPECT_EQ(CheckSchoolNotation(deep).problem, ESchoolProblem::NestedTooDeeply);
    EXPECT_EQ(CheckSchoolNotation(std::string(5'000, '-') + "1").problem, ESchoolProblem::NestedTooDeeply);
    std::string chain = "x";
    while (chain.size() < 100'000) {
        chain += "+x";
    }
    EXPECT_EQ(CheckSchoolNotation(chain).problem, ESchoolProblem::NestedTooDeeply);
    for (const SProblem& c : cases) {
        const SSchoolProblem found = CheckSchoolNotation(c.typed);
        EXPECT_EQ(found.problem, c.problem) << c.typed;
        EXPECT_EQ(found.position, c.position) << c.typed;
    }
}

struct SNumber
{
    const char* typed;
    double value;
    ESchoolProblem problem;
};

TEST(SchoolNotation, NumberExpressions)
{
    const SNumber cases[] = {
        {"pi/2", 3.14159265359 / 2, ESchoolProblem::None},
        {"sqrt(6)", std::sqrt(6.0), ESchoolProblem::None},
        {"2/sqrt(3)", 2 / std::sqrt(3.0), ESchoolProblem::None},
        {"-2*pi", -2 * 3.14159265359, ESchoolProblem::None},
        {"-sqrt(6)", -std::sqrt(6.0), ESchoolProblem::None},
        {"1,5e3", 1500.0, ESchoolProblem::None},
        {"2e-3", 0.002, ESchoolProblem::None},
        {"e", 2.71828182846, ESchoolProblem::None},
        {"0.1", 0.1, ESchoolProblem::None},
        {"x", 0, ESchoolProblem::VariableInNumber},
        {"2k", 0, ESchoolProblem::VariableInNumber},
        {"sqrt(", 0, ESchoolProblem::MissingClosingParenthesis},
        {"1/0", 0, ESchoolProblem::NotComputable},
        {"sqrt(-1)", 0, ESchoolProblem::NotComputable},
        {"", 0, ESchoolProblem::MissingOperand},
    };
    for (const SNumber& c : cases) {
        g_mathError = 7; // a caller's flag survives the evaluation
        SSchoolProblem problem;
        const std::optional<double> value = EvaluateNumberExpression(c.typed, &problem);
        EXPECT_EQ(problem.problem, c.problem) << c.typed;
        EXPECT_EQ(value.has_value(), c.problem == ESchoolProblem::None) << c.typed;
        if (value) {
            EXPECT_EQ(*value, c.value) << c.typed;
        }
        EXPECT_EQ(g_mathError, 7) << c.typed;
    }
    g_mathError = 0;
}

} // namespace
