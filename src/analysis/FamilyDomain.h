#pragma once

#include "analysis/Domain.h"
#include "analysis/DomainCandidates.h"

#include <optional>
#include <stop_token>

class CCompiledTerm;

// DomainOf for the members of a family on one range. Where no part of the term that can fail or
// break depends on k (x^3-k*x, 1/(x-1)+k), the places those parts look at are the same for every
// k, so the scan for them and its checks on finer grids run once; each k still gets its own
// definedness on the grid and its own limits at every place. A k whose grid is defined elsewhere
// than the first one's (overflow that moves with k) is scanned on its own.
class CFamilyDomain
{
public:
    CFamilyDomain(const CCompiledTerm& term, double a, double b);

    SDomain Of(double k, const std::stop_token& stop = {});

private:
    const CCompiledTerm& m_term;
    double m_a;
    double m_b;
    bool m_shareable{false};
    std::optional<SCandidateScan> m_shared;
};
