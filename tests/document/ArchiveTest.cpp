#include "document/ArchiveReader.h"
#include "document/ArchiveWriter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Head(const Bytes& bytes, std::size_t n)
{
    return Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(std::min(n, bytes.size())));
}

TEST(Archive, NumbersAreLittleEndian)
{
    CArchiveWriter w;
    w.WriteInt32(-1);
    w.WriteInt32(0x01020304);
    w.WriteUInt32(0xFF0080u);
    w.WriteDouble(-5.0);
    w.WriteDouble(1.0);
    const Bytes expected{0xFF, 0xFF, 0xFF, 0xFF, 0x04, 0x03, 0x02, 0x01, 0x80, 0x00, 0xFF, 0x00, 0,    0,
                         0,    0,    0,    0,    0x14, 0xC0, 0,    0,    0,    0,    0,    0,    0xF0, 0x3F};
    EXPECT_EQ(w.GetBytes(), expected);

    CArchiveReader r{w.GetBytes()};
    std::int32_t a{}, b{};
    std::uint32_t c{};
    double d{}, e{};
    EXPECT_TRUE(r.ReadInt32(a) && r.ReadInt32(b) && r.ReadUInt32(c) && r.ReadDouble(d) && r.ReadDouble(e));
    EXPECT_EQ(a, -1);
    EXPECT_EQ(b, 0x01020304);
    EXPECT_EQ(c, 0xFF0080u);
    EXPECT_EQ(d, -5.0);
    EXPECT_EQ(e, 1.0);
    EXPECT_EQ(r.GetRemaining(), 0u);
}

TEST(Archive, DoublesKeepEveryBit)
{
    const double values[] = {0.0,
                             -0.0,
                             std::numeric_limits<double>::infinity(),
                             std::numeric_limits<double>::denorm_min(),
                             std::numeric_limits<double>::max(),
                             std::numeric_limits<double>::quiet_NaN(),
                             0.1};
    for (const double v : values) {
        CArchiveWriter w;
        w.WriteDouble(v);
        CArchiveReader r{w.GetBytes()};
        double back{};
        ASSERT_TRUE(r.ReadDouble(back));
        EXPECT_EQ(std::bit_cast<std::uint64_t>(back), std::bit_cast<std::uint64_t>(v)) << v;
    }
}

TEST(Archive, StringLengthPrefixes)
{
    const struct
    {
        std::size_t length;
        Bytes prefix;
    } cases[] = {
        {0, {0x00}},
        {3, {0x03}},
        {254, {0xFE}},
        {255, {0xFF, 0xFF, 0x00}},
        {300, {0xFF, 0x2C, 0x01}},
        {65533, {0xFF, 0xFD, 0xFF}},
        {65534, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {65535, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
        {70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
    };
    for (const auto& c : cases) {
        std::string text(c.length, 'a');
        if (!text.empty()) {
            text.back() = '\xDF'; // 8-bit bytes pass unchanged
        }
        CArchiveWriter w;
        w.WriteString(text);
        w.WriteInt32(7); // what follows the string must start right after it
        const Bytes& bytes = w.GetBytes();
        ASSERT_EQ(bytes.size(), c.prefix.size() + c.length + 4) << c.length;
        EXPECT_EQ(Head(bytes, c.prefix.size()), c.prefix) << c.length;

        CArchiveReader r{bytes};
        std::string back;
        std::int32_t after{};
        EXPECT_TRUE(r.ReadString(back)) << c.length;
        EXPECT_TRUE(r.ReadInt32(after)) << c.length;
        EXPECT_EQ(back, text) << c.length;
        EXPECT_EQ(after, 7) << c.length;
    }
}

TEST(Archive, ReaderAcceptsLongerPrefixesThanNeeded)
{
    // Another writer may use the wider forms for short texts; the length decides, not the form.
    const Bytes cases[] = {
        {0xFF, 0x02, 0x00, 'a', 'b'},
        {0xFF, 0xFF, 0xFF, 0x02, 0x00, 0x00, 0x00, 'a', 'b'},
    };
    for (const Bytes& bytes : cases) {
        CArchiveReader r{bytes};
        std::string s;
        EXPECT_TRUE(r.ReadString(s));
        EXPECT_EQ(s, "ab");
    }
}

TEST(Archive, ShortDataFailsAndTheFailureSticks)
{
    const struct
    {
        const char* name;
        bool asString;
        Bytes bytes;
    } cases[] = {
        {"int inside", false, {0x01, 0x02, 0x03}},
        {"int from nothing", false, {}},
        {"string body", true, {0x05, 'a', 'b'}},
        {"16-bit length", true, {0xFF, 0x01}},
        {"32-bit length", true, {0xFF, 0xFF, 0xFF, 0x01, 0x00}},
        {"length beyond the end", true, {0xFF, 0x2C, 0x01, 'a'}},
        {"4 GiB announced", true, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 'a'}},
        {"string from nothing", true, {}},
        // an int would still fit after the failed string: only the sticky failure refuses it
        {"int after a failed string", true, {0x09, 1, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        CArchiveReader r{c.bytes};
        std::string s{"untouched"};
        std::int32_t i{42};
        EXPECT_FALSE(c.asString ? r.ReadString(s) : r.ReadInt32(i)) << c.name;
        EXPECT_TRUE(r.Failed()) << c.name;
        EXPECT_FALSE(r.GetError().empty()) << c.name;
        EXPECT_EQ(s, "untouched") << c.name;
        EXPECT_EQ(i, 42) << c.name;
        const std::string first = r.GetError();
        EXPECT_FALSE(r.ReadInt32(i)) << c.name;
        EXPECT_EQ(i, 42) << c.name;
        EXPECT_EQ(r.GetError(), first) << c.name << ": the first reason is kept";
    }
}

TEST(Archive, ReservedPrefixIsRefused)
{
    // 0xFF 0xFFFE is never written; a file holding it is not a graph file of this program.
    const Bytes bytes{0xFF, 0xFE, 0xFF, 0x02, 'a', 'b', 'c', 'd'};
    CArchiveReader r{bytes};
    std::string s;
    EXPECT_FALSE(r.ReadString(s));
    EXPECT_NE(r.GetError().find("Byte 0"), std::string::npos) << r.GetError();
}

TEST(Archive, ErrorNamesWhereTheFileEnds)
{
    const Bytes bytes{1, 0, 0, 0, 2, 0};
    CArchiveReader r{bytes};
    std::int32_t v{};
    EXPECT_TRUE(r.ReadInt32(v));
    EXPECT_FALSE(r.ReadInt32(v));
    EXPECT_EQ(r.GetError(),
              "Die Datei endet vorzeitig: ab Byte 4 werden 4 Bytes erwartet, vorhanden sind 2.");
}

} // namespace
