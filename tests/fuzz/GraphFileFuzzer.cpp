// Feeds arbitrary bytes to the graph file reader. Besides crashes, leaks and undefined behaviour
// it reports as a finding: a refused file without a reason, a refused file that changed the
// document, an accepted file that leaves the document modified or undoable, and an accepted file
// whose content does not survive being written and read again unchanged.

#include "document/GraphFile.h"

#include <cstdlib>

namespace {

CZelDoc MakeBystander()
{
    CGraphFunction f;
    f.SetTerm("k*x^2");
    f.SetComment("Gr\xF6\xDF"
                 "e");
    f.SetUseFamilyConstant(1);
    f.SetRange(-1, 1, 0.5);
    CGraphObject o;
    o.SetKind(CGraphObject::VerticalLine);
    o.SetPosition(2);
    CZelDoc doc;
    doc.SetFunctions({f});
    doc.SetObjects({o});
    return doc;
}

void Check(bool condition)
{
    if (!condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const CZelDoc bystander = MakeBystander();
    static const std::vector<std::uint8_t> bystanderBytes = WriteGraphFile(bystander);

    CZelDoc doc = bystander;
    std::string error;
    if (!ReadGraphFile(std::span{data, size}, doc, error)) {
        Check(!error.empty());
        Check(WriteGraphFile(doc) == bystanderBytes);
        Check(doc.IsModified() && doc.CanUndo());
        return 0;
    }
    Check(!doc.IsModified() && !doc.CanUndo());

    const std::vector<std::uint8_t> written = WriteGraphFile(doc);
    CZelDoc again;
    Check(ReadGraphFile(written, again, error));
    Check(WriteGraphFile(again) == written);
    return 0;
}
