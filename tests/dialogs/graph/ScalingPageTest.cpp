#include "dialogs/ModalDriver.h"
#include "dialogs/graph/GraphPropertiesSheet.h"
#include "dialogs/graph/VPObjectsPage.h"
#include "dialogs/graph/VPScalPage.h"
#include "dialogs/object/FPObjectPage.h"
#include "dialogs/object/ObjectPropertiesSheet.h"
#include "document/ZelDoc.h"
#include "framework/HelpWindow.h"
#include "framework/MessageBoxes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr int kYFields[] = {1039, 1040, 1041};

class ScalingPageTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SetMessageBoxHook([this](const QString& text, bool) {
            m_messages << text;
            return false;
        });
    }
    void TearDown() override { SetMessageBoxHook({}); }

    // Opens the sheet on the scaling page, lets edit change it and confirms; false when the sheet
    // stayed open.
    bool EditScaling(CZelDoc& doc, const std::function<void(CGraphPropertiesSheet&)>& edit)
    {
        CGraphPropertiesSheet sheet{QStringLiteral("Graph1"), doc, CGraphPropertiesSheet::kScalingPage};
        sheet.show();
        edit(sheet);
        sheet.OkButton()->click();
        if (sheet.result() != QDialog::Accepted) {
            return false;
        }
        sheet.ApplyTo(doc);
        return true;
    }

    QStringList m_messages;
};

bool YFieldsEnabled(const QWidget& page)
{
    bool all = true;
    bool any = false;
    for (int id : kYFields) {
        all = all && Control(page, id)->isEnabled();
        any = any || Control(page, id)->isEnabled();
    }
    EXPECT_EQ(all, any) << "the y fields go together";
    return all;
}

TEST_F(ScalingPageTest, ANewDocumentShowsTheDefaults)
{
    CVPScalPage page{CScaling{}};
    page.UpdateData(false);
    const std::pair<int, const char*> texts[] = {{1036, "-5"}, {1037, "5"}, {1038, "1"}, {1039, "-5"},
                                                 {1040, "5"},  {1041, "1"}, {1048, "1"}, {1049, "1"}};
    for (const auto& [id, text] : texts) {
        EXPECT_EQ(Text(page, id), text) << id;
    }
    for (int id : {1042, 1043, 1044}) {
        EXPECT_TRUE(Control<QCheckBox>(page, id)->isChecked()) << id;
    }
    auto* grid = Control<QComboBox>(page, 1045);
    EXPECT_EQ(grid->count(), 3);
    EXPECT_EQ(grid->itemText(0), "Kein Gitter");
    EXPECT_EQ(grid->itemText(2), "Punkte");
    EXPECT_EQ(grid->currentText(), "gestrichelte Linien");
    int centimetres = 0;
    for (const QLabel* label : page.findChildren<QLabel*>()) {
        centimetres += label->text() == "cm" ? 1 : 0;
    }
    EXPECT_EQ(centimetres, 2);
    EXPECT_FALSE(YFieldsEnabled(page));
}

TEST_F(ScalingPageTest, TheYFieldsAreEnabledExactlyWhileAutomaticScalingIsOff)
{
    CScaling manual;
    manual.SetAutoScaleY(0);
    CVPScalPage page{manual};
    page.UpdateData(false);
    EXPECT_TRUE(YFieldsEnabled(page));

    auto* box = Control<QCheckBox>(page, 1042);
    box->click();
    EXPECT_FALSE(YFieldsEnabled(page));
    EXPECT_TRUE(page.m_autoScaleY);
    // The disabled fields keep their values and are written back all the same.
    SetText(page, 1040, "7");
    box->click();
    EXPECT_TRUE(YFieldsEnabled(page));
    EXPECT_EQ(page.m_yTo, 7.0);

    // A click re-reads the fields: a bad one is reported, and the y fields still follow the box.
    SetText(page, 1038, "x");
    box->click();
    EXPECT_EQ(m_messages.size(), 1);
    EXPECT_FALSE(YFieldsEnabled(page));
}

TEST_F(ScalingPageTest, TheRecordPutsTheValuesInOrderAndReopeningShowsThem)
{
    struct SCase
    {
        std::vector<std::pair<int, QString>> typed;
        std::vector<std::pair<int, QString>> shown;
    };
    const SCase cases[] = {
        {{{1036, "5"}, {1037, "-5"}}, {{1036, "-5"}, {1037, "5"}, {1038, "1"}}},
        {{{1036, "0"}, {1037, "1"}, {1038, "1"}}, {{1036, "0"}, {1037, "1"}, {1038, "0.25"}}},
        {{{1036, "0"}, {1037, "1"}, {1038, "0.5"}}, {{1038, "0.5"}}},
        {{{1036, "2"}, {1037, "2"}}, {{1036, "2"}, {1037, "2"}, {1038, "0"}}},
        {{{1039, "3"}, {1040, "-3"}, {1041, "10"}}, {{1039, "-3"}, {1040, "3"}, {1041, "1.5"}}},
        {{{1048, "-2"}, {1049, "0"}}, {{1048, "1"}, {1049, "0"}}},
        {{{1048, "2.54"}, {1049, "1e300"}}, {{1048, "2.54"}, {1049, "1e+300"}}},
    };
    for (const SCase& c : cases) {
        CZelDoc doc;
        ASSERT_TRUE(EditScaling(doc, [&](CGraphPropertiesSheet& sheet) {
            for (const auto& [id, text] : c.typed) {
                SetText(*sheet.ScalingPage(), id, text);
            }
        }));
        CVPScalPage reopened{doc.GetScaling()};
        reopened.UpdateData(false);
        for (const auto& [id, text] : c.shown) {
            EXPECT_EQ(Text(reopened, id), text) << id << " after " << c.typed.front().second.toStdString();
        }
    }
}

TEST_F(ScalingPageTest, ChecksAndGridAreWrittenBack)
{
    CZelDoc doc;
    ASSERT_TRUE(EditScaling(doc, [](CGraphPropertiesSheet& sheet) {
        Control<QCheckBox>(*sheet.ScalingPage(), 1042)->click();
        Control<QCheckBox>(*sheet.ScalingPage(), 1044)->click();
        Control<QComboBox>(*sheet.ScalingPage(), 1045)->setCurrentIndex(2);
    }));
    const CScaling scaling = doc.GetScaling();
    EXPECT_EQ(scaling.GetAutoScaleY(), 0);
    EXPECT_EQ(scaling.GetLabelAxes(), 1);
    EXPECT_EQ(scaling.GetShowTerms(), 0);
    EXPECT_EQ(scaling.GetGridType(), CScaling::Dots);
    EXPECT_TRUE(doc.CanUndo());
    doc.Undo();
    EXPECT_EQ(doc.GetScaling(), CScaling{});
}

// Scalings a file may bring: flags other than 1, a grid type the list does not hold, values the
// number fields show in 15 digits only.
CScaling OddScaling()
{
    CScaling scaling;
    scaling.SetXRange(0.1 + 0.2, 1.0 / 3.0, 0.01);
    scaling.SetAutoScaleY(0);
    scaling.SetYRange(-1e-300 / 3.0, 7.0, 0.7);
    scaling.SetShowTerms(5);
    scaling.SetLabelAxes(-1);
    scaling.SetGridType(9);
    scaling.SetPrintSize(0.0, 2.0 / 3.0);
    return scaling;
}

TEST_F(ScalingPageTest, OkWithoutChangeKeepsTheScalingAndItsUndoStep)
{
    CScaling before;
    before.SetXRange(-10, 10, 2);
    for (const CScaling& current : {CScaling{}, OddScaling()}) {
        CZelDoc doc;
        doc.SetScaling(before);
        doc.SetScaling(current);
        doc.SetModifiedFlag(false);
        // Visiting every page changes nothing either.
        ASSERT_TRUE(EditScaling(doc, [](CGraphPropertiesSheet& sheet) {
            sheet.Tabs()->setCurrentIndex(0);
            sheet.Tabs()->setCurrentIndex(1);
        }));
        EXPECT_EQ(doc.GetScaling(), current);
        // The lists are written back all the same.
        EXPECT_TRUE(doc.IsModified());
        doc.Undo();
        EXPECT_EQ(doc.GetScaling(), before);
    }
}

TEST_F(ScalingPageTest, ARefusedFieldOnAPageNeverShownBlocksOk)
{
    for (int id : {1036, 1041, 1049}) {
        m_messages.clear();
        CZelDoc doc;
        CGraphPropertiesSheet sheet{QStringLiteral("Graph1"), doc, CGraphPropertiesSheet::kFunctionsPage};
        sheet.show();
        SetText(*sheet.ScalingPage(), id, " ");
        sheet.OkButton()->click();
        EXPECT_TRUE(sheet.isVisible()) << id;
        EXPECT_EQ(sheet.result(), QDialog::Rejected);
        EXPECT_EQ(sheet.GetActiveIndex(), CGraphPropertiesSheet::kScalingPage) << id;
        EXPECT_EQ(m_messages.size(), 1) << id;
        // Nor can the page be left until the field holds a number.
        sheet.Tabs()->setCurrentIndex(CGraphPropertiesSheet::kObjectsPage);
        EXPECT_EQ(sheet.GetActiveIndex(), CGraphPropertiesSheet::kScalingPage) << id;
        SetText(*sheet.ScalingPage(), id, "3");
        sheet.OkButton()->click();
        EXPECT_EQ(sheet.result(), QDialog::Accepted) << id;
    }
}

// What a German user types reaches the document as meant, and what the document would replace by
// its fallback is refused where it was typed, leaving the document unchanged.
TEST_F(ScalingPageTest, TakesTheDecimalCommaAndRefusesWhatTheDocumentWouldReplace)
{
    struct SCase
    {
        std::vector<std::pair<int, QString>> typed;
        bool accepted;
        double xFrom;
        double xTo;
        double xStep;
    };
    const SCase cases[] = {
        {{{1038, "1,5"}}, true, -5.0, 5.0, 1.5},
        {{{1036, "-2,5"}, {1037, "2,5"}, {1038, "0,5"}}, true, -2.5, 2.5, 0.5},
        {{{1036, "-1e308"}, {1037, "1e308"}}, false, -5.0, 5.0, 1.0},
        {{{1039, "-1e308"}, {1040, "1e308"}}, false, -5.0, 5.0, 1.0},
        {{{1037, "1e400"}}, false, -5.0, 5.0, 1.0},
        {{{1038, "nan"}}, false, -5.0, 5.0, 1.0},
    };
    for (const SCase& c : cases) {
        m_messages.clear();
        CZelDoc doc;
        CScaling unchanged = doc.GetScaling();
        unchanged.SetAutoScaleY(0);
        doc.SetScaling(unchanged);
        doc.SetModifiedFlag(false);
        const std::string what = c.typed.front().second.toStdString();
        EXPECT_EQ(EditScaling(doc,
                              [&](CGraphPropertiesSheet& sheet) {
                                  for (const auto& [id, text] : c.typed) {
                                      SetText(*sheet.ScalingPage(), id, text);
                                  }
                              }),
                  c.accepted)
            << what;
        EXPECT_EQ(m_messages.size(), c.accepted ? 0 : 1) << what;
        double from{0.0};
        double to{0.0};
        double step{0.0};
        doc.GetScaling().GetXRange(from, to, step);
        EXPECT_EQ(from, c.xFrom) << what;
        EXPECT_EQ(to, c.xTo) << what;
        EXPECT_EQ(step, c.xStep) << what;
        EXPECT_EQ(doc.IsModified(), c.accepted) << what;
    }
}

TEST_F(ScalingPageTest, EachPageOpensItsOwnHelp)
{
    CZelDoc doc;
    CGraphPropertiesSheet sheet{QStringLiteral("Graph1"), doc, CGraphPropertiesSheet::kObjectsPage};
    CObjectPropertiesSheet objectSheet{CGraphObject{}};
    const std::pair<QWidget*, const char*> pages[] = {
        {objectSheet.ObjectPage(), "daten.html#objekt"},
        {Control(*objectSheet.ObjectPage(), 1085), "daten.html#objekt"},
        {sheet.ObjectsPage(), "daten.html#objekte"},
        {sheet.ScalingPage(), "daten.html#skalierung"},
        {Control(*sheet.ScalingPage(), 1040), "daten.html#skalierung"},
    };
    for (const auto& [widget, page] : pages) {
        EXPECT_TRUE(HelpPageOf(widget).endsWith(QLatin1String(page))) << page;
    }
}

} // namespace
