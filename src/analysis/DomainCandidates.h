#pragma once

#include <cstdint>
#include <stop_token>
#include <vector>

class CDomainProgram;

// A grid over [a, b] and the places where a part of the term may break f: the zeros of divisors,
// radicands, logarithm arguments and power bases (crossed or touched), the crossings of ±1 by the
// arguments of asin and acos, of the odd multiples of pi/2 by those of tan, and of the integers by
// those of int, floor, ceil, fib and !. Each place is bisected to neighbouring doubles; nothing is
// confirmed here.
struct SCandidateScan
{
    enum EOutcome : std::uint8_t
    {
        Done,
        TooMany, // more places or parts than the caps allow
        Crowded, // a part varies about as fast as the grid steps: a finer grid may still tell
        Stopped
    };
    EOutcome outcome{Done};
    std::vector<double> grid;          // a .. b, ascending, without repeats
    std::vector<std::uint8_t> defined; // whether f is defined at each point of the grid
    std::vector<double> candidates;    // ascending, without repeats
};

// Equal intervals of the grid (points by ratio around 0 come on top), and of the finer grid tried
// when a part changes too often for the first. A part that changes sign in more than a quarter of
// the grid's intervals, or in neighbouring intervals again and again, varies faster than the grid
// can follow, and its places cannot be trusted.
inline constexpr int kDomainGridIntervals = 4096;
inline constexpr int kDomainFineGridIntervals = 16384;
// A prime number of intervals, so that this grid shares almost no points with the two above, and
// far from the finer one's, so that a false wave seen by both would have to be a coincidence: grids
// of nearly the same step see nearly the same false wave.
inline constexpr int kDomainCheckGridIntervals = 10007;
// The most places (and so borders) one range may have.
inline constexpr int kDomainMaxCandidates = 4096;

// The most parts of one term that are followed (a term typed in the window has at most 128): each
// costs a column of the grid.
inline constexpr int kDomainMaxWatches = 256;

// Requires a < b, both finite.
SCandidateScan ScanCandidates(CDomainProgram& program, double a, double b, int intervals,
                              const std::stop_token& stop);

// How often each watched part changes between neighbouring points of a grid of `intervals` equal
// steps (sign changes and zeros, or steps of the index), and last how often f changes between
// defined and undefined. Empty when stopped. A grid that steps over many places of a periodic part
// can see a slow false wave instead (1/sin(x) near 1e15); grids of other steps see other waves, so
// counts that disagree tell that none of them can be trusted.
std::vector<double> CountChanges(CDomainProgram& program, double a, double b, int intervals,
                                 const std::stop_token& stop);
