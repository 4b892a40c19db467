#include "document/ExtensionBlock.h"

#include "document/ArchiveReader.h"
#include "document/ArchiveWriter.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr std::uint32_t kMagic = ExtensionTag("VEXX");
constexpr std::uint32_t kEndTag = ExtensionTag("VEND");
constexpr std::uint32_t kNameTag = ExtensionTag("NAME");
constexpr std::uint32_t kSliderTag = ExtensionTag("SLID");
constexpr std::uint32_t kVersion = 1;

bool ReadName(std::span<const std::uint8_t> payload, std::size_t functionCount, SExtensionContent& content)
{
    CArchiveReader ar{payload};
    std::uint32_t index{};
    std::string name;
    ar.ReadUInt32(index);
    // A name record that says more or less than one name is not one this program wrote.
    if (!ar.ReadString(name) || ar.GetRemaining() != 0 || index >= functionCount) {
        return false;
    }
    content.names.emplace_back(index, std::move(name));
    return true;
}

bool ReadSlider(std::span<const std::uint8_t> payload, std::size_t functionCount, SExtensionContent& content)
{
    CArchiveReader ar{payload};
    std::uint32_t index{};
    double k{};
    ar.ReadUInt32(index);
    // One slider per graph: a second record, or a k that is no number, is not this program's.
    if (!ar.ReadDouble(k) || ar.GetRemaining() != 0 || index >= functionCount || !std::isfinite(k) ||
        content.slider) {
        return false;
    }
    content.slider = SSliderState{index, k};
    return true;
}

} // namespace

std::uint32_t Crc32(std::span<const std::uint8_t> bytes)
{
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::uint8_t byte : bytes) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

EExtensionRead ReadExtensionBlock(std::span<const std::uint8_t> rest, std::size_t functionCount,
                                  SExtensionContent& content)
{
    CArchiveReader ar{rest};
    std::uint32_t magic{};
    if (!ar.ReadUInt32(magic) || magic != kMagic) {
        return EExtensionRead::Absent;
    }
    SExtensionContent read;
    std::uint32_t version{};
    if (!ar.ReadUInt32(version) || version == 0) {
        return EExtensionRead::Damaged;
    }
    for (;;) {
        const std::size_t recordStart = ar.GetPosition();
        std::uint32_t tag{}, length{};
        std::span<const std::uint8_t> payload;
        ar.ReadUInt32(tag);
        ar.ReadUInt32(length);
        if (!ar.ReadBytes(length, payload)) {
            return EExtensionRead::Damaged;
        }
        if (tag == kEndTag) {
            // The sum covers everything from the magic to the end record, so a changed name or a
            // cut-off record that happens to look whole is noticed.
            if (length != 4) {
                return EExtensionRead::Damaged;
            }
            CArchiveReader sum{payload};
            std::uint32_t stored{};
            sum.ReadUInt32(stored);
            if (stored != Crc32(rest.first(recordStart))) {
                return EExtensionRead::Damaged;
            }
            break;
        }
        if (tag == kNameTag) {
            if (!ReadName(payload, functionCount, read)) {
                return EExtensionRead::Damaged;
            }
        } else if (tag == kSliderTag) {
            if (!ReadSlider(payload, functionCount, read)) {
                return EExtensionRead::Damaged;
            }
        } else {
            read.unknown.push_back(SExtensionRecord{tag, {payload.begin(), payload.end()}});
        }
    }
    content = std::move(read);
    return EExtensionRead::Read;
}

void WriteExtensionBlock(CArchiveWriter& archive, const SExtensionContent& content)
{
    if (content.IsEmpty()) {
        return;
    }
    CArchiveWriter block;
    block.WriteUInt32(kMagic);
    block.WriteUInt32(kVersion);
    // Names in the order of the functions, so that reading and writing again gives the same bytes.
    auto names = content.names;
    std::stable_sort(names.begin(), names.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [index, name] : names) {
        CArchiveWriter payload;
        payload.WriteUInt32(static_cast<std::uint32_t>(index));
        payload.WriteString(name);
        block.WriteUInt32(kNameTag);
        block.WriteUInt32(static_cast<std::uint32_t>(payload.GetBytes().size()));
        block.WriteBytes(payload.GetBytes());
    }
    if (content.slider) {
        CArchiveWriter payload;
        payload.WriteUInt32(static_cast<std::uint32_t>(content.slider->function));
        payload.WriteDouble(content.slider->k);
        block.WriteUInt32(kSliderTag);
        block.WriteUInt32(static_cast<std::uint32_t>(payload.GetBytes().size()));
        block.WriteBytes(payload.GetBytes());
    }
    for (const SExtensionRecord& record : content.unknown) {
        block.WriteUInt32(record.tag);
        block.WriteUInt32(static_cast<std::uint32_t>(record.payload.size()));
        block.WriteBytes(record.payload);
    }
    const std::uint32_t sum = Crc32(block.GetBytes());
    block.WriteUInt32(kEndTag);
    block.WriteUInt32(4);
    block.WriteUInt32(sum);
    archive.WriteBytes(block.GetBytes());
}
