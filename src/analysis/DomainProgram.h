#pragma once

#include "engine/CompiledTerm.h"

#include <cstddef>
#include <optional>
#include <vector>

// How the value of one part of a term tells where that part fails or breaks.
enum class EWatchKind : std::uint8_t
{
    Sign,     // a divisor, radicand or logarithm argument, a power's base, the argument of sgn: its zeros
    UnitSign, // the argument of asin or acos: the zeros of 1 - |g|
    Floor,    // the argument of int, floor, ceil, fib and !: where it passes an integer
    TanFloor  // the argument of tan: where it passes an odd multiple of pi/2
};

// One part of a term to watch: the operand register `reg` as it stands before instruction
// `instruction` runs.
struct SWatch
{
    std::size_t instruction;
    std::int32_t reg;
    EWatchKind kind;
};

// A compiled term for one k, run by an evaluator of its own that can stop after any instruction,
// so that a part of the term can be followed as a function of x. Every step is the engine's own
// (the division rule, CheckedPow, the small powers, g_functionTable), so each part has exactly the
// value it has inside the term. Leaves the math flag as it found it.
class CDomainProgram
{
public:
    CDomainProgram(const CCompiledTerm& term, double k);

    const std::vector<SWatch>& Watches() const { return m_watches; }

    // The value of f at x, or nothing where the term fails or is not finite there.
    std::optional<double> Value(double x);
    bool Defined(double x) { return Value(x).has_value(); }
    // A bound on how far rounding may have moved f's value at x (running error analysis over the
    // same steps); infinite where a divisor may be 0 within its own error.
    double RoundingBound(double x) const;

    // Runs the whole program once: the value of every watched part into `parts` (one per watch)
    // and whether f is defined at x.
    bool Sample(double x, double* parts);

    // The value of one watched part at x; the program runs only as far as that part.
    double Part(std::size_t watch, double x);

    // Whether the instructions run so far exceed the budget of one domain: a long term whose many
    // parts all look suspicious everywhere must not hold a discussion up for minutes.
    bool Exhausted() const { return m_steps > kBudget; }

    static constexpr std::uint64_t kBudget = 300'000'000;

private:
    // Runs instructions [0, count) at x; returns whether one of them raised the math flag.
    bool Run(double x, std::size_t count);
    // Runs instructions [from, to) on the registers as they stand.
    bool Steps(std::size_t from, std::size_t to);

    const CCompiledTerm& m_term;
    std::vector<double> m_registers;
    std::vector<SWatch> m_watches;
    std::uint64_t m_steps{0};
};

// The number a watched part is compared with, for Floor and TanFloor: the index of the integer or
// odd multiple of pi/2 at or below it. NaN for a part that is not a number.
double WatchIndex(EWatchKind kind, double part);

// For Sign and UnitSign: the quantity whose zeros matter.
double WatchMargin(EWatchKind kind, double part);
