// The compiled form against the interpreter, bit for bit and flag for flag: a table of terms that
// exercise every quirk of the reading, then a million random terms from the grammar and from
// mutations of the table, at ordinary and extreme points.
#include "engine/CheckedPowers.h"
#include "engine/CompiledTerm.h"
#include "engine/Derivatives.h"
#include "engine/ErrorFlags.h"
#include "engine/MathFunctions.h"
#include "engine/TermSyntax.h"
#include "oracle/TermInterpreter.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

struct SOutcome
{
    double value;
    int syntaxError;
    int mathError;
};

SOutcome Interpreted(const std::string& term, double x, double k)
{
    CTermInterpreter graph; // clears both flags
    graph.SetX(x);
    graph.SetK(k);
    const double value = graph.Interpret(term);
    return {value, g_syntaxError, g_mathError};
}

SOutcome Compiled(const CCompiledTerm& term, double x, double k)
{
    g_syntaxError = 0;
    g_mathError = 0;
    const double value = term.Evaluate(x, k);
    return {value, g_syntaxError, g_mathError};
}

// Bit for bit, so that -0 and 0 differ; every NaN is one class. Where two NaNs meet in a sum or a
// product, C++ leaves it to the compiler which operand comes first, and with it which NaN's sign
// the result carries; the interpreter itself differs there between optimisation levels. No value
// of a term can depend on it: every operation and function of a term turns a NaN, whatever its
// sign, into a NaN or into the same number.
bool Same(double a, double b)
{
    if (std::isnan(a) || std::isnan(b)) {
        return std::isnan(a) && std::isnan(b);
    }
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

std::string Describe(const std::string& term, double x, double k)
{
    std::string text = "term \"";
    for (const char c : term.size() > 200 ? term.substr(0, 200) + "..." : term) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u >= 0x7f) {
            static const char hex[] = "0123456789abcdef";
            text += "\\x";
            text += hex[u >> 4];
            text += hex[u & 15];
        } else {
            text += c;
        }
    }
    char numbers[128];
    std::snprintf(numbers, sizeof numbers, "\" x=%a k=%a", x, k);
    return text + numbers;
}

// Compares one term at the given points with one k: per point, as a batch, and the difference
// formulas of every order. Returns false (after one failure message) on the first difference.
bool Agree(const std::string& text, const std::vector<double>& xs, double k, bool derivatives)
{
    const CCompiledTerm term{text};
    std::vector<SOutcome> wanted;
    wanted.reserve(xs.size());
    for (const double x : xs) {
        const SOutcome want = Interpreted(text, x, k);
        const SOutcome got = Compiled(term, x, k);
        if (!Same(want.value, got.value) || want.syntaxError != got.syntaxError || want.mathError != got.mathError) {
            ADD_FAILURE() << Describe(text, x, k) << ": interpreter " << want.value << " flags " << want.syntaxError
                          << want.mathError << ", compiled " << got.value << " flags " << got.syntaxError
                          << got.mathError;
            return false;
        }
        if (term.HasSyntaxError() != (want.syntaxError != 0)) {
            ADD_FAILURE() << Describe(text, x, k) << ": HasSyntaxError disagrees";
            return false;
        }
        wanted.push_back(want);
    }

    std::vector<double> values(xs.size());
    std::vector<std::uint8_t> errors(xs.size());
    g_syntaxError = 0;
    g_mathError = 1; // must survive the batch
    term.EvaluateBatch(xs, k, values, errors);
    if (g_syntaxError != 0 || g_mathError != 1) {
        ADD_FAILURE() << Describe(text, 0, k) << ": the batch changed a flag";
        return false;
    }
    for (std::size_t i = 0; i < xs.size(); ++i) {
        if (!Same(wanted[i].value, values[i]) || wanted[i].mathError != errors[i]) {
            ADD_FAILURE() << Describe(text, xs[i], k) << ": batch gives " << values[i] << " flag " << int{errors[i]}
                          << ", interpreter " << wanted[i].value << " flag " << wanted[i].mathError;
            return false;
        }
    }

    if (!derivatives) {
        return true;
    }
    for (const int order : {0, 1, 2, 3, 7}) {
        EvaluateOrderBatch(term, xs, k, order, values);
        for (std::size_t i = 0; i < xs.size(); ++i) {
            CTermInterpreter graph;
            const double want = graph.Evaluate(text, xs[i], k, order);
            const int wantSyntax = g_syntaxError;
            const int wantMath = g_mathError;
            g_syntaxError = 0;
            g_mathError = 0;
            const double single = EvaluateOrder(term, xs[i], k, order);
            if (!Same(want, values[i]) || !Same(want, single) ||
                wantSyntax != g_syntaxError || wantMath != g_mathError) {
                ADD_FAILURE() << Describe(text, xs[i], k) << ": order " << order << " interpreter " << want
                              << ", batch " << values[i] << ", single " << single;
                return false;
            }
        }
    }
    return true;
}

std::string Repeat(const std::string& s, int n)
{
    std::string out;
    for (int i = 0; i < n; ++i) {
        out += s;
    }
    return out;
}

std::string Nested(int depth, const std::string& inner)
{
    return std::string(static_cast<std::size_t>(depth), '(') + inner + std::string(static_cast<std::size_t>(depth), ')');
}

const double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kDenormal = std::numeric_limits<double>::denorm_min();

// Points where the arithmetic is at its edges.
const std::vector<double> kEdgePoints = {
    0.0, -0.0, 3.0, -5.0, 1.0, -1.0, 0.5, 2.0, kNaN, -kNaN, kInf, -kInf, kDenormal, -kDenormal,
    std::numeric_limits<double>::min(), std::numeric_limits<double>::max(), -std::numeric_limits<double>::max(),
    1e308, -1e-310, 171.5, 1500.5, 134217727.0, 710.0, -745.5, 1e-8, 0.001, -0.002, 0.005, 0.01, -0.02,
};

// Terms chosen for their quirks: splits, signs, number reading past the view, names compared past
// the view, letters, groups, failures, constants that fold and constants that must not.
const std::vector<std::string> kTrickyTerms = {
    "", "()", "2*", "x+", "sin()", "x^2", "-x^2", "2^3^2", "8/2/2", "a-b-c", "2*-3", "2^-1", "--x", "++x", "+x",
    "2*(-3)", "1+2*3^2", "-(x+1)", "(1+2)*(3+4)", "2x", "2(x+1)", "(x+1)(x-1)", "5!", "1e5", "1e-5", "1e+5",
    "0,5", ".", ".5", "5.", "1e", "2.5e2", "0x1a", "1e999", "1e-999", "0.0000001e-400", "k", "a", "t", "X", "E",
    "e", "PI", "pI", "p", "pi", "sin x", "SIN(x)", "xyz", "exp", "x + 2", "x +2", " x", ",", "\xe4", "x*)", "x)",
    "sin(x", "sin(", "((x))", "(x+1", "!(5)", "!(2.5)", "!(x)", "fib(x)", "fib(10)", "sgn(x)", "int(x)",
    "floor(x)", "ceil(x)", "abs(-x)", "log(x)", "ln(x)", "exp(x)", "sqrt(x)", "cos(x)", "tan(x)", "atan(x)",
    "asin(x)", "acos(x)", "sinh(x)", "cosh(x)", "tanh(x)", "1/0", "1/(x-3)", "sqrt(-1)", "ln(0)", "acos(2)",
    "2+1/0", "0^(-1)", "(-8)^(1/3)", "10^400", "sin(1e999)", "ln(-x)", "x/(1/0-1)", "exp(-1000)", "10^(-400)",
    "(1/1e200)*(1/1e200)", "(-2)^3", "1/x", "x/k", "k/x", "x^k", "k^x", "x^x", "0^x", "x^0", "(-x)^0.5",
    "sin(x)*exp(-x^2/4)", "3*x^3-2*x^2+x-5", "sqrt(abs(x))+ln(x^2+1)", "(x+1)*(x-1)/(x^2+1)", "k*sin(x/k)+k",
    "x-x", "x*0", "0*x", "x/x", "(x-x)+k", "k+(x-x)", "-(x-x)", "x*k-k*x", "1e308*10*x", "-0", "-(0)", "0*-1",
    "x^2^0.5", "sin(cos(tan(x)))", "!(!(3))", "fib(fib(5))", "sgn(0/0)", "int(1/0)", "sqrt(", "sqrt(x))",
    "((", "))", "(()", "())", ")(", "x(", "pi(", "p(", "e^x", "e^-x", "exp(1)^x", "ln(e)", "1.5.5", "1e5e5",
    "1e-5-5", "x-1e-5", "2*1e+5", "1ee5", "1e+", "1e-", "1.e5", ".e5", "00.00e+0003", "x*x*x*x*x*x*x*x",
    "x/x/x/x", "x^x^x^x", "-x-x-x", "- x", "x -", "x--", "x++", "x**2", "x//2", "x^^2", "^x", "*x", "/x",
    "(x)^(x)", "sin(x)(x)", "sin(x)x", "abs(x)-abs(-x)", "ceil(-0.5)", "int(-0.5)", "floor(0.5)*-1",
    "!(171)", "!(1e300)", "fib(1500)", "fib(1e300)", "!(-x)", "fib(-x)", "sgn(-0)", "abs(-0)", "-abs(0)",
    Repeat("x+", 50) + "x", Repeat("x^", 20) + "x", Nested(30, "x+1"), Nested(30, "-x"),
    Repeat("-", 40) + "x", Repeat("+", 40) + "x", Repeat("sin(", 25) + "x" + std::string(25, ')'),
    "1+1+1+1+1+1+1+1+1+1", "2^2^2^2^2^2^2^2^2^2^2", "(1/0)+(1/0)", "1/0*x", "x*1/0",
};

// The depth bound: every kind of nesting just within, at and beyond it.
std::vector<std::string> DepthTerms()
{
    const int d = kMaxTermDepth;
    std::vector<std::string> terms;
    for (const int n : {d - 1, d, d + 1}) {
        terms.push_back(Nested(n, "x"));
        terms.push_back(Nested(n, ""));
        terms.push_back(Repeat("-", n) + "x");
        terms.push_back(Repeat("+", n) + "x");
        terms.push_back(Repeat("x^", n) + "x");
        terms.push_back(Repeat("x+", n) + "x");
        terms.push_back(Repeat("x*", n) + "1/0");
        terms.push_back(Repeat("sin(", n) + "x" + std::string(static_cast<std::size_t>(n), ')'));
        terms.push_back(Repeat("(x+", n) + "1" + std::string(static_cast<std::size_t>(n), ')'));
        terms.push_back(Repeat("-(", n / 2) + "x" + std::string(static_cast<std::size_t>(n / 2), ')'));
    }
    return terms;
}

TEST(CompiledTerm, TrickyTermsAgreeWithTheInterpreterAtEveryEdgePoint)
{
    for (const std::string& term : kTrickyTerms) {
        for (const double k : {2.0, 0.0, -0.0, kNaN, kInf, -kInf, kDenormal, -7.5}) {
            ASSERT_TRUE(Agree(term, kEdgePoints, k, true));
        }
    }
}

TEST(CompiledTerm, NestingAroundTheDepthBoundAgrees)
{
    for (const std::string& term : DepthTerms()) {
        ASSERT_TRUE(Agree(term, {3.0, kNaN}, 2.0, false));
    }
}

TEST(CompiledTerm, TheSyntaxFlagIsKnownBeforeEvaluation)
{
    EXPECT_FALSE(CCompiledTerm{"sin(x)*exp(-x^2/4)"}.HasSyntaxError());
    EXPECT_FALSE(CCompiledTerm{"1/x"}.HasSyntaxError());
    EXPECT_TRUE(CCompiledTerm{"x + 2"}.HasSyntaxError());
    EXPECT_TRUE(CCompiledTerm{"(x+1"}.HasSyntaxError());
    EXPECT_TRUE(CCompiledTerm{Nested(kMaxTermDepth, "x")}.HasSyntaxError());
    EXPECT_FALSE(CCompiledTerm{Nested(kMaxTermDepth - 1, "x")}.HasSyntaxError());
}

TEST(CompiledTerm, ConstantPartsFoldButFailingOnesStay)
{
    // Folded to one constant: nothing left to compute.
    EXPECT_EQ(CCompiledTerm{"2^3^2+sin(1)*pi"}.InstructionCount(), 0U);
    // A division by zero fails at every point, so it stays and keeps raising the flag.
    const CCompiledTerm failing{"2+1/0"};
    EXPECT_GT(failing.InstructionCount(), 0U);
    g_mathError = 0;
    EXPECT_EQ(failing.Evaluate(0, 0), 3.0);
    EXPECT_EQ(g_mathError, 1);
}

TEST(CheckedPowers, GivePowsValueAndFlagBitForBit)
{
    std::mt19937_64 random{2026};
    std::vector<double> bases = kEdgePoints;
    for (const double edge : {0x1p-400, 0x1p400, 0x1p-250, 0x1p250, 0x1p341, 0x1p342, 0x1p511, 0x1p512, 0x1p-537,
                              0x1p-538, 0x1p-1074, 1e154, 1e155}) {
        for (const double b : {edge, std::nextafter(edge, 0.0), std::nextafter(edge, kInf)}) {
            bases.push_back(b);
            bases.push_back(-b);
        }
    }
    for (int i = 0; i < 200'000; ++i) {
        // Odd whole numbers from 2^26 on have squares exactly between two doubles; odd ones from
        // 208,064 to 262,143 have such cubes.
        bases.push_back(static_cast<double>((std::uint64_t{1} << 26) + 2 * static_cast<std::uint64_t>(i) + 1));
        bases.push_back(static_cast<double>(208'065 + 2 * (i % 27'040)));
        // Around powers of two, where the spacing of doubles halves.
        const double power = std::ldexp(1.0, static_cast<int>(random() % 200) - 100);
        bases.push_back(std::nextafter(power, kInf));
        bases.push_back(std::nextafter(power, 0.0));
        bases.push_back(std::bit_cast<double>(random()));
        bases.push_back(std::uniform_real_distribution<double>{-10, 10}(random));
    }
    using checked_powers::SFusedProduct;
    using checked_powers::SSplitProduct;
    const struct
    {
        double exponent;
        double (*checked)(double);
        // The quick way with either exact product: the program takes the one the processor suits.
        SQuickPower (*split)(double);
        SQuickPower (*fused)(double);
    } powers[] = {{2.0, CheckedSquare, SquareByProduct<SSplitProduct>, SquareByProduct<SFusedProduct>},
                  {3.0, CheckedCube, CubeByProduct<SSplitProduct>, CubeByProduct<SFusedProduct>}};
    for (const auto& power : powers) {
        int shortcuts = 0;
        for (const double b : bases) {
            g_mathError = 0;
            const double want = CheckedPow(b, power.exponent);
            const int wantFlag = g_mathError;
            g_mathError = 0;
            const double got = power.checked(b);
            ASSERT_TRUE(Same(want, got) && wantFlag == g_mathError) << power.exponent << " " << std::hexfloat << b;
            const SQuickPower split = power.split(b);
            const SQuickPower fused = power.fused(b);
            ASSERT_TRUE(split.decided == 0 || Same(split.power, want)) << power.exponent << " " << std::hexfloat << b;
            ASSERT_TRUE(fused.decided == 0 || Same(fused.power, want)) << power.exponent << " " << std::hexfloat << b;
            shortcuts += split.decided != 0 && fused.decided != 0 ? 1 : 0;
        }
        // Most bases of moderate size take the quick way; otherwise it is dead weight.
        EXPECT_GT(shortcuts, static_cast<int>(bases.size() / 2)) << power.exponent;
    }
}

// Grammar-generated terms with a bias toward what makes the reading and arithmetic differ: signs
// after operators, unbalanced or empty groups, numbers with exponents, names and letters.
class CTermGenerator
{
public:
    explicit CTermGenerator(std::uint64_t seed) : m_random{seed} {}

    // At most 64 characters: the interpreter's cost grows with length times depth, and the long
    // cases have their own tests; cutting a term short is one more mutation.
    std::string Term(int depth = 0)
    {
        std::string out;
        Expression(out, depth);
        if (out.size() > 64) {
            out.resize(64);
        }
        return out;
    }

    std::string Mutate(std::string term)
    {
        static const std::string alphabet = "x+-*/^()0123456789.eEkpiXsnclgqrtabf!, ";
        const int edits = 1 + Pick(3);
        for (int i = 0; i < edits; ++i) {
            const std::size_t at = term.empty() ? 0 : static_cast<std::size_t>(Pick(static_cast<int>(term.size()) + 1));
            switch (Pick(5)) {
            case 0:
                term.insert(term.begin() + static_cast<long>(at), alphabet[static_cast<std::size_t>(Pick(static_cast<int>(alphabet.size())))]);
                break;
            case 1:
                if (at < term.size()) {
                    term.erase(at, 1);
                }
                break;
            case 2:
                if (at < term.size()) {
                    term[at] = alphabet[static_cast<std::size_t>(Pick(static_cast<int>(alphabet.size())))];
                }
                break;
            case 3:
                term.insert(at, Term(3));
                break;
            default:
                if (at < term.size()) {
                    term = term.substr(0, at) + term.substr(at, term.size() - at) + term.substr(at, 4);
                }
                break;
            }
        }
        return term;
    }

    double Point()
    {
        switch (Pick(4)) {
        case 0:
            return kEdgePoints[static_cast<std::size_t>(Pick(static_cast<int>(kEdgePoints.size())))];
        case 1:
            return std::bit_cast<double>(m_random());
        case 2:
            return std::uniform_real_distribution<double>{-10, 10}(m_random);
        default:
            return Pick(21) - 10;
        }
    }

    int Pick(int n) { return static_cast<int>(m_random() % static_cast<std::uint64_t>(n)); }

private:
    void Expression(std::string& out, int depth)
    {
        Operand(out, depth);
        const int operators = Pick(depth > 4 ? 2 : 4);
        for (int i = 0; i < operators; ++i) {
            static const char ops[] = "+-*/^^";
            out += ops[Pick(6)];
            if (Pick(8) == 0) {
                out += Pick(2) ? '-' : '+';
            }
            Operand(out, depth);
        }
    }

    void Operand(std::string& out, int depth)
    {
        static const char* const names[] = {"sin(", "cos(", "sqrt(", "tan(", "exp(", "ln(", "log(",
                                            "acos(", "asin(", "atan(", "abs(", "sinh(", "cosh(", "tanh(",
                                            "ceil(", "floor(", "fib(", "!(", "sgn(", "int("};
        static const char* const numbers[] = {"0", "1", "2", "3", "0.5", ".5", "5.", "1e5", "1e-5", "1e+5",
                                              "2.5e2", "1e308", "1e999", "1e-400", "0.001", "171", "1500",
                                              "710", "0,5", "1e", "00.10e-3", "4"};
        static const char* const letters[] = {"x", "x", "x", "k", "k", "X", "e", "E", "pi", "PI", "p", "a"};
        const int choice = depth > 6 ? Pick(3) : Pick(8);
        switch (choice) {
        case 0:
            out += numbers[Pick(static_cast<int>(std::size(numbers)))];
            break;
        case 1:
        case 2:
            out += letters[Pick(static_cast<int>(std::size(letters)))];
            break;
        case 3:
        case 4:
            out += names[Pick(static_cast<int>(std::size(names)))];
            Expression(out, depth + 1);
            if (Pick(16) != 0) {
                out += ')';
            }
            break;
        case 5:
            out += '(';
            if (Pick(12) != 0) {
                Expression(out, depth + 1);
            }
            if (Pick(16) != 0) {
                out += ')';
            }
            break;
        case 6:
            out += '-';
            Operand(out, depth + 1);
            break;
        default:
            if (Pick(4) == 0) {
                out += " ,)x"[Pick(4)];
            }
            Operand(out, depth + 1);
            break;
        }
    }

    std::mt19937_64 m_random;
};

TEST(CompiledTerm, RandomTermsAgreeWithTheInterpreter)
{
    const int count = kSanitized ? 100'000 : 1'000'000;
    CTermGenerator generator{20261207};
    std::vector<std::string> shortTricky;
    for (const std::string& term : kTrickyTerms) {
        if (term.size() <= 40) {
            shortTricky.push_back(term);
        }
    }
    std::vector<double> xs(2);
    std::size_t characters = 0;
    for (int i = 0; i < count; ++i) {
        const std::string term = (i % 3 == 2) ? generator.Mutate(shortTricky[static_cast<std::size_t>(
                                                    generator.Pick(static_cast<int>(shortTricky.size())))])
                                              : generator.Term();
        characters += term.size();
        for (double& x : xs) {
            x = generator.Point();
        }
        // The difference formulas only on some terms: they cost twenty evaluations per point.
        ASSERT_TRUE(Agree(term, xs, generator.Point(), i % 256 == 0)) << "random term " << i;
    }
    RecordProperty("characters", static_cast<int>(characters / static_cast<std::size_t>(count)));
}

} // namespace
