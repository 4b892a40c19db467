#pragma once

#include "analysis/ScanBuffer.h"

#include <array>
#include <cstddef>
#include <deque>

// f, f', f'' and f''' at the points of a scan's grid, kept for the other scans of one discussion
// that read the same grid. The whole Kurvendiskussion looks for the zeros of f, f' and f'' and for
// the signs of f' and f'' on the same grid; one evaluation of all four derivatives at a point costs
// little more than the two each scan reads, so the first scan evaluates them all and the others
// read them. Bounded in memory: a grid that does not fit is not kept, and its scan evaluates what
// it reads as it would alone.
class CSeriesSamples
{
public:
    using Orders = std::array<ScanVector<double>, 4>;

    explicit CSeriesSamples(std::size_t maxBytes = std::size_t{320} << 20) : m_maxBytes{maxBytes} {}

    // The samples of the grid of n intervals from lo to hi at this k, or nullptr.
    const Orders* Find(double k, double lo, double hi, std::size_t n) const;

    // Room for the samples of a grid of that many points.
    bool HasRoomFor(std::size_t points) const { return m_bytes + Bytes(points) <= m_maxBytes; }

    // The arrays of a new grid, each of `points` elements to be written by the caller.
    Orders& Add(double k, double lo, double hi, std::size_t n, std::size_t points);
    // Forgets the grid added last: its arrays were not all written (the scan was stopped).
    void DropLast();

private:
    struct SGrid
    {
        double k;
        double lo;
        double hi;
        std::size_t n;
        Orders orders;
    };

    static std::size_t Bytes(std::size_t points) { return 4 * points * sizeof(double); }

    std::size_t m_maxBytes;
    std::size_t m_bytes{0};
    std::deque<SGrid> m_grids;
};
