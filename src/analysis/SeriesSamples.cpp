#include "analysis/SeriesSamples.h"

const CSeriesSamples::Orders* CSeriesSamples::Find(double k, double lo, double hi, std::size_t n) const
{
    for (const SGrid& grid : m_grids) {
        if (grid.k == k && grid.lo == lo && grid.hi == hi && grid.n == n) {
            return &grid.orders;
        }
    }
    return nullptr;
}

CSeriesSamples::Orders& CSeriesSamples::Add(double k, double lo, double hi, std::size_t n, std::size_t points)
{
    SGrid& grid = m_grids.emplace_back(SGrid{k, lo, hi, n, {}});
    for (ScanVector<double>& order : grid.orders) {
        order.resize(points);
    }
    m_bytes += Bytes(points);
    return grid.orders;
}

void CSeriesSamples::DropLast()
{
    if (!m_grids.empty()) {
        m_bytes -= Bytes(m_grids.back().orders.front().size());
        m_grids.pop_back();
    }
}
