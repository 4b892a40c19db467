#include "engine/SchoolNotation.h"

#include "engine/CompiledTerm.h"
#include "engine/ErrorFlags.h"
#include "engine/MathFunctions.h"
#include "engine/TermSyntax.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace {

// Windows-1252 bytes a pupil types for operators.
constexpr char kSquared = '\xB2';
constexpr char kCubed = '\xB3';
constexpr char kMiddleDot = '\xB7';
constexpr char kTimes = '\xD7';
constexpr char kDivide = '\xF7';
constexpr char kNoBreakSpace = '\xA0';

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == kNoBreakSpace;
}

enum class EKind
{
    Number,
    Name,     // x, k, e, pi
    Call,     // a function of the table, text with its "("
    Group,    // ( ... )
    Negate,   // leading minus
    Binary,   // + - * / ^
    Factorial // n!
};

struct SNode
{
    EKind kind;
    std::string text; // the number, the name, the function with "(", the operator
    std::unique_ptr<SNode> left;
    std::unique_ptr<SNode> right;
};
using PNode = std::unique_ptr<SNode>;

PNode Make(EKind kind, std::string text, PNode left = nullptr, PNode right = nullptr)
{
    return std::make_unique<SNode>(SNode{kind, std::move(text), std::move(left), std::move(right)});
}

// The language reads "1e-5" as 0.00001 - 5, so a number with a signed exponent is written out
// in full: the same decimal value, hence the same double, and nothing to split at.
std::string NumberInLanguage(const std::string& mantissa, long long exponent)
{
    if (exponent >= 0) {
        return exponent == 0 ? mantissa : mantissa + "e" + std::to_string(exponent);
    }
    std::string digits;
    long long point = 0;
    bool seenPoint = false;
    for (char c : mantissa) {
        if (c == '.') {
            seenPoint = true;
        } else {
            digits += c;
            point += seenPoint ? 0 : 1;
        }
    }
    point += exponent;
    if (point <= 0) {
        return "0." + std::string(static_cast<std::size_t>(-point), '0') + digits;
    }
    return digits.substr(0, static_cast<std::size_t>(point)) + "." +
           digits.substr(static_cast<std::size_t>(point));
}

class CSchoolReader
{
public:
    explicit CSchoolReader(std::string_view typed)
    {
        // Blanks go first, so "x + 2" and "s in(x)" read as if typed without them; positions
        // still point into what was typed.
        const auto numeric = [](char c) { return IsDigit(c) || c == '.' || c == ','; };
        for (std::size_t i = 0; i < typed.size(); ++i) {
            if (IsBlank(typed[i])) {
                continue;
            }
            // "1 000" or "2 3" is no number to guess at: the blank stands where an operator is
            // missing.
            if (i > 0 && IsBlank(typed[i - 1]) && !m_text.empty() && numeric(m_text.back()) &&
                numeric(typed[i]) && !m_split) {
                m_split = m_text.size();
            }
            m_text += ToLower(typed[i]);
            m_where.push_back(i);
        }
        m_where.push_back(typed.size());
    }

    PNode Read()
    {
        if (m_text.empty()) {
            Fail(ESchoolProblem::MissingOperand, 0, 0);
            return nullptr;
        }
        // The tree is written back by recursion along its chains, so a text far longer than any
        // term field takes is refused rather than risking the stack.
        if (m_text.size() > kMaxLength) {
            Fail(ESchoolProblem::NestedTooDeeply, kMaxLength, 1);
            return nullptr;
        }
        if (m_split) {
            Fail(ESchoolProblem::NumberWithoutOperator, *m_split, 1);
            return nullptr;
        }
        PNode term = Sum();
        if (!Failed() && m_at < m_text.size()) {
            Fail(m_text[m_at] == ')' ? ESchoolProblem::MissingOpeningParenthesis
                                     : ESchoolProblem::UnexpectedCharacter,
                 m_at, 1);
        }
        return Failed() ? nullptr : std::move(term);
    }

    const SSchoolProblem& Problem() const { return m_problem; }
    bool UsesVariable() const { return m_variableAt.has_value(); }
    std::size_t VariablePosition() const { return m_where[*m_variableAt]; }

private:
    bool Failed() const { return m_problem.IsError(); }

    void Fail(ESchoolProblem problem, std::size_t at, std::size_t length)
    {
        if (Failed()) {
            return;
        }
        at = std::min(at, m_text.size());
        const std::size_t end = std::min(at + length, m_text.size());
        const std::size_t begin = m_where[at];
        m_problem = {problem, begin, end == at ? 0 : m_where[end - 1] + 1 - begin};
    }

    char Peek(std::size_t ahead = 0) const
    {
        return m_at + ahead < m_text.size() ? m_text[m_at + ahead] : '\0';
    }

    // '*' for the dot and the cross, '/' for the division sign and the colon.
    char Operator() const
    {
        const char c = Peek();
        if (c == kMiddleDot || c == kTimes) {
            return '*';
        }
        if (c == kDivide || c == ':') {
            return '/';
        }
        return c;
    }

    PNode Sum()
    {
        PNode left = Product();
        while (!Failed() && (Peek() == '+' || Peek() == '-')) {
            const char op = Peek();
            ++m_at;
            left = Make(EKind::Binary, std::string(1, op), std::move(left), Product());
        }
        return left;
    }

    bool StartsOperand() const
    {
        const char c = Peek();
        return IsDigit(c) || c == '.' || c == ',' || IsLetter(c) || c == '(' || (c == '!' && Peek(1) == '(');
    }

    PNode Product()
    {
        PNode left = Signed();
        while (!Failed()) {
            const char op = Operator();
            if (op == '*' || op == '/') {
                ++m_at;
                left = Make(EKind::Binary, std::string(1, op), std::move(left), Signed());
            } else if (StartsOperand()) {
                // A product without its star: "2x", "x(x+1)", "(x+1)(x-1)". A number after an
                // operand is no product at school ("x2", "1.2.3"), it is a slip.
                if (IsDigit(Peek()) || Peek() == '.' || Peek() == ',') {
                    Fail(ESchoolProblem::NumberWithoutOperator, m_at, 1);
                    return nullptr;
                }
                left = Make(EKind::Binary, "*", std::move(left), Power());
            } else {
                return left;
            }
        }
        return left;
    }

    // Every nesting costs stack; a text from the command line may be long, a field's is not.
    static constexpr int kMaxDepth = 1000;
    static constexpr std::size_t kMaxLength = 10'000;

    bool Deeper()
    {
        if (++m_depth > kMaxDepth) {
            Fail(ESchoolProblem::NestedTooDeeply, m_at, 1);
            return false;
        }
        return true;
    }

    PNode Signed()
    {
        const CDepth depth{*this};
        if (!Deeper()) {
            return nullptr;
        }
        if (Peek() == '-') {
            ++m_at;
            return Make(EKind::Negate, "-", Signed());
        }
        if (Peek() == '+') {
            ++m_at;
            return Signed();
        }
        return Power();
    }

    // Powers chain to the left as in the language ("2^3^2" is 64); only the sign of an exponent
    // is read as at school, "x^-1" being x^(-1).
    PNode Power()
    {
        PNode base = Postfix();
        while (!Failed()) {
            if (Peek() == '^') {
                ++m_at;
                base = Make(EKind::Binary, "^", std::move(base), Exponent());
            } else if (Peek() == kSquared || Peek() == kCubed) {
                base = Make(EKind::Binary, "^", std::move(base),
                            Make(EKind::Number, Peek() == kSquared ? "2" : "3"));
                ++m_at;
            } else {
                return base;
            }
        }
        return base;
    }

    PNode Exponent()
    {
        const CDepth depth{*this};
        if (!Deeper()) {
            return nullptr;
        }
        if (Peek() == '-') {
            ++m_at;
            return Make(EKind::Negate, "-", Exponent());
        }
        if (Peek() == '+') {
            ++m_at;
            return Exponent();
        }
        return Postfix();
    }

    PNode Postfix()
    {
        PNode operand = Primary();
        while (!Failed() && Peek() == '!' && Peek(1) != '(') {
            ++m_at;
            operand = Make(EKind::Factorial, "!(", std::move(operand));
        }
        return operand;
    }

    PNode Primary()
    {
        const CDepth depth{*this};
        if (Failed() || !Deeper()) {
            return nullptr;
        }
        const char c = Peek();
        if (c == '\0' || c == '+' || c == '-' || c == '^' || Operator() == '*' || Operator() == '/' ||
            c == ')' || c == kSquared || c == kCubed) {
            if (c == ')' && m_at > 0 && m_text[m_at - 1] == '(') {
                Fail(ESchoolProblem::EmptyParentheses, m_at - 1, 2);
            } else {
                Fail(ESchoolProblem::MissingOperand, m_at, c == '\0' ? 0 : 1);
            }
            return nullptr;
        }
        if (IsDigit(c) || c == '.' || c == ',') {
            return Number();
        }
        if (c == '(') {
            const std::size_t open = m_at++;
            return Make(EKind::Group, "(", Closed(open));
        }
        const std::string_view rest = std::string_view{m_text}.substr(m_at);
        for (const SFunctionEntry& entry : g_functionTable) {
            if (entry.name.size() > 1 && rest.starts_with(entry.name)) {
                const std::size_t open = m_at + entry.name.size() - 1;
                m_at += entry.name.size();
                return Make(EKind::Call, std::string{entry.name}, Closed(open));
            }
        }
        if (rest.starts_with("pi")) {
            m_at += 2;
            return Make(EKind::Name, "pi");
        }
        if (c == 'x' || c == 'k' || c == 'e') {
            if (c != 'e' && !m_variableAt) {
                m_variableAt = m_at;
            }
            ++m_at;
            return Make(EKind::Name, std::string(1, c));
        }
        if (IsLetter(c)) {
            std::size_t end = m_at;
            while (end < m_text.size() && IsLetter(m_text[end])) {
                ++end;
            }
            Fail(ESchoolProblem::UnknownName, m_at, end - m_at);
            return nullptr;
        }
        Fail(ESchoolProblem::UnexpectedCharacter, m_at, 1);
        return nullptr;
    }

    // The inside of a parenthesis opened at `open`, with its ")".
    PNode Closed(std::size_t open)
    {
        if (Peek() == ')') {
            Fail(ESchoolProblem::EmptyParentheses, open, m_at + 1 - open);
            return nullptr;
        }
        if (m_at == m_text.size()) {
            Fail(ESchoolProblem::MissingClosingParenthesis, open, 1);
            return nullptr;
        }
        PNode inside = Sum();
        if (Failed()) {
            return nullptr;
        }
        if (Peek() != ')') {
            Fail(m_at < m_text.size() ? ESchoolProblem::UnexpectedCharacter
                                      : ESchoolProblem::MissingClosingParenthesis,
                 m_at < m_text.size() ? m_at : open, 1);
            return nullptr;
        }
        ++m_at;
        return inside;
    }

    // Digits with a point or a comma, and a decimal exponent: "0,5", "1.5e3", "2e-7". An "e" is
    // an exponent only with digits after it; "2e" and "2ex" are products with Euler's number.
    PNode Number()
    {
        const std::size_t start = m_at;
        std::string mantissa;
        int digits = 0;
        for (; IsDigit(Peek()); ++m_at, ++digits) {
            mantissa += Peek();
        }
        if (Peek() == '.' || Peek() == ',') {
            mantissa += '.';
            for (++m_at; IsDigit(Peek()); ++m_at, ++digits) {
                mantissa += Peek();
            }
        }
        if (digits == 0) {
            Fail(ESchoolProblem::UnexpectedCharacter, start, 1);
            return nullptr;
        }
        long long exponent = 0;
        const std::size_t sign = (Peek(1) == '+' || Peek(1) == '-') ? 1 : 0;
        if (Peek() == 'e' && IsDigit(Peek(1 + sign))) {
            const bool negative = Peek(1) == '-';
            m_at += 1 + sign;
            for (; IsDigit(Peek()); ++m_at) {
                exponent = std::min(exponent * 10 + (Peek() - '0'), 100'000LL);
            }
            exponent = negative ? -exponent : exponent;
        }
        if (Peek() == '.' || Peek() == ',') {
            Fail(ESchoolProblem::NumberWithoutOperator, m_at, 1);
            return nullptr;
        }
        return Make(EKind::Number, NumberInLanguage(mantissa, exponent));
    }

    struct CDepth
    {
        CSchoolReader& reader;
        ~CDepth() { --reader.m_depth; }
    };

    std::string m_text;
    int m_depth{0};
    std::vector<std::size_t> m_where; // position in the typed text of every kept byte
    std::size_t m_at{0};
    std::optional<std::size_t> m_variableAt;
    std::optional<std::size_t> m_split; // a number parted by a blank
    SSchoolProblem m_problem;
};

std::string Write(const SNode& node, bool atStart);

// The language takes a sign only at the start of a part: "2*-3" would be 2*1-3, so a part that
// begins with one elsewhere is put in parentheses.
std::string Part(const SNode& node)
{
    std::string text = Write(node, false);
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        return "(" + text + ")";
    }
    return text;
}

// The inside of a call: a group the pupil wrote needs no second pair of parentheses.
std::string Argument(const SNode& node)
{
    return Write(node.kind == EKind::Group ? *node.left : node, true);
}

std::string Write(const SNode& node, bool atStart)
{
    switch (node.kind) {
    case EKind::Number:
    case EKind::Name:
        return node.text;
    case EKind::Call:
        return node.text + Write(*node.left, true) + ")";
    case EKind::Group:
        return "(" + Write(*node.left, true) + ")";
    case EKind::Factorial:
        return "!(" + Argument(*node.left) + ")";
    case EKind::Negate: {
        // A leading sign binds tighter than "^" in the language: -x^2 would be (-x)^2.
        const bool power = node.left->kind == EKind::Binary && node.left->text == "^";
        const std::string operand = power ? "(" + Write(*node.left, true) + ")" : Part(*node.left);
        return "-" + operand;
    }
    case EKind::Binary:
        if (node.text == "^" && node.left->kind == EKind::Name && node.left->text == "e") {
            return "exp(" + Argument(*node.right) + ")";
        }
        return Write(*node.left, atStart) + node.text + Part(*node.right);
    }
    return {};
}

} // namespace

std::string RewriteSchoolNotation(std::string_view typed)
{
    CSchoolReader reader{typed};
    if (const PNode term = reader.Read()) {
        return Write(*term, true);
    }
    std::string lower;
    for (char c : typed) {
        lower += ToLower(c);
    }
    return lower;
}

SSchoolProblem CheckSchoolNotation(std::string_view typed)
{
    CSchoolReader reader{typed};
    reader.Read();
    return reader.Problem();
}

std::optional<double> EvaluateNumberExpression(std::string_view typed, SSchoolProblem* problem)
{
    SSchoolProblem found;
    std::optional<double> value;
    CSchoolReader reader{typed};
    if (const PNode term = reader.Read(); !term) {
        found = reader.Problem();
    } else if (reader.UsesVariable()) {
        found = {ESchoolProblem::VariableInNumber, reader.VariablePosition(), 1};
    } else {
        const CCompiledTerm compiled{Write(*term, true)};
        // The caller's flags are its own; this evaluation only asks whether it failed.
        const int savedMath = g_mathError;
        const int savedSyntax = g_syntaxError;
        g_mathError = 0;
        const double result = compiled.Evaluate(0.0, 0.0);
        if (g_mathError == 0 && !compiled.HasSyntaxError() && std::isfinite(result)) {
            value = result;
        } else {
            found = {ESchoolProblem::NotComputable, 0, typed.size()};
        }
        g_mathError = savedMath;
        g_syntaxError = savedSyntax;
    }
    if (problem) {
        *problem = found;
    }
    return value;
}
