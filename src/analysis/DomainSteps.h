#pragma once

#include "analysis/DomainCandidates.h"

#include <optional>
#include <stop_token>

class CCompiledTerm;
class CDomainProgram;
struct SDomain;

// The two steps of DomainOf, for callers that can share the first among several k.

// The outcome of a range or term that leaves nothing to scan (a syntax error, a wrong or empty
// range), or nothing when there is a range to scan.
std::optional<SDomain> RangeOutcome(const CCompiledTerm& term, double a, double b);

// The candidate places on [a, b], checked against finer grids. Depends on k only through the
// watched parts and the definedness of f on the grid.
SCandidateScan CheckedCandidates(CDomainProgram& program, double a, double b, const std::stop_token& stop);

// The pieces and borders for the program's k from a scan of the candidates.
SDomain DomainFromScan(CDomainProgram& program, const SCandidateScan& scan, double a, double b,
                       const std::stop_token& stop);
