#pragma once

#include "document/ZelDoc.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// Graph files (*.zel): binary, little-endian, no signature and no version. The scaling comes
// first, then the functions, then the objects; each count is stored as the number minus one.
// Strings are stored as the records hold them, Windows-1252 bytes. After the last object may
// follow an extension block (ExtensionBlock.h) with what the records have no field for.

// Graph files larger than this are refused before they are read. The largest real graphs take a
// few kilobytes; a file of this size holds two million empty functions.
inline constexpr std::size_t kMaxGraphFileBytes = std::size_t{64} << 20;

// Reads a whole file into doc, which is then in the loaded state (saved copies equal to the
// content, no undo, not modified). Values pass through the records' setters, so terms come back
// in lower case, ranges ordered and negative print sizes as 1 cm. Bytes after the last object are
// ignored unless they are an extension block; a damaged block is left out and reported through
// doc.GetReadWarning(), and the file still opens. On failure doc is not touched and error holds a short German sentence (UTF-8).
bool ReadGraphFile(std::span<const std::uint8_t> bytes, CZelDoc& doc, std::string& error);

// The same for a file on disk. A path that is missing, a folder, not a regular file (a device, a
// pipe), unreadable or larger than kMaxGraphFileBytes is refused; every message names the file,
// and one that comes from the system gives its reason.
bool ReadGraphFileFromPath(const std::string& path, CZelDoc& doc, std::string& error);

// What a graph file holds, without the document's undo copies: for the command-line tools, which
// only read, so that a large file is held once and not twice.
struct CGraphContent
{
    CScaling scaling;
    CFunctionList functions;
    CObjectList objects;
    // The curves drawn from the functions (f', f'', F), from the extension block.
    CDerivedList derived;
    // The extension block's records this program does not know, and why the block was left out.
    CExtensionRecords unknownExtensions;
    std::string warning;
    // The slider as the file left it (SliderState.h); nothing while it was off.
    std::optional<SSliderState> slider;
    CAreaList areas;
};

bool ReadGraphContent(std::span<const std::uint8_t> bytes, CGraphContent& content, std::string& error);
bool ReadGraphContentFromPath(const std::string& path, CGraphContent& content, std::string& error);

// The bytes of doc's current content. Neither the saved copies nor the modified flag are stored.
std::vector<std::uint8_t> WriteGraphFile(const CZelDoc& doc);
