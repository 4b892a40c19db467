#include "dialogs/DialogTestSupport.h"

#include "dialogs/addfunction/AddFunctionWizard.h"
#include "dialogs/addfunction/FAColorPage.h"
#include "dialogs/addfunction/FACommentPage.h"
#include "dialogs/addfunction/FAFunctionPage.h"
#include "dialogs/addfunction/FAPicture.h"
#include "dialogs/addfunction/FAScharPage.h"
#include "dialogs/function/ColorSwatch.h"
#include "dialogs/function/FPCommentPage.h"
#include "dialogs/function/FPFunctionPage.h"
#include "dialogs/function/FunctionPropertySheet.h"
#include "dialogs/function/TermHint.h"
#include "dialogs/graph/VPFunctionsPage.h"
#include "document/FunctionPalette.h"
#include "framework/Cp1252TextEdit.h"
#include "framework/HelpWindow.h"
#include "framework/NumberField.h"
#include "framework/SettingsStore.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace {

enum EPage
{
    Welcome,
    Term,
    Family,
    Comment,
    Colour,
    Done
};

// The text a button shows, without its mnemonic marker.
QString Shown(const QPushButton* button)
{
    return button->text().remove(QLatin1Char('&'));
}

void TypeTerm(CAddFunctionWizard& wizard, const QString& term)
{
    QLineEdit* field = wizard.FunctionPage()->TermField();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, term);
}

// From the first page to the last with the given term and nothing else.
void WalkToDone(CAddFunctionWizard& wizard, const QString& term)
{
    wizard.NextButton()->click();
    TypeTerm(wizard, term);
    for (int page = Term; page < Done; ++page) {
        wizard.NextButton()->click();
    }
    ASSERT_EQ(wizard.GetActiveIndex(), Done);
}

TEST(AddFunctionWizard, ButtonsTitlesAndPictureOfEveryPage)
{
    const struct
    {
        int dialog;
        const char* title;
        bool back;
        bool next; // shown and enabled
        bool finish;
    } pages[] = {
        {136, "Funktion hinzufügen - Willkommen", false, true, false},
        {137, "Funktion hinzufügen - Funktion", true, false, false}, // the term is still empty
        {139, "Funktion hinzufügen - Scharkonstante", true, true, false},
        {138, "Funktion hinzufügen - Kommentar", true, true, false},
        {146, "Funktion hinzufügen - Farbe", true, true, false},
        {140, "Funktion hinzufügen - Abgeschlossen", true, false, true},
    };
    CAddFunctionWizard wizard;
    wizard.show();
    EXPECT_EQ(Shown(wizard.BackButton()), QStringLiteral("< Zurück"));
    EXPECT_EQ(Shown(wizard.NextButton()), QStringLiteral("Weiter >"));
    EXPECT_EQ(Shown(wizard.FinishButton()), QStringLiteral("Fertigstellen"));
    EXPECT_EQ(Shown(wizard.CancelButton()), QStringLiteral("Abbrechen"));
    for (int index = 0; index < 6; ++index) {
        const auto& p = pages[index];
        SCOPED_TRACE(p.title);
        ASSERT_EQ(wizard.GetActiveIndex(), index);
        EXPECT_EQ(wizard.windowTitle(), QString::fromUtf8(p.title));
        EXPECT_EQ(wizard.GetActivePage()->objectName(), QStringLiteral("IDD_%1").arg(p.dialog));
        EXPECT_EQ(HelpPageOf(wizard.NextButton()), HelpPageOf(wizard.GetActivePage())) << "F1 on a button";
        EXPECT_EQ(wizard.BackButton()->isEnabled(), p.back);
        EXPECT_EQ(wizard.NextButton()->isVisible(), !p.finish);
        EXPECT_EQ(wizard.NextButton()->isEnabled() && wizard.NextButton()->isVisible(), p.next);
        EXPECT_EQ(wizard.FinishButton()->isVisible(), p.finish);
        EXPECT_EQ(wizard.FinishButton()->isEnabled() && wizard.FinishButton()->isVisible(), p.finish);
        EXPECT_TRUE(wizard.CancelButton()->isEnabled());

        // The picture at the left, everything else right of it.
        auto* picture = wizard.GetActivePage()->findChild<CFAPicture*>();
        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(picture->size(), QSize(120, 220));
        for (const QLabel* label : wizard.GetActivePage()->findChildren<QLabel*>()) {
            EXPECT_GE(label->geometry().left(), picture->geometry().right()) << label->text().toStdString();
        }
        if (index == Term) {
            QTest::keyClicks(wizard.FunctionPage()->TermField(), QStringLiteral("x"));
        }
        if (index < Done) {
            QTest::keyClick(wizard.focusWidget(), Qt::Key_Return); // Enter means Weiter
        }
    }
    QTest::keyClick(wizard.focusWidget(), Qt::Key_Return); // and on the last page Fertigstellen
    EXPECT_EQ(wizard.result(), QDialog::Accepted);
}

TEST(AddFunctionWizard, PictureIsTheSizeOfItsBitmap)
{
    const QImage& image = CFAPicture::Image();
    EXPECT_EQ(image.size(), QSize(120, 220));
    EXPECT_EQ(image.depth(), 24);
    // Drawn, not blank: the ground is a gradient with a sheet and two curves on it.
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 2) {
        for (int x = 0; x < image.width(); x += 2) {
            colours.insert(image.pixel(x, y));
        }
    }
    EXPECT_GT(colours.size(), 50);
}

TEST(AddFunctionWizard, NextOnTheTermPageFollowsTheTermAndIsDecidedAfreshOnReturn)
{
    const struct
    {
        const char* term;
        bool next;
    } cases[] = {
        {"", false},      {"x^2", true}, {"sin(", false}, {"x + 2", true},
        {"SIN(X)", true}, {"(x", false}, {"x+", false},
    };
    CAddFunctionWizard wizard;
    wizard.show();
    wizard.NextButton()->click();
    ASSERT_EQ(wizard.GetActiveIndex(), Term);
    EXPECT_EQ(wizard.focusWidget(), wizard.FunctionPage()->TermField()) << "the user types at once";
    EXPECT_FALSE(wizard.NextButton()->isEnabled());
    for (const auto& c : cases) {
        TypeTerm(wizard, QString::fromLatin1(c.term));
        EXPECT_EQ(wizard.NextButton()->isEnabled(), c.next) << c.term;
        // A disabled Next cannot be pressed, neither by click nor by Enter.
        QTest::keyClick(wizard.FunctionPage()->TermField(), Qt::Key_Return);
        EXPECT_EQ(wizard.GetActiveIndex(), c.next ? Family : Term) << c.term;
        if (wizard.GetActiveIndex() == Family) {
            wizard.BackButton()->click();
            ASSERT_EQ(wizard.GetActiveIndex(), Term);
            EXPECT_TRUE(wizard.NextButton()->isEnabled()) << "decided afresh on return: " << c.term;
            EXPECT_EQ(wizard.FunctionPage()->TermField()->text(), QString::fromLatin1(c.term));
        }
    }
    // Back to the welcome page and forward again: the invalid term still holds Next back.
    TypeTerm(wizard, QStringLiteral("sin(x"));
    wizard.BackButton()->click();
    EXPECT_TRUE(wizard.NextButton()->isEnabled());
    wizard.NextButton()->click();
    EXPECT_FALSE(wizard.NextButton()->isEnabled());
}

// The line under the term field says why Next is disabled, or what is stored; without school
// notation it warns of the traps instead.
TEST(AddFunctionWizard, TheTermPageExplainsARefusedTermAndWhatIsStored)
{
    const struct
    {
        int school;
        const char* term;
        bool next;
        QString hint;
    } cases[] = {
        {1, "x\xB2-3", true, QStringLiteral("wird gespeichert als: x^2-3")},
        {1, "-x^2+4", true, QStringLiteral("wird gespeichert als: -(x^2)+4")},
        {1, "x^2", true, QString{}},
        {1, "sin(x", false, QStringLiteral("Zur Klammer „(“ an Stelle 4 fehlt die schließende Klammer.")},
        {1, "3*x/", false,
         QStringLiteral(
             "Nach „/“ am Ende fehlt noch eine Zahl, ein Name oder eine Klammer; sonst wird dort mit 1 "
             "gerechnet.")},
        {1, "0,5,", false, QStringLiteral("Vor „,“ an Stelle 4 fehlt ein Rechenzeichen.")},
        {0, "x + 2", false, TermHint(QStringLiteral("x + 2"))},
        {0, "2x", true, TermHint(QStringLiteral("2x"))},
        {0, "x+", false,
         QStringLiteral(
             "Nach „+“ am Ende fehlt noch eine Zahl, ein Name oder eine Klammer; sonst wird dort mit 1 "
             "gerechnet.")},
    };
    for (const auto& c : cases) {
        CSettingsStore::Instance().WriteProfileInt(QStringLiteral("Settings"),
                                                   QStringLiteral("SchoolNotation"), c.school);
        CAddFunctionWizard wizard;
        wizard.show();
        wizard.NextButton()->click();
        wizard.FunctionPage()->TermField()->insert(QString::fromLatin1(c.term));
        const QLabel* hint = wizard.FunctionPage()->HintLabel();
        EXPECT_EQ(wizard.NextButton()->isEnabled(), c.next) << c.term;
        EXPECT_EQ(hint->text(), c.hint) << c.term;
    }
    CSettingsStore::Instance().WriteProfileInt(QStringLiteral("Settings"), QStringLiteral("SchoolNotation"),
                                               1);
}

// What OK stores is the term in the file's language, typed with the formula minus sign as well.
TEST(AddFunctionWizard, StoresTheTypedSchoolTermInTheFilesLanguage)
{
    const std::pair<QString, std::string> cases[] = {
        {QStringLiteral("x²-3"), "x^2-3"},
        {QStringLiteral("\u2212x^2 + 2x"), "-(x^2)+2*x"},
    };
    for (const auto& [typed, stored] : cases) {
        CAddFunctionWizard wizard;
        wizard.show();
        wizard.NextButton()->click();
        wizard.FunctionPage()->TermField()->insert(typed); // as a paste: keys cannot type "²"
        for (int page = Term; page < Done; ++page) {
            wizard.NextButton()->click();
        }
        ASSERT_EQ(wizard.GetActiveIndex(), Done) << typed.toStdString();
        CGraphFunction function;
        wizard.WriteInto(function);
        EXPECT_EQ(function.GetTerm(), stored) << typed.toStdString();
    }
}

TEST(AddFunctionWizard, FamilyChoiceEnablesTheFieldsWhichKeepTheirValues)
{
    const struct
    {
        QStringList clicks; // radio buttons in order
        const char* from;
        const char* to;
        const char* step;
        std::int32_t flag;
        double storedFrom, storedTo, storedStep;
    } cases[] = {
        {{}, "0", "0", "0", 0, 0, 0, 0},
        {{"Ja"}, "1", "3", "0.5", 1, 1, 3, 0.5},
        {{"Ja", "Nein"}, "1", "3", "0.5", 0, 1, 3, 0.5},
        {{"Ja", "Nein", "Ja"}, "4", "-4", "2", 1, -4, 4, 2},
        {{"Nein"}, "0", "1", "7", 0, 0, 1, 0.25},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.clicks.join(QLatin1Char(',')).toStdString());
        CAddFunctionWizard wizard;
        wizard.show();
        wizard.NextButton()->click();
        TypeTerm(wizard, QStringLiteral("k*x"));
        wizard.NextButton()->click();
        CFAScharPage* page = wizard.ScharPage();
        EXPECT_TRUE(page->NoButton()->isChecked()) << "a new function starts without family";
        bool enabled = false;
        for (const QString& click : c.clicks) {
            QRadioButton* button = click == QLatin1String("Ja") ? page->YesButton() : page->NoButton();
            if (enabled) {
                // Values typed while enabled stay through the choice.
                page->FromField()->setText(QString::fromLatin1(c.from));
                page->ToField()->setText(QString::fromLatin1(c.to));
                page->StepField()->setText(QString::fromLatin1(c.step));
            }
            QTest::mouseClick(button, Qt::LeftButton, {}, QPoint{4, button->height() / 2});
            enabled = click == QLatin1String("Ja");
            for (CNumberField* field : {page->FromField(), page->ToField(), page->StepField()}) {
                EXPECT_EQ(field->isEnabled(), enabled);
            }
        }
        page->FromField()->setText(QString::fromLatin1(c.from));
        page->ToField()->setText(QString::fromLatin1(c.to));
        page->StepField()->setText(QString::fromLatin1(c.step));
        for (int i = Family; i < Done; ++i) {
            wizard.NextButton()->click();
        }
        wizard.FinishButton()->click();
        ASSERT_EQ(wizard.result(), QDialog::Accepted);
        CGraphFunction function;
        wizard.WriteInto(function);
        double from{}, to{}, step{};
        function.GetRange(from, to, step);
        EXPECT_EQ(function.GetUseFamilyConstant(), c.flag);
        EXPECT_EQ(from, c.storedFrom);
        EXPECT_EQ(to, c.storedTo);
        EXPECT_EQ(step, c.storedStep);
    }
}

TEST(AddFunctionWizard, ARefusedRangeFieldKeepsTheFamilyPage)
{
    const char* refused[] = {"", "1.000,5", "1e+", "abc", "2 3"};
    for (const char* text : refused) {
        CMessageAnswers answers;
        CAddFunctionWizard wizard;
        wizard.show();
        wizard.NextButton()->click();
        TypeTerm(wizard, QStringLiteral("x"));
        wizard.NextButton()->click();
        // Disabled (the constant is not used) and still checked.
        wizard.ScharPage()->ToField()->setText(QString::fromLatin1(text));
        wizard.NextButton()->click();
        EXPECT_EQ(wizard.GetActiveIndex(), Family) << text;
        EXPECT_EQ(answers.messages, QStringList{NumberFieldMessage()}) << text;
        wizard.ScharPage()->ToField()->setText(QStringLiteral(" 2 "));
        wizard.NextButton()->click();
        EXPECT_EQ(wizard.GetActiveIndex(), Comment) << text;
    }
}

TEST(AddFunctionWizard, DefaultsWithoutColourOrCommentAndChangesAfterBack)
{
    CAddFunctionWizard wizard;
    wizard.show();
    WalkToDone(wizard, QStringLiteral("x^2"));
    wizard.FinishButton()->click();
    CGraphFunction plain;
    wizard.WriteInto(plain);
    EXPECT_EQ(plain.GetTerm(), "x^2");
    EXPECT_EQ(plain.GetColor(), 0u);
    EXPECT_EQ(plain.GetComment(), "");
    double from{1}, to{1}, step{1};
    plain.GetRange(from, to, step);
    EXPECT_EQ(plain.GetUseFamilyConstant(), 0);
    EXPECT_EQ(from, 0.0);
    EXPECT_EQ(to, 0.0);
    EXPECT_EQ(step, 0.0);

    // Back from the last page to change the term, comment and colour on the way.
    CAddFunctionWizard again;
    again.show();
    WalkToDone(again, QStringLiteral("x^2"));
    for (int i = Done; i > Term; --i) {
        again.BackButton()->click();
    }
    ASSERT_EQ(again.GetActiveIndex(), Term);
    TypeTerm(again, QStringLiteral("X^3"));
    again.NextButton()->click();
    again.NextButton()->click();
    Type(again.CommentPage()->CommentField(), QStringLiteral("Würfel"));
    QTest::keyClick(again.CommentPage()->CommentField(), Qt::Key_Return); // Weiter, not a new line
    ASSERT_EQ(again.GetActiveIndex(), Colour);
    ChooseColorWhenAsked(QColor{0, 128, 0});
    again.ColorPage()->ColorButton()->click();
    again.NextButton()->click();
    again.FinishButton()->click();
    ASSERT_EQ(again.result(), QDialog::Accepted);
    CGraphFunction changed;
    again.WriteInto(changed);
    EXPECT_EQ(changed.GetTerm(), "x^3");
    EXPECT_EQ(changed.GetComment(), "W\xFC"
                                    "rfel");
    EXPECT_EQ(changed.GetColor(), 0x00008000u);
}

// Cancel on any page, by button or Escape, adds nothing; Finish appends at the end.
TEST(AddFunctionWizard, OnlyFinishAddsToTheFunctionPage)
{
    CSettingsStore::Instance().WriteProfileInt(QStringLiteral("Settings"), QStringLiteral("NoviceUI"), 1);
    CGraphFunction first;
    first.SetTerm("x");
    CVPFunctionsPage page{{first}};
    page.show();
    for (int cancelOn = Welcome; cancelOn <= Done + 1; ++cancelOn) {
        SCOPED_TRACE(cancelOn);
        WhenShown<CAddFunctionWizard>([cancelOn](CAddFunctionWizard* wizard) {
            for (int index = Welcome; index <= Done; ++index) {
                if (index == cancelOn) {
                    if (index % 2 == 0) {
                        wizard->CancelButton()->click();
                    } else {
                        QTest::keyClick(wizard->focusWidget(), Qt::Key_Escape);
                    }
                    return;
                }
                if (index == Term) {
                    QTest::keyClicks(wizard->FunctionPage()->TermField(), QStringLiteral("sin(x)"));
                }
                if (index < Done) {
                    wizard->NextButton()->click();
                }
            }
            wizard->FinishButton()->click();
        });
        page.AddButton()->click();
        const int expected = cancelOn > Done ? 2 : 1;
        ASSERT_EQ(page.List()->count(), expected);
        EXPECT_EQ(page.GetFunctions().size(), static_cast<std::size_t>(expected));
    }
    EXPECT_EQ(page.List()->item(1)->text(), QStringLiteral("g(x)=sin(x)"));
    EXPECT_FALSE(page.EditButton()->isEnabled());
}

// Two functions added one after the other get two palette colours, each shown on the colour
// step before it is taken; the novice's wizard and the advanced user's sheet alike.
TEST(AddFunctionWizard, EachAddedFunctionGetsTheNextPaletteColourShownAsASwatch)
{
    for (const int novice : {1, 0}) {
        CSettingsStore::Instance().WriteProfileInt(QStringLiteral("Settings"), QStringLiteral("NoviceUI"),
                                                   novice);
        CGraphFunction fromFile;
        fromFile.SetTerm("x");
        fromFile.SetColor(kFunctionPalette[0]);
        CVPFunctionsPage page{{fromFile}};
        page.show();
        std::vector<QColor> swatches;
        for (const char* term : {"x^2", "sin(x)"}) {
            if (novice == 1) {
                WhenShown<CAddFunctionWizard>([&](CAddFunctionWizard* wizard) {
                    wizard->NextButton()->click();
                    QTest::keyClicks(wizard->FunctionPage()->TermField(), QString::fromLatin1(term));
                    while (wizard->GetActiveIndex() < Colour) {
                        wizard->NextButton()->click();
                    }
                    swatches.push_back(wizard->ColorPage()->Swatch()->Shown());
                    wizard->NextButton()->click();
                    wizard->FinishButton()->click();
                });
            } else {
                WhenShown<CFunctionPropertySheet>([&](CFunctionPropertySheet* sheet) {
                    QTest::keyClicks(sheet->FunctionPage()->TermField(), QString::fromLatin1(term));
                    sheet->Tabs()->setCurrentIndex(1);
                    swatches.push_back(sheet->CommentPage()->Swatch()->Shown());
                    sheet->OkButton()->click();
                });
            }
            page.AddButton()->click();
        }
        const CFunctionList functions = page.GetFunctions();
        ASSERT_EQ(functions.size(), 3U) << novice;
        EXPECT_EQ(functions[0].GetColor(), kFunctionPalette[0]) << "a function from a file keeps its colour";
        EXPECT_EQ(functions[1].GetColor(), kFunctionPalette[1]) << novice;
        EXPECT_EQ(functions[2].GetColor(), kFunctionPalette[2]) << novice;
        ASSERT_EQ(swatches.size(), 2U) << novice;
        EXPECT_EQ(swatches[0], ColorFromRecord(kFunctionPalette[1])) << novice;
        EXPECT_EQ(swatches[1], ColorFromRecord(kFunctionPalette[2])) << novice;
    }
    CSettingsStore::Instance().WriteProfileInt(QStringLiteral("Settings"), QStringLiteral("NoviceUI"), 1);
}

} // namespace
