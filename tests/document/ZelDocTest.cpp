#include "document/ZelDoc.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

CFunctionList Functions(std::initializer_list<const char*> terms)
{
    CFunctionList list;
    for (const char* t : terms) {
        CGraphFunction f;
        f.SetTerm(t);
        list.push_back(f);
    }
    return list;
}

CObjectList Objects(std::initializer_list<const char*> labels)
{
    CObjectList list;
    for (const char* l : labels) {
        CGraphObject o;
        o.SetLabel(l);
        list.push_back(o);
    }
    return list;
}

std::vector<std::string> Terms(const CZelDoc& doc)
{
    std::vector<std::string> terms;
    for (const auto& f : doc.GetFunctions()) {
        terms.push_back(f.GetTerm());
    }
    return terms;
}

std::vector<std::string> Labels(const CZelDoc& doc)
{
    std::vector<std::string> labels;
    for (const auto& o : doc.GetObjects()) {
        labels.push_back(o.GetLabel());
    }
    return labels;
}

CScaling ScalingWithX(double from, double to)
{
    CScaling s;
    s.SetXRange(from, to, 1);
    return s;
}

using Strings = std::vector<std::string>;

TEST(ZelDoc, NewDocumentIsEmptyUnmodifiedAndCannotUndo)
{
    const CZelDoc doc;
    EXPECT_TRUE(doc.GetFunctions().empty());
    EXPECT_EQ(doc.GetFunctionCount(), 0u);
    EXPECT_TRUE(doc.GetObjects().empty());
    EXPECT_EQ(doc.GetScaling(), CScaling{});
    EXPECT_FALSE(doc.CanUndo());
    EXPECT_FALSE(doc.IsModified());
}

TEST(ZelDoc, WhichSetsCountAsAChange)
{
    // Confirming the properties sheet hands back equal lists: that is still a change. An equal
    // scaling is not, because every repaint hands the scaling back.
    const struct
    {
        const char* name;
        void (*apply)(CZelDoc&);
        bool changes;
    } cases[] = {
        {"equal function list", [](CZelDoc& d) { d.SetFunctions(d.GetFunctions()); }, true},
        {"equal object list", [](CZelDoc& d) { d.SetObjects(d.GetObjects()); }, true},
        {"new function list", [](CZelDoc& d) { d.SetFunctions(Functions({"x"})); }, true},
        {"equal scaling", [](CZelDoc& d) { d.SetScaling(d.GetScaling()); }, false},
        {"scaling differing in print y only",
         [](CZelDoc& d) {
             CScaling s = d.GetScaling();
             s.SetPrintSize(1.0, 2.0);
             d.SetScaling(s);
         },
         true},
        {"scaling differing in the grid only",
         [](CZelDoc& d) {
             CScaling s = d.GetScaling();
             s.SetGridType(CScaling::Dots);
             d.SetScaling(s);
         },
         true},
    };
    for (const auto& c : cases) {
        CZelDoc doc;
        c.apply(doc);
        EXPECT_EQ(doc.CanUndo(), c.changes) << c.name;
        EXPECT_EQ(doc.IsModified(), c.changes) << c.name;
    }
}

TEST(ZelDoc, UndoGoesBackOneFunctionChangeOnly)
{
    CZelDoc doc;
    doc.SetFunctions(Functions({"x"}));
    doc.SetFunctions(Functions({"x", "x^2"}));
    ASSERT_TRUE(doc.CanUndo());
    doc.Undo();
    EXPECT_EQ(Terms(doc), Strings{"x"});
    EXPECT_FALSE(doc.CanUndo());
    EXPECT_TRUE(doc.IsModified());

    // The repaint hands back the scaling it drew with, unchanged: still nothing to undo.
    doc.SetScaling(doc.GetScaling());
    EXPECT_FALSE(doc.CanUndo());
}

TEST(ZelDoc, UndoAfterAScalingOnlyEditRestoresTheScaling)
{
    CZelDoc doc;
    doc.SetFunctions(Functions({"x^2"}));
    doc.SetObjects(Objects({"P"}));
    const CScaling before = doc.GetScaling();

    // The sheet writes all three back; only the scaling really differs.
    doc.SetFunctions(doc.GetFunctions());
    doc.SetObjects(doc.GetObjects());
    doc.SetScaling(ScalingWithX(-10, 10));
    doc.Undo();

    EXPECT_EQ(Terms(doc), Strings{"x^2"});
    EXPECT_EQ(Labels(doc), Strings{"P"});
    EXPECT_EQ(doc.GetScaling(), before);
}

TEST(ZelDoc, UndoRestoresEveryPartChangedSinceTheLastStep)
{
    CZelDoc doc;
    doc.SetFunctions(Functions({"a"}));
    doc.SetObjects(Objects({"A"}));
    doc.SetScaling(ScalingWithX(0, 1));
    doc.SetFunctions(Functions({"b"}));
    doc.SetObjects(Objects({"B"}));
    doc.SetScaling(ScalingWithX(0, 2));
    doc.Undo();
    EXPECT_EQ(Terms(doc), Strings{"a"});
    EXPECT_EQ(Labels(doc), Strings{"A"});
    EXPECT_EQ(doc.GetScaling(), ScalingWithX(0, 1));
}

TEST(ZelDoc, SavingKeepsUndoAndUndoMarksAgain)
{
    CZelDoc doc;
    doc.SetObjects(Objects({"P"}));
    doc.SetModifiedFlag(false); // the window side saved the file
    EXPECT_TRUE(doc.CanUndo());
    doc.Undo();
    EXPECT_TRUE(doc.GetObjects().empty());
    EXPECT_TRUE(doc.IsModified());
}

TEST(ZelDoc, UndoWithNothingToUndoChangesNothing)
{
    CZelDoc doc;
    doc.SetFunctions(Functions({"x"}));
    doc.SetFunctions(Functions({"x^2"}));
    doc.Undo();
    doc.SetModifiedFlag(false);
    doc.Undo(); // a second undo would mark the saved document again without changing anything
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(Terms(doc), Strings{"x"});
}

} // namespace

namespace {

CScaling ScalingWithY(double from, double to, double step)
{
    CScaling s;
    s.SetYRange(from, to, step);
    return s;
}

} // namespace

// What automatic y scaling derives is kept (so the next save stores it), but it is no edit.
TEST(ZelDoc, ADerivedYRangeIsKeptWithoutMarkingOrAnUndoStep)
{
    struct SCase
    {
        const char* what;
        bool editedBefore;
        bool undoAfter;
    };
    const SCase cases[] = {
        {"untouched", false, false},
        {"after an edit", true, false},
        {"after an edit, undone", true, true},
    };
    for (const SCase& c : cases) {
        CZelDoc doc;
        if (c.editedBefore) {
            doc.SetFunctions(Functions({"x^2"}));
        }
        doc.SetModifiedFlag(false);
        const bool couldUndo = doc.CanUndo();
        const CScaling derived = ScalingWithY(-2, 30, 2);
        doc.RecordDerivedScaling(derived);
        EXPECT_FALSE(doc.IsModified()) << c.what;
        EXPECT_EQ(doc.CanUndo(), couldUndo) << c.what;
        EXPECT_EQ(doc.GetScaling(), derived) << c.what;
        if (c.undoAfter) {
            // Undoing the function edit keeps the range: it was never part of an edit.
            doc.Undo();
            EXPECT_TRUE(Terms(doc).empty()) << c.what;
            EXPECT_EQ(doc.GetScaling(), derived) << c.what;
        }
    }
}
