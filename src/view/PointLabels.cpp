#include "view/PointLabels.h"

#include <algorithm>

namespace {

// Labels are looked up by the cells of a coarse grid they touch, so that a crowded picture does not
// compare every label with every other.
constexpr int kCell = 128;

bool Overlap(const CRect& a, const CRect& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

long long CellKey(long long column, long long row)
{
    return (column << 32) ^ (row & 0xffffffffLL);
}

int CellOf(int coordinate)
{
    return coordinate >= 0 ? coordinate / kCell : -((-coordinate - 1) / kCell) - 1;
}

constexpr int kRings = 4;

} // namespace

CRect CLabelPlacer::BoxAt(CSize size, int x, int y, int position, int ring) const
{
    const int left = x - size.cx - m_offset;
    const int centred = x - size.cx / 2;
    const int right = x + m_offset;
    const int lift = ring * (size.cy + 1);
    const int above = y - size.cy - m_offset - lift;
    const int middle = y - size.cy / 2;
    const int below = y + m_offset + lift;
    struct
    {
        int x;
        int y;
    } corner{};
    switch (position) {
    case 1:
        corner = {centred, above};
        break;
    case 2:
        corner = {right, above};
        break;
    case 3:
        corner = {left - lift, middle};
        break;
    case 4:
        corner = {right + lift, middle};
        break;
    case 5:
        corner = {left, below};
        break;
    case 6:
        corner = {centred, below};
        break;
    case 7:
        corner = {right, below};
        break;
    default: // 0 and every code outside 0 to 7
        corner = {left, above};
        break;
    }
    return CRect{corner.x, corner.y, corner.x + size.cx, corner.y + size.cy};
}

template <class Body> void CLabelPlacer::ForEachCell(const CRect& box, Body&& body) const
{
    // A label of a thousand characters spans many cells; one far off the page, made by a point at
    // the device bound, spans nothing anyone sees, so its cells are capped.
    const int lastColumn = std::min(CellOf(box.right - 1), CellOf(box.left) + 256);
    const int lastRow = std::min(CellOf(box.bottom - 1), CellOf(box.top) + 256);
    for (int column = CellOf(box.left); column <= lastColumn; ++column) {
        for (int row = CellOf(box.top); row <= lastRow; ++row) {
            body(CellKey(column, row));
        }
    }
}

bool CLabelPlacer::IsFree(const CRect& label)
{
    // Two labels side by side read as one word unless a gap as wide as the label's distance from
    // its cross parts them.
    const CRect box{label.left - m_offset, label.top, label.right + m_offset, label.bottom};
    bool free = true;
    ForEachCell(box, [&](long long key) {
        const auto found = m_cells.find(key);
        if (!free || found == m_cells.end()) {
            return;
        }
        m_budget -= static_cast<long long>(found->second.size());
        free = std::none_of(found->second.begin(), found->second.end(),
                            [&box](const CRect& taken) { return Overlap(box, taken); });
    });
    return free;
}

void CLabelPlacer::Take(const CRect& box)
{
    ForEachCell(box, [&](long long key) { m_cells[key].push_back(box); });
}

CRect CLabelPlacer::Place(CSize size, int x, int y, int position)
{
    const int asked = position >= 0 && position <= 7 ? position : 0;
    const CRect wanted = BoxAt(size, x, y, asked, 0);
    if (size.cx <= 0 || size.cy <= 0) {
        return wanted;
    }
    CRect chosen = wanted;
    if (m_budget > 0 && !IsFree(wanted)) {
        bool found = false;
        for (int ring = 0; ring < kRings && !found && m_budget > 0; ++ring) {
            for (int place = 0; place < 8 && !found; ++place) {
                if (place == asked && ring == 0) {
                    continue;
                }
                const CRect box = BoxAt(size, x, y, place, ring);
                if (IsFree(box)) {
                    chosen = box;
                    found = true;
                }
            }
        }
    }
    Take(chosen);
    return chosen;
}
