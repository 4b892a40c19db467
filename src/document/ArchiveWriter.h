#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

// Collects the elementary values of a graph file in memory, little-endian and without padding,
// whatever the byte order of the machine. Writing cannot fail; the caller puts the bytes on disk.
class CArchiveWriter final
{
public:
    void WriteInt32(std::int32_t value);
    void WriteUInt32(std::uint32_t value);
    void WriteDouble(double value);
    // The bytes of the text after a length prefix of one, three or seven bytes (see ArchiveReader.h).
    // A text of 2^32 bytes or more cannot be described by the prefix; only its first 2^32 - 1
    // bytes are written, so the file stays readable.
    void WriteString(std::string_view text);
    // Bytes as they are, without a prefix: blocks that carry their own length.
    void WriteBytes(std::span<const std::uint8_t> bytes);

    const std::vector<std::uint8_t>& GetBytes() const { return m_bytes; }
    std::vector<std::uint8_t> TakeBytes() { return std::move(m_bytes); }

private:
    void WriteUInt16(std::uint16_t value);

    std::vector<std::uint8_t> m_bytes;
};
