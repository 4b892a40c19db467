#include "AppTestSupport.h"

#include "app/DocumentManager.h"
#include "app/GraphDocument.h"
#include "app/MainFrame.h"
#include "dialogs/DialogTestSupport.h"
#include "dialogs/addfunction/AddFunctionWizard.h"
#include "dialogs/addfunction/FACommentPage.h"
#include "dialogs/addfunction/FAFunctionPage.h"
#include "dialogs/function/FunctionPropertySheet.h"
#include "dialogs/graph/GraphPropertiesSheet.h"
#include "dialogs/graph/VPFunctionsPage.h"
#include "framework/CommandIds.h"
#include "framework/Cp1252TextEdit.h"
#include "framework/SettingsStore.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QByteArray Int32(std::uint32_t value)
{
    QByteArray bytes;
    for (int i = 0; i < 4; ++i) {
        bytes.append(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
    return bytes;
}

QByteArray Double(const char (&bytes)[9])
{
    return QByteArray{bytes, 8};
}

// A new graph's scaling: x and y from -5 to 5 in steps of 1, the four flags, 1 cm per step.
QByteArray NewScaling()
{
    const QByteArray minusFive = Double("\x00\x00\x00\x00\x00\x00\x14\xC0");
    const QByteArray five = Double("\x00\x00\x00\x00\x00\x00\x14\x40");
    const QByteArray one = Double("\x00\x00\x00\x00\x00\x00\xF0\x3F");
    return minusFive + five + one + minusFive + five + one + Int32(1) + Int32(1) + Int32(1) + Int32(1) + one +
           one;
}

// From File - New to the saved file, as a new user would: "Funktionen bearbeiten", "Hinzufügen...",
// the wizard with sin(x), a comment and red, OK, save.
TEST(AddFunction, NewGraphWithSinThroughTheWizardSavesTheExpectedBytes)
{
    CSettingsStore::Instance().WriteProfileInt(QStringLiteral("Settings"), QStringLiteral("NoviceUI"), 1);
    QTemporaryDir dir;
    CMainFrame frame;
    CDocumentManager* manager = frame.DocumentManager();
    manager->askSave = [](const QString&) { return QMessageBox::No; };
    manager->askSaveFileName = [&dir](const QString&) { return dir.filePath(QStringLiteral("welle.zel")); };
    CGraphDocument* document = manager->NewDocument();
    ASSERT_NE(document, nullptr);

    bool wizardRan = false;
    WhenShown<CGraphPropertiesSheet>([&](CGraphPropertiesSheet* sheet) {
        EXPECT_EQ(sheet->windowTitle(), QStringLiteral("Eigenschaften von Graph1"));
        EXPECT_EQ(sheet->GetActiveIndex(), CGraphPropertiesSheet::kFunctionsPage);
        WhenShown<CAddFunctionWizard>([&](CAddFunctionWizard* wizard) {
            wizardRan = true;
            wizard->NextButton()->click();
            QTest::keyClicks(wizard->FunctionPage()->TermField(), QStringLiteral("sin(x)"));
            QTest::keyClick(wizard->FunctionPage()->TermField(), Qt::Key_Return);
            wizard->NextButton()->click();
            Type(wizard->CommentPage()->CommentField(), QStringLiteral("Welle ä"));
            wizard->NextButton()->click();
            ChooseColorWhenAsked(QColor{255, 0, 0});
            wizard->findChild<QPushButton*>(QStringLiteral("IDC_1049"))->click();
            wizard->NextButton()->click();
            wizard->FinishButton()->click();
        });
        sheet->FunctionsPage()->AddButton()->click();
        sheet->OkButton()->click();
    });
    frame.Action(ID_EDIT_FUNCTIONS)->trigger();
    ASSERT_TRUE(wizardRan);
    EXPECT_TRUE(document->IsModified());
    EXPECT_TRUE(document->Model().CanUndo());

    ASSERT_TRUE(manager->SaveDocument(document));
    const QByteArray function = QByteArray("\x06sin(x)") + QByteArray("\x07Welle \xE4") + Int32(0) +
                                QByteArray(24, '\0') + Int32(0x000000FF);
    const QByteArray expected = NewScaling() + Int32(0) /* one function */ + function + Int32(0xFFFFFFFF);
    EXPECT_EQ(ReadBytes(dir.filePath(QStringLiteral("welle.zel"))).toHex(' ').toStdString(),
              expected.toHex(' ').toStdString());

    // Undo brings back the empty list.
    frame.Action(ID_EDIT_UNDO)->trigger();
    EXPECT_TRUE(document->Model().GetFunctions().empty());
    manager->CloseAllDocuments();
}

// The advanced way to the same function, and Cancel at the end leaves the graph untouched.
TEST(AddFunction, AdvancedModeAddsThroughThePropertySheetAndCancelKeepsTheGraph)
{
    CSettingsStore::Instance().WriteProfileInt(QStringLiteral("Settings"), QStringLiteral("NoviceUI"), 0);
    for (const bool ok : {true, false}) {
        CMainFrame frame;
        CDocumentManager* manager = frame.DocumentManager();
        manager->askSave = [](const QString&) { return QMessageBox::No; };
        CGraphDocument* document = manager->NewDocument();
        WhenShown<CGraphPropertiesSheet>([ok](CGraphPropertiesSheet* sheet) {
            WhenShown<CFunctionPropertySheet>([](CFunctionPropertySheet* dialog) {
                EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Funktion hinzufügen"));
                QTest::keyClicks(dialog->focusWidget(), QStringLiteral("x^2"));
                EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Eigenschaften von f(x)=x^2"));
                QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
            });
            sheet->FunctionsPage()->AddButton()->click();
            ok ? sheet->OkButton()->click() : sheet->reject();
        });
        frame.Action(ID_EDIT_FUNCTIONS)->trigger();
        EXPECT_EQ(document->Model().GetFunctionCount(), ok ? 1u : 0u);
        EXPECT_EQ(document->IsModified(), ok);
        if (ok) {
            EXPECT_EQ(document->Model().GetFunctions()[0].GetTerm(), "x^2");
        }
        manager->CloseAllDocuments();
    }
    CSettingsStore::Instance().WriteProfileInt(QStringLiteral("Settings"), QStringLiteral("NoviceUI"), 1);
}

} // namespace
