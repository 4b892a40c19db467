#include "framework/HelpWindow.h"
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
#include <QPointer>
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
        {0x20000 + 129, "qrc:/help/grafik.html"}, // a graph window
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
    for (int frame : {IDR_MAINFRAME, IDR_GRAPHTYPE}) {
        contexts.append(kHelpDialogBase + frame);
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
    ShowHelpPage(&parent, QStringLiteral("qrc:/help/diskussion.html#werte"));
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

// F1 in a dialog opens its page, found from the focus widget up: the help page a dialog or a page
// inside it names, or a help context of its own.
TEST(HelpWindow, F1InADialogOpensItsPage)
{
    InstallHelpKeys();
    struct SCase
    {
        const char* helpPage;
        int property;
        const char* page;
    };
    const SCase cases[] = {
        {"diskussion.html#werte", 0, "qrc:/help/diskussion.html#werte"},
        {"", 0x10000 + ID_FILE_PRINT, "qrc:/help/dateien.html#drucken"},
        {"daten.html#skalierung", 0x10000 + ID_FILE_PRINT, "qrc:/help/daten.html#skalierung"},
        {"", 0, "qrc:/help/index.html"},
    };
    for (const SCase& c : cases) {
        QDialog dialog;
        auto* page = new QWidget{&dialog};
        if (*c.helpPage != '\0') {
            SetHelpPage(page, c.helpPage);
        }
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
        EXPECT_EQ(CurrentHelpPage(), QString::fromLatin1(c.page)) << c.helpPage << " " << c.property;
        CloseHelp();
    }
}

TEST(HelpWindow, HelpFromAModalDialogBelongsToIt)
{
    InstallHelpKeys();
    QWidget mainWindow;
    QDialog dialog{&mainWindow};
    SetHelpPage(&dialog, "diskussion.html#werte");
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

TEST(HelpWindow, EscClosesTheHelpWindowWhereverItsFocusIs)
{
    InstallHelpKeys();
    QDialog dialog;
    SetHelpPage(&dialog, "diskussion.html#werte");
    auto* edit = new QLineEdit{&dialog};
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_F1);
    QPointer<CHelpWindow> help = CHelpWindow::Instance();
    ASSERT_NE(help, nullptr);
    for (QWidget* target : {static_cast<QWidget*>(help->Browser()), static_cast<QWidget*>(help->Topics())}) {
        help->show();
        QApplication::setActiveWindow(help);
        target->setFocus();
        QTest::keyClick(target, Qt::Key_Escape);
        EXPECT_TRUE(help.isNull() || !help->isVisible()) << target->metaObject()->className();
        if (help.isNull()) {
            break;
        }
    }
    EXPECT_TRUE(dialog.isVisible()) << "Esc in the help leaves the dialog open";
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

} // namespace
