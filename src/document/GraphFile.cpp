#include "document/GraphFile.h"

#include "document/ArchiveReader.h"
#include "document/ArchiveWriter.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <limits>

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
bool ReadCount(CArchiveReader& ar, std::size_t minRecordBytes, const char* what, std::size_t& count)
{
    std::int32_t stored{};
    if (!ar.ReadInt32(stored)) {
        return false;
    }
    count = stored < 0 ? 0 : static_cast<std::size_t>(stored) + 1;
    if (count > ar.GetRemaining() / minRecordBytes) {
        ar.Fail("Die Datei kündigt " + std::to_string(count) + " " + what + " an, ist dafür aber zu kurz (" +
                std::to_string(ar.GetRemaining()) + " Bytes übrig ab Byte " +
                std::to_string(ar.GetPosition()) + ").");
        return false;
    }
    return true;
}

template <class Record, class Reader>
bool ReadRecords(CArchiveReader& ar, std::size_t minRecordBytes, const char* what, Reader readRecord,
                 std::vector<Record>& records)
{
    std::size_t count{};
    if (!ReadCount(ar, minRecordBytes, what, count)) {
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
}

bool CZelDoc::Serialize(CArchiveReader& archive)
{
    // Everything is read into locals first: a file that breaks off leaves this document as it was.
    CScaling scaling;
    CFunctionList functions;
    CObjectList objects;
    if (!ReadScaling(archive, scaling) ||
        !ReadRecords(archive, kMinFunctionBytes, "Funktionen", ReadFunction, functions) ||
        !ReadRecords(archive, kMinObjectBytes, "Objekte", ReadObject, objects)) {
        return false;
    }
    m_savedFunctions = functions;
    m_functions = std::move(functions);
    m_savedObjects = objects;
    m_objects = std::move(objects);
    m_savedScaling = scaling;
    m_scaling = scaling;
    m_undoAvailable = false;
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

bool ReadGraphFileFromPath(const std::string& path, CZelDoc& doc, std::string& error)
{
    // Devices and pipes are refused: /dev/zero would be read until memory runs out.
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        error = "\"" + path + "\" ist keine lesbare Datei.";
        return false;
    }
    std::ifstream in{path, std::ios::binary};
    std::vector<std::uint8_t> bytes;
    char buffer[1 << 16];
    while (in && (in.read(buffer, sizeof buffer) || in.gcount() > 0)) {
        bytes.insert(bytes.end(), buffer, buffer + in.gcount());
    }
    // A file that opens but cannot be read (no permission, a failing disk) ends here.
    if (!in.is_open() || in.bad()) {
        error = "Die Datei \"" + path + "\" kann nicht gelesen werden.";
        return false;
    }
    return ReadGraphFile(bytes, doc, error);
}

std::vector<std::uint8_t> WriteGraphFile(const CZelDoc& doc)
{
    CArchiveWriter archive;
    doc.Serialize(archive);
    return archive.TakeBytes();
}
