#include "oracle/TermInterpreter.h"

#include "engine/ErrorFlags.h"
#include "engine/MathFunctions.h"
#include "engine/NumberReader.h"
#include "engine/TermSyntax.h"

#include <cmath>
#include <cstring>

namespace {

// Keeps the depth of the recursion, also when a branch returns early.
class DepthGuard
{
public:
    explicit DepthGuard(int& depth) : m_depth{++depth} {}
    ~DepthGuard() { --m_depth; }
    DepthGuard(const DepthGuard&) = delete;
    DepthGuard& operator=(const DepthGuard&) = delete;

private:
    int& m_depth;
};

// One binary operation of a split; a division by zero or NaN reads as 1.0.
double Apply(char op, double left, double right)
{
    switch (op) {
    case '+':
        return left + right;
    case '-':
        return left - right;
    case '*':
        return left * right;
    case '/':
        if (right == 0 || std::isnan(right)) {
            g_mathError = 1;
            return 1.0;
        }
        return left / right;
    default:
        return CheckedPow(left, right);
    }
}

} // namespace

CTermInterpreter::CTermInterpreter()
{
    g_syntaxError = 0;
    g_mathError = 0;
}

int CTermInterpreter::CheckTerm(std::string_view term)
{
    g_syntaxError = 0;
    m_k = 0.0;
    m_x = 0.0;
    Interpret(term);
    return g_syntaxError;
}

double CTermInterpreter::EvaluateAt(std::string_view term, double x)
{
    m_x = x;
    return Interpret(term);
}

double CTermInterpreter::Evaluate(std::string_view term, double x, double k, int order)
{
    m_k = k;
    // The difference formulas below evaluate in exactly this order and round every intermediate
    // result to double; their values are compared digit for digit, so neither may change.
    switch (order) {
    case 0:
        return EvaluateAt(term, x);
    case 1: {
        const double a = EvaluateAt(term, x + 0.001);
        const double b = EvaluateAt(term, x - 0.001);
        double t = 8 * (a - b);
        const double c = EvaluateAt(term, x + 0.002);
        t = t - c;
        const double d = EvaluateAt(term, x - 0.002);
        t = t + d;
        return t / 0.012;
    }
    case 2: {
        const double a = EvaluateAt(term, x - 0.005);
        const double b = EvaluateAt(term, x + 0.005);
        double t = 16 * (a + b);
        const double c = EvaluateAt(term, x);
        t = t - 30 * c;
        const double d = EvaluateAt(term, x - 0.01);
        t = t - d;
        const double e = EvaluateAt(term, x + 0.01);
        t = t - e;
        return t / 0.0003;
    }
    default: {
        const double a = EvaluateAt(term, x - 0.01);
        const double b = EvaluateAt(term, x + 0.01);
        double t = 2 * (a - b);
        const double c = EvaluateAt(term, x - 0.02);
        t = t - c;
        const double d = EvaluateAt(term, x + 0.02);
        t = t + d;
        // 2 * 0.01^3 as computed in double precision, not the double nearest to 2e-06.
        return t / 2.0000000000000003e-06;
    }
    }
}

double CTermInterpreter::Interpret(std::string_view term)
{
    m_end = term.data() + term.size();
    m_depth = 0;
    return InterpretView(term.data(), term.size());
}

double CTermInterpreter::InterpretView(const char* text, std::size_t length)
{
    DepthGuard guard{m_depth};
    if (m_depth > kMaxTermDepth) {
        g_syntaxError = 1;
        return 1.0;
    }
    for (;;) {
        if (length == 0) {
            return 1.0;
        }

        // Binary operators, loosest first. Splitting at the rightmost one makes every operator
        // left-associative; a sign at position 0 is no binary operator and is left to the operand.
        static constexpr char levels[3][2] = {{'+', '-'}, {'*', '/'}, {'^', '^'}};
        for (const auto& level : levels) {
            const long p = FindOperator(text, length, level[0], level[1], g_syntaxError);
            if (p <= 0) {
                continue;
            }
            // The leftmost split of the chain, found by the same scans the left parts would make.
            auto first = static_cast<std::size_t>(p);
            for (long q = FindOperator(text, first, level[0], level[1], g_syntaxError); q > 0;
                 q = FindOperator(text, first, level[0], level[1], g_syntaxError)) {
                first = static_cast<std::size_t>(q);
            }
            double value = InterpretView(text, first);
            for (std::size_t at = first; at < length;) {
                const std::size_t next = NextSplit(text, length, at, level[0], level[1]);
                value = Apply(text[at], value, InterpretView(text + at + 1, next - at - 1));
                at = next;
            }
            return value;
        }

        // An operand: a function call or group first. The name may be compared beyond the view,
        // as far as the term goes.
        for (const SFunctionEntry& entry : g_functionTable) {
            const std::size_t nameLength = entry.name.size();
            if (static_cast<std::size_t>(m_end - text) < nameLength ||
                std::memcmp(text, entry.name.data(), nameLength) != 0) {
                continue;
            }
            if (text[length - 1] != ')') {
                g_syntaxError = 1;
            }
            double argument = 1.0;
            if (length >= nameLength + 1) {
                argument = InterpretView(text + nameLength, length - nameLength - 1);
            } else {
                g_syntaxError = 1; // the name alone, without its argument
            }
            return entry.compute(argument);
        }

        const char first = text[0];
        if (first == '-') {
            return -InterpretView(text + 1, length - 1);
        }
        if (first == '+') {
            ++text;
            --length;
            continue;
        }
        if (IsDigit(first) || first == '.') {
            return ReadNumber(text, m_end);
        }
        if (IsLetter(first)) {
            switch (ToLower(first)) {
            case 'e':
                return kE;
            case 'x':
                return m_x;
            case 'p':
                if (text + 1 < m_end && ToLower(text[1]) == 'i') {
                    return kPi;
                }
                return m_k;
            default:
                return m_k; // every other letter, k among them, is the family constant
            }
        }
        g_syntaxError = 1;
        return 1.0;
    }
}
