#pragma once

#include "document/ZelDoc.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

// Graph files (*.zel): binary, little-endian, no signature and no version. The scaling comes
// first, then the functions, then the objects; each count is stored as the number minus one.
// Strings are stored as the records hold them, Windows-1252 bytes.

// Reads a whole file into doc, which is then in the loaded state (saved copies equal to the
// content, no undo, not modified). Values pass through the records' setters, so terms come back
// in lower case, ranges ordered and negative print sizes as 1 cm. Bytes after the last object are
// ignored. On failure doc is not touched and error holds a short German sentence (UTF-8).
bool ReadGraphFile(std::span<const std::uint8_t> bytes, CZelDoc& doc, std::string& error);

// The same for a file on disk, for the command-line tools. A path that is missing, unreadable or
// not a regular file (a directory, a device, a pipe) is reported in error like a broken file.
bool ReadGraphFileFromPath(const std::string& path, CZelDoc& doc, std::string& error);

// The bytes of doc's current content. Neither the saved copies nor the modified flag are stored.
std::vector<std::uint8_t> WriteGraphFile(const CZelDoc& doc);
