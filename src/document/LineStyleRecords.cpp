#include "document/LineStyleRecords.h"

#include "document/ArchiveReader.h"
#include "document/ArchiveWriter.h"

#include <cmath>

namespace {

constexpr std::uint32_t kStrokeTag = ExtensionTag("STRK");
constexpr std::uint32_t kFunctionList = 0;
constexpr std::uint32_t kObjectList = 1;
constexpr std::size_t kPayloadBytes = 16;

SExtensionRecord Record(std::uint32_t list, std::size_t index, const SLineStroke& stroke)
{
    CArchiveWriter payload;
    payload.WriteUInt32(list);
    payload.WriteUInt32(static_cast<std::uint32_t>(index));
    // Micrometres: the width is kept in whole ones, so the number read back is the one written.
    payload.WriteUInt32(static_cast<std::uint32_t>(std::lround(stroke.width * 1000.0)));
    payload.WriteUInt32(static_cast<std::uint32_t>(stroke.style));
    return SExtensionRecord{kStrokeTag, payload.GetBytes()};
}

template <class Records> void Append(CExtensionRecords& out, std::uint32_t list, const Records& records)
{
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (!records[i].GetStroke().IsDefault()) {
            out.push_back(Record(list, i, records[i].GetStroke()));
        }
    }
}

} // namespace

CExtensionRecords LineStyleRecords(const CFunctionList& functions, const CObjectList& objects)
{
    CExtensionRecords records;
    Append(records, kFunctionList, functions);
    Append(records, kObjectList, objects);
    return records;
}

bool TakeLineStyleRecords(CExtensionRecords& records, CFunctionList& functions, CObjectList& objects)
{
    struct SRead
    {
        std::uint32_t list;
        std::uint32_t index;
        SLineStroke stroke;
    };
    std::vector<SRead> strokes;
    for (const SExtensionRecord& record : records) {
        if (record.tag != kStrokeTag) {
            continue;
        }
        CArchiveReader ar{record.payload};
        std::uint32_t list{}, index{}, micrometres{}, style{};
        if (record.payload.size() != kPayloadBytes || !ar.ReadUInt32(list) || !ar.ReadUInt32(index) ||
            !ar.ReadUInt32(micrometres) || !ar.ReadUInt32(style)) {
            return false;
        }
        const std::size_t count = list == kFunctionList ? functions.size()
                                  : list == kObjectList ? objects.size()
                                                        : 0;
        if (index >= count) {
            return false;
        }
        // A width outside 0.1..2 mm or a style of a later program is drawn as near as this one can.
        strokes.push_back(SRead{list, index, SLineStroke{micrometres / 1000.0, LineStyleOfCode(style)}});
    }
    for (const SRead& read : strokes) {
        if (read.list == kFunctionList) {
            functions[read.index].SetStroke(read.stroke);
        } else {
            objects[read.index].SetStroke(read.stroke);
        }
    }
    std::erase_if(records, [](const SExtensionRecord& record) { return record.tag == kStrokeTag; });
    return true;
}
