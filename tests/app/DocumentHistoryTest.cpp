// The history of a document: every edit one step, undone and redone in order, named for the menus.
#include "app/GraphDocument.h"
#include "view/DerivedCurveValues.h"

#include <QUndoStack>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

CGraphFunction Function(const char* term)
{
    CGraphFunction f;
    f.SetTerm(term);
    return f;
}

CGraphObject Point(const char* label)
{
    CGraphObject o;
    o.SetLabel(label);
    return o;
}

CScaling XFrom(double from)
{
    CScaling s;
    s.SetXRange(from, from + 10, 1);
    return s;
}

// What the document holds, in short: terms, labels and the start of the x range.
struct SState
{
    std::vector<std::string> terms;
    std::vector<std::string> labels;
    double xFrom{-5};
    bool operator==(const SState&) const = default;
};

SState StateOf(const CGraphDocument& document)
{
    SState state;
    for (const CGraphFunction& f : document.Model().Functions()) {
        state.terms.push_back(f.GetTerm());
    }
    for (const CGraphObject& o : document.Model().Objects()) {
        state.labels.push_back(o.GetLabel());
    }
    double to{};
    double step{};
    document.Model().GetScaling().GetXRange(state.xFrom, to, step);
    return state;
}

void PrintTo(const SState& s, std::ostream* out)
{
    *out << "terms";
    for (const auto& t : s.terms) {
        *out << ' ' << t;
    }
    *out << " labels";
    for (const auto& l : s.labels) {
        *out << ' ' << l;
    }
    *out << " x from " << s.xFrom;
}

// One action on the document: a confirmed sheet (all three parts set, as its OK does), an
// adopted point, a gesture on the scaling, undo or redo.
struct SAction
{
    enum EKind
    {
        Sheet,
        Adopt,
        Gesture,
        Undo,
        Redo
    } kind;
    std::vector<const char*> terms{};
    std::vector<const char*> labels{};
    double xFrom{-5};
};

void Apply(CGraphDocument& document, const SAction& action)
{
    switch (action.kind) {
    case SAction::Sheet:
        document.Edit(QString{}, [&action](CZelDoc& model) {
            CFunctionList functions;
            for (const char* t : action.terms) {
                functions.push_back(Function(t));
            }
            CObjectList objects;
            for (const char* l : action.labels) {
                objects.push_back(Point(l));
            }
            model.SetFunctions(functions);
            model.SetObjects(objects);
            model.SetScaling(XFrom(action.xFrom));
        });
        break;
    case SAction::Adopt:
        document.Edit(QStringLiteral("Punkte übernehmen"), [&action](CZelDoc& model) {
            CObjectList objects = model.GetObjects();
            objects.push_back(Point(action.labels.front()));
            model.SetObjects(objects);
        });
        break;
    case SAction::Gesture:
        document.Edit(QStringLiteral("Zoom"),
                      [&action](CZelDoc& model) { model.SetScaling(XFrom(action.xFrom)); });
        break;
    case SAction::Undo:
        document.Undo();
        break;
    case SAction::Redo:
        document.Redo();
        break;
    }
}

SState State(std::vector<std::string> terms, std::vector<std::string> labels, double xFrom)
{
    return {std::move(terms), std::move(labels), xFrom};
}

} // namespace

TEST(DocumentHistory, EditSequencesUndoAndRedoStepByStep)
{
    using A = SAction;
    const struct
    {
        const char* name;
        std::vector<SAction> actions;
        SState expected;
        const char* undoText;
        const char* redoText;
    } cases[] = {
        // The sheet case: a new scaling, then a deleted point; one undo brings back only the point.
        {"sheet scaling then sheet deleting a point",
         {{A::Sheet, {"x"}, {"P", "Q"}, -5},
          {A::Sheet, {"x"}, {"P", "Q"}, 0},
          {A::Sheet, {"x"}, {"P"}, 0},
          {A::Undo}},
         State({"x"}, {"P", "Q"}, 0),
         "Skalierung",
         "Objekte"},
        {"three gestures undone one by one",
         {{A::Gesture, {}, {}, 1},
          {A::Gesture, {}, {}, 2},
          {A::Gesture, {}, {}, 3},
          {A::Undo},
          {A::Undo},
          {A::Undo}},
         State({}, {}, -5),
         "",
         "Zoom"},
        {"undo and redo in turn",
         {{A::Gesture, {}, {}, 1}, {A::Gesture, {}, {}, 2}, {A::Undo}, {A::Undo}, {A::Redo}},
         State({}, {}, 1),
         "Zoom",
         "Zoom"},
        {"a new edit drops what could be redone",
         {{A::Gesture, {}, {}, 1}, {A::Undo}, {A::Adopt, {}, {"H1"}}, {A::Redo}},
         State({}, {"H1"}, -5),
         "Punkte übernehmen",
         ""},
        {"a sheet changing several parts is one step",
         {{A::Sheet, {"sin(x)"}, {"A"}, 2}, {A::Adopt, {}, {"N1"}}, {A::Undo}, {A::Undo}},
         State({}, {}, -5),
         "",
         "Eigenschaften"},
        {"an adopted point between gestures",
         {{A::Gesture, {}, {}, 1}, {A::Adopt, {}, {"N1"}}, {A::Gesture, {}, {}, 4}, {A::Undo}, {A::Undo}},
         State({}, {}, 1),
         "Zoom",
         "Punkte übernehmen"},
        {"a sheet confirmed unchanged adds no step",
         {{A::Gesture, {}, {}, 1}, {A::Sheet, {}, {}, 1}, {A::Undo}},
         State({}, {}, -5),
         "",
         "Zoom"},
        {"undo on an empty history changes nothing",
         {{A::Undo}, {A::Redo}, {A::Sheet, {"x^2"}, {}, -5}},
         State({"x^2"}, {}, -5),
         "Funktionen",
         ""},
    };
    for (const auto& c : cases) {
        CGraphDocument document;
        for (const SAction& action : c.actions) {
            Apply(document, action);
        }
        EXPECT_EQ(StateOf(document), c.expected) << c.name;
        const QUndoStack* history = document.History();
        EXPECT_EQ(history->canUndo() ? history->undoText() : QString{}, QString::fromUtf8(c.undoText))
            << c.name;
        EXPECT_EQ(history->canRedo() ? history->redoText() : QString{}, QString::fromUtf8(c.redoText))
            << c.name;
    }
}

// Undo marks the document modified even after a save, and the save keeps the history.
TEST(DocumentHistory, UndoAfterSavingMarksTheDocumentAndTheHistoryStays)
{
    CGraphDocument document;
    document.Edit(QStringLiteral("Zoom"), [](CZelDoc& model) { model.SetScaling(XFrom(3)); });
    document.Model().SetModifiedFlag(false); // as a save leaves it
    ASSERT_TRUE(document.History()->canUndo());
    document.Undo();
    EXPECT_TRUE(document.IsModified());
    EXPECT_EQ(StateOf(document).xFrom, -5);
}

TEST(DocumentHistory, HoldsTheLastHundredSteps)
{
    CGraphDocument document;
    for (int i = 1; i <= CGraphDocument::kHistoryLimit + 20; ++i) {
        document.Edit(QStringLiteral("Zoom"), [i](CZelDoc& model) { model.SetScaling(XFrom(i)); });
    }
    int undone = 0;
    while (document.History()->canUndo()) {
        document.Undo();
        ++undone;
    }
    EXPECT_EQ(undone, CGraphDocument::kHistoryLimit);
    EXPECT_EQ(StateOf(document).xFrom, 20);
}

// A y range that automatic scaling derived after an edit is no step, and undoing another part
// keeps it.
TEST(DocumentHistory, DerivedScalingIsNoStepAndSurvivesUndo)
{
    CGraphDocument document;
    document.Edit(QString{}, [](CZelDoc& model) { model.SetObjects({Point("P")}); });
    CScaling derived = document.Model().GetScaling();
    derived.SetYRange(-2, 7, 1);
    document.RecordDrawnScaling(derived);
    EXPECT_EQ(document.History()->count(), 1);
    document.Undo();
    EXPECT_TRUE(document.Model().GetObjects().empty());
    EXPECT_EQ(document.Model().GetScaling(), derived);
}

namespace {

// The slope of the first derived curve at x, computed as a drawing computes it.
double DerivedAt(const CZelDoc& model, double x)
{
    const CDerivedCurve& curve = model.Derived().front();
    double value{};
    std::uint8_t undefined{};
    DerivedCurveValues(CCompiledTerm{model.Functions()[curve.GetSource()].GetTerm()}, curve, 0, nullptr,
                       std::span<const double>{&x, 1}, std::span<double>{&value, 1},
                       std::span<std::uint8_t>{&undefined, 1});
    return value;
}

TEST(DocumentHistory, DerivedCurveFollowsEditsOfItsSourceAndGoesWithItInOneStep)
{
    CGraphDocument document;
    document.Model().SetFunctions({Function("x"), Function("x^2")});
    document.Edit(QStringLiteral("Ableitung"), [](CZelDoc& model) {
        model.SetDerived({CDerivedCurve{1, EDerivedKind::FirstDerivative}});
    });
    EXPECT_DOUBLE_EQ(DerivedAt(document.Model(), 3), 6);
    document.Edit({}, [](CZelDoc& model) { model.SetFunctions({Function("x"), Function("x^3")}); });
    EXPECT_DOUBLE_EQ(DerivedAt(document.Model(), 3), 27);
    document.Undo();
    EXPECT_DOUBLE_EQ(DerivedAt(document.Model(), 3), 6);
    // Deleting the first function as the sheet does: its curves stay with their source.
    document.Edit({}, [](CZelDoc& model) {
        CDerivedList derived = model.GetDerived();
        EraseDerivedOfFunction(derived, 0);
        model.SetFunctions({Function("x^2")});
        model.SetDerived(derived);
    });
    EXPECT_DOUBLE_EQ(DerivedAt(document.Model(), 3), 6);
    // Deleting its source takes it along, and one undo brings both back.
    document.Edit({}, [](CZelDoc& model) { model.SetFunctions({}); });
    EXPECT_TRUE(document.Model().Derived().empty());
    EXPECT_EQ(document.History()->undoText(), QStringLiteral("Funktionen"));
    document.Undo();
    ASSERT_EQ(document.Model().Derived().size(), 1u);
    EXPECT_DOUBLE_EQ(DerivedAt(document.Model(), 3), 6);
}

} // namespace
