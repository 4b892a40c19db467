#include "GraphFileTestSupport.h"

#include "document/ArchiveWriter.h"
#include "document/AreaRecords.h"
#include "document/KeptArea.h"
#include "document/ExtensionBlock.h"
#include "document/GraphFile.h"
#include "document/SliderState.h"
#include "document/StepLoop.h"
#include "engine/TextEncoding.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <optional>
#include <cmath>

namespace {

Bytes Slice(const Bytes& bytes, std::size_t offset, std::size_t count)
{
    return Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(offset),
                 bytes.begin() + static_cast<std::ptrdiff_t>(offset + count));
}

void PutInt32(Bytes& bytes, std::size_t offset, std::int32_t value)
{
    for (int i = 0; i < 4; ++i) {
        bytes[offset + static_cast<std::size_t>(i)] =
            static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) >> (8 * i));
    }
}

void AppendInt32(Bytes& bytes, std::int32_t value)
{
    bytes.resize(bytes.size() + 4);
    PutInt32(bytes, bytes.size() - 4, value);
}

CZelDoc Read(const Bytes& bytes)
{
    CZelDoc doc;
    std::string error;
    EXPECT_TRUE(ReadGraphFile(bytes, doc, error)) << error;
    return doc;
}

TEST(GraphFile, NewDocumentIs88KnownBytes)
{
    const Bytes expected{
        0,    0,    0,    0,    0,    0,    0x14, 0xC0, 0, 0, 0, 0, 0, 0, 0x14, 0x40,
        0,    0,    0,    0,    0,    0,    0xF0, 0x3F, // x
        0,    0,    0,    0,    0,    0,    0x14, 0xC0, 0, 0, 0, 0, 0, 0, 0x14, 0x40,
        0,    0,    0,    0,    0,    0,    0xF0, 0x3F,                               // y
        1,    0,    0,    0,    1,    0,    0,    0,    1, 0, 0, 0, 1, 0, 0,    0,    // flags
        0,    0,    0,    0,    0,    0,    0xF0, 0x3F, 0, 0, 0, 0, 0, 0, 0xF0, 0x3F, // print
        0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,                               // counts
    };
    EXPECT_EQ(WriteGraphFile(CZelDoc{}), expected);
    EXPECT_EQ(LoadTestFile("new.zel"), expected);
}

TEST(GraphFile, ScalingIntegersAreWrittenInFileOrder)
{
    // autoscale, label axes, show terms, grid type: not the order of the record's fields
    CScaling s;
    s.SetAutoScaleY(11);
    s.SetLabelAxes(22);
    s.SetShowTerms(33);
    s.SetGridType(44);
    CZelDoc doc;
    doc.SetScaling(s);
    const Bytes bytes = WriteGraphFile(doc);
    EXPECT_EQ(Slice(bytes, 48, 16), (Bytes{11, 0, 0, 0, 22, 0, 0, 0, 33, 0, 0, 0, 44, 0, 0, 0}));
    EXPECT_EQ(Read(bytes).GetScaling(), s);
}

TEST(GraphFile, FunctionRecordOfXSquared)
{
    CGraphFunction f;
    f.SetTerm("x^2");
    CZelDoc doc;
    doc.SetFunctions({f});
    const Bytes bytes = WriteGraphFile(doc);
    ASSERT_EQ(bytes.size(), 88u + 37u);
    EXPECT_EQ(Slice(bytes, 80, 4), (Bytes{0, 0, 0, 0})) << "one function is stored as 0";
    Bytes record{0x03, 0x78, 0x5E, 0x32, 0x00, 0, 0, 0, 0};
    record.resize(record.size() + 24 + 4, 0);
    EXPECT_EQ(Slice(bytes, 84, 37), record);
    EXPECT_EQ(Slice(bytes, 121, 4), (Bytes{0xFF, 0xFF, 0xFF, 0xFF}));
}

TEST(GraphFile, CommentLengthPrefixes)
{
    const struct
    {
        std::size_t length;
        Bytes prefix;
    } cases[] = {
        {254, {0xFE}},
        {300, {0xFF, 0x2C, 0x01}},
        {70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
    };
    for (const auto& c : cases) {
        std::string comment;
        for (std::size_t i = 0; i < c.length; ++i) {
            comment += "\xE4\xF6\xFC\xDFZ"[i % 5];
        }
        CGraphFunction f;
        f.SetTerm("x");
        f.SetComment(comment);
        CZelDoc doc;
        doc.SetFunctions({f});
        const Bytes bytes = WriteGraphFile(doc);
        // scaling 80, count 4, term "x" 2
        EXPECT_EQ(Slice(bytes, 86, c.prefix.size()), c.prefix) << c.length;
        EXPECT_EQ(bytes.size(), 88u + 2 + c.prefix.size() + c.length + 32) << c.length;
        const CZelDoc back = Read(bytes);
        ASSERT_EQ(back.GetFunctionCount(), 1u);
        EXPECT_EQ(back.GetFunctions()[0].GetComment(), comment) << c.length;
    }
}

TEST(GraphFile, NegativeFunctionCountMeansNoFunctions)
{
    const CZelDoc fromFile = Read(LoadTestFile("negative-count.zel"));
    EXPECT_EQ(fromFile.GetFunctionCount(), 0u);
    ASSERT_EQ(fromFile.GetObjects().size(), 1u);
    EXPECT_EQ(fromFile.GetObjects()[0].GetKind(), CGraphObject::VerticalLine);
    EXPECT_EQ(fromFile.GetObjects()[0].GetPosition(), 1.0);

    for (const std::int32_t count : {-1, -5, std::numeric_limits<std::int32_t>::min()}) {
        Bytes bytes = WriteGraphFile(CZelDoc{});
        PutInt32(bytes, 80, count);
        PutInt32(bytes, 84, count);
        const CZelDoc doc = Read(bytes);
        EXPECT_EQ(doc.GetFunctionCount(), 0u) << count;
        EXPECT_TRUE(doc.GetObjects().empty()) << count;
    }
}

TEST(GraphFile, ReadingNormalisesThroughTheSetters)
{
    const CZelDoc doc = Read(LoadTestFile("unnormalised.zel"));
    const CScaling s = doc.GetScaling();
    double a{}, b{}, c{};
    s.GetXRange(a, b, c);
    EXPECT_EQ(a, -5);
    EXPECT_EQ(b, 5);
    EXPECT_EQ(c, 2.5) << "a step of 20 over a range of 10 becomes a quarter of it";
    s.GetYRange(a, b, c);
    EXPECT_EQ(a, -1);
    EXPECT_EQ(b, 3);
    EXPECT_EQ(c, 1);
    s.GetPrintSize(a, b);
    EXPECT_EQ(a, 1.0);
    EXPECT_EQ(b, 1.0);

    const CFunctionList fs = doc.GetFunctions();
    ASSERT_EQ(fs.size(), 2u);
    EXPECT_EQ(fs[0].GetTerm(), "sin(x)*k");
    fs[0].GetRange(a, b, c);
    EXPECT_EQ(a, -4);
    EXPECT_EQ(b, 4);
    EXPECT_EQ(c, 2);
    EXPECT_EQ(fs[1].GetTerm(), "x") << "an empty term reads as x";
    EXPECT_EQ(fs[1].GetComment(), "leer");
    fs[1].GetRange(a, b, c);
    EXPECT_EQ(c, 0.25);
    EXPECT_TRUE(doc.GetObjects().empty()) << "object count -5, then bytes that are ignored";

    // Written again, the normalised values are what stays.
    EXPECT_EQ(Describe(Read(WriteGraphFile(doc))), Describe(doc));
}

TEST(GraphFile, SampleFileReadsAndComesBackByteForByte)
{
    const Bytes original = LoadTestFile("sample.zel");
    ASSERT_FALSE(original.empty()) << TestFilePath("sample.zel");
    const CZelDoc doc = Read(original);

    const CFunctionList fs = doc.GetFunctions();
    ASSERT_EQ(fs.size(), 3u);
    EXPECT_EQ(Cp1252ToUtf8(fs[1].GetComment()), "Schar für k von 1 bis 3 – Größe ändert sich");
    EXPECT_EQ(fs[1].GetColor(), 0xFF0000u) << "blue lies in the third byte";
    EXPECT_EQ(Cp1252ToUtf8(fs[2].GetComment()), "Zeile eins\r\nZeile zwei: Nullstellen bei ±2");
    const CObjectList os = doc.GetObjects();
    ASSERT_EQ(os.size(), 3u);
    EXPECT_EQ(os[1].GetLabel(), "Hochpunkt");
    EXPECT_EQ(os[1].GetTextPosition(), 6);
    EXPECT_EQ(os[2].GetKind(), CGraphObject::VerticalLine);
    EXPECT_EQ(os[2].GetPosition(), 2.5);
    EXPECT_EQ(doc.GetScaling().GetGridType(), CScaling::Dots);

    EXPECT_EQ(WriteGraphFile(doc), original);
}

TEST(GraphFile, RichDocumentsRoundTripForEveryGridType)
{
    for (const std::int32_t grid : {0, 1, 2, 3, -1}) {
        const CZelDoc doc = MakeRichDocument(grid);
        const Bytes bytes = WriteGraphFile(doc);
        const CZelDoc back = Read(bytes);
        EXPECT_EQ(Describe(back), Describe(doc)) << grid;
        EXPECT_EQ(WriteGraphFile(back), bytes) << grid;
    }
}

TEST(GraphFile, LoadedDocumentHasItsContentAsSavedCopies)
{
    CZelDoc doc = MakeRichDocument(1); // modified, with an undo step, replaced by the load
    std::string error;
    ASSERT_TRUE(ReadGraphFile(LoadTestFile("sample.zel"), doc, error)) << error;
    EXPECT_FALSE(doc.IsModified());
    EXPECT_FALSE(doc.CanUndo());
    const std::string asRead = Describe(doc);

    // Change only the objects, then undo: the objects come back as read, the rest never moved.
    doc.SetObjects({});
    doc.Undo();
    EXPECT_EQ(Describe(doc), asRead);
    // The same for the scaling alone.
    CScaling s = doc.GetScaling();
    s.SetGridType(0);
    doc.SetScaling(s);
    doc.Undo();
    EXPECT_EQ(Describe(doc), asRead);
}

TEST(GraphFile, UmlautsSurviveLoadEditAndSave)
{
    CZelDoc doc = Read(LoadTestFile("sample.zel"));
    CFunctionList fs = doc.GetFunctions();
    // What a dialog does: show the text as Unicode, let the user type, store it back.
    const std::string edited = Cp1252ToUtf8(fs[0].GetComment()) + ", verschoben um ½ – Maß genügt";
    fs[0].SetComment(Utf8ToCp1252(edited));
    doc.SetFunctions(fs);

    const Bytes saved = WriteGraphFile(doc);
    const CZelDoc back = Read(saved);
    EXPECT_EQ(Cp1252ToUtf8(back.GetFunctions()[0].GetComment()), edited);
    EXPECT_EQ(Cp1252ToUtf8(back.GetFunctions()[1].GetComment()),
              "Schar für k von 1 bis 3 – Größe ändert sich");
    // One byte per character in the file: "Normalparabel" 13 + 30 added characters.
    EXPECT_EQ(saved[84 + 4], 13 + 30);
}

TEST(GraphFile, BrokenFilesFailWithoutTouchingTheDocument)
{
    const Bytes sample = LoadTestFile("sample.zel");
    const auto withInt = [](Bytes bytes, std::size_t offset, std::int32_t value) {
        PutInt32(bytes, offset, value);
        return bytes;
    };
    CZelDoc oneFunction;
    oneFunction.SetFunctions({CGraphFunction{}});
    CZelDoc sampleObjectsOnly;
    sampleObjectsOnly.SetObjects(Read(sample).GetObjects());
    const std::size_t objectCountAt = sample.size() - (WriteGraphFile(sampleObjectsOnly).size() - 84);
    Bytes hugeFunctionCount = Slice(WriteGraphFile(CZelDoc{}), 0, 80);
    AppendInt32(hugeFunctionCount, std::numeric_limits<std::int32_t>::max());
    hugeFunctionCount.resize(100, 0x41);
    Bytes hugeObjectCount = WriteGraphFile(CZelDoc{});
    PutInt32(hugeObjectCount, 84, std::numeric_limits<std::int32_t>::max() - 1);
    hugeObjectCount.resize(100, 0x41);
    Bytes reservedPrefix = Slice(WriteGraphFile(CZelDoc{}), 0, 80);
    AppendInt32(reservedPrefix, 0);
    for (const int b : {0xFF, 0xFE, 0xFF, 0x01, 0x00, int{'x'}}) {
        reservedPrefix.push_back(static_cast<std::uint8_t>(b));
    }
    reservedPrefix.resize(200, 0);

    const struct
    {
        const char* name;
        Bytes bytes;
        const char* errorPart;
    } cases[] = {
        {"empty file", {}, "vorzeitig"},
        {"stops inside the objects", LoadTestFile("truncated.zel"), "vorzeitig"},
        {"one function more than present", withInt(WriteGraphFile(oneFunction), 80, 1), "2 Funktionen"},
        {"one object more than present", withInt(sample, objectCountAt, 3), "4 Objekte"},
        {"2147483647 functions in 100 bytes", hugeFunctionCount, "2147483648 Funktionen"},
        {"2147483647 objects in 100 bytes", hugeObjectCount, "2147483647 Objekte"},
        {"term length beyond the end", withInt(sample, 84, 0x0000FFFF | 0x7F000000), "vorzeitig"},
        {"reserved string prefix", reservedPrefix, "Textlänge"},
    };
    for (const auto& c : cases) {
        CZelDoc doc = MakeRichDocument(2);
        doc.SetModifiedFlag(false);
        const std::string before = Describe(doc);
        std::string error;
        EXPECT_FALSE(ReadGraphFile(c.bytes, doc, error)) << c.name;
        EXPECT_NE(error.find(c.errorPart), std::string::npos) << c.name << ": " << error;
        EXPECT_EQ(Describe(doc), before) << c.name;
        EXPECT_FALSE(doc.IsModified()) << c.name;
        EXPECT_TRUE(doc.CanUndo()) << c.name;
    }
}

TEST(GraphFile, ReadFromPath)
{
    CZelDoc doc;
    std::string error;
    EXPECT_TRUE(ReadGraphFileFromPath(TestFilePath("sample.zel"), doc, error)) << error;
    EXPECT_EQ(doc.GetFunctionCount(), 3u);

    // A file larger than any graph, made without writing its bytes.
    const std::string huge = (std::filesystem::temp_directory_path() / "vex-huge-graph.zel").string();
    std::filesystem::resize_file(
        [&] {
            std::ofstream{huge};
            return huge;
        }(),
        kMaxGraphFileBytes + 1);

    // Each message names the file and tells one cause from another.
    const struct
    {
        std::string path;
        const char* errorPart;
    } failures[] = {
        {TestFilePath("does-not-exist.zel"), "gibt es nicht"},
        {std::filesystem::temp_directory_path().string(), "ist ein Ordner"},
        {"/dev/zero", "keine gewöhnliche Datei"},
        {TestFilePath("truncated.zel"), "vorzeitig"},
        {huge, "zu groß"},
    };
    for (const auto& f : failures) {
        error.clear();
        EXPECT_FALSE(ReadGraphFileFromPath(f.path, doc, error)) << f.path;
        EXPECT_NE(error.find(f.errorPart), std::string::npos) << f.path << ": " << error;
        EXPECT_NE(error.find(f.path), std::string::npos) << f.path << ": " << error;
        EXPECT_EQ(doc.GetFunctionCount(), 3u) << f.path;

        CGraphContent content;
        std::string contentError;
        EXPECT_FALSE(ReadGraphContentFromPath(f.path, content, contentError)) << f.path;
        EXPECT_EQ(contentError, error);
    }
    std::filesystem::remove(huge);
}

TEST(GraphFile, BytesBeyondTheSizeLimitAreRefused)
{
    // The window reads the bytes itself; the same limit holds for them.
    Bytes bytes = LoadTestFile("new.zel");
    ASSERT_FALSE(bytes.empty());
    bytes.resize(kMaxGraphFileBytes + 1);
    CZelDoc doc;
    std::string error;
    EXPECT_FALSE(ReadGraphFile(bytes, doc, error));
    EXPECT_NE(error.find("zu groß"), std::string::npos) << error;
    bytes.resize(kMaxGraphFileBytes);
    EXPECT_TRUE(ReadGraphFile(bytes, doc, error)) << error;
}

TEST(GraphFile, ContentWithoutTheDocumentMatchesTheDocument)
{
    const Bytes bytes = LoadTestFile("sample.zel");
    CZelDoc doc;
    CGraphContent content;
    std::string error;
    ASSERT_TRUE(ReadGraphFile(bytes, doc, error)) << error;
    ASSERT_TRUE(ReadGraphContent(bytes, content, error)) << error;
    CZelDoc rebuilt;
    rebuilt.SetFunctions(content.functions);
    rebuilt.SetObjects(content.objects);
    rebuilt.SetScaling(content.scaling);
    EXPECT_EQ(Describe(rebuilt), Describe(doc));
}

TEST(GraphFile, CountsAreWordedInTheSingularForOne)
{
    // Scaling, then a function count of 0 (one function) with nothing after it.
    Bytes bytes = LoadTestFile("new.zel");
    ASSERT_EQ(bytes.size(), 88u);
    bytes.resize(84);
    std::fill(bytes.begin() + 80, bytes.end(), std::uint8_t{0});
    CZelDoc doc;
    std::string error;
    EXPECT_FALSE(ReadGraphFile(bytes, doc, error));
    EXPECT_NE(error.find("kündigt 1 Funktion an"), std::string::npos) << error;
}

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

// A block as another program might write it; a wrong sum when asked for.
Bytes Block(std::uint32_t version, const std::vector<std::pair<const char*, Bytes>>& records,
            bool goodSum = true)
{
    CArchiveWriter w;
    w.WriteBytes(Bytes{'V', 'E', 'X', 'X'});
    w.WriteUInt32(version);
    for (const auto& [tag, payload] : records) {
        w.WriteBytes(Bytes(tag, tag + 4));
        w.WriteUInt32(static_cast<std::uint32_t>(payload.size()));
        w.WriteBytes(payload);
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

Bytes SliderPayload(std::uint32_t index, double k)
{
    CArchiveWriter w;
    w.WriteUInt32(index);
    w.WriteDouble(k);
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
    const Bytes file =
        Concat(seed, Block(7, {{"LINE", {1, 2, 3}}, {"NAME", NamePayload(1, "Kosten")}, {"AREA", {}}}));
    CZelDoc doc = Read(file);
    CFunctionList functions = doc.GetFunctions();
    functions[0].SetTerm("sin(x)");
    doc.SetFunctions(functions);
    const CZelDoc again = Read(WriteGraphFile(doc));
    EXPECT_EQ(Names(again), (std::vector<std::string>{"", "Kosten"}));
    const CExtensionRecords expected{{0x454E494Cu, {1, 2, 3}}, {0x41455241u, {}}};
    EXPECT_EQ(again.UnknownExtensionRecords(), expected);
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
        {"cut before the end record", Bytes(good.begin(), good.end() - 12)},
        {"wrong sum", Block(1, {{"NAME", NamePayload(0, "Umsatz")}}, false)},
        {"changed byte", flipped},
        {"length beyond the end", longRecord},
        {"version 0", Block(0, {{"NAME", NamePayload(0, "Umsatz")}})},
        {"name of a missing function", Block(1, {{"NAME", NamePayload(99, "Umsatz")}})},
        {"name record with bytes left", Block(1, {{"NAME", Concat(NamePayload(0, "a"), {0})}})},
        {"slider of a missing function", Block(1, {{"SLID", SliderPayload(99, 0.5)}})},
        {"two sliders", Block(1, {{"SLID", SliderPayload(0, 0.5)}, {"SLID", SliderPayload(0, 1)}})},
        {"slider at no number", Block(1, {{"SLID", SliderPayload(0, std::nan(""))}})},
        {"slider without its k", Block(1, {{"SLID", Bytes{0, 0, 0, 0}}})},
    };
    const std::string expected = Describe(Read(seed));
    for (const auto& c : cases) {
        CZelDoc doc;
        std::string error;
        ASSERT_TRUE(ReadGraphFile(Concat(seed, c.block), doc, error)) << c.name << ": " << error;
        EXPECT_EQ(doc.GetReadWarning(), kDamagedExtensionWarning) << c.name;
        EXPECT_EQ(Describe(doc), expected) << c.name;
        // Saved again, the file is the graph without the broken block: no name, no unknown record.
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

// A graph of a plain function and the family x^2+k, k from -2 to 2 in steps of 1.
CZelDoc WithFamily()
{
    CZelDoc doc;
    CGraphFunction plain, family;
    plain.SetTerm("x");
    family.SetTerm("x^2+k");
    family.SetUseFamilyConstant(1);
    family.SetRange(-2, 2, 1);
    doc.SetFunctions({plain, family});
    return doc;
}

TEST(ExtensionBlock, SliderRoundTripsAndAnEndedSliderWritesTheGraphAsBefore)
{
    using Slider = std::optional<SSliderState>;
    const Bytes seed = WriteGraphFile(WithFamily());
    const struct
    {
        const char* name;
        std::vector<Slider> steps; // set one after the other
        Slider read;
    } cases[] = {
        {"on between two members", {SSliderState{1, 0.3}}, SSliderState{1, 0.3}},
        {"moved, then ended", {SSliderState{1, 0.3}, SSliderState{1, 1}, std::nullopt}, std::nullopt},
        {"beyond the range", {SSliderState{1, 7}}, SSliderState{1, 2}},
        {"on a function that is no family", {SSliderState{0, 0.3}}, std::nullopt},
        {"never on", {}, std::nullopt},
    };
    for (const auto& c : cases) {
        CZelDoc doc = WithFamily();
        for (const Slider& step : c.steps) {
            doc.SetSlider(step);
        }
        const Bytes written = WriteGraphFile(doc);
        // Older readers stop after the objects and see the graph exactly as without a slider.
        ASSERT_GE(written.size(), seed.size()) << c.name;
        EXPECT_TRUE(std::equal(seed.begin(), seed.end(), written.begin())) << c.name;
        EXPECT_EQ(written.size() > seed.size(), c.read.has_value()) << c.name;
        const CZelDoc read = Read(written);
        EXPECT_EQ(read.ActiveSlider(), c.read) << c.name;
        EXPECT_EQ(Describe(read), Describe(Read(seed))) << c.name;
        EXPECT_EQ(WriteGraphFile(read), written) << c.name;
    }
    // With a name beside it, and a record of another program after both.
    CZelDoc doc = WithFamily();
    CFunctionList functions = doc.GetFunctions();
    functions[1].SetName("Schar");
    doc.SetFunctions(functions);
    doc.SetSlider(SSliderState{1, -1.5});
    const Bytes both = WriteGraphFile(doc);
    const CZelDoc read = Read(Concat(seed, Block(1, {{"NAME", NamePayload(1, "Schar")},
                                                     {"SLID", SliderPayload(1, -1.5)}})));
    EXPECT_EQ(WriteGraphFile(read), both);
}

// Only the slider's family narrows, to the member at the slider's k: everything that counts its
// members (drawing budget, trace, analyses) then meets one.
TEST(SliderState, NarrowsOnlyTheSlidersFamilyToOneMember)
{
    const CFunctionList functions = WithFamily().GetFunctions();
    const struct
    {
        std::optional<SSliderState> slider;
        std::vector<std::vector<double>> members;
    } cases[] = {
        {SSliderState{1, 0.25}, {{0}, {0.25}}},
        {SSliderState{1, -9}, {{0}, {-2}}},
        {SSliderState{0, 0.25}, {{0}, {-2, -1, 0, 1, 2}}}, // a plain function has no member to pick
        {SSliderState{5, 0.25}, {{0}, {-2, -1, 0, 1, 2}}},
        {std::nullopt, {{0}, {-2, -1, 0, 1, 2}}},
    };
    for (const auto& c : cases) {
        const CFunctionList shown = SliderMembers(functions, c.slider);
        ASSERT_EQ(shown.size(), functions.size());
        std::vector<std::vector<double>> members(shown.size());
        for (std::size_t i = 0; i < shown.size(); ++i) {
            ForEachFamilyValue(shown[i], [&](double k) { members[i].push_back(k); });
            EXPECT_EQ(shown[i].GetTerm(), functions[i].GetTerm());
            EXPECT_EQ(shown[i].GetUseFamilyConstant(), functions[i].GetUseFamilyConstant());
        }
        EXPECT_EQ(members, c.members);
    }
}

// Other programs check the block with the common CRC-32; its check value must come out.
TEST(ExtensionBlock, SumIsTheCommonCrc32)
{
    const std::string check = "123456789";
    EXPECT_EQ(Crc32(Bytes(check.begin(), check.end())), 0xCBF43926u);
}

} // namespace

// Two functions and two objects (a point, a line) whose strokes are given in that order.
CZelDoc WithStrokes(const std::vector<SLineStroke>& strokes)
{
    CZelDoc doc = WithFunctions({"", ""});
    CFunctionList functions = doc.GetFunctions();
    CObjectList objects(2);
    objects[1].SetKind(CGraphObject::VerticalLine);
    for (std::size_t i = 0; i < strokes.size(); ++i) {
        i < 2 ? functions[i].SetStroke(strokes[i]) : objects[i - 2].SetStroke(strokes[i]);
    }
    doc.SetFunctions(functions);
    doc.SetObjects(objects);
    return doc;
}

Bytes StrokePayload(std::uint32_t list, std::uint32_t index, std::uint32_t micrometres, std::uint32_t style)
{
    CArchiveWriter w;
    for (std::uint32_t value : {list, index, micrometres, style}) {
        w.WriteUInt32(value);
    }
    return w.TakeBytes();
}

TEST(ExtensionBlock, StrokesRoundTripAndDefaultStrokesWriteNoBlock)
{
    using enum ELineStyle;
    const Bytes seed = WriteGraphFile(WithStrokes({}));
    const std::pair<CZelDoc, bool> cases[] = {
        {WithStrokes({{}, {0.25, Solid}, {0.25, Solid}}), false}, // defaults typed out
        {WithStrokes({{}, {0.25, Dashed}}), true},
        {WithStrokes({{0.1, DashDotted}, {2.0, Dotted}, {0.7, Solid}, {1.333, Dashed}}), true},
    };
    for (const auto& [doc, block] : cases) {
        const Bytes written = WriteGraphFile(doc);
        EXPECT_EQ(written.size() > seed.size(), block); // and a reader that stops after the objects:
        ASSERT_GE(written.size(), seed.size());
        EXPECT_TRUE(std::equal(seed.begin(), seed.end(), written.begin()));
        const CZelDoc read = Read(written);
        EXPECT_TRUE(read.GetReadWarning().empty());
        EXPECT_EQ(Describe(read), Describe(doc));
        EXPECT_EQ(WriteGraphFile(read), written);
    }
}

TEST(ExtensionBlock, StrokeRecordsFromOtherWritersAreReadOrRefused)
{
    const Bytes seed = WriteGraphFile(WithStrokes({}));
    // Widths beyond 0.1..2 mm and unknown styles are drawn as near as can be, beside other records.
    const CZelDoc lenient = Read(Concat(seed, Block(1, {{"STRK", StrokePayload(0, 1, 50, 9)},
                                                        {"NAME", NamePayload(0, "Umsatz")},
                                                        {"STRK", StrokePayload(1, 1, 5000, 3)}})));
    EXPECT_TRUE(lenient.GetReadWarning().empty());
    EXPECT_EQ(lenient.Functions()[1].GetStroke(), (SLineStroke{kMinLineWidth, ELineStyle::Solid}));
    EXPECT_EQ(lenient.Objects()[1].GetStroke(), (SLineStroke{kMaxLineWidth, ELineStyle::DashDotted}));
    // Refused: the whole block is left out, names included, and the graph opens.
    Bytes shortPayload = StrokePayload(0, 0, 500, 1);
    shortPayload.pop_back();
    for (const Bytes& payload : {shortPayload, Concat(StrokePayload(0, 0, 500, 1), {0}), StrokePayload(2, 0, 500, 1),
                                 StrokePayload(0, 2, 500, 1), StrokePayload(1, 2, 500, 1)}) {
        const CZelDoc doc = Read(Concat(seed, Block(1, {{"NAME", NamePayload(0, "Umsatz")}, {"STRK", payload}})));
        EXPECT_EQ(doc.GetReadWarning(), kDamagedExtensionWarning);
        EXPECT_EQ(Describe(doc), Describe(Read(seed)));
        EXPECT_EQ(WriteGraphFile(doc), seed);
    }
}

Bytes DerivedPayload(std::uint32_t source, std::uint32_t kind, double x0, double y0 = 0)
{
    CArchiveWriter w;
    w.WriteUInt32(source);
    w.WriteUInt32(kind);
    w.WriteDouble(x0);
    w.WriteDouble(y0);
    for (std::uint32_t value : {0x123456u, 700u, 2u}) { // colour, width, style
        w.WriteUInt32(value);
    }
    return w.TakeBytes();
}

TEST(ExtensionBlock, DerivedCurvesRoundTripAndASeedReaderSeesTheSources)
{
    const Bytes seed = WriteGraphFile(WithFunctions({"", ""}));
    CZelDoc doc = WithFunctions({"", ""});
    CDerivedCurve F{1, EDerivedKind::Antiderivative};
    F.SetStart(-2.5, 1e-7);
    F.SetColor(0x00FF00);
    F.SetStroke({1.2, ELineStyle::Dotted});
    doc.SetDerived({CDerivedCurve{0, EDerivedKind::SecondDerivative}, F,
                    CDerivedCurve{1, EDerivedKind::FirstDerivative}});
    const Bytes written = WriteGraphFile(doc);
    ASSERT_GT(written.size(), seed.size());
    EXPECT_TRUE(std::equal(seed.begin(), seed.end(), written.begin()));
    const CZelDoc read = Read(written);
    EXPECT_TRUE(read.GetReadWarning().empty());
    EXPECT_EQ(read.Derived(), doc.Derived());
    EXPECT_EQ(WriteGraphFile(read), written);
    // Without curves, not a byte more than before.
    doc.SetDerived({});
    EXPECT_EQ(WriteGraphFile(doc), seed);
}

TEST(ExtensionBlock, DamagedDerivedRecordDamagesTheBlockAndALaterKindIsPassedOn)
{
    const Bytes seed = WriteGraphFile(WithFunctions({"", ""}));
    Bytes shortPayload = DerivedPayload(0, 2, 1);
    shortPayload.pop_back();
    for (const Bytes& payload :
         {shortPayload, Concat(DerivedPayload(0, 0, 0), {0}), DerivedPayload(2, 0, 0),
          DerivedPayload(0, 2, std::numeric_limits<double>::quiet_NaN()),
          DerivedPayload(0, 2, 0, std::numeric_limits<double>::infinity()), Bytes{1, 0, 0}}) {
        const CZelDoc doc =
            Read(Concat(seed, Block(1, {{"STRK", StrokePayload(0, 0, 500, 1)}, {"DERV", payload}})));
        EXPECT_EQ(doc.GetReadWarning(), kDamagedExtensionWarning);
        EXPECT_EQ(Describe(doc), Describe(Read(seed)));
        EXPECT_EQ(WriteGraphFile(doc), seed);
    }
    // A kind of a later program: not drawn here, written back as it came.
    const Bytes later = Concat(seed, Block(1, {{"DERV", Bytes{0, 0, 0, 0, 7, 0, 0, 0, 42}}}));
    const CZelDoc doc = Read(later);
    EXPECT_TRUE(doc.GetReadWarning().empty());
    EXPECT_TRUE(doc.Derived().empty());
    EXPECT_EQ(WriteGraphFile(doc), later);
}

// The Ortskurven are derived curves of kinds 3 and 4: kept like the others and checked like them,
// while a kind beyond them still passes through.
TEST(ExtensionBlock, OrtskurvenRoundTripAndAreCheckedLikeTheOtherKinds)
{
    const Bytes seed = WriteGraphFile(WithFunctions({"", ""}));
    CZelDoc doc = WithFunctions({"", ""});
    CDerivedCurve extrema{1, EDerivedKind::LocusOfExtrema};
    extrema.SetColor(0x0000FF);
    extrema.SetStroke({0.5, ELineStyle::Solid});
    doc.SetDerived({extrema, CDerivedCurve{0, EDerivedKind::LocusOfInflections},
                    CDerivedCurve{0, EDerivedKind::FirstDerivative}});
    const Bytes written = WriteGraphFile(doc);
    const CZelDoc read = Read(written);
    EXPECT_TRUE(read.GetReadWarning().empty());
    EXPECT_EQ(read.Derived(), doc.Derived());
    EXPECT_EQ(WriteGraphFile(read), written);

    Bytes shortPayload = DerivedPayload(0, 3, 0);
    shortPayload.pop_back();
    for (const Bytes& payload : {shortPayload, Concat(DerivedPayload(0, 4, 0), {0}), DerivedPayload(2, 3, 0),
                                 DerivedPayload(0, 4, std::numeric_limits<double>::quiet_NaN())}) {
        const CZelDoc damaged = Read(Concat(seed, Block(1, {{"DERV", payload}})));
        EXPECT_EQ(damaged.GetReadWarning(), kDamagedExtensionWarning);
        EXPECT_EQ(WriteGraphFile(damaged), seed);
    }
    const Bytes later = Concat(seed, Block(1, {{"DERV", DerivedPayload(0, 5, 0)}}));
    EXPECT_TRUE(Read(later).Derived().empty());
    EXPECT_EQ(WriteGraphFile(Read(later)), later);
}

// Three functions with the areas and the equal units given.
CZelDoc WithAreas(const CAreaList& areas, bool equalUnits = false)
{
    CZelDoc doc = WithFunctions({"", "", ""});
    doc.SetAreas(areas);
    CScaling scaling = doc.GetScaling();
    scaling.SetEqualUnits(equalUnits);
    doc.SetScaling(scaling);
    return doc;
}

Bytes AreaPayload(std::uint32_t function, std::uint32_t with, double from, double to)
{
    CArchiveWriter w;
    w.WriteUInt32(function);
    w.WriteUInt32(with);
    w.WriteDouble(from);
    w.WriteDouble(to);
    w.WriteUInt32(0xFF);
    return w.TakeBytes();
}

TEST(ExtensionBlock, KeptAreasAndEqualUnitsRoundTripAndTheirAbsenceWritesNoBlock)
{
    const Bytes seed = WriteGraphFile(WithAreas({}));
    const struct
    {
        CAreaList areas;
        bool equalUnits;
    } cases[] = {
        {{}, false},
        {{}, true},
        {{{0, std::nullopt, -1.5, 2.0, 0x00C000}}, false},
        {{{2, 0, -1e-300, 1e300, 0xFFFFFF}, {1, std::nullopt, 0, 0, 0}, {0, 2, 3, 4, 0x123456}}, true},
    };
    for (const auto& c : cases) {
        const Bytes written = WriteGraphFile(WithAreas(c.areas, c.equalUnits));
        EXPECT_EQ(written.size() > seed.size(), c.equalUnits || !c.areas.empty());
        ASSERT_GE(written.size(), seed.size());
        EXPECT_TRUE(std::equal(seed.begin(), seed.end(), written.begin()));
        const CZelDoc read = Read(written);
        EXPECT_TRUE(read.GetReadWarning().empty());
        EXPECT_EQ(read.Areas(), c.areas);
        EXPECT_EQ(read.GetScaling().GetEqualUnits(), c.equalUnits);
        EXPECT_TRUE(read.UnknownExtensionRecords().empty());
        EXPECT_EQ(WriteGraphFile(read), written);
    }
    // Bounds another writer gave the wrong way round are read in order.
    const CZelDoc reversed = Read(Concat(seed, Block(1, {{"SHAD", AreaPayload(1, 0, 5, -5)}})));
    EXPECT_EQ(reversed.Areas(), (CAreaList{{1, 0, -5, 5, 0xFF}}));
}

TEST(ExtensionBlock, DamagedAreaOrEqualUnitsRecordLeavesTheBlockOutAndTheGraphOpens)
{
    const Bytes seed = WriteGraphFile(WithAreas({}));
    const std::uint32_t axis = 0xFFFFFFFFu;
    Bytes shortArea = AreaPayload(0, axis, 0, 1);
    shortArea.pop_back();
    const struct
    {
        const char* name;
        Bytes block;
    } cases[] = {
        {"area of a missing function", Block(1, {{"SHAD", AreaPayload(3, axis, 0, 1)}})},
        {"second function missing", Block(1, {{"SHAD", AreaPayload(0, 3, 0, 1)}})},
        {"area between a function and itself", Block(1, {{"SHAD", AreaPayload(1, 1, 0, 1)}})},
        {"bound no number", Block(1, {{"SHAD", AreaPayload(0, axis, std::nan(""), 1)}})},
        {"short area", Block(1, {{"SHAD", shortArea}})},
        {"bound infinite", Block(1, {{"SHAD", AreaPayload(0, 2, 0, HUGE_VAL)}})},
        {"equal units with a payload", Block(1, {{"EQUN", {1}}})},
        {"equal units twice", Block(1, {{"EQUN", {}}, {"EQUN", {}}})},
        {"good area, bad stroke", Block(1, {{"SHAD", AreaPayload(0, axis, 0, 1)}, {"STRK", {0}}})},
    };
    for (const auto& c : cases) {
        const CZelDoc doc = Read(Concat(seed, c.block));
        EXPECT_EQ(doc.GetReadWarning(), kDamagedExtensionWarning) << c.name;
        EXPECT_TRUE(doc.Areas().empty()) << c.name;
        EXPECT_FALSE(doc.GetScaling().GetEqualUnits()) << c.name;
        EXPECT_EQ(Describe(doc), Describe(Read(seed))) << c.name;
        EXPECT_EQ(WriteGraphFile(doc), seed) << c.name;
    }
}

TEST(ExtensionBlock, AreasGoWithTheirDeletedFunctionAndTheOthersFollowTheirs)
{
    using Places = std::vector<std::optional<std::size_t>>;
    const CAreaList areas{{0, std::nullopt, 0, 1, 1}, {1, 2, 0, 1, 2}, {2, 0, 0, 1, 3}, {2, std::nullopt, 0, 1, 4}};
    const struct
    {
        Places newIndexOf;
        CAreaList kept;
    } cases[] = {
        {{std::nullopt, 0, 1}, {{0, 1, 0, 1, 2}, {1, std::nullopt, 0, 1, 4}}}, // f deleted
        {{0, std::nullopt, 1}, {{0, std::nullopt, 0, 1, 1}, {1, 0, 0, 1, 3}, {1, std::nullopt, 0, 1, 4}}},
        {{2, 1, 0}, {{2, std::nullopt, 0, 1, 1}, {1, 0, 0, 1, 2}, {0, 2, 0, 1, 3}, {0, std::nullopt, 0, 1, 4}}},
        {{0, 1}, {{0, std::nullopt, 0, 1, 1}}}, // a map shorter than the list drops the rest
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RemapKeptAreas(areas, c.newIndexOf), c.kept);
    }
    // Through a file: f deleted as the sheet deletes it, saved and opened again without damage.
    CZelDoc read = Read(WriteGraphFile(WithAreas(areas)));
    read.SetFunctions({read.Functions()[1], read.Functions()[2]});
    read.SetAreas(RemapKeptAreas(areas, cases[0].newIndexOf));
    const CZelDoc again = Read(WriteGraphFile(read));
    EXPECT_TRUE(again.GetReadWarning().empty());
    EXPECT_EQ(again.Areas(), cases[0].kept);
    // A list cut short without a map keeps no area that points past it.
    CZelDoc doc = WithAreas(areas);
    doc.SetFunctions({doc.Functions()[0]});
    EXPECT_EQ(doc.Areas(), (CAreaList{{0, std::nullopt, 0, 1, 1}}));
}
