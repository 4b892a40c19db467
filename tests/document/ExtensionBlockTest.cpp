#include "GraphFileTestSupport.h"

#include "document/ArchiveWriter.h"
#include "document/ExtensionBlock.h"
#include "document/GraphFile.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

CZelDoc WithFunctions(std::initializer_list<const char*> names)
{
    CZelDoc doc;
    CFunctionList functions;
    for (const char* name : names) {
        CGraphFunction f;
        f.SetTerm("x^" + std::to_string(functions.size()));
        f.SetName(name);
        functions.push_back(f);
    }
    doc.SetFunctions(functions);
    return doc;
}

struct SRecord
{
    const char* tag;
    Bytes payload;
};

// A block as another program might write it; a wrong sum when asked for.
Bytes Block(std::uint32_t version, const std::vector<SRecord>& records, bool goodSum = true)
{
    CArchiveWriter w;
    w.WriteBytes(Bytes{'V', 'E', 'X', 'X'});
    w.WriteUInt32(version);
    for (const SRecord& r : records) {
        w.WriteBytes(Bytes(r.tag, r.tag + 4));
        w.WriteUInt32(static_cast<std::uint32_t>(r.payload.size()));
        w.WriteBytes(r.payload);
    }
    const std::uint32_t sum = Crc32(w.GetBytes()) + (goodSum ? 0 : 1);
    w.WriteBytes(Bytes{'V', 'E', 'N', 'D'});
    w.WriteUInt32(4);
    w.WriteUInt32(sum);
    return w.TakeBytes();
}

Bytes NamePayload(std::uint32_t index, const std::string& name)
{
    CArchiveWriter w;
    w.WriteUInt32(index);
    w.WriteString(name);
    return w.TakeBytes();
}

Bytes Concat(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::vector<std::string> Names(const CZelDoc& doc)
{
    std::vector<std::string> names;
    for (const CGraphFunction& f : doc.Functions()) {
        names.push_back(f.GetName());
    }
    return names;
}

CZelDoc Read(const Bytes& bytes)
{
    CZelDoc doc;
    std::string error;
    EXPECT_TRUE(ReadGraphFile(bytes, doc, error)) << error;
    return doc;
}

TEST(ExtensionBlock, NamesRoundTripAndAutomaticNamesWriteNoBlock)
{
    const Bytes seed = WriteGraphFile(WithFunctions({"", "", ""}));
    const struct
    {
        std::initializer_list<const char*> given;
        std::vector<std::string> read;
        bool block;
    } cases[] = {
        {{"", "", ""}, {"", "", ""}, false},
        {{"f", "g", "h"}, {"", "", ""}, false}, // the automatic names typed out
        {{"Umsatz", "", "Kosten"}, {"Umsatz", "", "Kosten"}, true},
        {{"g", "f", ""}, {"g", "f", ""}, true},
        {{"", "", "a\xE4"}, {"", "", "a\xE4"}, true},
    };
    for (const auto& c : cases) {
        const Bytes written = WriteGraphFile(WithFunctions(c.given));
        EXPECT_EQ(written.size() > seed.size(), c.block);
        // What a reader that stops after the objects sees is the file without names.
        ASSERT_GE(written.size(), seed.size());
        EXPECT_TRUE(std::equal(seed.begin(), seed.end(), written.begin()));
        const CZelDoc read = Read(written);
        EXPECT_EQ(Names(read), c.read);
        EXPECT_EQ(Describe(read), Describe(Read(seed)));
        EXPECT_TRUE(read.GetReadWarning().empty());
        EXPECT_EQ(WriteGraphFile(read), written);
    }
}

TEST(ExtensionBlock, UnknownRecordsSurviveAnEditAndASave)
{
    const Bytes seed = WriteGraphFile(WithFunctions({"", ""}));
    const Bytes file = Concat(seed, Block(7, {{"LINE", {1, 2, 3}},
                                              {"NAME", NamePayload(1, "Kosten")},
                                              {"AREA", {}}}));
    CZelDoc doc = Read(file);
    EXPECT_EQ(Names(doc), (std::vector<std::string>{"", "Kosten"}));
    CFunctionList functions = doc.GetFunctions();
    functions[0].SetTerm("sin(x)");
    doc.SetFunctions(functions);
    const CZelDoc again = Read(WriteGraphFile(doc));
    EXPECT_EQ(Names(again), (std::vector<std::string>{"", "Kosten"}));
    const CExtensionRecords expected{{0x454E494Cu, {1, 2, 3}}, {0x41455241u, {}}};
    EXPECT_EQ(again.UnknownExtensionRecords(), expected);
    EXPECT_EQ(again.Functions()[0].GetTerm(), "sin(x)");
}

TEST(ExtensionBlock, DamagedBlockIsReportedAndTheGraphStillOpens)
{
    const Bytes seed = WriteGraphFile(MakeRichDocument(1));
    const Bytes good = Block(1, {{"NAME", NamePayload(0, "Umsatz")}, {"XTRA", {9, 9}}});
    Bytes flipped = good;
    flipped[21] ^= 0x20; // a letter of the name
    Bytes longRecord = good;
    longRecord[12] = 0xFF; // the name record's length runs past the end
    const struct
    {
        const char* name;
        Bytes block;
    } cases[] = {
        {"cut in a record", Bytes(good.begin(), good.begin() + 18)},
        {"cut before the end record", Bytes(good.begin(), good.end() - 12)},
        {"wrong sum", Block(1, {{"NAME", NamePayload(0, "Umsatz")}}, false)},
        {"changed byte", flipped},
        {"length beyond the end", longRecord},
        {"version 0", Block(0, {{"NAME", NamePayload(0, "Umsatz")}})},
        {"name of a missing function", Block(1, {{"NAME", NamePayload(99, "Umsatz")}})},
        {"name record with bytes left", Block(1, {{"NAME", Concat(NamePayload(0, "a"), {0})}})},
        {"end record of 3 bytes", Concat(Bytes(good.begin(), good.end() - 12), {'V', 'E', 'N', 'D', 3, 0, 0, 0, 1, 2, 3})},
    };
    const std::string expected = Describe(Read(seed));
    for (const auto& c : cases) {
        CZelDoc doc;
        std::string error;
        ASSERT_TRUE(ReadGraphFile(Concat(seed, c.block), doc, error)) << c.name << ": " << error;
        EXPECT_EQ(doc.GetReadWarning(), kDamagedExtensionWarning) << c.name;
        EXPECT_EQ(Describe(doc), expected) << c.name;
        EXPECT_TRUE(doc.UnknownExtensionRecords().empty()) << c.name;
        EXPECT_EQ(doc.Functions()[0].GetName(), "") << c.name;
        // Saved again, the file is the graph without the broken block.
        EXPECT_EQ(WriteGraphFile(doc), seed) << c.name;
    }
    // Trailing bytes that are no block stay ignored, without a warning.
    for (const Bytes& tail : {Bytes{0}, Bytes{'V', 'E', 'X'}, Bytes{'X', 'E', 'X', 'V', 1, 0, 0, 0}}) {
        const CZelDoc doc = Read(Concat(seed, tail));
        EXPECT_TRUE(doc.GetReadWarning().empty());
        EXPECT_EQ(Describe(doc), expected);
    }
    // Bytes after the end record are ignored as those after the objects are.
    const CZelDoc trailing = Read(Concat(Concat(seed, good), {1, 2, 3}));
    EXPECT_TRUE(trailing.GetReadWarning().empty());
    EXPECT_EQ(trailing.Functions()[0].GetName(), "Umsatz");
}

TEST(ExtensionBlock, AutomaticNamesFollowThePosition)
{
    const struct
    {
        std::size_t index;
        const char* name;
    } cases[] = {{0, "f"}, {1, "g"}, {2, "h"}, {3, "p"}, {9, "w"}, {10, "f1"}, {23, "p2"}};
    for (const auto& c : cases) {
        EXPECT_EQ(DefaultFunctionName(c.index), c.name) << c.index;
    }
    CFunctionList functions(3);
    functions[1].SetName("Kosten");
    EXPECT_EQ(FunctionName(functions, 0), "f");
    EXPECT_EQ(FunctionName(functions, 1), "Kosten");
    EXPECT_EQ(FunctionName(functions, 2), "h");
}

// Other programs check the block with the common CRC-32; its check value must come out.
TEST(ExtensionBlock, SumIsTheCommonCrc32)
{
    const std::string check = "123456789";
    EXPECT_EQ(Crc32(Bytes(check.begin(), check.end())), 0xCBF43926u);
}

} // namespace
