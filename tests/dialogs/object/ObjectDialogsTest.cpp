#include "WidgetTestSupport.h"
#include "dialogs/ModalDriver.h"
#include "dialogs/function/FPCommentPage.h"
#include "dialogs/graph/VPObjectsPage.h"
#include "dialogs/object/FPObjectPage.h"
#include "dialogs/object/ObjectPropertiesSheet.h"
#include "document/GraphFile.h"
#include "framework/MessageBoxes.h"
#include "framework/PainterContext.h"
#include "framework/SettingsStore.h"
#include "view/GraphPaint.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

CGraphObject Point(double x, double y, const std::string& label = {}, int textPosition = 0)
{
    CGraphObject object;
    object.SetCoordinates(x, y);
    object.SetLabel(label);
    object.SetTextPosition(textPosition);
    return object;
}

CGraphObject Line(double position, std::int32_t kind = CGraphObject::VerticalLine)
{
    CGraphObject object;
    object.SetKind(kind);
    object.SetPosition(position);
    return object;
}

// Every field, so records can be compared.
std::string Fields(const CGraphObject& object)
{
    double x = 0.0;
    double y = 0.0;
    object.GetCoordinates(x, y);
    return std::to_string(object.GetKind()) + "|" + std::to_string(x) + "|" + std::to_string(y) + "|" +
           object.GetLabel() + "|" + std::to_string(object.GetTextPosition()) + "|" +
           std::to_string(object.GetPosition()) + "|" + object.GetComment() + "|" +
           std::to_string(object.GetColor());
}

QStringList ListTexts(const CVPObjectsPage& page)
{
    QStringList texts;
    for (int i = 0; i < page.List()->count(); ++i) {
        texts << page.List()->item(i)->text();
    }
    return texts;
}

bool EditEnabled(const CVPObjectsPage& page)
{
    return Control<QPushButton>(page, 1010)->isEnabled();
}

bool DeleteEnabled(const CVPObjectsPage& page)
{
    return Control<QPushButton>(page, 1011)->isEnabled();
}

// The pixels a graph with only these objects paints.
int InkOf(const CObjectList& objects)
{
    QImage image{400, 300, QImage::Format_RGB32};
    image.fill(Qt::white);
    {
        QPainter painter{&image};
        CPainterContext dc{painter};
        PaintGraph(dc, CRect{0, 0, 400, 300}, {}, objects, CScaling{});
    }
    int ink = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            ink += image.pixel(x, y) != qRgb(255, 255, 255) ? 1 : 0;
        }
    }
    return ink;
}

// Settings of their own for each test, in novice or advanced mode.
class ObjectPageTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        CSettingsStore::UseFile(m_dir.filePath(QStringLiteral("settings.ini")));
    }
    void TearDown() override
    {
        SetMessageBoxHook({});
        // Empty would mean the user's own settings for every test that follows.
        UseFreshSettings();
    }
    static void SetNovice(bool novice)
    {
        CSettingsStore::Instance().WriteProfileInt(QStringLiteral("Settings"), QStringLiteral("NoviceUI"),
                                                   novice ? 1 : 0);
    }

    QTemporaryDir m_dir;
};

struct SEntryCase
{
    CGraphObject object;
    const char* text;
};

TEST(ObjectPage, ListsPointsByCoordinatesAndLabelAndLinesByPosition)
{
    const SEntryCase cases[] = {
        {Point(1.0, 2.5, "P"), "Punkt ( 1 | 2.5 ): P"},
        {Point(1.50000, 2.00000, "A"), "Punkt ( 1.5 | 2 ): A"},
        {Point(-3.25, -0.5, "neg"), "Punkt ( -3.25 | -0.5 ): neg"},
        {Point(0.0, 0.0), "Punkt ( 0 | 0 ): "},
        {Point(1.0 / 3.0, 0.000004), "Punkt ( 0.33333 | 0 ): "},
        {Point(2.0, 3.0,
               "\xC4u\xDF"
               "ere"),
         "Punkt ( 2 | 3 ): Äußere"},
        {Line(3.0), "Senkrechte: x=3"},
        {Line(-1.25), "Senkrechte: x=-1.25"},
        {Line(7.0, 2), "Senkrechte: x=7"},
    };
    for (const SEntryCase& c : cases) {
        EXPECT_EQ(CVPObjectsPage::EntryText(c.object), QString::fromUtf8(c.text));
    }

    // A line shows its position only, whatever point fields it keeps.
    CGraphObject line = Point(4.0, 5.0, "hidden", 3);
    line.SetKind(CGraphObject::VerticalLine);
    line.SetPosition(0.5);
    EXPECT_EQ(CVPObjectsPage::EntryText(line), "Senkrechte: x=0.5");
}

TEST_F(ObjectPageTest, EditAndDeleteFollowTheSelectionAndEveryRefillClearsIt)
{
    CVPObjectsPage page{{Point(1, 1, "a"), Line(2)}};
    page.UpdateData(false);
    EXPECT_EQ(ListTexts(page), (QStringList{"Punkt ( 1 | 1 ): a", "Senkrechte: x=2"}));
    EXPECT_FALSE(EditEnabled(page));
    EXPECT_FALSE(DeleteEnabled(page));
    EXPECT_TRUE(Control<QPushButton>(page, 1009)->isEnabled());

    page.List()->setCurrentRow(1);
    EXPECT_TRUE(EditEnabled(page));
    EXPECT_TRUE(DeleteEnabled(page));
    page.List()->clearSelection();
    EXPECT_FALSE(EditEnabled(page));

    // Nothing selected: edit and delete do nothing.
    page.OnEdit();
    page.OnDelete();
    EXPECT_EQ(page.GetObjects().size(), 2U);

    SetNovice(true);
    page.List()->setCurrentRow(0);
    FailOnModal();
    Control<QPushButton>(page, 1009)->click();
    QApplication::processEvents();
    EXPECT_EQ(page.List()->selectedItems().size(), 0);
    EXPECT_FALSE(EditEnabled(page));
    EXPECT_FALSE(DeleteEnabled(page));
}

TEST_F(ObjectPageTest, NoviceAddAppendsTheRecordDefaultsAtOnce)
{
    // Without the value the program counts as novice.
    CVPObjectsPage page{{Line(2)}};
    page.UpdateData(false);
    FailOnModal();
    Control<QPushButton>(page, 1009)->click();
    QApplication::processEvents();
    ASSERT_EQ(page.GetObjects().size(), 2U);
    EXPECT_EQ(Fields(page.GetObjects()[1]), Fields(CGraphObject{}));
    EXPECT_EQ(ListTexts(page).last(), "Punkt ( 0 | 0 ): ");
}

TEST_F(ObjectPageTest, AdvancedAddStartsAtOneOneAndAppendsOnlyOnOk)
{
    SetNovice(false);
    CVPObjectsPage page{{Point(5, 5, "first")}};
    page.UpdateData(false);

    WhenModal<CObjectPropertiesSheet>([](CObjectPropertiesSheet& sheet) {
        EXPECT_EQ(sheet.windowTitle(), "Eigenschaften des Objekts");
        EXPECT_EQ(sheet.Tabs()->tabText(0), "Objekt");
        EXPECT_EQ(sheet.Tabs()->tabText(1), "Sonstiges");
        EXPECT_EQ(sheet.GetActiveIndex(), 0);
        EXPECT_TRUE(Control<QRadioButton>(sheet, 1079)->isChecked());
        EXPECT_TRUE(Control<QRadioButton>(sheet, 1083)->isChecked());
        EXPECT_EQ(Text(sheet, 1080), "");
        EXPECT_EQ(Text(sheet, 1081), "1");
        EXPECT_EQ(Text(sheet, 1082), "1");
        EXPECT_EQ(Text(sheet, 1092), "1");
        sheet.reject();
    });
    Control<QPushButton>(page, 1009)->click();
    EXPECT_EQ(page.GetObjects().size(), 1U);

    WhenModal<CObjectPropertiesSheet>([](CObjectPropertiesSheet& sheet) {
        SetText(sheet, 1080, "Q");
        SetText(sheet, 1081, "-2.5");
        sheet.OkButton()->click();
    });
    Control<QPushButton>(page, 1009)->click();
    ASSERT_EQ(page.GetObjects().size(), 2U);
    EXPECT_EQ(ListTexts(page), (QStringList{"Punkt ( 5 | 5 ): first", "Punkt ( -2.5 | 1 ): Q"}));
    EXPECT_EQ(page.GetObjects()[1].GetPosition(), 1.0);
}

TEST_F(ObjectPageTest, EditReplacesInPlaceAndCancelKeepsTheCopy)
{
    CVPObjectsPage page{{Point(1, 1, "a"), Point(2, 2, "b"), Point(3, 3, "c")}};
    page.UpdateData(false);

    page.List()->setCurrentRow(1);
    WhenModal<CObjectPropertiesSheet>([](CObjectPropertiesSheet& sheet) {
        EXPECT_EQ(Text(sheet, 1080), "b");
        SetText(sheet, 1082, "9");
        sheet.reject();
    });
    Control<QPushButton>(page, 1010)->click();
    EXPECT_EQ(ListTexts(page)[1], "Punkt ( 2 | 2 ): b");

    // A double click edits as well.
    page.List()->setCurrentRow(1);
    WhenModal<CObjectPropertiesSheet>([](CObjectPropertiesSheet& sheet) {
        Control<QRadioButton>(sheet, 1091)->click();
        SetText(sheet, 1092, "4.5");
        sheet.OkButton()->click();
    });
    emit page.List()->itemDoubleClicked(page.List()->item(1));
    EXPECT_EQ(ListTexts(page),
              (QStringList{"Punkt ( 1 | 1 ): a", "Senkrechte: x=4.5", "Punkt ( 3 | 3 ): c"}));
    EXPECT_EQ(page.GetObjects()[1].GetLabel(), "b");
    EXPECT_FALSE(EditEnabled(page));
}

TEST_F(ObjectPageTest, DeleteAsksFirstAndRemovesOnlyOnYes)
{
    CVPObjectsPage page{{Point(1, 1, "a"), Line(2), Point(3, 3, "c")}};
    page.UpdateData(false);
    QStringList questions;
    bool answer = false;
    SetMessageBoxHook([&](const QString& text, bool question) {
        EXPECT_TRUE(question);
        questions << text;
        return answer;
    });

    page.List()->setCurrentRow(1);
    Control<QPushButton>(page, 1011)->click();
    EXPECT_EQ(page.GetObjects().size(), 3U);
    EXPECT_EQ(questions,
              QStringList{QString::fromUtf8("Sind Sie sicher, daß Sie dieses Objekt löschen wollen?")});

    answer = true;
    Control<QPushButton>(page, 1011)->click();
    EXPECT_EQ(ListTexts(page), (QStringList{"Punkt ( 1 | 1 ): a", "Punkt ( 3 | 3 ): c"}));
    EXPECT_FALSE(DeleteEnabled(page));
}

TEST(ObjectSheet, KindEnablesItsFieldsAndSwitchingBackLosesNothing)
{
    const CGraphObject starts[] = {Point(1.5, -2, "Mitte", 6), Line(3), Line(-1, 2)};
    for (const CGraphObject& start : starts) {
        CObjectPropertiesSheet sheet{start};
        sheet.show();
        const bool point = start.IsPoint();
        EXPECT_EQ(Control<QRadioButton>(sheet, 1079)->isChecked(), point);
        EXPECT_EQ(Control<QRadioButton>(sheet, 1091)->isChecked(), !point);
        for (int id = 1080; id <= 1090; ++id) {
            EXPECT_EQ(Control(sheet, id)->isEnabled(), point) << id;
        }
        EXPECT_EQ(Control(sheet, 1092)->isEnabled(), !point);

        Control<QRadioButton>(sheet, point ? 1091 : 1079)->click();
        EXPECT_EQ(Control(sheet, 1081)->isEnabled(), !point);
        EXPECT_EQ(Control(sheet, 1092)->isEnabled(), point);
        Control<QRadioButton>(sheet, point ? 1079 : 1091)->click();

        sheet.OkButton()->click();
        ASSERT_EQ(sheet.result(), QDialog::Accepted);
        CGraphObject written;
        sheet.WriteTo(written);
        CGraphObject expected = start;
        expected.SetKind(point ? CGraphObject::Point : CGraphObject::VerticalLine);
        EXPECT_EQ(Fields(written), Fields(expected));
    }
}

TEST(ObjectSheet, PositionButtonsGiveZeroToSevenWhateverTheKind)
{
    for (int position = 0; position < 8; ++position) {
        CObjectPropertiesSheet sheet{Point(0, 0, "", 7 - position)};
        sheet.show();
        EXPECT_TRUE(Control<QRadioButton>(sheet, 1083 + 7 - position)->isChecked());
        Control<QRadioButton>(sheet, 1083 + position)->click();
        Control<QRadioButton>(sheet, 1091)->click();
        EXPECT_TRUE(Control<QRadioButton>(sheet, 1083 + position)->isChecked());
        sheet.OkButton()->click();
        CGraphObject written;
        sheet.WriteTo(written);
        EXPECT_EQ(written.GetTextPosition(), position);
        EXPECT_EQ(written.GetKind(), CGraphObject::VerticalLine);
    }

    // A position from a file that no button stands for is kept.
    CObjectPropertiesSheet sheet{Point(0, 0, "", 11)};
    sheet.show();
    for (int id = 1083; id <= 1090; ++id) {
        EXPECT_FALSE(Control<QRadioButton>(sheet, id)->isChecked());
    }
    sheet.OkButton()->click();
    CGraphObject written;
    sheet.WriteTo(written);
    EXPECT_EQ(written.GetTextPosition(), 11);
}

TEST(ObjectSheet, WritesEveryFieldWhateverTheKind)
{
    CGraphObject start = Point(1, 2, "L", 4);
    start.SetComment("Kommentar");
    start.SetColor(0x00123456);
    CObjectPropertiesSheet sheet{start};
    sheet.show();
    Control<QRadioButton>(sheet, 1091)->click();
    // Disabled fields are still read.
    SetText(sheet, 1080, QString::fromUtf8("Größe"));
    SetText(sheet, 1081, "10");
    SetText(sheet, 1082, "-20");
    SetText(sheet, 1092, "2.5");
    sheet.OkButton()->click();
    ASSERT_EQ(sheet.result(), QDialog::Accepted);
    CGraphObject written;
    sheet.WriteTo(written);
    CGraphObject expected = Point(10, -20,
                                  "Gr\xF6\xDF"
                                  "e",
                                  4);
    expected.SetKind(CGraphObject::VerticalLine);
    expected.SetPosition(2.5);
    expected.SetComment("Kommentar");
    expected.SetColor(0x00123456);
    EXPECT_EQ(Fields(written), Fields(expected));
}

struct SRefusalCase
{
    int field;
    bool lineChosen;
};

TEST(ObjectSheet, ARefusedNumberKeepsTheSheetOpenEvenWhenItsFieldIsDisabled)
{
    const SRefusalCase cases[] = {{1081, false}, {1082, true}, {1092, false}, {1092, true}};
    for (const SRefusalCase& c : cases) {
        QStringList messages;
        SetMessageBoxHook([&](const QString& text, bool) {
            messages << text;
            return false;
        });
        CObjectPropertiesSheet sheet{Point(1, 1)};
        sheet.show();
        if (c.lineChosen) {
            Control<QRadioButton>(sheet, 1091)->click();
        }
        SetText(sheet, c.field, "1;5");
        sheet.Tabs()->setCurrentIndex(1);
        EXPECT_EQ(sheet.GetActiveIndex(), 0) << c.field;
        sheet.OkButton()->click();
        EXPECT_TRUE(sheet.isVisible()) << c.field;
        EXPECT_EQ(sheet.result(), QDialog::Rejected);
        EXPECT_EQ(messages.size(), 2) << c.field;
        SetMessageBoxHook({});
    }
}

TEST(ObjectSheet, ALabelOfAHundredThousandCharactersIsPastedSavedReadAndDrawn)
{
    const QString label = QString{100'000, QLatin1Char('a')} + QString::fromUtf8("ä");
    CObjectPropertiesSheet sheet{Point(1, 1)};
    sheet.show();
    QLineEdit* field = sheet.ObjectPage()->LabelField();
    QApplication::clipboard()->setText(label);
    field->setFocus();
    field->paste();
    ASSERT_EQ(field->text().size(), label.size());
    sheet.OkButton()->click();
    CGraphObject object;
    sheet.WriteTo(object);
    ASSERT_EQ(object.GetLabel().size(), 100'001U);
    EXPECT_EQ(object.GetLabel().back(), '\xE4');

    CZelDoc doc;
    doc.SetObjects({object});
    const std::vector<std::uint8_t> bytes = WriteGraphFile(doc);
    CZelDoc read;
    std::string error;
    ASSERT_TRUE(ReadGraphFile(bytes, read, error)) << error;
    ASSERT_EQ(read.GetObjects().size(), 1U);
    EXPECT_EQ(read.GetObjects()[0].GetLabel(), object.GetLabel());

    // The label is drawn, as far as the picture reaches, and more of it than of a short one.
    CObjectList shortLabel = read.GetObjects();
    shortLabel[0].SetLabel("aaaa");
    EXPECT_GT(InkOf(read.GetObjects()), InkOf(shortLabel) + 100);

    CVPObjectsPage page{read.GetObjects()};
    page.UpdateData(false);
    EXPECT_TRUE(page.List()->item(0)->text().endsWith(QString::fromUtf8("aä")));
}

// What the user did not touch goes back exactly as the file had it, however long it is.
TEST(ObjectSheet, AnUnchangedOkKeepsLongTextsByteForByte)
{
    const std::string label = std::string(300'000, 'l') + "\xE4";
    const std::string comment = std::string(300'000, 'c') + "\r\n\x80";
    CGraphObject start = Point(1, 1, label);
    start.SetComment(comment);
    CObjectPropertiesSheet sheet{start};
    sheet.show();
    sheet.Tabs()->setCurrentIndex(1);
    sheet.OkButton()->click();
    ASSERT_EQ(sheet.result(), QDialog::Accepted);
    CGraphObject written;
    sheet.WriteTo(written);
    EXPECT_EQ(written.GetLabel().size(), label.size());
    EXPECT_TRUE(written.GetLabel() == label);
    EXPECT_TRUE(written.GetComment() == comment);
}

// A refused paste is refused whole, and the user reads why at the field.
TEST(ObjectSheet, ARefusedPasteSaysWhy)
{
    const struct
    {
        const char* field;
        QString pasted;
        const char* reason;
    } cases[] = {{"IDC_1080", QString{250'001, QLatin1Char('a')}, "höchstens 250000 Zeichen"},
                 {"IDC_1080", QString::fromUtf8("a\u2192b"), "U+2192"},
                 {"IDC_1022", QString{1025, QLatin1Char('a')}, "höchstens 1024 Zeichen"},
                 {"IDC_1022", QString::fromUtf8("\u2192"), "U+2192"}};
    for (const auto& c : cases) {
        CObjectPropertiesSheet sheet{Point(1, 1, "alt")};
        sheet.show();
        QWidget* field = sheet.findChild<QWidget*>(QString::fromLatin1(c.field));
        ASSERT_NE(field, nullptr) << c.field;
        for (int tab = 0; tab < sheet.Tabs()->count(); ++tab) {
            if (sheet.Tabs()->widget(tab)->isAncestorOf(field)) {
                sheet.Tabs()->setCurrentIndex(tab);
            }
        }
        QToolTip::hideText();
        QApplication::clipboard()->setText(c.pasted);
        field->setFocus();
        QMetaObject::invokeMethod(field, "paste");
        const QString text = qobject_cast<QLineEdit*>(field)
                                 ? qobject_cast<QLineEdit*>(field)->text()
                                 : qobject_cast<QPlainTextEdit*>(field)->toPlainText();
        EXPECT_FALSE(text.contains(c.pasted)) << c.field << " took the paste";
        EXPECT_TRUE(QToolTip::text().contains(QString::fromUtf8(c.reason)))
            << c.field << ": " << QToolTip::text().toStdString();
    }
}

} // namespace
