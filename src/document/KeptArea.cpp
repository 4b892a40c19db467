#include "document/KeptArea.h"

CAreaList RemapKeptAreas(const CAreaList& areas, const std::vector<std::optional<std::size_t>>& newIndexOf)
{
    const auto moved = [&newIndexOf](std::size_t index) {
        return index < newIndexOf.size() ? newIndexOf[index] : std::nullopt;
    };
    CAreaList kept;
    for (const CKeptArea& area : areas) {
        const std::optional<std::size_t> function = moved(area.function);
        const std::optional<std::size_t> with = area.with ? moved(*area.with) : std::nullopt;
        if (!function || (area.with && !with)) {
            continue;
        }
        CKeptArea remapped = area;
        remapped.function = *function;
        remapped.with = with;
        kept.push_back(remapped);
    }
    return kept;
}
