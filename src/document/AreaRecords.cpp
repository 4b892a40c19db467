#include "document/AreaRecords.h"

#include "document/ArchiveReader.h"
#include "document/ArchiveWriter.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr std::uint32_t kAreaTag = ExtensionTag("SHAD");
constexpr std::uint32_t kEqualUnitsTag = ExtensionTag("EQUN");
// The second function's index of an area down to the x axis.
constexpr std::uint32_t kXAxis = std::numeric_limits<std::uint32_t>::max();
constexpr std::size_t kAreaBytes = 4 + 4 + 8 + 8 + 4;

} // namespace

CExtensionRecords AreaRecords(const CAreaList& areas)
{
    CExtensionRecords records;
    for (const CKeptArea& area : areas) {
        CArchiveWriter payload;
        payload.WriteUInt32(static_cast<std::uint32_t>(area.function));
        payload.WriteUInt32(area.with ? static_cast<std::uint32_t>(*area.with) : kXAxis);
        payload.WriteDouble(area.from);
        payload.WriteDouble(area.to);
        payload.WriteUInt32(area.color);
        records.push_back(SExtensionRecord{kAreaTag, payload.GetBytes()});
    }
    return records;
}

bool TakeAreaRecords(CExtensionRecords& records, std::size_t functionCount, CAreaList& areas)
{
    CAreaList read;
    for (const SExtensionRecord& record : records) {
        if (record.tag != kAreaTag) {
            continue;
        }
        CArchiveReader ar{record.payload};
        std::uint32_t function{}, with{}, color{};
        double from{}, to{};
        if (record.payload.size() != kAreaBytes || !ar.ReadUInt32(function) || !ar.ReadUInt32(with) ||
            !ar.ReadDouble(from) || !ar.ReadDouble(to) || !ar.ReadUInt32(color)) {
            return false;
        }
        if (function >= functionCount || (with != kXAxis && (with >= functionCount || with == function)) ||
            !std::isfinite(from) || !std::isfinite(to)) {
            return false;
        }
        read.push_back(CKeptArea{function, with == kXAxis ? std::nullopt : std::optional<std::size_t>{with},
                                 std::min(from, to), std::max(from, to), color});
    }
    std::erase_if(records, [](const SExtensionRecord& record) { return record.tag == kAreaTag; });
    areas = std::move(read);
    return true;
}

CExtensionRecords EqualUnitsRecords(bool on)
{
    return on ? CExtensionRecords{SExtensionRecord{kEqualUnitsTag, {}}} : CExtensionRecords{};
}

bool TakeEqualUnitsRecords(CExtensionRecords& records, bool& equalUnits)
{
    const auto count = std::count_if(records.begin(), records.end(), [](const SExtensionRecord& record) {
        return record.tag == kEqualUnitsTag;
    });
    const bool wellFormed = std::all_of(records.begin(), records.end(), [](const SExtensionRecord& record) {
        return record.tag != kEqualUnitsTag || record.payload.empty();
    });
    if (count > 1 || !wellFormed) {
        return false;
    }
    std::erase_if(records, [](const SExtensionRecord& record) { return record.tag == kEqualUnitsTag; });
    equalUnits = count == 1;
    return true;
}
