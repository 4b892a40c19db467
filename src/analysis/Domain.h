#pragma once

#include <cstdint>
#include <optional>
#include <stop_token>
#include <vector>

class CCompiledTerm;

// Where f is defined and continuous on a range, and what happens at each place where it is not.
enum class EBorderKind : std::uint8_t
{
    Pole,   // |f| grows without bound on at least one side
    Gap,    // both one-sided limits finite and equal, f missing or different there: (x^2-1)/(x-1) at 1
    Jump,   // both one-sided limits finite and different: int, sgn
    Edge,   // f is defined on one side only: sqrt(x) and ln(x) at 0, asin(x) at ±1
    NoLimit // f keeps oscillating on a side: sin(1/x) at 0
};

struct SDomainBorder
{
    double x{};
    EBorderKind kind{EBorderKind::Edge};
    // For a pole: f tends to infinities of opposite signs on the two sides.
    bool signChange{false};
    // For a gap the common limit; otherwise f at x where it is defined there.
    std::optional<double> value;
    // The one-sided limits: NaN on a side where f is not defined or has no limit, an infinity
    // where |f| grows without bound.
    double leftLimit{};
    double rightLimit{};
};

// An interval on which f is defined and continuous.
struct SDomainPiece
{
    double from{};
    double to{};
    bool fromIncluded{false};
    bool toIncluded{false};
};

enum class EDomainOutcome : std::uint8_t
{
    Complete,
    SyntaxError,    // the term does not read; nothing is computed for it
    InvalidRange,   // an end is not a finite number, or the ends are the wrong way round
    TooManyBorders, // the range holds more places than can be told apart, or more than the work
                    // budget of one domain allows ("range too wide or too fine": tan on ±1e300,
                    // int near 1e15); no pieces are given
    Stopped         // the stop token asked for it; no pieces are given
};

struct SDomain
{
    EDomainOutcome outcome{EDomainOutcome::Complete};
    std::vector<SDomainPiece> pieces; // ascending, not overlapping
    // Ascending. An end of the range is a border only as an edge, where f is undefined there
    // (ln(x) on [0, 5]).
    std::vector<SDomainBorder> borders;
};

// The pieces of [a, b] on which f (the term at this k) is defined and continuous, and the borders
// between them. The places are read from the parts of the term that can fail or break, found on a
// grid (equal steps, and steps by ratio around 0 for wide ranges) and bisected to neighbouring
// doubles, and each is confirmed by approaching it from both sides. Undefinedness narrower than
// 1e-12 of the range (1/x^2 fails on all |x| < 1.5e-162) counts as one place. f is undefined
// where the term raises the math flag or its value is not finite, so overflow makes edges too (x^2
// beyond 1.3e154, exp(x) beyond 709.78). The work is bounded for any finite range; the math flag
// is left as it was found. A range a == b has no pieces.
SDomain DomainOf(const CCompiledTerm& term, double k, double a, double b, std::stop_token stop = {});
