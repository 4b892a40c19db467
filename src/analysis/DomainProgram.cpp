#include "analysis/DomainProgram.h"

#include "engine/InstructionStep.h"
#include "engine/ErrorFlags.h"
#include "engine/MathFunctions.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string_view>

namespace {

using EOp = CCompiledTerm::EOp;

// Which functions of the table break where, by name, so that the table may grow.
std::optional<EWatchKind> CallWatch(std::string_view name)
{
    if (name == "sqrt(" || name == "ln(" || name == "log(" || name == "sgn(") {
        return EWatchKind::Sign;
    }
    if (name == "asin(" || name == "acos(") {
        return EWatchKind::UnitSign;
    }
    if (name == "int(" || name == "floor(" || name == "ceil(" || name == "fib(" || name == "!(") {
        return EWatchKind::Floor;
    }
    if (name == "tan(") {
        return EWatchKind::TanFloor;
    }
    return std::nullopt;
}

// A power with a constant positive whole exponent is defined for every base; only overflow can
// make it fail, and overflow shows in the sampling of f itself.
bool IsWholePositiveConstant(const CCompiledTerm& term, std::int32_t reg)
{
    const auto constants = term.Constants();
    const auto index = static_cast<std::size_t>(reg - 2);
    if (reg < 2 || index >= constants.size()) {
        return false;
    }
    const double e = constants[index];
    return e > 0 && std::floor(e) == e;
}

} // namespace

CDomainProgram::CDomainProgram(const CCompiledTerm& term, double k)
    : m_term{term}, m_registers(static_cast<std::size_t>(term.RegisterCount()))
{
    m_registers[CCompiledTerm::kKRegister] = k;
    const auto constants = term.Constants();
    std::copy(constants.begin(), constants.end(), m_registers.begin() + 2);
    const auto code = term.Code();
    for (std::size_t i = 0; i < code.size(); ++i) {
        const auto& in = code[i];
        if (in.op == EOp::Div) {
            m_watches.push_back({i, in.b, EWatchKind::Sign});
        } else if (in.op == EOp::Pow && !IsWholePositiveConstant(term, in.b)) {
            m_watches.push_back({i, in.a, EWatchKind::Sign});
        } else if (in.op == EOp::Call) {
            if (const auto kind = CallWatch(g_functionTable[in.function].name)) {
                m_watches.push_back({i, in.a, *kind});
            }
        }
    }
}

bool CDomainProgram::Run(double x, std::size_t count)
{
    m_registers[CCompiledTerm::kXRegister] = x;
    return Steps(0, count);
}

bool CDomainProgram::Steps(std::size_t from, std::size_t to)
{
    m_steps += to - from + 1;
    const int saved = g_mathError;
    g_mathError = 0;
    double* r = m_registers.data();
    const auto code = m_term.Code();
    for (std::size_t i = from; i < to; ++i) {
        const auto& in = code[i];
        RunInstruction(in, r);
    }
    const bool failed = g_mathError != 0;
    g_mathError = saved;
    return failed;
}

std::optional<double> CDomainProgram::Value(double x)
{
    if (Run(x, m_term.Code().size())) {
        return std::nullopt;
    }
    const double value = m_registers[static_cast<std::size_t>(m_term.ResultRegister())];
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

double CDomainProgram::RoundingBound(double x) const
{
    return m_term.EvaluateDerivativesWithBounds(x, m_registers[CCompiledTerm::kKRegister]).bound.value;
}

bool CDomainProgram::Sample(double x, double* parts)
{
    m_registers[CCompiledTerm::kXRegister] = x;
    bool failed = false;
    std::size_t done = 0;
    for (std::size_t w = 0; w < m_watches.size(); ++w) {
        failed = Steps(done, m_watches[w].instruction) || failed;
        done = m_watches[w].instruction;
        parts[w] = m_registers[static_cast<std::size_t>(m_watches[w].reg)];
    }
    failed = Steps(done, m_term.Code().size()) || failed;
    const double value = m_registers[static_cast<std::size_t>(m_term.ResultRegister())];
    return !failed && std::isfinite(value);
}

double CDomainProgram::Part(std::size_t watch, double x)
{
    Run(x, m_watches[watch].instruction);
    return m_registers[static_cast<std::size_t>(m_watches[watch].reg)];
}

double WatchIndex(EWatchKind kind, double part)
{
    if (kind == EWatchKind::TanFloor) {
        return std::floor(part / std::numbers::pi + 0.5);
    }
    return std::floor(part);
}

double WatchMargin(EWatchKind kind, double part)
{
    return kind == EWatchKind::UnitSign ? 1.0 - std::fabs(part) : part;
}
