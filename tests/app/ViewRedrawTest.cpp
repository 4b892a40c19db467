// Every window of a document shows the document, and drawing alone changes nothing in it.
#include "AppTestSupport.h"

#include "app/DocumentManager.h"
#include "app/GraphDocument.h"
#include "app/MainFrame.h"
#include "app/ZelView.h"
#include "framework/CommandIds.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>

#include <functional>

#include <gtest/gtest.h>

namespace {

// Counts the paint events a widget receives.
class CPaintCounter final : public QObject
{
public:
    int m_paints{0};

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            ++m_paints;
        }
        return false;
    }
};

void ShowActive(CMainFrame& frame)
{
    frame.DocumentManager()->askSave = [](const QString&) { return QMessageBox::No; };
    frame.show();
    frame.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
}

} // namespace

// Undo, and any change that ends in NotifyChanged, in one window: the other window of the same
// document redraws too, and a window of another document does not.
TEST(ViewRedraw, EveryViewOfTheDocumentRedrawsAfterAChangeInOne)
{
    CMainFrame frame;
    ShowActive(frame);
    CGraphDocument* other = frame.DocumentManager()->NewDocument();
    CGraphDocument* document = frame.DocumentManager()->NewDocument();
    frame.MdiArea()->tileSubWindows();
    frame.Action(ID_WINDOW_NEW)->trigger();
    QApplication::processEvents();
    ASSERT_EQ(document->Views().size(), 2);
    CZelView* first = document->Views()[0];
    CZelView* second = document->Views()[1];
    frame.MdiArea()->tileSubWindows();
    QApplication::processEvents();

    CGraphFunction f;
    f.SetTerm("x^2");
    document->Model().SetFunctions({f});
    const struct
    {
        const char* what;
        std::function<void()> change;
    } cases[] = {
        {"undo in the first window", [&] { first->OnCommand(ID_EDIT_UNDO); }},
        {"a change told by the document",
         [&] {
             document->Model().SetFunctions({f});
             document->NotifyChanged();
         }},
    };
    for (const auto& c : cases) {
        QApplication::processEvents();
        CPaintCounter firstPaints;
        CPaintCounter secondPaints;
        CPaintCounter otherPaints;
        first->installEventFilter(&firstPaints);
        second->installEventFilter(&secondPaints);
        other->Views().first()->installEventFilter(&otherPaints);
        c.change();
        QApplication::processEvents();
        EXPECT_GE(firstPaints.m_paints, 1) << c.what;
        EXPECT_GE(secondPaints.m_paints, 1) << c.what;
        EXPECT_EQ(otherPaints.m_paints, 0) << c.what;
        first->removeEventFilter(&firstPaints);
        second->removeEventFilter(&secondPaints);
        other->Views().first()->removeEventFilter(&otherPaints);
    }
    EXPECT_EQ(document->Model().GetFunctionCount(), 1U);
}

// A resize makes automatic y scaling derive a new range; the document keeps it for the next save
// but is not modified, so quitting asks no question.
TEST(ViewRedraw, AResizeDerivesTheYRangeWithoutMarkingTheDocument)
{
    CMainFrame frame;
    ShowActive(frame);
    CGraphDocument* document = frame.DocumentManager()->NewDocument();
    CGraphFunction f;
    f.SetTerm("20*x");
    document->Model().SetFunctions({f});
    document->Model().SetModifiedFlag(false);
    QMdiSubWindow* window = qobject_cast<QMdiSubWindow*>(document->Views().first()->parentWidget());
    ASSERT_NE(window, nullptr);
    double yFrom{0.0};
    double yTo{0.0};
    double yStep{0.0};
    for (const QSize size : {QSize{400, 300}, QSize{420, 700}, QSize{300, 200}}) {
        window->showNormal();
        window->resize(size);
        document->Views().first()->repaint();
        QApplication::processEvents();
        EXPECT_FALSE(document->IsModified()) << size.width() << 'x' << size.height();
        EXPECT_FALSE(window->isWindowModified()) << size.width() << 'x' << size.height();
    }
    document->Model().GetScaling().GetYRange(yFrom, yTo, yStep);
    // 20*x on -5..5 reaches about ±100: the range was derived and kept.
    EXPECT_LE(yFrom, -90.0);
    EXPECT_GE(yTo, 90.0);
}

// The window paints every one of its pixels: it tells Qt so, and Qt then leaves whatever memory
// the window's backing store had there, which showed pieces of the splash picture after start.
TEST(ViewRedraw, TheWindowPaintsEachOfItsPixels)
{
    CMainFrame frame;
    ShowActive(frame);
    CGraphDocument* document = frame.DocumentManager()->NewDocument();
    QApplication::processEvents();
    CZelView* view = document->Views().front();
    QImage image{view->size(), QImage::Format_RGB32};
    image.fill(Qt::red);
    view->render(&image, {}, {}, QWidget::DrawChildren); // no window background underneath
    int red = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            red += image.pixel(x, y) == QColor{Qt::red}.rgb() ? 1 : 0;
        }
    }
    EXPECT_EQ(red, 0);
}
