#include "dialogs/graph/GraphPropertiesSheet.h"
#include "dialogs/graph/VPFunctionsPage.h"
#include "dialogs/graph/VPObjectsPage.h"
#include "dialogs/graph/VPScalPage.h"
#include "document/ZelDoc.h"
#include "framework/DialogIds.h"
#include "framework/MessageBoxes.h"

#include <QCheckBox>
#include <QListWidget>

#include <gtest/gtest.h>

namespace {

// Three functions f, g, h with an area under each and one between f and h.
CZelDoc ThreeFunctionsWithAreas()
{
    CZelDoc doc;
    CFunctionList functions(3);
    for (std::size_t i = 0; i < functions.size(); ++i) {
        functions[i].SetTerm("x+" + std::to_string(i));
    }
    doc.SetFunctions(functions);
    doc.SetAreas({{0, std::nullopt, 0, 1, 1},
                  {1, std::nullopt, 0, 1, 2},
                  {2, 0, 0, 1, 3},
                  {2, std::nullopt, 0, 1, 4}});
    doc.TakeStep();
    return doc;
}

TEST(KeptAreaSheet, DeletingAFunctionOrAnAreaIsOneStepThatKeepsTheRestOnTheirCurves)
{
    SetMessageBoxHook([](const QString&, bool) { return true; });
    const struct
    {
        int functionRow; // deleted on the function page, -1 none
        int objectRow;   // deleted on the object page (after the deletion above), -1 none
        bool equalUnits;
        CAreaList kept;
    } cases[] = {
        {0, -1, false, {{0, std::nullopt, 0, 1, 2}, {1, std::nullopt, 0, 1, 4}}},
        {1, -1, false, {{0, std::nullopt, 0, 1, 1}, {1, 0, 0, 1, 3}, {1, std::nullopt, 0, 1, 4}}},
        {-1, 2, true, {{0, std::nullopt, 0, 1, 1}, {1, std::nullopt, 0, 1, 2}, {2, std::nullopt, 0, 1, 4}}},
        {2, 0, true, {{1, std::nullopt, 0, 1, 2}}},
    };
    for (const auto& c : cases) {
        CZelDoc doc = ThreeFunctionsWithAreas();
        const CAreaList before = doc.GetAreas();
        CGraphPropertiesSheet sheet{QStringLiteral("Graph1"), doc, CGraphPropertiesSheet::kFunctionsPage};
        if (c.functionRow >= 0) {
            sheet.FunctionsPage()->List()->setCurrentRow(c.functionRow);
            sheet.FunctionsPage()->OnDelete();
        }
        if (c.objectRow >= 0) {
            sheet.ObjectsPage()->List()->setCurrentRow(c.objectRow);
            sheet.ObjectsPage()->OnDelete();
        }
        sheet.findChild<QCheckBox*>(kIdEqualUnits)->setChecked(c.equalUnits);
        sheet.ScalingPage()->UpdateData(true);
        sheet.ApplyTo(doc);
        EXPECT_EQ(doc.Areas(), c.kept) << c.functionRow << "/" << c.objectRow;
        EXPECT_EQ(doc.GetScaling().GetEqualUnits(), c.equalUnits);
        // The areas are part of the sheet's one step: exchanging it brings all of them back.
        SContentStep step = doc.TakeStep();
        ASSERT_TRUE(step.areas.has_value());
        doc.ExchangeStep(step);
        EXPECT_EQ(doc.Areas(), before);
    }
    SetMessageBoxHook({});
}

} // namespace
