#include "framework/HelpWindow.h"
#include "app/DocumentManager.h"
#include "app/MainFrame.h"
#include "app/ZelView.h"
#include "dialogs/general/PrintSetupDialog.h"
#include "framework/CommandIds.h"
#include "framework/Resources.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QHelpEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPrinter>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <QWhatsThis>

#include <gtest/gtest.h>

namespace {

QString PageText(const QString& url)
{
    QFile file{QUrl{url}
                   .adjusted(QUrl::RemoveFragment)
                   .toString()
                   .replace(QStringLiteral("qrc:"), QStringLiteral(":"))};
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString{};
}

bool HasAnchor(const QString& text, const QString& anchor)
{
    return text.contains(QStringLiteral("id=\"%1\"").arg(anchor));
}

QString CurrentHelpPage()
{
    CHelpWindow* help = CHelpWindow::Instance();
    return help ? help->CurrentPage() : QString{};
}

void CloseHelp()
{
    delete CHelpWindow::Instance();
}

struct SContextCase
{
    int context;
    const char* page;
};

TEST(HelpWindow, ContextsResolveToTheirPages)
{
    const SContextCase cases[] = {
        {131219, "qrc:/help/diskussion.html#werte"}, // the values dialog, 0x20000 + 147
        {131226, "qrc:/help/kopieren.html"},         // the copy dialog, 0x20000 + 154
        {0x20000 + 129, "qrc:/help/grafik.html"},    // a graph window
        {0x10000 + ID_FILE_PRINT, "qrc:/help/dateien.html#drucken"},
        {0x10000 + ID_ZEROS, "qrc:/help/diskussion.html#nullstellen"},
        {0, "qrc:/help/index.html"},
        {0x20000 + 9999, "qrc:/help/index.html"},
    };
    for (const SContextCase& c : cases) {
        EXPECT_EQ(HelpPageForContext(c.context), QString::fromLatin1(c.page)) << c.context;
    }
}

// Every dialog and every command of the menus leads to a page and an anchor that exist.
TEST(HelpWindow, EveryContextPageExists)
{
    QList<int> contexts;
    for (int dialog : {100, 102, 103, 106, 128, 129, 130, 134, 136, 137, 138, 139,
                       140, 143, 144, 146, 147, 150, 151, 152, 153, 154, 155, 156}) {
        contexts.append(kHelpDialogBase + dialog);
    }
    for (const auto* menus : {&MainFrameMenu(), &GraphMenu()}) {
        for (const SMenuPopup& popup : *menus) {
            for (const SMenuItem& item : popup.items) {
                if (item.id != 0) {
                    contexts.append(kHelpCommandBase + item.id);
                }
            }
        }
    }
    for (int id : {ID_HELP, ID_CONTEXT_HELP, ID_FILE_PRINT_DIRECT, ID_PROPERTIES}) {
        contexts.append(kHelpCommandBase + id);
    }
    for (int context : contexts) {
        const QUrl url{HelpPageForContext(context)};
        const QString text = PageText(url.toString());
        ASSERT_FALSE(text.isEmpty()) << context << " " << url.toString().toStdString();
        if (url.hasFragment()) {
            EXPECT_TRUE(HasAnchor(text, url.fragment())) << context << " " << url.toString().toStdString();
        }
    }
    // Commands have their own pages; only unknown contexts fall back to the contents.
    EXPECT_NE(HelpPageForContext(kHelpCommandBase + ID_FILE_SEND_MAIL), HelpPageForContext(0));
}

TEST(HelpWindow, LinksBetweenPagesArrive)
{
    CHelpWindow window;
    QSet<QString> pages;
    for (int row = 0; row < window.Topics()->count(); ++row) {
        pages.insert(window.Topics()->item(row)->data(Qt::UserRole).toString());
    }
    ASSERT_GE(pages.size(), 8);
    const QRegularExpression link{QStringLiteral("href=\"([^\"]+)\"")};
    int links{0};
    for (const QString& page : pages) {
        const QString text = PageText(page);
        ASSERT_FALSE(text.isEmpty()) << page.toStdString();
        for (auto it = link.globalMatch(text); it.hasNext();) {
            const QUrl target = QUrl{page}.resolved(QUrl{it.next().captured(1)});
            const QString targetText = PageText(target.toString());
            EXPECT_FALSE(targetText.isEmpty())
                << page.toStdString() << " -> " << target.toString().toStdString();
            if (target.hasFragment()) {
                EXPECT_TRUE(HasAnchor(targetText, target.fragment()))
                    << page.toStdString() << " -> " << target.toString().toStdString();
            }
            ++links;
        }
    }
    EXPECT_GT(links, 20);
}

TEST(HelpWindow, TermPageExplainsThePitfalls)
{
    const QString text = PageText(QStringLiteral("qrc:/help/terme.html"));
    for (const char* pitfall :
         {"<code>2x</code>", "<code>-x^2</code>", "<code>2*(-3)</code>", "<code>x^(-1)</code>"}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(pitfall))) << pitfall;
    }
}

TEST(HelpWindow, ShowsThePageAndSelectsItsTopic)
{
    QWidget parent;
    ShowHelpContext(&parent, 131219);
    CHelpWindow* help = CHelpWindow::Instance();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->CurrentPage(), QStringLiteral("qrc:/help/diskussion.html#werte"));
    EXPECT_TRUE(help->Browser()->toPlainText().contains(QStringLiteral("Rechengenauigkeit")));
    EXPECT_EQ(help->Topics()->currentItem()->text(), QStringLiteral("Die Kurvendiskussion"));

    // A second request reuses the window.
    ShowHelpContents(&parent);
    EXPECT_EQ(CHelpWindow::Instance(), help);
    EXPECT_EQ(help->CurrentPage(), QStringLiteral("qrc:/help/index.html"));
    EXPECT_EQ(help->Topics()->currentRow(), 0);
    CloseHelp();
}

// F1 in a dialog opens its page, found from the focus widget up: the dialog's id in its object
// name, or a help context of its own on a page inside it.
TEST(HelpWindow, F1InADialogOpensItsPage)
{
    InstallHelpKeys();
    struct SCase
    {
        const char* objectName;
        int property;
        const char* page;
    };
    const SCase cases[] = {
        {"IDD_147", 0, "qrc:/help/diskussion.html#werte"},
        {"", 131226, "qrc:/help/kopieren.html"},
        {"IDD_144", 0, "qrc:/help/daten.html#skalierung"},
        {"", 0, "qrc:/help/index.html"},
    };
    for (const SCase& c : cases) {
        QDialog dialog;
        auto* page = new QWidget{&dialog};
        page->setObjectName(QString::fromLatin1(c.objectName));
        if (c.property != 0) {
            page->setProperty(kHelpContextProperty, c.property);
        }
        auto* edit = new QLineEdit{page};
        auto* layout = new QVBoxLayout{&dialog};
        layout->addWidget(page);
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_F1);
        EXPECT_EQ(CurrentHelpPage(), QString::fromLatin1(c.page)) << c.objectName << " " << c.property;
        CloseHelp();
    }
}

TEST(HelpWindow, F1InThePrinterSetupOpensItsPage)
{
    InstallHelpKeys();
    QPrinter printer;
    CPrintSetupDialog setup{printer};
    setup.show();
    auto* paper = setup.findChild<QComboBox*>(QStringLiteral("PaperSize"));
    ASSERT_NE(paper, nullptr);
    QTest::keyClick(paper, Qt::Key_F1);
    EXPECT_EQ(CurrentHelpPage(), QStringLiteral("qrc:/help/dateien.html#druckereinrichtung"));
    CloseHelp();
}

TEST(HelpWindow, HelpFromAModalDialogBelongsToIt)
{
    InstallHelpKeys();
    QWidget mainWindow;
    QDialog dialog{&mainWindow};
    dialog.setObjectName(QStringLiteral("IDD_147"));
    auto* edit = new QLineEdit{&dialog};
    QWidget* owner{nullptr};
    QString page;
    QTimer::singleShot(0, [&] {
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_F1);
        if (CHelpWindow* help = CHelpWindow::Instance()) {
            owner = help->parentWidget();
            page = help->CurrentPage();
        }
        dialog.accept();
    });
    dialog.exec();
    EXPECT_EQ(page, QStringLiteral("qrc:/help/diskussion.html#werte"));
    // Owned by the modal dialog, the help window is not blocked by it.
    EXPECT_EQ(owner, &dialog);
    CloseHelp();
}

TEST(HelpWindow, ShiftF1EntersWhatsThisMode)
{
    InstallHelpKeys();
    QDialog dialog;
    auto* edit = new QLineEdit{&dialog};
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_F1, Qt::ShiftModifier);
    EXPECT_TRUE(QWhatsThis::inWhatsThisMode());
    QWhatsThis::leaveWhatsThisMode();
    EXPECT_EQ(CHelpWindow::Instance(), nullptr) << "no help page for what's-this";
}

class HelpInFrameTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        InstallHelpKeys();
        m_frame.DocumentManager()->askSave = [](const QString&) { return QMessageBox::No; };
    }
    void TearDown() override
    {
        CloseHelp();
        m_frame.DocumentManager()->CloseAllDocuments();
    }
    CMainFrame m_frame;
};

TEST_F(HelpInFrameTest, F1NamesTheFrameOrTheGraphWindow)
{
    ASSERT_TRUE(m_frame.Action(ID_HELP)->isEnabled());
    m_frame.Action(ID_HELP)->trigger();
    EXPECT_EQ(CurrentHelpPage(), QStringLiteral("qrc:/help/index.html"));

    m_frame.DocumentManager()->NewDocument();
    m_frame.Action(ID_HELP)->trigger();
    EXPECT_EQ(CurrentHelpPage(), QStringLiteral("qrc:/help/grafik.html"));

    m_frame.Action(ID_HELP_FINDER)->trigger();
    EXPECT_EQ(CurrentHelpPage(), QStringLiteral("qrc:/help/index.html"));
}

TEST_F(HelpInFrameTest, F1InAnOpenMenuExplainsTheHighlightedCommand)
{
    m_frame.show();
    m_frame.DocumentManager()->NewDocument();
    QMenu menu{&m_frame};
    menu.addAction(m_frame.Action(ID_FILE_PRINT_PREVIEW));
    menu.addAction(m_frame.Action(ID_FILE_SEND_MAIL));
    menu.popup(QPoint{20, 20});
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
    menu.setActiveAction(m_frame.Action(ID_FILE_PRINT_PREVIEW));
    QTest::keyClick(&menu, Qt::Key_F1);
    EXPECT_EQ(CurrentHelpPage(), QStringLiteral("qrc:/help/dateien.html#seitenansicht"));
    EXPECT_FALSE(menu.isVisible());
}

TEST_F(HelpInFrameTest, WhatsThisTextsAreTheStatusPrompts)
{
    for (int id : {ID_FILE_PRINT, ID_APP_ABOUT, ID_ZEROS}) {
        QAction* action = m_frame.Action(id);
        EXPECT_EQ(action->whatsThis(), StatusPrompt(id)) << id;
        QToolBar* bar = id == ID_ZEROS ? m_frame.FunctionBar() : m_frame.StandardBar();
        auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(action));
        ASSERT_NE(button, nullptr) << id;
        EXPECT_EQ(button->whatsThis(), StatusPrompt(id)) << id;
    }
    m_frame.Action(ID_CONTEXT_HELP)->trigger();
    EXPECT_TRUE(QWhatsThis::inWhatsThisMode());
    QWhatsThis::leaveWhatsThisMode();
}

TEST_F(HelpInFrameTest, WhatsThisOnTheGraphOpensItsPage)
{
    m_frame.DocumentManager()->NewDocument();
    CZelView* view = m_frame.ActiveView();
    ASSERT_NE(view, nullptr);
    QHelpEvent query{QEvent::QueryWhatsThis, QPoint{5, 5}, view->mapToGlobal(QPoint{5, 5})};
    QApplication::sendEvent(view, &query);
    EXPECT_TRUE(query.isAccepted());
    QHelpEvent click{QEvent::WhatsThis, QPoint{5, 5}, view->mapToGlobal(QPoint{5, 5})};
    QApplication::sendEvent(view, &click);
    EXPECT_EQ(CurrentHelpPage(), QStringLiteral("qrc:/help/grafik.html"));
}

} // namespace
