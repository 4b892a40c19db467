#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

// Reads the elementary values of a graph file from bytes in memory, little-endian.
//
// Strings carry a length prefix: one byte below 255; else 0xFF and a 16-bit length below 0xFFFE;
// else 0xFF, 0xFFFF and a 32-bit length. The writer never produces 0xFF 0xFFFE, so a file that
// holds it is not one of ours and reading fails there.
//
// The first failure sticks: every later read fails too and leaves its target untouched, so a
// caller may read a whole record and test once. Nothing is allocated for a length before the
// bytes it announces are known to be present.
class CArchiveReader final
{
public:
    explicit CArchiveReader(std::span<const std::uint8_t> bytes) : m_bytes{bytes} {}

    bool ReadInt32(std::int32_t& value);
    bool ReadUInt32(std::uint32_t& value);
    bool ReadDouble(double& value);
    bool ReadString(std::string& value);
    // The next count bytes, without a prefix; they stay in the reader's buffer.
    bool ReadBytes(std::size_t count, std::span<const std::uint8_t>& value);

    // For faults seen above the level of single values, e.g. a count the rest cannot hold.
    void Fail(std::string message);

    bool Failed() const { return m_failed; }
    // A short German sentence for the user, UTF-8; empty while nothing failed.
    const std::string& GetError() const { return m_error; }
    std::size_t GetPosition() const { return m_position; }
    std::size_t GetRemaining() const { return m_bytes.size() - m_position; }

private:
    bool Take(std::size_t count, const std::uint8_t*& data);
    bool ReadUInt16(std::uint16_t& value);
    bool ReadStringLength(std::uint32_t& length);

    std::span<const std::uint8_t> m_bytes;
    std::size_t m_position{0};
    bool m_failed{false};
    std::string m_error;
};
