// Arranging, sizing, naming and walking the graph windows of the main window.
#include "AppTestSupport.h"

#include "app/DocumentManager.h"
#include "app/GraphDocument.h"
#include "app/MainFrame.h"
#include "app/ZelView.h"
#include "framework/CommandIds.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// A shown, active main window that answers every save question with No.
void ShowActive(CMainFrame& frame)
{
    frame.DocumentManager()->askSave = [](const QString&) { return QMessageBox::No; };
    frame.show();
    frame.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
}

QMdiSubWindow* ChildOf(CGraphDocument* document)
{
    return qobject_cast<QMdiSubWindow*>(document->Views().first()->parentWidget());
}

// The title as the window system shows it: "[*]" becomes "*" for a modified document.
std::string ShownTitle(const QWidget& window)
{
    QString title = window.windowTitle();
    return title.replace(QStringLiteral("[*]"), window.isWindowModified() ? QStringLiteral("*") : QString())
        .toStdString();
}

TEST(WindowHandling, CascadeKeepsEveryWindowAtTheSizeOfANewOne)
{
    CMainFrame frame;
    ShowActive(frame);
    QList<CGraphDocument*> documents;
    for (int i = 0; i < 3; ++i) {
        documents << frame.DocumentManager()->NewDocument();
    }
    ChildOf(documents[1])->showMaximized();
    QApplication::processEvents();

    frame.Action(ID_WINDOW_CASCADE)->trigger();
    QApplication::processEvents();

    const QSize area = frame.MdiArea()->viewport()->size();
    const QList<QMdiSubWindow*> windows = frame.MdiArea()->subWindowList(QMdiArea::StackingOrder);
    ASSERT_EQ(windows.size(), 3);
    for (int i = 0; i < windows.size(); ++i) {
        EXPECT_FALSE(windows[i]->isMaximized()) << i;
        EXPECT_EQ(windows[i]->size(), QSize(area.width() * 3 / 4, area.height() * 3 / 4)) << i;
        if (i > 0) {
            const QPoint step = windows[i]->pos() - windows[i - 1]->pos();
            EXPECT_GT(step.y(), 10) << i;
            EXPECT_EQ(step.x(), step.y()) << i;
        }
    }
    // The active window stays on top and active.
    EXPECT_EQ(windows.last(), frame.MdiArea()->activeSubWindow());
    // Drawn at a readable size, an untouched graph stays untouched.
    for (CGraphDocument* document : documents) {
        EXPECT_FALSE(document->IsModified());
        EXPECT_EQ(document->Model().CanUndo(), 0);
    }
}

TEST(WindowHandling, AGraphWindowIsNeverSmallerThanAReadableGraph)
{
    const struct
    {
        const char* name;
        int windows;
        std::function<void(CMainFrame&)> shrink;
    } cases[] = {
        {"resized by hand", 1,
         [](CMainFrame& frame) { frame.MdiArea()->subWindowList().first()->resize(40, 30); }},
        {"tiled with many others", 12, [](CMainFrame& frame) { frame.Action(ID_WINDOW_TILE)->trigger(); }},
        {"cascaded in a small frame", 3,
         [](CMainFrame& frame) {
             frame.resize(400, 300);
             QApplication::processEvents();
             frame.Action(ID_WINDOW_CASCADE)->trigger();
         }},
    };
    for (const auto& c : cases) {
        CMainFrame frame;
        ShowActive(frame);
        for (int i = 0; i < c.windows; ++i) {
            frame.DocumentManager()->NewDocument();
        }
        QApplication::processEvents();
        c.shrink(frame);
        QApplication::processEvents();
        for (QMdiSubWindow* window : frame.MdiArea()->subWindowList()) {
            const auto* view = static_cast<CZelView*>(window->widget());
            EXPECT_GE(view->width(), CMainFrame::kMinimumViewSize.width()) << c.name;
            EXPECT_GE(view->height(), CMainFrame::kMinimumViewSize.height()) << c.name;
            // Too small a window makes the automatic y scaling choose a coarser range, an edit
            // nobody made.
            EXPECT_FALSE(view->GetDocument()->IsModified()) << c.name;
        }
    }
}

TEST(WindowHandling, AMaximisedWindowNamesItsDocumentOnceInTheTitle)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("parabel.zel"));
    WriteBytes(path, SampleGraphBytes());

    CMainFrame frame;
    ShowActive(frame);
    const struct
    {
        CGraphDocument* document;
        const char* name;
    } cases[] = {
        {frame.DocumentManager()->NewDocument(), "Graph1"},
        {frame.DocumentManager()->OpenDocument(path), "parabel.zel"},
    };
    for (const auto& c : cases) {
        ASSERT_NE(c.document, nullptr);
        const std::string normal = std::string("Vex Funktions-Plotter - ") + c.name;
        // The star follows the document; drawing a file with automatic y scaling may already set it.
        const auto maximised = [&c] {
            return std::string("Vex Funktions-Plotter - [") + c.name +
                   (c.document->IsModified() ? "*]" : "]");
        };
        QMdiSubWindow* child = ChildOf(c.document);
        frame.MdiArea()->setActiveSubWindow(child);
        child->showNormal();
        QApplication::processEvents();
        EXPECT_EQ(ShownTitle(frame), normal);

        child->showMaximized();
        QApplication::processEvents();
        EXPECT_EQ(ShownTitle(frame), maximised());

        CGraphFunction f;
        f.SetTerm("x");
        c.document->Model().SetFunctions({f});
        c.document->NotifyChanged();
        QApplication::processEvents();
        ASSERT_TRUE(c.document->IsModified());
        EXPECT_EQ(ShownTitle(frame), maximised());

        child->showNormal();
        QApplication::processEvents();
        EXPECT_EQ(ShownTitle(frame), normal);
    }
}

TEST(WindowHandling, TheTitleFollowsWhileTheWindowsStayMaximised)
{
    CMainFrame frame;
    ShowActive(frame);
    for (int i = 0; i < 3; ++i) {
        frame.DocumentManager()->NewDocument();
    }
    frame.MdiArea()->activeSubWindow()->showMaximized();
    QApplication::processEvents();
    EXPECT_EQ(ShownTitle(frame), "Vex Funktions-Plotter - [Graph3]");
    const struct
    {
        const char* step;
        std::function<void()> act;
        const char* title;
    } steps[] = {
        {"next window", [&frame] { frame.MdiArea()->activateNextSubWindow(); },
         "Vex Funktions-Plotter - [Graph1]"},
        {"second window on it", [&frame] { frame.Action(ID_WINDOW_NEW)->trigger(); },
         "Vex Funktions-Plotter - [Graph1:2]"},
        {"close it again", [&frame] { frame.MdiArea()->activeSubWindow()->close(); },
         "Vex Funktions-Plotter - [Graph1]"},
        {"close Graph1", [&frame] { frame.MdiArea()->activeSubWindow()->close(); }, nullptr},
    };
    for (const auto& s : steps) {
        s.act();
        QApplication::processEvents();
        const QMdiSubWindow* active = frame.MdiArea()->activeSubWindow();
        ASSERT_NE(active, nullptr) << s.step;
        ASSERT_TRUE(active->isMaximized()) << s.step;
        const std::string name = ShownTitle(*active);
        EXPECT_EQ(ShownTitle(frame), s.title ? s.title : "Vex Funktions-Plotter - [" + name + "]") << s.step;
    }
}

// Notes keyboard requests for a context menu instead of opening one, which would block the test.
class ContextMenuRequests : public QObject
{
public:
    int requests{0};
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::ContextMenu &&
            static_cast<QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Keyboard) {
            ++requests;
            return true;
        }
        return false;
    }
};

TEST(WindowHandling, KeysOfMultiDocumentPrograms)
{
    CMainFrame frame;
    ShowActive(frame);
    for (int i = 0; i < 3; ++i) {
        frame.DocumentManager()->NewDocument();
    }
    QApplication::processEvents();
    QMdiArea* area = frame.MdiArea();
    QMdiSubWindow* first = area->activeSubWindow();
    ASSERT_NE(first, nullptr);
    first->widget()->setFocus();

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6, Qt::ControlModifier);
    QMdiSubWindow* second = area->activeSubWindow();
    EXPECT_NE(second, first);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(area->activeSubWindow(), first);

    ContextMenuRequests requests;
    CZelView* view = frame.ActiveView();
    view->installEventFilter(&requests);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F10, Qt::ShiftModifier);
    EXPECT_EQ(requests.requests, 1);
    view->removeEventFilter(&requests);

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F4, Qt::ControlModifier);
    QApplication::processEvents();
    EXPECT_EQ(area->subWindowList().size(), 2);
    EXPECT_FALSE(area->subWindowList().contains(first));
}

} // namespace
