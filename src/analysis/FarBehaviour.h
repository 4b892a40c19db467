#pragma once

#include "analysis/AnalysisResult.h"

class CCompiledTerm;

// What f (the term at k) does far out, found by evaluation alone: at x = ±10, ±10^1.25, ... up to
// ±10^15 and in the differences of neighbouring values. A limit counts as reached when the last
// values agree to a relative 1e-7, as infinite when they keep moving one way without slowing
// down, and as missing when they keep swinging by as much as before; anything else is left
// undecided rather than guessed. Everything found here is marked numerical: no sample proves what
// happens beyond it.
struct SFarBehaviour
{
    SResultLimit limit;
    // The line f approaches, when it does: y = slope * x + intercept, with slope 0 for a
    // horizontal one (then intercept is the limit).
    std::optional<SResultAsymptote> asymptote;
};

// side +1 for x toward +infinity, -1 toward -infinity.
SFarBehaviour FarBehaviourOf(const CCompiledTerm& term, double k, int side);
