#include "document/ArchiveReader.h"

#include <bit>
#include <string>

void CArchiveReader::Fail(std::string message)
{
    if (!m_failed) {
        m_failed = true;
        m_error = std::move(message);
    }
}

bool CArchiveReader::Take(std::size_t count, const std::uint8_t*& data)
{
    if (m_failed) {
        return false;
    }
    if (count > GetRemaining()) {
        Fail("Die Datei endet vorzeitig: ab Byte " + std::to_string(m_position) + " werden " +
             std::to_string(count) + " Bytes erwartet, vorhanden sind " + std::to_string(GetRemaining()) +
             ".");
        return false;
    }
    data = m_bytes.data() + m_position;
    m_position += count;
    return true;
}

bool CArchiveReader::ReadUInt16(std::uint16_t& value)
{
    const std::uint8_t* p{};
    if (!Take(2, p)) {
        return false;
    }
    value = static_cast<std::uint16_t>(p[0] | (p[1] << 8));
    return true;
}

bool CArchiveReader::ReadUInt32(std::uint32_t& value)
{
    const std::uint8_t* p{};
    if (!Take(4, p)) {
        return false;
    }
    value = static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
            static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
    return true;
}

bool CArchiveReader::ReadInt32(std::int32_t& value)
{
    std::uint32_t bits{};
    if (!ReadUInt32(bits)) {
        return false;
    }
    value = static_cast<std::int32_t>(bits);
    return true;
}

bool CArchiveReader::ReadDouble(double& value)
{
    const std::uint8_t* p{};
    if (!Take(8, p)) {
        return false;
    }
    std::uint64_t bits{0};
    for (int i = 7; i >= 0; --i) {
        bits = bits << 8 | p[i];
    }
    value = std::bit_cast<double>(bits);
    return true;
}

bool CArchiveReader::ReadStringLength(std::uint32_t& length)
{
    const std::size_t start = m_position;
    const std::uint8_t* p{};
    if (!Take(1, p)) {
        return false;
    }
    if (*p != 0xFF) {
        length = *p;
        return true;
    }
    std::uint16_t shortLength{};
    if (!ReadUInt16(shortLength)) {
        return false;
    }
    if (shortLength == 0xFFFE) {
        Fail("Die Datei enthält an Byte " + std::to_string(start) +
             " eine Textlänge, die dieses Format nicht kennt.");
        return false;
    }
    if (shortLength != 0xFFFF) {
        length = shortLength;
        return true;
    }
    return ReadUInt32(length);
}

bool CArchiveReader::ReadString(std::string& value)
{
    std::uint32_t length{};
    const std::uint8_t* p{};
    if (!ReadStringLength(length) || !Take(length, p)) {
        return false;
    }
    value.assign(reinterpret_cast<const char*>(p), length);
    return true;
}

bool CArchiveReader::ReadBytes(std::size_t count, std::span<const std::uint8_t>& value)
{
    const std::uint8_t* p{};
    if (!Take(count, p)) {
        return false;
    }
    value = std::span{p, count};
    return true;
}
