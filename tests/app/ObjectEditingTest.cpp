#include "AppTestSupport.h"
#include "WidgetTestSupport.h"
#include "dialogs/ModalDriver.h"

#include "app/DocumentManager.h"
#include "app/GraphDocument.h"
#include "app/MainFrame.h"
#include "dialogs/graph/GraphPropertiesSheet.h"
#include "dialogs/graph/VPObjectsPage.h"
#include "dialogs/graph/VPScalPage.h"
#include "dialogs/object/ObjectPropertiesSheet.h"
#include "framework/CommandIds.h"
#include "framework/MessageBoxes.h"
#include "framework/SettingsStore.h"

#include <QAction>
#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class ObjectEditingTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        CSettingsStore::UseFile(m_dir.filePath(QStringLiteral("settings.ini")));
        m_frame.DocumentManager()->askSave = [](const QString&) { return QMessageBox::No; };
        m_frame.DocumentManager()->showError = [](const QString& message) {
            ADD_FAILURE() << message.toStdString();
        };
        m_frame.show();
    }
    void TearDown() override
    {
        SetMessageBoxHook({});
        m_frame.DocumentManager()->CloseAllDocuments();
        // Empty would mean the user's own settings for every test that follows.
        UseFreshSettings();
    }

    QTemporaryDir m_dir;
    CMainFrame m_frame;
};

QByteArray ToBytes(const std::vector<std::uint8_t>& bytes)
{
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

QByteArray Hex(const char* text)
{
    return QByteArray::fromHex(QByteArray{text}.replace(' ', ""));
}

TEST_F(ObjectEditingTest, APointAddedAndARangeChangedThroughTheSheetAreSavedByteForByte)
{
    CSettingsStore::Instance().WriteProfileInt(QStringLiteral("Settings"), QStringLiteral("NoviceUI"), 0);
    CGraphDocument* document = m_frame.DocumentManager()->NewDocument();
    ASSERT_NE(document, nullptr);

    WhenModal<CGraphPropertiesSheet>([](CGraphPropertiesSheet& sheet) {
        EXPECT_EQ(sheet.GetActiveIndex(), CGraphPropertiesSheet::kObjectsPage);
        WhenModal<CObjectPropertiesSheet>([](CObjectPropertiesSheet& objectSheet) {
            SetText(objectSheet, 1080, "P");
            SetText(objectSheet, 1081, "2.5");
            SetText(objectSheet, 1082, "-1");
            Control<QRadioButton>(objectSheet, 1087)->click();
            objectSheet.OkButton()->click();
        });
        Control<QPushButton>(*sheet.ObjectsPage(), 1009)->click();
        EXPECT_EQ(sheet.ObjectsPage()->List()->item(0)->text(), "Punkt ( 2.5 | -1 ): P");

        sheet.Tabs()->setCurrentIndex(CGraphPropertiesSheet::kScalingPage);
        SetText(*sheet.ScalingPage(), 1036, "0");
        SetText(*sheet.ScalingPage(), 1037, "10");
        SetText(*sheet.ScalingPage(), 1038, "2");
        Control<QCheckBox>(*sheet.ScalingPage(), 1042)->click();
        sheet.OkButton()->click();
    });
    m_frame.Action(ID_EDIT_OBJECTS)->trigger();
    ASSERT_EQ(document->Model().GetObjects().size(), 1U);

    const QString path = m_dir.filePath(QStringLiteral("punkt.zel"));
    m_frame.DocumentManager()->askSaveFileName = [&path](const QString&) { return path; };
    ASSERT_TRUE(m_frame.DocumentManager()->SaveDocument(document));
    EXPECT_FALSE(document->IsModified());

    const QByteArray expected =
        Hex("0000000000000000 0000000000002440 0000000000000040" // x 0 to 10, step 2
            "00000000000014C0 0000000000001440 000000000000F03F" // y -5 to 5, step 1
            "00000000 01000000 01000000 01000000"                // no automatic y, labels, terms, grid
            "000000000000F03F 000000000000F03F"                  // 1 cm per step
            "FFFFFFFF"                                           // no functions
            "00000000"                                           // one object:
            "00000000 0000000000000440 000000000000F0BF"         // a point at 2.5, -1
            "0150 04000000"                                      // "P" to the right
            "000000000000F03F 00 00000000");                     // line at 1, no comment, black
    EXPECT_EQ(ReadBytes(path).toHex(' '), expected.toHex(' '));

    // One undo takes both back.
    m_frame.Action(ID_EDIT_UNDO)->trigger();
    EXPECT_TRUE(document->Model().GetObjects().empty());
    EXPECT_EQ(document->Model().GetScaling(), CScaling{});
}

TEST_F(ObjectEditingTest, CancelAfterSeveralEditsLeavesTheDocumentAsItWas)
{
    const QString path = m_dir.filePath(QStringLiteral("f.zel"));
    CZelDoc model;
    CGraphObject line;
    line.SetKind(CGraphObject::VerticalLine);
    line.SetPosition(2.0);
    model.SetObjects({CGraphObject{}, line});
    WriteBytes(path, ToBytes(WriteGraphFile(model)));
    CGraphDocument* document = m_frame.DocumentManager()->OpenDocument(path);
    ASSERT_NE(document, nullptr);
    SetMessageBoxHook([](const QString&, bool) { return true; });

    for (int command : {ID_EDIT_OBJECTS, ID_EDIT_SCALING, ID_PROPERTIES}) {
        WhenModal<CGraphPropertiesSheet>([](CGraphPropertiesSheet& sheet) {
            CVPObjectsPage& objects = *sheet.ObjectsPage();
            Control<QPushButton>(objects, 1009)->click();
            objects.List()->setCurrentRow(0);
            Control<QPushButton>(objects, 1011)->click();
            objects.List()->setCurrentRow(0);
            WhenModal<CObjectPropertiesSheet>([](CObjectPropertiesSheet& objectSheet) {
                SetText(objectSheet, 1092, "8");
                objectSheet.OkButton()->click();
            });
            Control<QPushButton>(objects, 1010)->click();
            ASSERT_EQ(objects.GetObjects().size(), 2U);
            SetText(*sheet.ScalingPage(), 1037, "50");
            Control<QCheckBox>(*sheet.ScalingPage(), 1043)->click();
            sheet.Tabs()->setCurrentIndex(CGraphPropertiesSheet::kFunctionsPage);
            sheet.reject();
        });
        m_frame.Action(command)->trigger();
        EXPECT_EQ(ToBytes(WriteGraphFile(document->Model())), ReadBytes(path));
        EXPECT_FALSE(document->IsModified());
        EXPECT_FALSE(document->Model().CanUndo());
    }
}

} // namespace
