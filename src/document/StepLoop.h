#pragma once

#include "document/GraphFunction.h"

#include <type_traits>

// The one loop over evenly spaced values that drawing, automatic scaling and the curve discussion
// share. The value grows by repeated addition (v := v + step, rounded each time), never as
// from + i * step, so the last value is visited only when the running sum reaches `to` exactly.
//
// Every run ends: a step of 0 or below (or NaN) visits `from` once, and so does a step too small
// to move the running value any more, which otherwise would repeat the same value for ever.
// The body may return bool; false stops the run.
template <class Body>
void ForEachStep(double from, double to, double step, Body&& body)
{
    double v = from;
    while (v <= to) {
        if constexpr (std::is_same_v<std::invoke_result_t<Body&, double>, bool>) {
            if (!body(v)) {
                return;
            }
        } else {
            body(v);
        }
        const double next = v + step;
        if (!(next > v)) {
            return;
        }
        v = next;
    }
}

// The step by which k advances over a function's family: the stored step, or 1e10 when the family
// constant is off or the step is 0, so that k takes the single value `from`.
inline double EffectiveFamilyStep(const CGraphFunction& f)
{
    double from{};
    double to{};
    double step{};
    f.GetRange(from, to, step);
    return (f.GetUseFamilyConstant() == 0 || step == 0) ? 1e10 : step;
}

// Runs body(k) for every family value of f (see ForEachStep for the loop's rules).
template <class Body>
void ForEachFamilyValue(const CGraphFunction& f, Body&& body)
{
    double from{};
    double to{};
    double step{};
    f.GetRange(from, to, step);
    ForEachStep(from, to, EffectiveFamilyStep(f), static_cast<Body&&>(body));
}
