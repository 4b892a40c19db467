#include "analysis/CasTerm.h"

#include "engine/CompiledTerm.h"
#include "engine/MathFunctions.h"
#include "engine/NumberReader.h"
#include "engine/TermSyntax.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <utility>

namespace {

// The module's names of the term engine's functions, by their place in g_functionTable; nullptr
// where the module has none that means the same.
constexpr std::array<std::pair<std::string_view, const char*>, 21> kCasNames{{
    {"(", ""},         {"sin(", "sin"},   {"cos(", "cos"},   {"sqrt(", "sqrt"}, {"tan(", "tan"},
    {"exp(", "exp"},   {"ln(", "ln"},     {"log(", "log10"}, {"acos(", "acos"}, {"asin(", "asin"},
    {"atan(", "atan"}, {"abs(", "abs"},   {"sinh(", "sinh"}, {"cosh(", "cosh"}, {"tanh(", "tanh"},
    {"ceil(", nullptr}, {"floor(", nullptr}, {"fib(", nullptr}, {"!(", nullptr}, {"sgn(", "sign"},
    {"int(", nullptr},
}};
static_assert(kCasNames.size() == static_cast<std::size_t>(kFunctionCount));

// Writes a term the way CTermCompiler::Emit reads it; any step of it that the module cannot take
// makes the whole translation fail.
class CCasWriter
{
public:
    CCasWriter(std::string_view term, double k) : m_end{term.data() + term.size()}, m_k{k} {}

    std::optional<std::string> Write(const char* text, std::size_t length, int depth)
    {
        if (depth > kMaxTermDepth) {
            return std::nullopt;
        }
        for (;;) {
            if (length == 0) {
                return "1";
            }
            static constexpr char levels[3][2] = {{'+', '-'}, {'*', '/'}, {'^', '^'}};
            int syntaxError = 0;
            for (const auto& level : levels) {
                const long p = FindOperator(text, length, level[0], level[1], syntaxError);
                if (p <= 0) {
                    continue;
                }
                auto first = static_cast<std::size_t>(p);
                for (long q = FindOperator(text, first, level[0], level[1], syntaxError); q > 0;
                     q = FindOperator(text, first, level[0], level[1], syntaxError)) {
                    first = static_cast<std::size_t>(q);
                }
                std::optional<std::string> value = Write(text, first, depth + 1);
                for (std::size_t at = first; value && at < length;) {
                    const std::size_t next = NextSplit(text, length, at, level[0], level[1]);
                    const std::optional<std::string> right = Write(text + at + 1, next - at - 1, depth + 1);
                    if (!right) {
                        return std::nullopt;
                    }
                    if (text[at] == '/') {
                        m_divisors.push_back(*right);
                    }
                    value = "(" + *value + text[at] + *right + ")";
                    at = next;
                }
                return value;
            }
            for (std::size_t entry = 0; entry < kCasNames.size(); ++entry) {
                const std::string_view name = g_functionTable[entry].name;
                if (static_cast<std::size_t>(m_end - text) < name.size() ||
                    std::memcmp(text, name.data(), name.size()) != 0) {
                    continue;
                }
                const char* casName = kCasNames[entry].second;
                if (casName == nullptr || length < name.size() + 1) {
                    return std::nullopt;
                }
                const std::optional<std::string> argument =
                    Write(text + name.size(), length - name.size() - 1, depth + 1);
                if (!argument) {
                    return std::nullopt;
                }
                return std::string{casName} + "(" + *argument + ")";
            }
            const char first = text[0];
            if (first == '-') {
                const std::optional<std::string> operand = Write(text + 1, length - 1, depth + 1);
                return operand ? std::optional{"(-" + *operand + ")"} : std::nullopt;
            }
            if (first == '+') {
                ++text;
                --length;
                continue;
            }
            if (IsDigit(first) || first == '.') {
                return CasNumber(ReadNumber(text, m_end));
            }
            if (IsLetter(first)) {
                switch (ToLower(first)) {
                case 'e':
                    // The engine's e and pi are decimals of 12 digits; the module's are exact,
                    // and every exact answer is checked against the engine's values.
                    return "exp(1)";
                case 'x':
                    return "x";
                case 'p':
                    if (text + 1 < m_end && ToLower(text[1]) == 'i') {
                        return "pi";
                    }
                    return CasNumber(m_k);
                default:
                    return CasNumber(m_k);
                }
            }
            return std::nullopt;
        }
    }

    std::vector<std::string> TakeDivisors() { return std::move(m_divisors); }

private:
    const char* m_end;
    double m_k;
    std::vector<std::string> m_divisors;
};

bool IsNameChar(char c)
{
    return IsLetter(c) || IsDigit(c) || c == '_';
}

// Reads an answer of the module, which follows the usual rules (-a^b is -(a^b), a^b^c is a^(b^c)),
// and writes it for the term engine, which reads -a^b as (-a)^b, a^b^c as (a^b)^c and a sign after
// an operator as that operator: every part that would read otherwise there gets parentheses.
class CCasAnswerReader
{
public:
    explicit CCasAnswerReader(std::string_view answer) : m_text{answer} {}

    std::optional<std::string> Read()
    {
        std::optional<SPart> part = Sum();
        if (!part || m_at != m_text.size()) {
            return std::nullopt;
        }
        return part->text;
    }

private:
    // A part as written, and the loosest operator outside its parentheses.
    enum class ELevel
    {
        Atom, // a number, a name, a call, a group
        Sign, // -a
        Power,
        Product,
        Sum
    };
    struct SPart
    {
        std::string text;
        ELevel level;
    };

    static std::string Grouped(const SPart& part) { return "(" + part.text + ")"; }

    char Peek() const { return m_at < m_text.size() ? m_text[m_at] : '\0'; }

    std::optional<SPart> Sum()
    {
        std::optional<SPart> left = Product();
        while (left && (Peek() == '+' || Peek() == '-')) {
            const char op = m_text[m_at++];
            const std::optional<SPart> right = Product();
            if (!right) {
                return std::nullopt;
            }
            const bool group = right->level == ELevel::Sum || right->text.starts_with('-');
            left = SPart{left->text + op + (group ? Grouped(*right) : right->text), ELevel::Sum};
        }
        return left;
    }

    std::optional<SPart> Product()
    {
        std::optional<SPart> left = Signed();
        if (left && left->level == ELevel::Sign && (Peek() == '*' || Peek() == '/')) {
            // (-a)*b is -(a*b) and (-a)/b is -(a/b): the engine's reading holds the same value.
            left->level = ELevel::Product;
        }
        while (left && (Peek() == '*' || Peek() == '/')) {
            const char op = m_text[m_at++];
            const std::optional<SPart> right = Signed();
            if (!right) {
                return std::nullopt;
            }
            const bool groupLeft = left->level == ELevel::Sum;
            const bool groupRight = right->level != ELevel::Atom && right->level != ELevel::Power;
            left = SPart{(groupLeft ? Grouped(*left) : left->text) + op + (groupRight ? Grouped(*right) : right->text),
                         ELevel::Product};
        }
        return left;
    }

    std::optional<SPart> Signed()
    {
        if (Peek() == '-') {
            ++m_at;
            const std::optional<SPart> operand = Signed();
            if (!operand) {
                return std::nullopt;
            }
            return SPart{"-" + (operand->level == ELevel::Atom ? operand->text : Grouped(*operand)), ELevel::Sign};
        }
        if (Peek() == '+') {
            ++m_at;
            return Signed();
        }
        return Power();
    }

    std::optional<SPart> Power()
    {
        const std::optional<SPart> base = Atom();
        if (!base || Peek() != '^') {
            return base;
        }
        ++m_at;
        const std::optional<SPart> exponent = Signed(); // a^b^c is a^(b^c)
        if (!exponent) {
            return std::nullopt;
        }
        return SPart{base->text + "^" + (exponent->level == ELevel::Atom ? exponent->text : Grouped(*exponent)),
                     ELevel::Power};
    }

    std::optional<SPart> Atom()
    {
        // The module's names that the term engine reads the same, and the two it spells otherwise.
        static constexpr std::array<std::pair<std::string_view, std::string_view>, 17> kNames{{
            {"x", "x"},       {"pi", "pi"},     {"sqrt", "sqrt"}, {"exp", "exp"},   {"ln", "ln"},
            {"log10", "log"}, {"sin", "sin"},   {"cos", "cos"},   {"tan", "tan"},   {"asin", "asin"},
            {"acos", "acos"}, {"atan", "atan"}, {"abs", "abs"},   {"sinh", "sinh"}, {"cosh", "cosh"},
            {"tanh", "tanh"}, {"sign", "sgn"},
        }};
        const char c = Peek();
        if (IsDigit(c)) {
            const std::size_t from = m_at;
            while (IsDigit(Peek())) {
                ++m_at;
            }
            return SPart{std::string{m_text.substr(from, m_at - from)}, ELevel::Atom};
        }
        if (c == '(') {
            ++m_at;
            std::optional<SPart> inner = Sum();
            if (!inner || Peek() != ')') {
                return std::nullopt;
            }
            ++m_at;
            return SPart{Grouped(*inner), ELevel::Atom};
        }
        if (!IsLetter(c)) {
            return std::nullopt; // a decimal point, a list, a space, anything else
        }
        const std::size_t from = m_at;
        while (IsNameChar(Peek())) {
            ++m_at;
        }
        const std::string_view name = m_text.substr(from, m_at - from);
        const auto known = std::find_if(kNames.begin(), kNames.end(), [&](const auto& n) { return n.first == name; });
        if (known == kNames.end()) {
            return std::nullopt;
        }
        if (Peek() != '(') {
            return name == "x" || name == "pi" ? std::optional{SPart{std::string{known->second}, ELevel::Atom}}
                                               : std::nullopt;
        }
        ++m_at;
        const std::optional<SPart> argument = Sum();
        if (!argument || Peek() != ')') {
            return std::nullopt;
        }
        ++m_at;
        return SPart{std::string{known->second} + "(" + argument->text + ")", ELevel::Atom};
    }

    std::string_view m_text;
    std::size_t m_at = 0;
};

} // namespace

std::optional<SCasTerm> CasTermOf(std::string_view term, double k)
{
    if (CCompiledTerm{term}.HasSyntaxError()) {
        return std::nullopt;
    }
    CCasWriter writer{term, k};
    std::optional<std::string> text = writer.Write(term.data(), term.size(), 0);
    if (!text) {
        return std::nullopt;
    }
    return SCasTerm{std::move(*text), writer.TakeDivisors()};
}

std::optional<std::string> CasNumber(double value)
{
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    std::array<char, 64> buffer{};
    const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::scientific);
    const std::string text(buffer.data(), written.ptr);
    // d.ddddde±NN: the digits without the point over a power of ten.
    const std::size_t e = text.find('e');
    std::string mantissa = text.substr(0, e);
    int exponent = std::stoi(text.substr(e + 1));
    const bool negative = mantissa.starts_with('-');
    if (negative) {
        mantissa.erase(0, 1);
    }
    if (const std::size_t point = mantissa.find('.'); point != std::string::npos) {
        exponent -= static_cast<int>(mantissa.size() - point - 1);
        mantissa.erase(point, 1);
    }
    std::string out = mantissa;
    if (exponent > 0) {
        out += "*10^" + std::to_string(exponent);
    } else if (exponent < 0) {
        out += "/10^" + std::to_string(-exponent);
    }
    return "(" + std::string{negative ? "-" : ""} + out + ")";
}

std::optional<std::string> TermOfCasAnswer(std::string_view answer)
{
    std::optional<std::string> term = CCasAnswerReader{answer}.Read();
    if (!term || CCompiledTerm{*term}.HasSyntaxError()) {
        return std::nullopt;
    }
    return term;
}

std::optional<double> TermValue(const std::string& term)
{
    return CCompiledTerm{term}.DefinedValue(0.0, 0.0);
}

bool AgreesFully(double exact, double numeric)
{
    return std::fabs(exact - numeric) <= 1e-12 * std::max(1.0, std::fabs(exact));
}
