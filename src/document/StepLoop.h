#pragma once

#include "document/GraphFunction.h"

#include <optional>
#include <type_traits>

// The one loop over evenly spaced values that drawing, automatic scaling and the curve discussion
// share. The value grows by repeated addition (v := v + step, rounded each time), never as
// from + i * step, so the last value is visited only when the running sum reaches `to` exactly.
//
// Every run ends: a step of 0 or below (or NaN) visits `from` once, and so does a step too small
// to move the running value any more, which otherwise would repeat the same value for ever.
// The body may return bool; false stops the run.
template <class Body> void ForEachStep(double from, double to, double step, Body&& body)
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

// Family values visited per function, by the drawing, the automatic scaling and every analysis
// alike. A family of a million curves would keep the window busy for hours and a discussion
// writing for days; nobody could tell such curves apart anyway.
inline constexpr int kMaxFamilyValues = 1000;

// Runs body(k) for the family values of f (see ForEachStep for the loop's rules), the first
// kMaxFamilyValues of them at most.
template <class Body> void ForEachFamilyValue(const CGraphFunction& f, Body&& body)
{
    double from{};
    double to{};
    double step{};
    f.GetRange(from, to, step);
    int visited = 0;
    ForEachStep(from, to, EffectiveFamilyStep(f), [&](double k) {
        ++visited;
        if constexpr (std::is_same_v<std::invoke_result_t<Body&, double>, bool>) {
            if (!body(k)) {
                return false;
            }
        } else {
            body(k);
        }
        return visited < kMaxFamilyValues;
    });
}

// How many family values of f ForEachFamilyValue visits: kMaxFamilyValues at most.
inline int CountFamilyValues(const CGraphFunction& f)
{
    int count = 0;
    ForEachFamilyValue(f, [&](double) { ++count; });
    return count;
}

// Where ForEachFamilyValue cuts f's family: the last value of k it visits, when the family has
// more values than that; nothing when it visits them all.
inline std::optional<double> LastFamilyValueBeforeCut(const CGraphFunction& f)
{
    double from{};
    double to{};
    double step{};
    f.GetRange(from, to, step);
    int visited = 0;
    double last = from;
    bool more = false;
    ForEachStep(from, to, EffectiveFamilyStep(f), [&](double k) {
        if (visited == kMaxFamilyValues) {
            more = true;
            return false;
        }
        ++visited;
        last = k;
        return true;
    });
    return more ? std::optional<double>{last} : std::nullopt;
}
