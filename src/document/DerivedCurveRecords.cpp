#include "document/DerivedCurveRecords.h"

#include "document/ArchiveReader.h"
#include "document/ArchiveWriter.h"

#include <cmath>

namespace {

constexpr std::uint32_t kDerivedTag = ExtensionTag("DERV");
constexpr std::size_t kPayloadBytes = 4 + 4 + 8 + 8 + 4 + 4 + 4;
// Source and kind: what every record of this tag starts with, whatever its kind.
constexpr std::size_t kHeadBytes = 8;

SExtensionRecord Record(const CDerivedCurve& curve)
{
    CArchiveWriter payload;
    payload.WriteUInt32(static_cast<std::uint32_t>(curve.GetSource()));
    payload.WriteUInt32(static_cast<std::uint32_t>(curve.GetKind()));
    payload.WriteDouble(curve.GetX0());
    payload.WriteDouble(curve.GetY0());
    payload.WriteUInt32(curve.GetColor());
    payload.WriteUInt32(static_cast<std::uint32_t>(std::lround(curve.GetStroke().width * 1000.0)));
    payload.WriteUInt32(static_cast<std::uint32_t>(curve.GetStroke().style));
    return SExtensionRecord{kDerivedTag, payload.GetBytes()};
}

} // namespace

CExtensionRecords DerivedCurveRecords(const CDerivedList& derived)
{
    CExtensionRecords records;
    records.reserve(derived.size());
    for (const CDerivedCurve& curve : derived) {
        records.push_back(Record(curve));
    }
    return records;
}

bool TakeDerivedCurveRecords(CExtensionRecords& records, std::size_t functionCount, CDerivedList& derived)
{
    CDerivedList read;
    std::vector<bool> taken(records.size(), false);
    for (std::size_t r = 0; r < records.size(); ++r) {
        const SExtensionRecord& record = records[r];
        if (record.tag != kDerivedTag) {
            continue;
        }
        CArchiveReader ar{record.payload};
        std::uint32_t source{}, kind{}, color{}, micrometres{}, style{};
        double x0{}, y0{};
        if (record.payload.size() < kHeadBytes || !ar.ReadUInt32(source) || !ar.ReadUInt32(kind)) {
            return false;
        }
        if (kind >= kDerivedKindCount) {
            continue; // a later program's kind, passed on
        }
        if (record.payload.size() != kPayloadBytes || !ar.ReadDouble(x0) || !ar.ReadDouble(y0) ||
            !ar.ReadUInt32(color) || !ar.ReadUInt32(micrometres) || !ar.ReadUInt32(style) ||
            source >= functionCount || !std::isfinite(x0) || !std::isfinite(y0)) {
            return false;
        }
        CDerivedCurve curve{source, static_cast<EDerivedKind>(kind)};
        curve.SetStart(x0, y0);
        curve.SetColor(color);
        curve.SetStroke(SLineStroke{micrometres / 1000.0, LineStyleOfCode(style)});
        read.push_back(curve);
        taken[r] = true;
    }
    CExtensionRecords rest;
    for (std::size_t r = 0; r < records.size(); ++r) {
        if (!taken[r]) {
            rest.push_back(std::move(records[r]));
        }
    }
    records = std::move(rest);
    derived = std::move(read);
    return true;
}
