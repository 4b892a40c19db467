#pragma once

#include "document/SliderState.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

class CArchiveWriter;

// The extension block of a graph file: what the function, object and scaling records have no
// field for (names, strokes, the slider, kept areas, equal units). Records of their own files
// (LineStyleRecords.h, AreaRecords.h) travel through it as `unknown` until they are taken out. It follows the last object, where older
// readers stop reading, so they open such a file as they always did. A document that needs none
// of it is written without a block, byte for byte as before. Layout: ExtensionBlock.md.

// A record's tag from its four ASCII letters, as the file holds it (little-endian).
constexpr std::uint32_t ExtensionTag(const char (&text)[5])
{
    return static_cast<std::uint32_t>(static_cast<unsigned char>(text[0])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(text[1])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(text[2])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(text[3])) << 24;
}

// One record of a tag this program does not know, kept as read so that a save passes it on.
struct SExtensionRecord
{
    std::uint32_t tag{0}; // the four tag bytes as a little-endian number
    std::vector<std::uint8_t> payload;

    bool operator==(const SExtensionRecord& other) const = default;
};
using CExtensionRecords = std::vector<SExtensionRecord>;

// What a block holds, once read or before it is written.
struct SExtensionContent
{
    // (function index, name), only names that differ from the automatic one.
    std::vector<std::pair<std::size_t, std::string>> names;
    // The slider over a family's k, only while it is on.
    std::optional<SSliderState> slider;
    CExtensionRecords unknown;

    bool IsEmpty() const { return names.empty() && !slider && unknown.empty(); }
};

enum class EExtensionRead
{
    Absent,  // nothing after the objects, or bytes that are no block: ignored as ever
    Read,    // a whole block with a correct check sum
    Damaged, // the block's magic, but records or check sum broken: nothing of it is used
};

// Reads the bytes after the last object. functionCount bounds the indices of the name and slider records.
EExtensionRead ReadExtensionBlock(std::span<const std::uint8_t> rest, std::size_t functionCount,
                                  SExtensionContent& content);

// Appends the block; nothing at all when the content is empty.
void WriteExtensionBlock(CArchiveWriter& archive, const SExtensionContent& content);

// What the window tells the user when the block was damaged; the graph itself opens.
inline constexpr const char* kDamagedExtensionWarning =
    "Der Zusatzteil der Datei ist beschädigt; Namen und weitere Angaben fehlen.";

// CRC-32 as in zip and PNG (reflected polynomial 0xEDB88320), for the block's check sum.
std::uint32_t Crc32(std::span<const std::uint8_t> bytes);
