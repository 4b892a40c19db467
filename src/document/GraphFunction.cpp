#include "document/GraphFunction.h"

#include "document/RangeRule.h"

#include <algorithm>

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
