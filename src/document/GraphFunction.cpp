#include "document/GraphFunction.h"

#include "document/RangeRule.h"

#include <algorithm>
#include <set>

void CGraphFunction::SetTerm(const std::string& term)
{
    m_term = term;
    // Only the ASCII capitals: bytes above 127 are no letters to the interpreter either.
    std::transform(m_term.begin(), m_term.end(), m_term.begin(),
                   [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; });
    if (m_term.empty()) {
        m_term.assign(1, 'x'); // assign(const char*) trips a false -Wrestrict in g++ 12
    }
}

void CGraphFunction::SetRange(double from, double to, double step)
{
    // A family nothing can run over becomes that of a new record: the single value k = 0.
    NormaliseRange(from, to, step, CRangeFallback{0.0, 0.0, 0.0}, m_from, m_to, m_step);
}

std::string DefaultFunctionName(std::size_t index)
{
    // e and o are left out for the number e and its look-alike 0, i, j, k, l, m, n, o, t for
    // counters, the family constant and the time; x, y, z are variables.
    static constexpr char kLetters[] = {'f', 'g', 'h', 'p', 'q', 'r', 's', 'u', 'v', 'w'};
    constexpr std::size_t count = sizeof kLetters;
    std::string name(1, kLetters[index % count]);
    if (index >= count) {
        name += std::to_string(index / count);
    }
    return name;
}

std::string FunctionName(const CFunctionList& functions, std::size_t index)
{
    if (index < functions.size() && !functions[index].GetName().empty()) {
        return functions[index].GetName();
    }
    return DefaultFunctionName(index);
}

std::string FunctionHead(const CFunctionList& functions, std::size_t index)
{
    const bool family = index < functions.size() && functions[index].GetUseFamilyConstant() != 0;
    return FunctionName(functions, index) + (family ? "_k" : "");
}

std::string NextFreeFunctionName(const CFunctionList& functions)
{
    std::set<std::string> shown;
    for (std::size_t i = 0; i < functions.size(); ++i) {
        shown.insert(FunctionName(functions, i));
    }
    // At most functions.size() names are taken, so one of the first size() + 1 is free.
    for (std::size_t j = 0;; ++j) {
        std::string name = DefaultFunctionName(j);
        if (!shown.contains(name)) {
            return name;
        }
    }
}

std::string OwnFunctionName(const CGraphFunction& function)
{
    return function.GetName().empty() ? std::string(1, 'f') : function.GetName();
}
