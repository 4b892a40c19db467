#pragma once

#include "document/StepLoop.h"

#include <cstddef>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

class CCompiledTerm;

// The poles of a term at a k on [a, b], as the domain service finds them, kept so that a repaint
// does not scan the term again for every function, family member and derived curve.
//
// Kept per term and range, and within those per k. Where the places to look at do not move with k
// (k/(x-1)+x), the members of a family share the domain service's scan for them
// (analysis/FamilyDomain.h), so a k not met before, as a playing slider brings one every frame,
// costs only its own limits. Both lists are bounded; the
// ones used longest ago go first. Safe to call from several threads at once: the window and an
// export may ask together.
class CKeptPoles
{
public:
    // Room for every member of the largest family a drawing takes, and the ks a slider passes through.
    explicit CKeptPoles(std::size_t ranges = 16, std::size_t valuesPerRange = kMaxFamilyValues + 100);
    ~CKeptPoles();
    CKeptPoles(const CKeptPoles&) = delete;
    CKeptPoles& operator=(const CKeptPoles&) = delete;

    // Ascending, exactly those of DomainOf(f, k, a, b) of kind pole.
    std::vector<double> Poles(const CCompiledTerm& f, double k, double a, double b);

private:
    struct SRange;

    std::shared_ptr<SRange> RangeOf(const CCompiledTerm& f, double a, double b);

    const std::size_t m_maxRanges;
    const std::size_t m_maxValuesPerRange;
    std::mutex m_mutex;
    // The most recently used last.
    std::deque<std::shared_ptr<SRange>> m_ranges;
};
