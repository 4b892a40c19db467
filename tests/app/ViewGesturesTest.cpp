// The graph window under the mouse and the keys: wheel, drag, zoom box, keys, trace and the
// coordinates pane, checked on the document's scaling.
#include "app/DocumentManager.h"
#include "app/GraphDocument.h"
#include "app/MainFrame.h"
#include "app/ZelView.h"
#include "dialogs/values/ValuesRunSupport.h"
#include "framework/CommandIds.h"
#include "view/ViewZoom.h"

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSignalSpy>
#include <QTest>
#include <QUndoStack>
#include <QWheelEvent>

#include <QStatusBar>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

struct SViewFixture
{
    CMainFrame frame;
    CGraphDocument* document{nullptr};
    CZelView* view{nullptr};

    explicit SViewFixture(bool autoY, const char* term = "x^2/4")
    {
        frame.DocumentManager()->askSave = [](const QString&) { return QMessageBox::No; };
        frame.show();
        document = frame.DocumentManager()->NewDocument();
        view = document->Views().front();
        view->parentWidget()->showMaximized();
        QApplication::processEvents();
        CGraphFunction f;
        f.SetTerm(term);
        document->Model().SetFunctions({f});
        CScaling s = document->Model().GetScaling();
        s.SetAutoScaleY(autoY ? 1 : 0);
        document->Model().SetScaling(s);
        view->repaint();
    }
    ~SViewFixture() { frame.DocumentManager()->CloseAllDocuments(); }

    CScaling Scaling() const { return document->Model().GetScaling(); }
};

void Wheel(QWidget* widget, QPointF at, int delta, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWheelEvent event{at,        widget->mapToGlobal(at), QPoint{}, QPoint{0, delta}, Qt::NoButton,
                      modifiers, Qt::NoScrollPhase,       false};
    QApplication::sendEvent(widget, &event);
}

void Mouse(QWidget* widget, QEvent::Type type, QPointF at, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event{type, at, widget->mapToGlobal(at), button, buttons, modifiers};
    QApplication::sendEvent(widget, &event);
}

void Drag(QWidget* widget, QPointF from, QPointF to, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    Mouse(widget, QEvent::MouseButtonPress, from, modifiers);
    Mouse(widget, QEvent::MouseMove, (from + to) / 2, modifiers);
    Mouse(widget, QEvent::MouseMove, to, modifiers);
    Mouse(widget, QEvent::MouseButtonRelease, to, modifiers);
}

double Width(const CAxisRange& axis)
{
    return axis.to - axis.from;
}

} // namespace

// One notch up zooms in by 1.25 about the pointer, to the pixel; down zooms out. With automatic y
// scaling only x zooms.
TEST(ViewGestures, WheelZoomsAboutThePointer)
{
    for (bool autoY : {false, true}) {
        SViewFixture f{autoY};
        const QPointF at{f.view->width() * 0.3, f.view->height() * 0.7};
        const CScaling before = f.Scaling();
        Wheel(f.view, at, 120);
        const CScaling after = f.Scaling();
        const int w = f.view->width();
        const int h = f.view->height();
        EXPECT_DOUBLE_EQ(Width(DrawableXAxis(after)), 8.0);
        const double x = WorldAt(DrawableXAxis(before), w, at.x());
        EXPECT_NEAR(PositionOf(DrawableXAxis(after), w, x), at.x(), 1e-6);
        if (autoY) {
            EXPECT_EQ(Width(DrawableYAxis(after)), Width(DrawableYAxis(before)));
        } else {
            EXPECT_DOUBLE_EQ(Width(DrawableYAxis(after)), Width(DrawableYAxis(before)) / 1.25);
            const double y = WorldAt(DrawableYAxis(before), h, h - at.y());
            EXPECT_NEAR(PositionOf(DrawableYAxis(after), h, y), h - at.y(), 1e-6);
        }
        EXPECT_EQ(f.document->History()->undoText(), QStringLiteral("Zoom"));
        EXPECT_TRUE(f.document->IsModified());
        Wheel(f.view, at, -120);
        EXPECT_DOUBLE_EQ(Width(DrawableXAxis(f.Scaling())), 10.0);
        EXPECT_EQ(f.document->History()->count(), 2);
    }
}

// The done-when case: three zooms, three undos give the original scaling; one redo the first zoom.
TEST(ViewGestures, ThreeZoomsAndThreeUndos)
{
    SViewFixture f{false};
    const CScaling original = f.Scaling();
    std::vector<CScaling> zoomed;
    for (int i = 0; i < 3; ++i) {
        Wheel(f.view, QPointF(100 + 50 * i, 120), 120);
        zoomed.push_back(f.Scaling());
    }
    for (int i = 0; i < 3; ++i) {
        QTest::keySequence(&f.frame, QKeySequence(Qt::CTRL | Qt::Key_Z));
    }
    EXPECT_EQ(f.Scaling(), original);
    QTest::keySequence(&f.frame, QKeySequence(Qt::CTRL | Qt::Key_Y));
    EXPECT_EQ(f.Scaling(), zoomed.front());
    f.frame.UpdateCommandUI();
    EXPECT_EQ(f.frame.Action(ID_EDIT_UNDO)->text(), QStringLiteral("&Rückgängig: Zoom\tStrg+Z"));
    EXPECT_EQ(f.frame.Action(ID_EDIT_REDO)->text(), QStringLiteral("&Wiederholen: Zoom\tStrg+Y"));
}

// A drag pans: the grabbed point ends under the pointer, in one step when the button goes up.
TEST(ViewGestures, DragPansInOneStep)
{
    SViewFixture f{false};
    const CScaling before = f.Scaling();
    const int w = f.view->width();
    const int h = f.view->height();
    const QPointF from{200, 150};
    const QPointF to{260, 110};
    Mouse(f.view, QEvent::MouseButtonPress, from);
    Mouse(f.view, QEvent::MouseMove, to);
    EXPECT_EQ(f.Scaling(), before) << "the document changes only when the drag ends";
    EXPECT_TRUE(f.view->IsShowingCachedPicture());
    Mouse(f.view, QEvent::MouseButtonRelease, to);
    EXPECT_FALSE(f.view->IsShowingCachedPicture());
    const CScaling after = f.Scaling();
    EXPECT_NEAR(PositionOf(DrawableXAxis(after), w, WorldAt(DrawableXAxis(before), w, from.x())), to.x(),
                1e-6);
    EXPECT_NEAR(PositionOf(DrawableYAxis(after), h, WorldAt(DrawableYAxis(before), h, h - from.y())),
                h - to.y(), 1e-6);
    EXPECT_EQ(f.document->History()->count(), 1);
    EXPECT_EQ(f.document->History()->undoText(), QStringLiteral("Verschieben"));
}

TEST(ViewGestures, CtrlDragZoomsToTheBox)
{
    SViewFixture f{false};
    const CScaling before = f.Scaling();
    const int w = f.view->width();
    const int h = f.view->height();
    Drag(f.view, {100, 80}, {300, 200}, Qt::ControlModifier);
    const CAxisRange x = DrawableXAxis(f.Scaling());
    const CAxisRange y = DrawableYAxis(f.Scaling());
    EXPECT_NEAR(x.from, WorldAt(DrawableXAxis(before), w, 100), 1e-12);
    EXPECT_NEAR(x.to, WorldAt(DrawableXAxis(before), w, 300), 1e-12);
    EXPECT_NEAR(y.to, WorldAt(DrawableYAxis(before), h, h - 80), 1e-12);
    EXPECT_NEAR(y.from, WorldAt(DrawableYAxis(before), h, h - 200), 1e-12);
    EXPECT_GE(Width(x) / x.step, 4);
    EXPECT_LE(Width(x) / x.step, 12);
}

// Keys: + and - about the centre, arrows by a tenth; the standard view goes back to -5..5.
TEST(ViewGestures, KeysZoomAndPanAndStandardViewResets)
{
    SViewFixture f{false};
    f.view->setFocus();
    QTest::keyClick(f.view, Qt::Key_Plus);
    EXPECT_DOUBLE_EQ(Width(DrawableXAxis(f.Scaling())), 8.0);
    EXPECT_NEAR((DrawableXAxis(f.Scaling()).from + DrawableXAxis(f.Scaling()).to) / 2, 0.0, 0.02);
    QTest::keyClick(f.view, Qt::Key_Minus);
    EXPECT_DOUBLE_EQ(Width(DrawableXAxis(f.Scaling())), 10.0);
    const double from = DrawableXAxis(f.Scaling()).from;
    QTest::keyClick(f.view, Qt::Key_Right);
    EXPECT_DOUBLE_EQ(DrawableXAxis(f.Scaling()).from, from + 1);
    QTest::keyClick(f.view, Qt::Key_Up);
    EXPECT_EQ(f.document->History()->count(), 4);
    f.frame.Action(ID_VIEW_STANDARD)->trigger();
    const CAxisRange x = DrawableXAxis(f.Scaling());
    const CAxisRange y = DrawableYAxis(f.Scaling());
    EXPECT_EQ(x.from, -5);
    EXPECT_EQ(x.to, 5);
    EXPECT_EQ(x.step, 1);
    EXPECT_EQ(y.from, -5);
    EXPECT_EQ(y.to, 5);
    EXPECT_EQ(f.document->History()->undoText(), QStringLiteral("Standardansicht"));
}

// Zooming out past the widest range the numbers hold changes nothing and says so.
TEST(ViewGestures, AZoomAtItsLimitSaysSoInTheStatusBar)
{
    SViewFixture f{false};
    CScaling wide = f.Scaling();
    wide.SetXRange(-4.5e249, 4.5e249, 1e249);
    f.document->Model().SetScaling(wide);
    f.view->setFocus();
    QTest::keyClick(f.view, Qt::Key_Minus);
    EXPECT_EQ(f.Scaling(), wide);
    EXPECT_TRUE(f.frame.statusBar()->currentMessage().startsWith(QStringLiteral("Weiter verkleinern geht nicht")));
}

TEST(ViewGestures, CoordinatesFollowThePointerAndClearOnLeaving)
{
    SViewFixture f{false};
    QSignalSpy spy{f.view, &CZelView::coordinatesChanged};
    const int w = f.view->width();
    const QPointF at{w / 2.0, f.view->height() / 2.0};
    Mouse(f.view, QEvent::MouseMove, at);
    ASSERT_FALSE(spy.isEmpty());
    const QString text = spy.last().front().toString();
    EXPECT_TRUE(text.startsWith(QStringLiteral("x = "))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("   y = "))) << text.toStdString();
    // No more decimals than a pixel tells apart.
    const QString x = text.section(QStringLiteral("   "), 0, 0).mid(4);
    const int decimals = x.contains(QLatin1Char('.')) ? int(x.size() - x.indexOf(QLatin1Char('.')) - 1) : 0;
    EXPECT_LE(decimals, PixelDecimals(DrawableXAxis(f.Scaling()), w));
    QEvent leave{QEvent::Leave};
    QApplication::sendEvent(f.view, &leave);
    EXPECT_TRUE(spy.last().front().toString().isEmpty());
}

// A click on sin(x) near its maximum starts a trace that snaps to pi/2 and names the point; the
// keys move the marker a pixel, leave the point, and Esc ends the trace.
TEST(ViewGestures, TraceSnapsToTheExtremaOfTheSine)
{
    SViewFixture f{false, "sin(x)"};
    QSignalSpy messages{f.view, &CZelView::traceMessage};
    const int w = f.view->width();
    const int h = f.view->height();
    const double pixel = Width(DrawableXAxis(f.Scaling())) / w;
    const double x = std::numbers::pi / 2 + 3 * pixel * 1.2;
    const QPointF at{PositionOf(DrawableXAxis(f.Scaling()), w, x),
                     h - PositionOf(DrawableYAxis(f.Scaling()), h, std::sin(x))};
    Mouse(f.view, QEvent::MouseButtonPress, at);
    Mouse(f.view, QEvent::MouseButtonRelease, at);
    ASSERT_TRUE(f.view->IsTracing());
    // The points to snap to come from a scan on a thread of its own; the marker snaps when they do.
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return f.view->TraceMarker() && f.view->TraceMarker()->snapped == 'H'; }, 30000));
    std::optional<CZelView::STraceMarker> marker = f.view->TraceMarker();
    ASSERT_TRUE(marker.has_value());
    EXPECT_EQ(marker->snapped, 'H');
    EXPECT_NEAR(marker->x, std::numbers::pi / 2, 1e-12);
    EXPECT_TRUE(messages.last().front().toString().contains(QStringLiteral("Hochpunkt")));
    EXPECT_TRUE(messages.last().front().toString().startsWith(QStringLiteral("f: x = 1.5708   f(x) = 1")));
    EXPECT_EQ(f.document->History()->count(), 0) << "tracing is no edit";

    f.view->setFocus();
    QTest::keyClick(f.view, Qt::Key_Right);
    marker = f.view->TraceMarker();
    EXPECT_EQ(marker->snapped, 0) << "the marker leaves the point it sat on";
    EXPECT_GT(marker->x, std::numbers::pi / 2);
    // Moving back to the left it meets the maximum again and snaps to it.
    QTest::keyClick(f.view, Qt::Key_Left);
    EXPECT_EQ(f.view->TraceMarker()->snapped, 'H');
    // Shift+Left walks by the x step towards the zero at 0.
    QTest::keyClick(f.view, Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_NEAR(f.view->TraceMarker()->x, std::numbers::pi / 2 - 1, 1e-9);
    QTest::keyClick(f.view, Qt::Key_Escape);
    EXPECT_FALSE(f.view->IsTracing());
    EXPECT_TRUE(messages.last().front().toString().isEmpty());
}

// A click far from every curve starts no trace.
TEST(ViewGestures, AClickAwayFromTheCurvesStartsNoTrace)
{
    SViewFixture f{false, "sin(x)"};
    const int h = f.view->height();
    const QPointF at{f.view->width() / 2.0, h - PositionOf(DrawableYAxis(f.Scaling()), h, 4)};
    Mouse(f.view, QEvent::MouseButtonPress, at);
    Mouse(f.view, QEvent::MouseButtonRelease, at);
    EXPECT_FALSE(f.view->IsTracing());
    f.frame.UpdateCommandUI();
    f.frame.Action(ID_VIEW_TRACE)->trigger();
    EXPECT_TRUE(f.view->IsTracing());
}

// A trace at the finest precision starts at once; closing the window, or switching curves, while
// its scan for the points to snap to still runs stops that scan and leaves nothing behind.
TEST(ViewGestures, ATraceScanStopsWithItsCurveAndItsWindow)
{
    const CPrecision precision{10};
    SViewFixture f{false, "sin(x)*exp(x/10)"};
    CGraphFunction second;
    second.SetTerm("x^3-x");
    f.document->Model().SetFunctions({f.document->Model().Functions().front(), second});
    f.frame.UpdateCommandUI();
    f.frame.Action(ID_VIEW_TRACE)->trigger();
    ASSERT_TRUE(f.view->IsTracing());
    f.view->setFocus();
    QTest::keyClick(f.view, Qt::Key_Down); // to x^3-x: the first scan is stopped, a second starts
    EXPECT_EQ(f.view->TraceMarker()->function, 1u);
    QTest::keyClick(f.view, Qt::Key_Up);
    EXPECT_EQ(f.view->TraceMarker()->function, 0u);
    f.frame.DocumentManager()->CloseAllDocuments(); // the window goes while its scan runs
    QApplication::processEvents();
}
