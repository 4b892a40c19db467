#include "document/GraphFile.h"

#include "document/ArchiveReader.h"
#include "document/ArchiveWriter.h"
#include "document/DerivedCurveRecords.h"
#include "document/ExtensionBlock.h"
#include "document/LineStyleRecords.h"
#include "document/AreaRecords.h"
#include "document/SystemErrorText.h"

#include <algorithm>
#include <cerrno>
#include <limits>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The fewest bytes a record can take (empty strings): a count that the rest of the file cannot
// hold is refused at once, before a single record is read or any memory is set aside for it.
constexpr std::size_t kMinFunctionBytes = 1 + 1 + 4 + 3 * 8 + 4;
constexpr std::size_t kMinObjectBytes = 4 + 2 * 8 + 1 + 4 + 8 + 1 + 4;

void WriteScaling(CArchiveWriter& ar, const CScaling& s)
{
    double from{}, to{}, step{};
    s.GetXRange(from, to, step);
    ar.WriteDouble(from);
    ar.WriteDouble(to);
    ar.WriteDouble(step);
    s.GetYRange(from, to, step);
    ar.WriteDouble(from);
    ar.WriteDouble(to);
    ar.WriteDouble(step);
    // Not the order of the fields in CScaling: this is the order the files have always had.
    ar.WriteInt32(s.GetAutoScaleY());
    ar.WriteInt32(s.GetLabelAxes());
    ar.WriteInt32(s.GetShowTerms());
    ar.WriteInt32(s.GetGridType());
    double printX{}, printY{};
    s.GetPrintSize(printX, printY);
    ar.WriteDouble(printX);
    ar.WriteDouble(printY);
}

bool ReadScaling(CArchiveReader& ar, CScaling& s)
{
    double xFrom{}, xTo{}, xStep{}, yFrom{}, yTo{}, yStep{};
    std::int32_t autoScale{}, labelAxes{}, showTerms{}, gridType{};
    double printX{}, printY{};
    ar.ReadDouble(xFrom);
    ar.ReadDouble(xTo);
    ar.ReadDouble(xStep);
    ar.ReadDouble(yFrom);
    ar.ReadDouble(yTo);
    ar.ReadDouble(yStep);
    ar.ReadInt32(autoScale);
    ar.ReadInt32(labelAxes);
    ar.ReadInt32(showTerms);
    ar.ReadInt32(gridType);
    ar.ReadDouble(printX);
    if (!ar.ReadDouble(printY)) {
        return false;
    }
    s.SetXRange(xFrom, xTo, xStep);
    s.SetYRange(yFrom, yTo, yStep);
    s.SetAutoScaleY(autoScale);
    s.SetLabelAxes(labelAxes);
    s.SetShowTerms(showTerms);
    s.SetGridType(gridType);
    s.SetPrintSize(printX, printY);
    return true;
}

void WriteFunction(CArchiveWriter& ar, const CGraphFunction& f)
{
    ar.WriteString(f.GetTerm());
    ar.WriteString(f.GetComment());
    ar.WriteInt32(f.GetUseFamilyConstant());
    double from{}, to{}, step{};
    f.GetRange(from, to, step);
    ar.WriteDouble(from);
    ar.WriteDouble(to);
    ar.WriteDouble(step);
    ar.WriteUInt32(f.GetColor());
}

bool ReadFunction(CArchiveReader& ar, CGraphFunction& f)
{
    std::string term, comment;
    std::int32_t useFamily{};
    double from{}, to{}, step{};
    std::uint32_t color{};
    ar.ReadString(term);
    ar.ReadString(comment);
    ar.ReadInt32(useFamily);
    ar.ReadDouble(from);
    ar.ReadDouble(to);
    ar.ReadDouble(step);
    if (!ar.ReadUInt32(color)) {
        return false;
    }
    f.SetTerm(term);
    f.SetComment(comment);
    f.SetUseFamilyConstant(useFamily);
    f.SetRange(from, to, step);
    f.SetColor(color);
    return true;
}

void WriteObject(CArchiveWriter& ar, const CGraphObject& o)
{
    ar.WriteInt32(o.GetKind());
    double x{}, y{};
    o.GetCoordinates(x, y);
    ar.WriteDouble(x);
    ar.WriteDouble(y);
    ar.WriteString(o.GetLabel());
    ar.WriteInt32(o.GetTextPosition());
    ar.WriteDouble(o.GetPosition());
    ar.WriteString(o.GetComment());
    ar.WriteUInt32(o.GetColor());
}

bool ReadObject(CArchiveReader& ar, CGraphObject& o)
{
    std::int32_t kind{}, textPosition{};
    double x{}, y{}, position{};
    std::string label, comment;
    std::uint32_t color{};
    ar.ReadInt32(kind);
    ar.ReadDouble(x);
    ar.ReadDouble(y);
    ar.ReadString(label);
    ar.ReadInt32(textPosition);
    ar.ReadDouble(position);
    ar.ReadString(comment);
    if (!ar.ReadUInt32(color)) {
        return false;
    }
    o.SetKind(kind);
    o.SetCoordinates(x, y);
    o.SetLabel(label);
    o.SetTextPosition(textPosition);
    o.SetPosition(position);
    o.SetComment(comment);
    o.SetColor(color);
    return true;
}

// The stored count is the number of records minus one; any negative value means none. The count
// is checked against what the rest of the file can hold before anything is read for it.
bool ReadCount(CArchiveReader& ar, std::size_t minRecordBytes, const char* one, const char* many,
               std::size_t& count)
{
    std::int32_t stored{};
    if (!ar.ReadInt32(stored)) {
        return false;
    }
    count = stored < 0 ? 0 : static_cast<std::size_t>(stored) + 1;
    if (count > ar.GetRemaining() / minRecordBytes) {
        ar.Fail("Die Datei kündigt " + std::to_string(count) + " " + (count == 1 ? one : many) +
                " an, ist dafür aber zu kurz (" + std::to_string(ar.GetRemaining()) +
                " Bytes übrig ab Byte " + std::to_string(ar.GetPosition()) + ").");
        return false;
    }
    return true;
}

template <class Record, class Reader>
bool ReadRecords(CArchiveReader& ar, std::size_t minRecordBytes, const char* one, const char* many,
                 Reader readRecord, std::vector<Record>& records)
{
    std::size_t count{};
    if (!ReadCount(ar, minRecordBytes, one, many, count)) {
        return false;
    }
    records.reserve(count); // bounded by the file's size through ReadCount
    for (std::size_t i = 0; i < count; ++i) {
        Record record;
        if (!readRecord(ar, record)) {
            return false;
        }
        records.push_back(std::move(record));
    }
    return true;
}

template <class Record, class Writer>
void WriteRecords(CArchiveWriter& ar, const std::vector<Record>& records, Writer writeRecord)
{
    // More records than a 32-bit count can hold would take hundreds of gigabytes; the count is
    // capped so that the file stays consistent with what it announces.
    const std::size_t count =
        std::min(records.size(), static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()));
    ar.WriteInt32(static_cast<std::int32_t>(count) - 1);
    for (std::size_t i = 0; i < count; ++i) {
        writeRecord(ar, records[i]);
    }
}

} // namespace

void CZelDoc::Serialize(CArchiveWriter& archive) const
{
    WriteScaling(archive, m_scaling);
    WriteRecords(archive, m_functions, WriteFunction);
    WriteRecords(archive, m_objects, WriteObject);
    SExtensionContent extension;
    for (std::size_t i = 0; i < m_functions.size(); ++i) {
        // An automatic name is not stored: it would only pin the name to today's position.
        const std::string& name = m_functions[i].GetName();
        if (!name.empty() && name != DefaultFunctionName(i)) {
            extension.names.emplace_back(i, name);
        }
    }
    extension.slider = ActiveSlider();
    // The records of this program's own come first, then those of others as they were read.
    extension.unknown = LineStyleRecords(m_functions, m_objects);
    const CExtensionRecords derived = DerivedCurveRecords(m_derived);
    extension.unknown.insert(extension.unknown.end(), derived.begin(), derived.end());
    for (CExtensionRecords own : {AreaRecords(m_areas), EqualUnitsRecords(m_scaling.GetEqualUnits())}) {
        extension.unknown.insert(extension.unknown.end(), own.begin(), own.end());
    }
    extension.unknown.insert(extension.unknown.end(), m_unknownExtensions.begin(), m_unknownExtensions.end());
    WriteExtensionBlock(archive, extension);
}

namespace {

bool ReadContent(CArchiveReader& archive, CGraphContent& content)
{
    if (archive.GetRemaining() > kMaxGraphFileBytes) {
        archive.Fail("Mit " + std::to_string(archive.GetRemaining()) +
                     " Bytes ist die Datei zu groß für einen Funktions-Graphen (höchstens " +
                     std::to_string(kMaxGraphFileBytes) + " Bytes).");
        return false;
    }
    CGraphContent read;
    if (!ReadScaling(archive, read.scaling) ||
        !ReadRecords(archive, kMinFunctionBytes, "Funktion", "Funktionen", ReadFunction, read.functions) ||
        !ReadRecords(archive, kMinObjectBytes, "Objekt", "Objekte", ReadObject, read.objects)) {
        return false;
    }
    std::span<const std::uint8_t> rest;
    archive.ReadBytes(archive.GetRemaining(), rest);
    SExtensionContent extension;
    EExtensionRead block = ReadExtensionBlock(rest, read.functions.size(), extension);
    if (block == EExtensionRead::Read) {
        bool equalUnits = false;
        // The derived curves first: their reader changes nothing when it refuses. The strokes go
        // last: they are given to the lists, which a later damaged record could not take back, and
        // nothing of a damaged block is used.
        if (!TakeDerivedCurveRecords(extension.unknown, read.functions.size(), read.derived) ||
            !TakeEqualUnitsRecords(extension.unknown, equalUnits) ||
            !TakeAreaRecords(extension.unknown, read.functions.size(), read.areas) ||
            !TakeLineStyleRecords(extension.unknown, read.functions, read.objects)) {
            read.derived.clear();
            block = EExtensionRead::Damaged;
            read.areas.clear();
        } else {
            read.scaling.SetEqualUnits(equalUnits);
        }
    }
    switch (block) {
    case EExtensionRead::Read:
        for (const auto& [index, name] : extension.names) {
            read.functions[index].SetName(name);
        }
        read.slider = extension.slider;
        read.unknownExtensions = std::move(extension.unknown);
        break;
    case EExtensionRead::Damaged:
        read.warning = kDamagedExtensionWarning;
        break;
    case EExtensionRead::Absent:
        break;
    }
    content = std::move(read);
    return true;
}

} // namespace

bool CZelDoc::Serialize(CArchiveReader& archive)
{
    // Everything is read into locals first: a file that breaks off leaves this document as it was.
    CGraphContent content;
    if (!ReadContent(archive, content)) {
        return false;
    }
    m_savedFunctions = content.functions;
    m_functions = std::move(content.functions);
    m_savedObjects = content.objects;
    m_objects = std::move(content.objects);
    m_savedScaling = content.scaling;
    m_scaling = content.scaling;
    m_savedDerived = content.derived;
    m_derived = std::move(content.derived);
    m_savedAreas = content.areas;
    m_areas = std::move(content.areas);
    m_slider = content.slider;
    m_unknownExtensions = std::move(content.unknownExtensions);
    m_readWarning = std::move(content.warning);
    m_undoAvailable = false;
    m_pending = SContentStep{};
    m_modified = false;
    return true;
}

bool ReadGraphFile(std::span<const std::uint8_t> bytes, CZelDoc& doc, std::string& error)
{
    CArchiveReader archive{bytes};
    if (!doc.Serialize(archive)) {
        error = archive.GetError();
        return false;
    }
    return true;
}

bool ReadGraphContent(std::span<const std::uint8_t> bytes, CGraphContent& content, std::string& error)
{
    CArchiveReader archive{bytes};
    if (!ReadContent(archive, content)) {
        error = archive.GetError();
        return false;
    }
    return true;
}

namespace {

std::string Quoted(const std::string& path)
{
    return "\"" + path + "\"";
}

std::string Reason(int code)
{
    return SystemErrorText(code);
}

// The whole file, or a German sentence that names it and says why not. Only a regular file of at
// most kMaxGraphFileBytes is read, into a buffer of exactly its size. The type is taken from the
// opened file itself and the open does not wait: opening a pipe for reading would otherwise block
// until someone writes to it, and a file swapped for a pipe after a look at its name would too.
bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes, std::string& error)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        const int code = errno;
        error = code == ENOENT
                    ? "Die Datei " + Quoted(path) + " gibt es nicht."
                    : "Die Datei " + Quoted(path) + " kann nicht geöffnet werden: " + Reason(code) + ".";
        return false;
    }
    struct stat info
    {
    };
    if (::fstat(fd, &info) != 0) {
        const int code = errno;
        ::close(fd);
        error = "Die Datei " + Quoted(path) + " kann nicht gelesen werden: " + Reason(code) + ".";
        return false;
    }
    if (S_ISDIR(info.st_mode)) {
        ::close(fd);
        error = Quoted(path) + " ist ein Ordner, keine Datei.";
        return false;
    }
    // Devices and pipes are refused: /dev/zero would be read until memory runs out.
    if (!S_ISREG(info.st_mode)) {
        ::close(fd);
        error = Quoted(path) + " ist keine gewöhnliche Datei (ein Gerät, eine Pipe oder ein Socket).";
        return false;
    }
    if (static_cast<std::uintmax_t>(info.st_size) > kMaxGraphFileBytes) {
        ::close(fd);
        error = "Die Datei " + Quoted(path) + " ist mit " + std::to_string(info.st_size) +
                " Bytes zu groß für einen Funktions-Graphen (höchstens " +
                std::to_string(kMaxGraphFileBytes) + " Bytes).";
        return false;
    }
    // One byte more than the size said, so that a file that grew meanwhile is noticed.
    bytes.resize(static_cast<std::size_t>(info.st_size) + 1);
    std::size_t filled = 0;
    int code = 0;
    while (filled < bytes.size()) {
        const ssize_t got = ::read(fd, bytes.data() + filled, bytes.size() - filled);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            code = errno;
            break;
        }
        if (got == 0) {
            break;
        }
        filled += static_cast<std::size_t>(got);
    }
    ::close(fd);
    if (code != 0) {
        error = "Die Datei " + Quoted(path) + " kann nicht gelesen werden: " + Reason(code) + ".";
        return false;
    }
    if (filled > kMaxGraphFileBytes) {
        error = "Die Datei " + Quoted(path) + " ist zu groß für einen Funktions-Graphen (höchstens " +
                std::to_string(kMaxGraphFileBytes) + " Bytes).";
        return false;
    }
    bytes.resize(filled);
    return true;
}

} // namespace

bool ReadGraphFileFromPath(const std::string& path, CZelDoc& doc, std::string& error)
{
    std::vector<std::uint8_t> bytes;
    if (!ReadWholeFile(path, bytes, error)) {
        return false;
    }
    if (!ReadGraphFile(bytes, doc, error)) {
        error = "Die Datei " + Quoted(path) + " ist kein gültiger Funktions-Graph: " + error;
        return false;
    }
    return true;
}

bool ReadGraphContentFromPath(const std::string& path, CGraphContent& content, std::string& error)
{
    std::vector<std::uint8_t> bytes;
    if (!ReadWholeFile(path, bytes, error)) {
        return false;
    }
    if (!ReadGraphContent(bytes, content, error)) {
        error = "Die Datei " + Quoted(path) + " ist kein gültiger Funktions-Graph: " + error;
        return false;
    }
    return true;
}

std::vector<std::uint8_t> WriteGraphFile(const CZelDoc& doc)
{
    CArchiveWriter archive;
    doc.Serialize(archive);
    return archive.TakeBytes();
}
