#include "analysis/FamilyDomain.h"

#include "analysis/DomainProgram.h"
#include "analysis/DomainSteps.h"
#include "engine/CompiledTerm.h"

#include <vector>

namespace {

// Whether some watched part reads a register that k flows into, following the program in order
// (a register written again takes the dependence of its new operands).
bool WatchesDependOnK(const CCompiledTerm& term, const std::vector<SWatch>& watches)
{
    std::vector<bool> onK(static_cast<std::size_t>(term.RegisterCount()), false);
    onK[CCompiledTerm::kKRegister] = true;
    const auto code = term.Code();
    const auto depends = [&](std::int32_t reg) {
        return reg >= 0 && reg < term.RegisterCount() && onK[static_cast<std::size_t>(reg)];
    };
    std::size_t next = 0;
    for (std::size_t i = 0; i < code.size(); ++i) {
        for (; next < watches.size() && watches[next].instruction == i; ++next) {
            if (depends(watches[next].reg)) {
                return true;
            }
        }
        const CCompiledTerm::SInstruction& in = code[i];
        const bool binary = in.op != CCompiledTerm::EOp::Square && in.op != CCompiledTerm::EOp::Cube &&
                            in.op != CCompiledTerm::EOp::Neg && in.op != CCompiledTerm::EOp::Call;
        onK[static_cast<std::size_t>(in.dst)] = depends(in.a) || (binary && depends(in.b));
    }
    return false;
}

} // namespace

CFamilyDomain::CFamilyDomain(const CCompiledTerm& term, double a, double b) : m_term{term}, m_a{a}, m_b{b}
{
    if (!RangeOutcome(term, a, b)) {
        const CDomainProgram probe{term, 0.0};
        m_shareable = !WatchesDependOnK(term, probe.Watches());
    }
}

SDomain CFamilyDomain::Of(double k, const std::stop_token& stop)
{
    if (!m_shareable) {
        return DomainOf(m_term, k, m_a, m_b, stop);
    }
    CDomainProgram program{m_term, k};
    if (m_shared) {
        bool same = true;
        for (std::size_t i = 0; i < m_shared->grid.size() && same; ++i) {
            same = program.Defined(m_shared->grid[i]) == (m_shared->defined[i] != 0);
        }
        if (same) {
            return DomainFromScan(program, *m_shared, m_a, m_b, stop);
        }
        const SCandidateScan own = CheckedCandidates(program, m_a, m_b, stop);
        return DomainFromScan(program, own, m_a, m_b, stop);
    }
    SCandidateScan scan = CheckedCandidates(program, m_a, m_b, stop);
    SDomain domain = DomainFromScan(program, scan, m_a, m_b, stop);
    // A stopped or overfull scan is no one's to share.
    if (scan.outcome == SCandidateScan::Done) {
        m_shared = std::move(scan);
    }
    return domain;
}
