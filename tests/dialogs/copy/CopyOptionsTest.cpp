#include "dialogs/copy/AskCopyOptions.h"
#include "dialogs/copy/CDonePage.h"
#include "dialogs/copy/CSizePage.h"
#include "dialogs/copy/CTypePage.h"
#include "dialogs/copy/CWelcomePage.h"
#include "dialogs/copy/CopyDialog.h"
#include "dialogs/copy/CopyWizard.h"
#include "framework/HelpWindow.h"
#include "framework/SettingsStore.h"

#include "WidgetTestSupport.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

template <class T> T* Control(QWidget& parent, const char* name)
{
    T* control = parent.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(control, nullptr) << name;
    return control;
}

bool operator==(const SCopyOptions& a, const SCopyOptions& b)
{
    return a.type == b.type && a.length == b.length && a.height == b.height;
}

// One entry of a size field and what comes of it.
struct SRangeCase
{
    const char* text;
    bool accepted;
    const char* refusal;
};

const SRangeCase kRangeCases[] = {
    {"99", false, "Geben Sie eine ganze Zahl zwischen 100 und 1000 ein."},
    {"100", true, ""},
    {"1000", true, ""},
    {"1001", false, "Geben Sie eine ganze Zahl zwischen 100 und 1000 ein."},
    {"abc", false, "Geben Sie eine ganze Zahl ein."},
    {"", false, "Geben Sie eine ganze Zahl ein."},
    {"12.5", false, "Geben Sie eine ganze Zahl ein."},
    {" 640 ", true, ""},
    {"99999999999", false, "Geben Sie eine ganze Zahl ein."},
};

const char* const kSizeFields[] = {"IDC_1067", "IDC_1068"};

TEST(CopyOptions, SizePageTakesOnly100To1000)
{
    for (const SRangeCase& c : kRangeCases) {
        for (const char* field : kSizeFields) {
            SCOPED_TRACE(std::string{c.text} + " in " + field);
            CCopyWizard wizard{SCopyOptions{}};
            const auto* sizePage = wizard.findChild<CCSizePage*>();
            const auto* donePage = wizard.findChild<CCDonePage*>();
            ASSERT_TRUE(sizePage && donePage);
            wizard.show();
            wizard.Next();
            wizard.Next();
            ASSERT_EQ(wizard.GetActivePage(), sizePage);
            auto* edit = Control<QLineEdit>(wizard, field);
            edit->setText(QString::fromLatin1(c.text));

            CMessageBoxCatcher messages;
            wizard.Next();
            if (c.accepted) {
                EXPECT_EQ(wizard.GetActivePage(), donePage);
                EXPECT_TRUE(messages.texts.isEmpty());
                const SCopyOptions options = wizard.Options();
                EXPECT_EQ(field == kSizeFields[0] ? options.length : options.height,
                          QString::fromLatin1(c.text).trimmed().toInt());
            } else {
                EXPECT_EQ(wizard.GetActivePage(), sizePage);
                EXPECT_EQ(messages.texts, QStringList{QString::fromUtf8(c.refusal)});
                EXPECT_EQ(edit->window()->focusWidget(), edit);
                EXPECT_EQ(edit->selectedText(), edit->text());
            }
        }
    }
}

TEST(CopyOptions, DialogTakesOnly100To1000)
{
    for (const SRangeCase& c : kRangeCases) {
        for (const char* field : kSizeFields) {
            SCOPED_TRACE(std::string{c.text} + " in " + field);
            CCopyDialog dialog{SCopyOptions{}};
            dialog.show();
            auto* edit = Control<QLineEdit>(dialog, field);
            edit->setText(QString::fromLatin1(c.text));

            CMessageBoxCatcher messages;
            QTest::mouseClick(Control<QPushButton>(dialog, "IDOK"), Qt::LeftButton);
            EXPECT_EQ(dialog.isVisible(), !c.accepted);
            if (c.accepted) {
                EXPECT_EQ(dialog.result(), QDialog::Accepted);
                EXPECT_TRUE(messages.texts.isEmpty());
            } else {
                EXPECT_EQ(messages.texts, QStringList{QString::fromUtf8(c.refusal)});
                EXPECT_EQ(edit->window()->focusWidget(), edit);
            }
        }
    }
}

TEST(CopyOptions, WizardWalksThroughFourPagesAndCollectsTheOptions)
{
    CCopyWizard wizard{SCopyOptions{}};
    wizard.show();
    EXPECT_EQ(wizard.windowTitle(), QStringLiteral("Kopieren - Willkommen"));
    EXPECT_FALSE(wizard.BackButton()->isEnabled());

    wizard.Next();
    EXPECT_EQ(wizard.windowTitle(), QStringLiteral("Kopieren - Typ"));
    EXPECT_TRUE(Control<QRadioButton>(wizard, "IDC_1064")->isChecked());
    EXPECT_EQ(Control<QRadioButton>(wizard, "IDC_1064")->text(), QStringLiteral("Als &Bitmap"));
    ClickOn(Control<QRadioButton>(wizard, "IDC_1065"));

    wizard.Next();
    EXPECT_EQ(wizard.windowTitle(), QStringLiteral("Kopieren - Größe"));
    EXPECT_EQ(Control<QLineEdit>(wizard, "IDC_1067")->text(), QStringLiteral("500"));
    EXPECT_EQ(Control<QLineEdit>(wizard, "IDC_1068")->text(), QStringLiteral("300"));
    Control<QLineEdit>(wizard, "IDC_1067")->setText(QStringLiteral("640"));

    // Back and forth keeps the choice and what was typed.
    wizard.Back();
    EXPECT_TRUE(Control<QRadioButton>(wizard, "IDC_1065")->isChecked());
    wizard.Next();
    EXPECT_EQ(Control<QLineEdit>(wizard, "IDC_1067")->text(), QStringLiteral("640"));

    wizard.Next();
    EXPECT_EQ(wizard.windowTitle(), QStringLiteral("Kopieren - Fertigstellen"));
    EXPECT_TRUE(wizard.FinishButton()->isVisible());
    EXPECT_TRUE(wizard.BackButton()->isEnabled());
    wizard.accept();
    EXPECT_TRUE((wizard.Options() == SCopyOptions{0, 640, 300}));
}

TEST(CopyOptions, DialogHelpOpensTheCopyPage)
{
    CCopyDialog dialog{SCopyOptions{}};
    dialog.show();
    QTest::mouseClick(Control<QPushButton>(dialog, "IDHELP"), Qt::LeftButton);
    ASSERT_NE(CHelpWindow::Instance(), nullptr);
    EXPECT_EQ(CHelpWindow::Instance()->CurrentPage(), QStringLiteral("qrc:/help/kopieren.html"));
    EXPECT_TRUE(dialog.isVisible());
    delete CHelpWindow::Instance();
}

// The interface mode picks the wizard or the dialog; cancelling either leaves the options alone.
TEST(CopyOptions, NoviceModeAsksWithTheWizardOtherwiseWithTheDialog)
{
    const struct
    {
        int novice; // -1: not stored
        bool wizard;
    } cases[] = {{-1, true}, {1, true}, {0, false}, {2, false}};
    for (const auto& c : cases) {
        UseFreshSettings();
        if (c.novice >= 0) {
            CSettingsStore::Instance().WriteProfileInt(QStringLiteral("Settings"), QStringLiteral("NoviceUI"),
                                                       c.novice);
        }
        QString opened;
        const CWhenModal<QDialog> driver1{[&opened](QDialog* dialog) {
            opened = dialog->objectName();
            dialog->reject();
        }};
        SCopyOptions options{0, 123, 456};
        EXPECT_FALSE(AskCopyOptions(nullptr, options));
        EXPECT_EQ(opened, c.wizard ? QStringLiteral("IDD_COPY_WIZARD") : QStringLiteral("IDD_154"))
            << c.novice;
        EXPECT_TRUE((options == SCopyOptions{0, 123, 456}));
    }
}

} // namespace
