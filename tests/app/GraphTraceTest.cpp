// The trace follows its document: undo, edits, zoom and pan leave it on the function it traces,
// or end it when that function goes, and its snap points always belong to the range and term shown.
#include "app/DocumentManager.h"
#include "app/GraphDocument.h"
#include "app/MainFrame.h"
#include "app/ZelView.h"
#include "dialogs/values/ValuesRunSupport.h"
#include "framework/CommandIds.h"

#include <QAction>
#include <QApplication>
#include <QMdiSubWindow>
#include <QTest>
#include <QUndoStack>

#include <cmath>

#include <gtest/gtest.h>

namespace {

CGraphFunction Function(const char* term)
{
    CGraphFunction f;
    f.SetTerm(term);
    return f;
}

struct STraceFixture
{
    CMainFrame frame;
    CGraphDocument* document{nullptr};
    CZelView* view{nullptr};

    STraceFixture()
    {
        frame.DocumentManager()->askSave = [](const QString&) { return QMessageBox::No; };
        frame.show();
        document = frame.DocumentManager()->NewDocument();
        view = document->Views().front();
        view->parentWidget()->showMaximized();
        QApplication::processEvents();
        CScaling s = document->Model().GetScaling();
        s.SetAutoScaleY(0);
        document->Model().SetScaling(s);
        document->Model().SetFunctions({Function("sin(x)")});
        view->setFocus();
    }
    ~STraceFixture() { frame.DocumentManager()->CloseAllDocuments(); }

    void Command(int id)
    {
        frame.UpdateCommandUI();
        QAction* action = frame.Action(id);
        ASSERT_TRUE(action->isEnabled()) << id;
        action->trigger();
    }
    // Adds a function as one step of the history, as the function sheet does.
    void Add(const char* term)
    {
        document->Edit(QStringLiteral("Funktionen"), [term](CZelDoc& model) {
            CFunctionList all = model.GetFunctions();
            all.push_back(Function(term));
            model.SetFunctions(all);
        });
        document->NotifyChanged();
    }
};

} // namespace

// Tracing f2 and undoing the step that added it used to leave the trace pointing past the end of
// the list, and the next key read there.
TEST(GraphTrace, UndoingTheTracedFunctionEndsTheTrace)
{
    STraceFixture f;
    f.Add("x^2/4");
    f.Command(ID_VIEW_TRACE);
    QTest::keyClick(f.view, Qt::Key_Down); // from f1 to f2
    ASSERT_TRUE(f.view->TraceMarker().has_value());
    ASSERT_EQ(f.view->TraceMarker()->function, 1u);
    f.Command(ID_EDIT_UNDO);
    QTest::keyClick(f.view, Qt::Key_Left);
    QTest::keyClick(f.view, Qt::Key_Down);
    EXPECT_FALSE(f.view->IsTracing());
    EXPECT_FALSE(f.view->TraceMarker().has_value());
}

namespace {

std::vector<std::pair<double, char>> Snaps(const std::vector<STracePoint>& points)
{
    std::vector<std::pair<double, char>> snaps;
    for (const STracePoint& point : points) {
        snaps.emplace_back(point.x, point.letter);
    }
    return snaps;
}

void Drag(QWidget* widget, QPointF from, QPointF to)
{
    for (const auto& [type, at] : {std::pair{QEvent::MouseButtonPress, from}, std::pair{QEvent::MouseMove, to},
                                   std::pair{QEvent::MouseButtonRelease, to}}) {
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event{type, at, widget->mapToGlobal(at), button, buttons, Qt::NoModifier};
        QApplication::sendEvent(widget, &event);
    }
}

void SetFunctions(STraceFixture& f, const CFunctionList& functions)
{
    f.document->Edit(QString{}, [&functions](CZelDoc& model) { model.SetFunctions(functions); });
    f.document->NotifyChanged();
}

} // namespace

// One trace through a row of changes, each a step of its own: after each the trace is on the
// function it followed (or has ended with it), and once its scan reports, the points it snaps to
// are the ones of the term and range shown now.
TEST(GraphTrace, SnapPointsFollowTheRangeAndTheTerm)
{
    const CPrecision precision{2};
    STraceFixture f;
    f.Command(ID_VIEW_TRACE);
    struct SCase
    {
        const char* name;
        std::function<void(STraceFixture&)> change;
        const char* traced; // nullptr: the trace has ended
        bool pointsMove;
    };
    const SCase cases[] = {
        {"zoom", [](STraceFixture& f) { QTest::keyClick(f.view, Qt::Key_Plus); }, "sin(x)", true},
        {"pan",
         [](STraceFixture& f) {
             const QPointF middle = QRectF{f.view->rect()}.center();
             Drag(f.view, middle, middle + QPointF{f.view->width() / 7.0, 0});
         },
         "sin(x)", true},
        {"edit the term", [](STraceFixture& f) { SetFunctions(f, {Function("cos(x)")}); }, "cos(x)", true},
        {"undo", [](STraceFixture& f) { f.Command(ID_EDIT_UNDO); }, "sin(x)", true},
        {"redo", [](STraceFixture& f) { f.Command(ID_EDIT_REDO); }, "cos(x)", true},
        {"a function before it",
         [](STraceFixture& f) { SetFunctions(f, {Function("x^3-x"), Function("cos(x)")}); }, "cos(x)", false},
        {"a new x range",
         [](STraceFixture& f) {
             f.document->Edit(QString{}, [](CZelDoc& model) {
                 CScaling s = model.GetScaling();
                 s.SetXRange(-2, 2, 0.5);
                 model.SetScaling(s);
             });
             f.document->NotifyChanged();
         },
         "cos(x)", true},
        {"delete it", [](STraceFixture& f) { SetFunctions(f, {Function("x^3-x")}); }, nullptr, false},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        const auto before = Snaps(f.view->Trace().Points());
        c.change(f);
        if (c.traced == nullptr) {
            EXPECT_FALSE(f.view->IsTracing());
            EXPECT_FALSE(f.view->TraceMarker().has_value());
            continue;
        }
        ASSERT_TRUE(QTest::qWaitFor([&] { return f.view->Trace().HasCurrentPoints(); }, 60000));
        const std::optional<CZelView::STraceMarker> marker = f.view->TraceMarker();
        ASSERT_TRUE(marker.has_value());
        const CZelDoc& model = f.document->Model();
        ASSERT_LT(marker->function, model.GetFunctionCount());
        const CGraphFunction& traced = model.Functions()[marker->function];
        EXPECT_EQ(traced.GetTerm(), c.traced);
        const auto expected = Snaps(TracePointsOf(traced, marker->k, model.GetScaling(), 2));
        EXPECT_EQ(Snaps(f.view->Trace().Points()), expected);
        EXPECT_EQ(expected != before, c.pointsMove);
    }
}

namespace {

// The trace runs along f', f'' and F as along functions, after them: moving towards a zero of f'
// it snaps to it, and its value there is f's slope, 0; f'' has its zero where f turns; F, from the
// quadrature of f with F(0) = 0 (x^4/4-3*x^2/2), at sqrt(6), and at -sqrt(3) it turns.
TEST(GraphTrace, SnapsToThePointsOfDerivedCurves)
{
    const CPrecision precision{2};
    STraceFixture f;
    f.document->Model().SetFunctions({Function("x^3-3*x")});
    f.document->Model().SetDerived({CDerivedCurve{0, EDerivedKind::FirstDerivative},
                                    CDerivedCurve{0, EDerivedKind::SecondDerivative},
                                    CDerivedCurve{0, EDerivedKind::Antiderivative}});
    f.document->NotifyChanged();
    struct SCase
    {
        std::size_t curve; // after the one function
        double from;
        double x;
        char letter;
        double y;
    };
    const double root3 = std::sqrt(3.0);
    const SCase cases[] = {{1, 0.9, 1.0, 'N', 0.0},
                           {1, -1.1, -1.0, 'N', 0.0},
                           {2, -0.1, 0.0, 'N', 0.0},
                           {3, 2.3, std::sqrt(6.0), 'N', 0.0},
                           {3, -1.6, -root3, 'T', std::pow(root3, 4) / 4 - 1.5 * 3}};
    CGraphTrace trace{f.document, f.view};
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.curve);
        ASSERT_TRUE(trace.Start(c.curve, 0, c.from));
        ASSERT_TRUE(QTest::qWaitFor([&] { return trace.HasCurrentPoints(); }, 60000));
        const double direction = c.x > c.from ? 1 : -1;
        for (int step = 0; step < 1000 && trace.Marker()->snapped == 0; ++step) {
            trace.Step(direction * trace.Pixel());
        }
        const std::optional<CGraphTrace::SMarker> marker = trace.Marker();
        ASSERT_TRUE(marker.has_value());
        EXPECT_EQ(marker->function, c.curve);
        EXPECT_EQ(marker->snapped, c.letter);
        EXPECT_NEAR(marker->x, c.x, 1e-9);
        EXPECT_NEAR(marker->y, c.y, 1e-9);
        EXPECT_TRUE(trace.StatusText().contains(QString::fromStdString(TracePointName(c.letter))));
        trace.End();
    }
}

} // namespace
