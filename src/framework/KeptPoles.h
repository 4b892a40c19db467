#pragma once

#include <cstddef>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

class CCompiledTerm;

// The poles of a term at a k on [a, b], as the domain service finds them, kept so that a repaint
// does not scan the term again for every function, family member and derived curve.
//
// Kept per term and range, and within those per k. The members of a family share the domain
// service's scan for the places to look at (analysis/FamilyDomain.h), so a k not met before, as a
// playing slider brings one every frame, costs only its own limits. Both lists are bounded; the
// ones used longest ago go first. Safe to call from several threads at once: the window and an
// export may ask together.
class CKeptPoles
{
public:
    explicit CKeptPoles(std::size_t ranges = 32, std::size_t valuesPerRange = 64);
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
