#include "document/ArchiveWriter.h"

#include <bit>
#include <limits>

void CArchiveWriter::WriteUInt16(std::uint16_t value)
{
    m_bytes.push_back(static_cast<std::uint8_t>(value));
    m_bytes.push_back(static_cast<std::uint8_t>(value >> 8));
}

void CArchiveWriter::WriteUInt32(std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8) {
        m_bytes.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

void CArchiveWriter::WriteInt32(std::int32_t value)
{
    WriteUInt32(static_cast<std::uint32_t>(value));
}

void CArchiveWriter::WriteDouble(double value)
{
    const auto bits = std::bit_cast<std::uint64_t>(value);
    for (int shift = 0; shift < 64; shift += 8) {
        m_bytes.push_back(static_cast<std::uint8_t>(bits >> shift));
    }
}

void CArchiveWriter::WriteString(std::string_view text)
{
    constexpr std::size_t maxLength = std::numeric_limits<std::uint32_t>::max();
    if (text.size() > maxLength) {
        text = text.substr(0, maxLength);
    }
    const std::size_t length = text.size();
    if (length < 0xFF) {
        m_bytes.push_back(static_cast<std::uint8_t>(length));
    } else if (length < 0xFFFE) {
        m_bytes.push_back(0xFF);
        WriteUInt16(static_cast<std::uint16_t>(length));
    } else {
        m_bytes.push_back(0xFF);
        WriteUInt16(0xFFFF);
        WriteUInt32(static_cast<std::uint32_t>(length));
    }
    m_bytes.insert(m_bytes.end(), text.begin(), text.end());
}

void CArchiveWriter::WriteBytes(std::span<const std::uint8_t> bytes)
{
    m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
}
