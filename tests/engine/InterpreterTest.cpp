#include "engine/ErrorFlags.h"
#include "engine/TermSyntax.h"
#include "oracle/TermInterpreter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

struct TermCase
{
    const char* term;
    double expected;
    int syntaxError;
};

void PrintTo(const TermCase& c, std::ostream* os)
{
    *os << '"' << c.term << '"';
}

// Evaluates at x = 3, k = 2 like a drawing sample: construct, store x and k, interpret.
double Sample(const std::string& term, double x = 3, double k = 2)
{
    CTermInterpreter graph;
    graph.SetX(x);
    graph.SetK(k);
    return graph.Interpret(term);
}

class TermValue : public ::testing::TestWithParam<TermCase>
{
};

TEST_P(TermValue, GivesValueAndSyntaxFlag)
{
    const TermCase& c = GetParam();
    const double value = Sample(c.term);
    EXPECT_DOUBLE_EQ(value, c.expected);
    EXPECT_EQ(g_syntaxError, c.syntaxError);
}

INSTANTIATE_TEST_SUITE_P(EmptyPartsReadAsOne, TermValue,
                         ::testing::Values(TermCase{"", 1, 0}, TermCase{"()", 1, 0}, TermCase{"2*", 2, 0},
                                           TermCase{"x+", 4, 0}, TermCase{"sin()", std::sin(1.0), 0}));

INSTANTIATE_TEST_SUITE_P(OperatorsAndSigns, TermValue,
                         ::testing::Values(TermCase{"x^2", 9, 0}, TermCase{"-x^2", 9, 0},
                                           TermCase{"2^3^2", 64, 0}, TermCase{"8/2/2", 2, 0},
                                           TermCase{"a-b-c", 2 - 2 - 2, 0}, TermCase{"2*-3", -1, 0},
                                           TermCase{"2^-1", 1, 0}, TermCase{"--x", -4, 0},
                                           TermCase{"++x", 4, 0}, TermCase{"+x", 3, 0},
                                           TermCase{"2*(-3)", -6, 0}, TermCase{"1+2*3^2", 19, 0},
                                           TermCase{"-(x+1)", -4, 0}, TermCase{"(1+2)*(3+4)", 21, 0}));

INSTANTIATE_TEST_SUITE_P(NoImplicitMultiplication, TermValue,
                         ::testing::Values(TermCase{"2x", 2, 0}, TermCase{"2(x+1)", 2, 0},
                                           TermCase{"(x+1)(x-1)", 3, 0}, TermCase{"5!", 5, 0}));

INSTANTIATE_TEST_SUITE_P(NumberReading, TermValue,
                         ::testing::Values(TermCase{"1e5", 100000, 0}, TermCase{"1e-5", 0.00001 - 5, 0},
                                           TermCase{"1e+5", 100005, 0}, TermCase{"0,5", 0, 0},
                                           TermCase{".", 0, 0}, TermCase{".5", 0.5, 0}, TermCase{"5.", 5, 0},
                                           TermCase{"1e", 1, 0}, TermCase{"2.5e2", 250, 0},
                                           TermCase{"0x1a", 0, 0}, TermCase{"1e999", HUGE_VAL, 0},
                                           TermCase{"1e-999", 0 - 999, 0},
                                           TermCase{"0.0000001e-400", 0 - 400, 0}));

INSTANTIATE_TEST_SUITE_P(LettersAndConstants, TermValue,
                         ::testing::Values(TermCase{"k", 2, 0}, TermCase{"a", 2, 0}, TermCase{"t", 2, 0},
                                           TermCase{"X", 3, 0}, TermCase{"E", 2.71828182846, 0},
                                           TermCase{"e", 2.71828182846, 0}, TermCase{"PI", 3.14159265359, 0},
                                           TermCase{"pI", 3.14159265359, 0}, TermCase{"p", 2, 0},
                                           TermCase{"sin x", 2, 0}, TermCase{"SIN(x)", 2, 0},
                                           TermCase{"xyz", 3, 0}, TermCase{"exp", 2.71828182846, 0}));

INSTANTIATE_TEST_SUITE_P(SpacesAndStrayCharacters, TermValue,
                         ::testing::Values(TermCase{"x + 2", 4, 1}, TermCase{"x +2", 5, 0},
                                           TermCase{" x", 1, 1}, TermCase{",", 1, 1}, TermCase{"\xe4", 1, 1},
                                           TermCase{"x*)", 3, 1}));

INSTANTIATE_TEST_SUITE_P(Parentheses, TermValue,
                         ::testing::Values(TermCase{"x)", 3, 1}, TermCase{"sin(x", std::sin(1.0), 1},
                                           TermCase{"sin(", 0.8414709848078965, 1}, TermCase{"((x))", 3, 0}));

TEST(TermValue, UnbalancedOpeningParenthesisRaisesTheSyntaxFlag)
{
    Sample("(x+1");
    EXPECT_EQ(g_syntaxError, 1);
}

TEST(TermValue, SpecialFunctions)
{
    const struct
    {
        const char* term;
        double expected;
    } cases[] = {
        {"!(5)", 120},
        {"!(2.5)", 3.75},
        {"!(0)", 1},
        {"!(-3)", 1},
        {"fib(10)", 89},
        {"fib(2.5)", 3},
        {"fib(2)", 2},
        {"fib(1)", 1},
        {"sgn(-2)", -1},
        {"sgn(0)", 0},
        {"sgn(5)", 1},
        {"int(-2.7)", -2},
        {"floor(-2.7)", -3},
        {"ceil(-2.7)", -2},
        {"abs(-x)", 3},
        {"log(100)", 2},
        {"ln(x)", std::log(3.0)},
        {"exp(0)", 1},
        {"sqrt(x*3)", 3},
        {"cos(0)", 1},
        {"tan(0)", 0},
        {"atan(1)", std::atan(1.0)},
        {"asin(1)", std::asin(1.0)},
        {"acos(1)", 0},
        {"sinh(0)", 0},
        {"cosh(0)", 1},
        {"tanh(0)", 0},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(Sample(c.term), c.expected) << c.term;
        EXPECT_EQ(g_syntaxError, 0) << c.term;
        EXPECT_EQ(g_mathError, 0) << c.term;
    }
}

TEST(TermValue, HugeFactorialAndFibonacciAreInfiniteWithoutFlagAndPrompt)
{
    for (const char* term : {"!(171)", "!(1e300)", "fib(1500)", "fib(1e300)", "fib(1e308*10)"}) {
        EXPECT_EQ(Sample(term), HUGE_VAL) << term;
        EXPECT_EQ(g_mathError, 0) << term;
    }
    EXPECT_TRUE(std::isfinite(Sample("!(170)")));
    EXPECT_TRUE(std::isfinite(Sample("fib(1475)")));
}

TEST(TermValue, FactorialRoundsLikeTheRecursion)
{
    // Multiplying from the innermost factor outward, as a * !(a - 1) does.
    double expected = 1.0;
    for (int i = 2; i <= 25; ++i) {
        expected = i * expected;
    }
    EXPECT_EQ(Sample("!(25)"), expected);
}

TEST(TermValue, MathErrorsReadAsOneAndRaiseTheFlag)
{
    const struct
    {
        const char* term;
        double expected;
    } cases[] = {
        {"1/0", 1},      {"1/(x-3)", 1},   {"sqrt(-1)", 1},   {"ln(0)", 1},      {"acos(2)", 1},
        {"asin(-2)", 1}, {"log(-1)", 1},   {"exp(1000)", 1},  {"sinh(1000)", 1}, {"cosh(-1000)", 1},
        {"2+1/0", 3},    {"0^(-1)", 1},    {"(-8)^(1/3)", 1}, {"10^400", 1},     {"sin(1e999)", 1},
        {"ln(-x)", 1},   {"x/(1/0-1)", 1},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(Sample(c.term), c.expected) << c.term;
        EXPECT_EQ(g_mathError, 1) << c.term;
        EXPECT_EQ(g_syntaxError, 0) << c.term;
    }
}

TEST(TermValue, UnderflowIsNoError)
{
    for (const char* term : {"exp(-1000)", "10^(-400)", "(1/1e200)*(1/1e200)"}) {
        EXPECT_EQ(Sample(term), 0.0) << term;
        EXPECT_EQ(g_mathError, 0) << term;
    }
}

TEST(TermValue, PowersOfNegativeBasesWithWholeExponents)
{
    EXPECT_DOUBLE_EQ(Sample("(-2)^3"), -8);
    EXPECT_EQ(g_mathError, 0);
}

TEST(ErrorFlags, ConstructionClearsBothFlags)
{
    g_syntaxError = 1;
    g_mathError = 1;
    CTermInterpreter graph;
    EXPECT_EQ(g_syntaxError, 0);
    EXPECT_EQ(g_mathError, 0);
}

TEST(ErrorFlags, InterpretNeverClearsAFlag)
{
    CTermInterpreter graph;
    graph.SetX(0);
    graph.Interpret("1/x");
    graph.Interpret("x , 2");
    graph.Interpret("x+1");
    EXPECT_EQ(g_mathError, 1);
    EXPECT_EQ(g_syntaxError, 0);
    graph.Interpret(" ");
    graph.Interpret("x");
    EXPECT_EQ(g_syntaxError, 1);
}

TEST(CheckTerm, ReportsSyntaxErrorsAndLeavesTheMathFlag)
{
    CTermInterpreter graph;
    EXPECT_EQ(graph.CheckTerm("1/x"), 0);
    EXPECT_EQ(g_mathError, 1);
    EXPECT_NE(graph.CheckTerm("x + 2"), 0);
    EXPECT_EQ(graph.CheckTerm("sin(x)*k"), 0); // clears what the previous check raised
    EXPECT_NE(graph.CheckTerm("(x"), 0);
    EXPECT_NE(graph.CheckTerm("x)"), 0);
    EXPECT_EQ(graph.GetX(), 0.0);
    EXPECT_EQ(graph.GetK(), 0.0);
}

TEST(CheckTerm, RunsOnTheTextAsTyped)
{
    CTermInterpreter graph;
    // Capitals are no syntax error: SIN reads as a letter, the rest is ignored.
    EXPECT_EQ(graph.CheckTerm("SIN(X)"), 0);
}

TEST(Interpret, NumberReadingStopsAtTheEndOfTheTerm)
{
    // The view "1e" reads on into "-5"; a number at the very end reads only what is there.
    const std::string term = "2*1.5";
    CTermInterpreter graph;
    EXPECT_DOUBLE_EQ(graph.Interpret(std::string_view(term).substr(0, 4)), 2.0);
}

TEST(Interpret, NameComparisonNeverReadsPastTheTerm)
{
    CTermInterpreter graph;
    graph.SetK(7);
    const std::string term = "sinxxxx";
    // A view of "s" alone: the name "sin(" would need bytes beyond the term's end.
    EXPECT_DOUBLE_EQ(graph.Interpret(std::string_view(term).substr(0, 1)), 7.0);
}

TEST(PathologicalTerms, DeepNestingIsASyntaxErrorNotACrash)
{
    const std::string term = std::string(100000, '(') + "x" + std::string(100000, ')');
    EXPECT_DOUBLE_EQ(Sample(term), 1.0);
    EXPECT_EQ(g_syntaxError, 1);
}

TEST(PathologicalTerms, ManyOperatorsReturnANumber)
{
    std::string sum = "1";
    std::string product = "1";
    std::string signs(100000, '-');
    for (int i = 0; i < 100000; ++i) {
        sum += "+1";
        product += "*1";
    }
    // A chain of one level spends no nesting depth. A run of minus signs is such a chain too:
    // only the first is a sign, the others subtract empty operands, which read as 1.
    EXPECT_EQ(Sample(sum), 100001.0);
    EXPECT_EQ(g_syntaxError, 0);
    EXPECT_EQ(Sample(product), 1.0);
    EXPECT_EQ(g_syntaxError, 0);
    EXPECT_EQ(Sample(signs), -100000.0);
    EXPECT_EQ(g_syntaxError, 0);
    // Signs in front of groups nest, and stay bounded.
    std::string nested;
    for (int i = 0; i < 100000; ++i) {
        nested += "-(";
    }
    nested += "x" + std::string(100000, ')');
    EXPECT_EQ(Sample(nested), 1.0);
    EXPECT_EQ(g_syntaxError, 1);
}

// x+x+...+x of 32,767 characters is 16,384 times x; it used to read -9993 at x = -5 because every
// operator of the chain counted as a level of nesting.
TEST(PathologicalTerms, LongChainsOfOneLevelKeepEveryOperand)
{
    struct SChain
    {
        std::string piece;
        std::string last;
        double x;
        double expected;
    };
    const SChain chains[] = {
        {"x+", "x", -5.0, -81920.0}, {"x-", "x", 1.0, 1.0 - 16383.0}, {"x*", "x", 1.0, 1.0},
        {"2/", "2", 0.0, 0.0}, // ((2/2)/2)/... underflows to 0 long before the end
        {"x^", "x", 1.0, 1.0},
    };
    for (const SChain& c : chains) {
        std::string term;
        while (term.size() + c.piece.size() + c.last.size() <= 32767) {
            term += c.piece;
        }
        term += c.last;
        EXPECT_EQ(Sample(term, c.x), c.expected) << c.piece;
        EXPECT_EQ(g_syntaxError, 0) << c.piece;
    }
}

TEST(PathologicalTerms, NestingWithinTheBoundIsEvaluated)
{
    const int depth = kMaxTermDepth / 2 - 2;
    const std::string term = std::string(depth, '(') + "x+1" + std::string(depth, ')');
    EXPECT_DOUBLE_EQ(Sample(term), 4.0);
    EXPECT_EQ(g_syntaxError, 0);
}

TEST(PathologicalTerms, AMegabyteTermIsHandledWhole)
{
    // Longer than any 16-bit position: the last operand must still count.
    std::string term = "0";
    while (term.size() < 1000000) {
        term += "+0";
    }
    term += "+x";
    EXPECT_EQ(Sample(term), 3.0);
    EXPECT_EQ(g_syntaxError, 0);
    const std::string longNumber = std::string(40000, '0') + "7";
    EXPECT_DOUBLE_EQ(Sample(longNumber), 7.0);
    const std::string longSpaces = "x+2" + std::string(70000, ' ');
    EXPECT_DOUBLE_EQ(Sample(longSpaces), 5.0);
}

} // namespace
