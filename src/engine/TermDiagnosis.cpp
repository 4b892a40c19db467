#include "engine/TermDiagnosis.h"

#include "engine/TextEncoding.h"
#include "engine/MathFunctions.h"
#include "engine/TermSyntax.h"

#include <optional>
#include <vector>

namespace {

// The parenthesis to blame when they are out of balance: the first ")" without its "(", else the
// last "(" left open.
std::optional<STermDiagnosis> Unbalanced(std::string_view term)
{
    std::vector<std::size_t> open;
    for (std::size_t i = 0; i < term.size(); ++i) {
        if (term[i] == '(') {
            open.push_back(i);
        } else if (term[i] == ')') {
            if (open.empty()) {
                return STermDiagnosis{ETermFinding::MissingOpeningParenthesis, i, 1};
            }
            open.pop_back();
        }
    }
    if (open.empty()) {
        return std::nullopt;
    }
    return STermDiagnosis{ETermFinding::MissingClosingParenthesis, open.back(), 1};
}

// Walks a term exactly as the interpreter splits it, without computing, and keeps the first
// error it meets.
class CErrorWalk
{
public:
    explicit CErrorWalk(std::string_view term, bool emptyOperands = false)
        : m_term{term}, m_emptyOperands{emptyOperands}
    {
    }

    std::optional<STermDiagnosis> Walk(std::size_t start, std::size_t length)
    {
        Walk(start, length, 1);
        return m_found;
    }

private:
    // A chain of one level (x+x+...+x) is walked piece by piece, as the interpreter reads it, so
    // only nesting costs depth; nesting beyond the interpreter's limit is refused there too.
    void Walk(std::size_t start, std::size_t length, int depth)
    {
        if (depth > kMaxTermDepth) {
            Found(ETermFinding::NestedTooDeeply, start, 1);
            return;
        }
        if (length == 0 && m_emptyOperands) {
            Found(ETermFinding::MissingOperand, start, 0);
            return;
        }
        while (length > 0 && !m_found) {
            const char* text = m_term.data() + start;
            static constexpr char levels[3][2] = {{'+', '-'}, {'*', '/'}, {'^', '^'}};
            for (const auto& level : levels) {
                int unbalanced = 0;
                const long p = FindOperator(text, length, level[0], level[1], unbalanced);
                if (unbalanced != 0) {
                    Found(ETermFinding::MissingClosingParenthesis, start, 1);
                }
                if (p <= 0) {
                    continue;
                }
                auto first = static_cast<std::size_t>(p);
                for (long q = FindOperator(text, first, level[0], level[1], unbalanced); q > 0;
                     q = FindOperator(text, first, level[0], level[1], unbalanced)) {
                    first = static_cast<std::size_t>(q);
                }
                Walk(start, first, depth + 1);
                for (std::size_t at = first; at < length && !m_found;) {
                    const std::size_t next = NextSplit(text, length, at, level[0], level[1]);
                    Walk(start + at + 1, next - at - 1, depth + 1);
                    at = next;
                }
                return;
            }
            if (Operand(start, length, depth)) {
                return;
            }
            ++start; // a leading "+" is skipped
            --length;
        }
        if (length == 0 && m_emptyOperands) {
            Found(ETermFinding::MissingOperand, start, 0);
        }
    }

    // True when the operand is done; false for a leading "+" the caller skips.
    bool Operand(std::size_t start, std::size_t length, int depth)
    {
        const std::string_view rest = m_term.substr(start);
        for (const SFunctionEntry& entry : g_functionTable) {
            if (!rest.starts_with(entry.name)) {
                continue;
            }
            if (length < entry.name.size() + 1) {
                Found(ETermFinding::MissingClosingParenthesis, start + entry.name.size() - 1, 1);
            } else if (m_term[start + length - 1] != ')') {
                Found(ETermFinding::UnexpectedCharacter, start + length - 1, 1);
            } else {
                Walk(start + entry.name.size(), length - entry.name.size() - 1, depth + 1);
            }
            return true;
        }
        const char first = rest.front();
        if (first == '-') {
            Walk(start + 1, length - 1, depth + 1);
            return true;
        }
        if (first == '+') {
            return false;
        }
        if (IsDigit(first) || first == '.' || IsLetter(first)) {
            return true;
        }
        Found(first == ' ' ? ETermFinding::BlankBeforeOperand : ETermFinding::UnexpectedCharacter, start, 1);
        return true;
    }

    void Found(ETermFinding finding, std::size_t position, std::size_t length)
    {
        if (!m_found) {
            m_found = STermDiagnosis{finding, position, length};
        }
    }

    std::string_view m_term;
    bool m_emptyOperands;
    std::optional<STermDiagnosis> m_found;
};

bool IsFunctionName(std::string_view term, std::size_t start)
{
    for (const SFunctionEntry& entry : g_functionTable) {
        if (entry.name.size() > 1 && term.substr(start).starts_with(entry.name)) {
            return true;
        }
    }
    return false;
}

// The length of the number a digit or "." starts, read as the interpreter reads numbers.
std::size_t NumberLength(std::string_view term, std::size_t start)
{
    std::size_t i = start;
    while (i < term.size() && IsDigit(term[i])) {
        ++i;
    }
    if (i < term.size() && term[i] == '.') {
        ++i;
        while (i < term.size() && IsDigit(term[i])) {
            ++i;
        }
    }
    if (i < term.size() && (term[i] == 'e' || term[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < term.size() && (term[j] == '+' || term[j] == '-')) {
            ++j;
        }
        if (j < term.size() && IsDigit(term[j])) {
            i = j;
            while (i < term.size() && IsDigit(term[i])) {
                ++i;
            }
        }
    }
    return i - start;
}

bool StartsOperand(char c)
{
    return c == '(' || c == '+' || c == '-' || c == '*' || c == '/' || c == '^';
}

// The first surprise from the left, by the shape of the text alone.
STermDiagnosis FirstWarning(std::string_view term)
{
    for (std::size_t i = 0; i < term.size();) {
        const char c = term[i];
        const bool operandStart = i == 0 || StartsOperand(term[i - 1]);
        if (c == '-' && operandStart) {
            // A sign and then a power with nothing looser between: "-x^2", "-2^2", "(-x)^2" is
            // what it reads as and is left alone.
            std::size_t j = i + 1;
            int depth = 0;
            for (; j < term.size(); ++j) {
                const char d = term[j];
                if (d == '(') {
                    ++depth;
                } else if (d == ')') {
                    if (--depth < 0) {
                        break;
                    }
                } else if (depth == 0 && (d == '+' || d == '-' || d == '*' || d == '/' || d == '^')) {
                    break;
                }
            }
            if (j < term.size() && term[j] == '^' && j > i + 1) {
                return {ETermFinding::SignBeforePower, i, j - i};
            }
            ++i;
            continue;
        }
        if ((IsDigit(c) || c == '.') && (i == 0 || !IsLetter(term[i - 1]))) {
            const std::size_t length = NumberLength(term, i);
            const std::size_t end = i + length;
            if (end < term.size() && term[end] == '(') {
                return {ETermFinding::ProductWithoutStar, end, 1};
            }
            if (end < term.size() && (IsLetter(term[end]) || term[end] == ',')) {
                return {term[end] == ',' ? ETermFinding::CommaInNumber : ETermFinding::TextAfterNumber, i,
                        length};
            }
            i = end;
            continue;
        }
        if (c == ')' && i + 1 < term.size() &&
            (term[i + 1] == '(' || IsLetter(term[i + 1]) || IsDigit(term[i + 1]))) {
            return {ETermFinding::ProductWithoutStar, i + 1, 1};
        }
        if (IsLetter(c)) {
            if (IsFunctionName(term, i)) {
                while (term[i] != '(') {
                    ++i;
                }
                continue;
            }
            std::size_t end = i;
            while (end < term.size() && IsLetter(term[end])) {
                ++end;
            }
            const std::string_view name = term.substr(i, end - i);
            if (name.size() > 1 &&
                !(name.size() == 2 && ToLower(name[0]) == 'p' && ToLower(name[1]) == 'i')) {
                return {ETermFinding::UnknownName, i, end - i};
            }
            if (end < term.size() && term[end] == '(') {
                return {ETermFinding::ProductWithoutStar, end, 1};
            }
            i = end;
            continue;
        }
        ++i;
    }
    return {};
}

} // namespace

STermDiagnosis DiagnoseTerm(std::string_view term)
{
    if (const std::optional<STermDiagnosis> error = CErrorWalk{term}.Walk(0, term.size())) {
        // Parentheses out of balance trip the reading somewhere; the one to mend is the
        // parenthesis itself, wherever the reading stumbled.
        return Unbalanced(term).value_or(*error);
    }
    return FirstWarning(term);
}

STermDiagnosis FindTermFault(std::string_view term)
{
    const STermDiagnosis found = DiagnoseTerm(term);
    if (found.IsError()) {
        return found;
    }
    return CErrorWalk{term, true}.Walk(0, term.size()).value_or(STermDiagnosis{});
}

std::string TermFaultText(std::string_view term)
{
    const STermDiagnosis fault = FindTermFault(term);
    const std::string place = std::to_string(fault.position + 1);
    switch (fault.finding) {
    case ETermFinding::UnexpectedCharacter:
        return "das Zeichen \u201E" + Cp1252ToUtf8(term.substr(fault.position, 1)) + "\u201C an Stelle " +
               place + " ist nicht erlaubt";
    case ETermFinding::BlankBeforeOperand:
        return "an Stelle " + place + " steht ein Leerzeichen vor einer Zahl oder einem Namen";
    case ETermFinding::MissingClosingParenthesis:
        return "zur Klammer an Stelle " + place + " fehlt die schlie\u00DFende Klammer";
    case ETermFinding::MissingOpeningParenthesis:
        return "zur Klammer an Stelle " + place + " fehlt die \u00F6ffnende Klammer";
    case ETermFinding::NestedTooDeeply:
        return "der Term ist ab Stelle " + place + " zu tief geschachtelt";
    case ETermFinding::MissingOperand:
        return "an Stelle " + place + " fehlt eine Zahl oder ein Name; dort wird mit 1 gerechnet";
    case ETermFinding::None:
    case ETermFinding::TextAfterNumber:
    case ETermFinding::CommaInNumber:
    case ETermFinding::SignBeforePower:
    case ETermFinding::ProductWithoutStar:
    case ETermFinding::UnknownName:
        break;
    }
    return {};
}
