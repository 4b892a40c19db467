#include "app/DocumentManager.h"
#include "app/GraphDocument.h"
#include "app/MainFrame.h"
#include "app/ZelApp.h"
#include "app/ZelView.h"
#include "dialogs/copy/CopyDialog.h"
#include "dialogs/copy/CopyWizard.h"
#include "dialogs/general/AboutDialog.h"
#include "dialogs/general/TipDialog.h"
#include "dialogs/options/OptionsSheet.h"
#include "framework/CommandIds.h"
#include "framework/SettingsStore.h"

#include "WidgetTestSupport.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSvgRenderer>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class ShellCommandsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        UseFreshSettings();
        m_frame.DocumentManager()->askSave = [](const QString&) { return QMessageBox::No; };
        m_document = m_frame.DocumentManager()->NewDocument();
        CGraphFunction f;
        f.SetTerm("sin(x)");
        m_document->Model().SetFunctions({f});
        QApplication::clipboard()->setText(QStringLiteral("vorher"));
        m_frame.show();
        m_frame.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_frame));
        // The window's first paint records the scaling that automatic y scaling settles on.
        QApplication::processEvents();
        m_document->Model().SetModifiedFlag(false);
    }
    void TearDown() override { m_frame.DocumentManager()->CloseAllDocuments(); }

    static void SetNovice(int novice)
    {
        CSettingsStore::Instance().WriteProfileInt(QStringLiteral("Settings"), QStringLiteral("NoviceUI"),
                                                   novice);
    }

    CMainFrame m_frame;
    CGraphDocument* m_document{nullptr};
};

template <class T> T* Control(QWidget& parent, const char* name)
{
    T* control = parent.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(control, nullptr) << name;
    return control;
}

TEST_F(ShellCommandsTest, CopyThroughTheDialogPutsTheGraphOnTheClipboard)
{
    const struct
    {
        const char* type;
        const char* length;
        const char* height;
        bool svg;
    } cases[] = {{"IDC_1064", "640", "480", false}, {"IDC_1065", "100", "1000", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        SetNovice(0);
        const CWhenModal<CCopyDialog> driver1{[&c](CCopyDialog* dialog) {
            ClickOn(Control<QRadioButton>(*dialog, c.type));
            Control<QLineEdit>(*dialog, "IDC_1067")->setText(QString::fromLatin1(c.length));
            Control<QLineEdit>(*dialog, "IDC_1068")->setText(QString::fromLatin1(c.height));
            QTest::mouseClick(Control<QPushButton>(*dialog, "IDOK"), Qt::LeftButton);
        }};
        m_frame.Action(ID_EDIT_COPY)->trigger();

        const QSize size{QString::fromLatin1(c.length).toInt(), QString::fromLatin1(c.height).toInt()};
        EXPECT_EQ(QApplication::clipboard()->image().size(), size);
        const QByteArray svg = QApplication::clipboard()->mimeData()->data(QStringLiteral("image/svg+xml"));
        EXPECT_EQ(!svg.isEmpty(), c.svg);
        if (c.svg) {
            EXPECT_EQ(QSvgRenderer{svg}.defaultSize(), size);
        }
        EXPECT_FALSE(m_document->IsModified());
    }
}

TEST_F(ShellCommandsTest, CopyThroughTheWizardWithItsDefaults)
{
    SetNovice(1);
    const CWhenModal<CCopyWizard> driver2{[](CCopyWizard* wizard) {
        for (int i = 0; i < 3; ++i) {
            wizard->Next();
        }
        wizard->FinishButton()->click();
    }};
    QTest::keyClick(m_frame.ActiveView(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->image().size(), QSize(500, 300));
    EXPECT_TRUE(QApplication::clipboard()->mimeData()->data(QStringLiteral("image/svg+xml")).isEmpty());
}

TEST_F(ShellCommandsTest, CancelCopiesNothing)
{
    for (int novice : {1, 0}) {
        SetNovice(novice);
        const CWhenModal<QDialog> driver3{[](QDialog* dialog) { dialog->reject(); }};
        m_frame.Action(ID_EDIT_COPY)->trigger();
        EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("vorher")) << novice;
        EXPECT_FALSE(QApplication::clipboard()->mimeData()->hasImage()) << novice;
    }
}

TEST_F(ShellCommandsTest, EveryCommandOfTheShellIsEnabled)
{
    for (int id : {ID_EDIT_COPY, ID_OPTIONS, ID_TIP_OF_THE_DAY}) {
        EXPECT_TRUE(m_frame.Action(id)->isEnabled()) << id;
    }
    // Copying needs a graph window; the options and the tip do not.
    m_frame.DocumentManager()->CloseAllDocuments();
    QApplication::processEvents();
    EXPECT_FALSE(m_frame.Action(ID_EDIT_COPY)->isEnabled());
    EXPECT_TRUE(m_frame.Action(ID_OPTIONS)->isEnabled());
    EXPECT_TRUE(m_frame.Action(ID_TIP_OF_THE_DAY)->isEnabled());
}

TEST_F(ShellCommandsTest, OptionsChangeThePrecisionTheValuesDialogReadsNext)
{
    const CWhenModal<COptionsSheet> driver4{[](COptionsSheet* sheet) {
        Control<QSlider>(*sheet, "IDC_1063")->setValue(8);
        QTest::mouseClick(Control<QPushButton>(*sheet, "IDOK"), Qt::LeftButton);
    }};
    m_frame.Action(ID_OPTIONS)->trigger();
    EXPECT_EQ(
        CSettingsStore::Instance().GetProfileInt(QStringLiteral("Settings"), QStringLiteral("Precision"), 0),
        8);
}

// The tip: the command shows it whatever "StartUp" says; at start it is read but shown only when
// wanted, so the position moves on either way.
TEST_F(ShellCommandsTest, TipOfTheDayFromTheCommandAndAtStart)
{
    QTemporaryDir dir;
    QFile file{dir.filePath(QStringLiteral("tips.txt"))};
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Eins\nZwei\nDrei\n");
    file.close();
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));

    CSettingsStore::Instance().WriteProfileInt(QStringLiteral("Tip"), QStringLiteral("StartUp"), 1);
    QStringList shown;
    const CWhenModal<CTipDialog> driver5{[&shown](CTipDialog* tip) {
        shown << tip->TipText();
        tip->reject();
    }};
    m_frame.Action(ID_TIP_OF_THE_DAY)->trigger();
    EXPECT_EQ(shown, QStringList{"Eins\n"});

    // Not wanted at start: nothing shows, but the next run starts after "Zwei".
    CZelApp::ShowStartupTip(&m_frame);
    QApplication::processEvents();
    EXPECT_EQ(shown, QStringList{"Eins\n"});

    CSettingsStore::Instance().WriteProfileInt(QStringLiteral("Tip"), QStringLiteral("StartUp"), 0);
    const CWhenModal<CTipDialog> driver6{[&shown](CTipDialog* tip) {
        shown << tip->TipText();
        tip->reject();
    }};
    CZelApp::ShowStartupTip(&m_frame);
    EXPECT_EQ(shown, (QStringList{"Eins\n", "Drei\n"}));
    QDir::setCurrent(previous);
}

TEST(AboutDialog, TheInfoCommandOpensIt)
{
    CMainFrame frame;
    QAction* info = frame.Action(ID_APP_ABOUT);
    ASSERT_TRUE(info->isEnabled());
    QString opened;
    QTimer::singleShot(0, [&] {
        if (auto* about = qobject_cast<CAboutDialog*>(QApplication::activeModalWidget())) {
            opened = about->windowTitle();
            about->accept();
        }
    });
    info->trigger();
    EXPECT_EQ(opened, QStringLiteral("Info über..."));
}

} // namespace
