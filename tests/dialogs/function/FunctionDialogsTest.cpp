#include "dialogs/DialogTestSupport.h"

#include "dialogs/addfunction/AddFunctionWizard.h"
#include "dialogs/addfunction/FACommentPage.h"
#include "dialogs/addfunction/FAFunctionPage.h"
#include "dialogs/function/AntiderivativeDialog.h"
#include "dialogs/function/FPCommentPage.h"
#include "dialogs/function/FPFunctionPage.h"
#include "dialogs/function/FunctionPropertySheet.h"
#include "dialogs/function/TermHint.h"
#include "dialogs/graph/GraphPropertiesSheet.h"
#include "dialogs/graph/VPFunctionsPage.h"
#include "document/GraphFile.h"
#include "engine/TextEncoding.h"
#include "framework/Cp1252TextEdit.h"
#include "framework/NumberField.h"
#include "framework/PainterContext.h"
#include "framework/SettingsStore.h"
#include "view/GraphPaint.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

CGraphFunction Function(const char* term)
{
    CGraphFunction f;
    f.SetTerm(term);
    return f;
}

// A document as it is after loading a file: not modified, nothing to undo.
void Load(CZelDoc& doc, const CFunctionList& functions)
{
    CZelDoc source;
    source.SetFunctions(functions);
    std::string error;
    ASSERT_TRUE(ReadGraphFile(WriteGraphFile(source), doc, error)) << error;
}

QStringList Entries(const QListWidget* list)
{
    QStringList entries;
    for (int i = 0; i < list->count(); ++i) {
        entries << list->item(i)->text();
    }
    return entries;
}

void SetNoviceUI(int value)
{
    CSettingsStore::Instance().WriteProfileInt(QStringLiteral("Settings"), QStringLiteral("NoviceUI"), value);
}

void ReplaceTerm(QLineEdit* field, const QString& term)
{
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, term);
}

struct STermCase
{
    const char* term;
    bool usable;       // typed, read in school notation
    const char* shown; // what OK stores and the caption shows
    bool fromFile;     // usable as a file's term, read as it stands
};

// Terms as a user types them: only a term that reads as meant can be confirmed. Typed, blanks are
// dropped and "2x" is a product; a file's term is read as it stands, where a blank before an
// operand is an error. A missing operand, which the reading completes with 1, is refused both ways.
const STermCase kTermCases[] = {
    {"", false, "", false},        {"x^2", true, "x^2", true}, {"sin(", false, "sin(", false},
    {"x + 2", true, "x+2", false}, {"x+2", true, "x+2", true}, {"SIN(X)", true, "sin(x)", true},
    {"2*", false, "2*", false},    {"(x", false, "(x", false},
};

TEST(FunctionPropertySheet, OkAndCaptionFollowTheTermAtEveryKeystroke)
{
    for (const STermCase& c : kTermCases) {
        CFunctionPropertySheet sheet{QStringLiteral("Funktion hinzufügen"), CGraphFunction{}};
        sheet.show();
        CFPFunctionPage* page = sheet.FunctionPage();
        EXPECT_EQ(sheet.windowTitle(), QStringLiteral("Funktion hinzufügen"));
        EXPECT_FALSE(sheet.OkButton()->isEnabled()) << "an add starts with an empty term";
        EXPECT_EQ(sheet.focusWidget(), page->TermField()) << "the user types at once";

        // Every keystroke decides; the last one counts.
        QTest::keyClicks(page->TermField(), QStringLiteral("x"));
        EXPECT_EQ(sheet.windowTitle(), QStringLiteral("Eigenschaften von f(x)=x"));
        ReplaceTerm(page->TermField(), QString::fromLatin1(c.term));
        EXPECT_EQ(sheet.OkButton()->isEnabled(), c.usable) << c.term;
        EXPECT_EQ(sheet.windowTitle(),
                  QStringLiteral("Eigenschaften von f(x)=") + QString::fromLatin1(c.shown));

        sheet.accept();
        EXPECT_EQ(sheet.result() == QDialog::Accepted, c.usable) << "OK must not be reachable by accept()";
        sheet.hide();
    }
}

TEST(FunctionPropertySheet, EditingAStoredInvalidTermOpensWithOkDisabled)
{
    for (const STermCase& c : kTermCases) {
        if (*c.term == '\0') {
            continue; // a record never holds an empty term
        }
        const CGraphFunction function = Function(c.term);
        CFunctionPropertySheet sheet{QStringLiteral("Eigenschaften von f(x)=%1").arg(c.term), function};
        sheet.show();
        EXPECT_EQ(sheet.OkButton()->isEnabled(), c.fromFile) << c.term;
        EXPECT_EQ(sheet.FunctionPage()->TermField()->text().toStdString(), function.GetTerm());
    }
}

TEST(FunctionPropertySheet, EnterInTheCommentConfirmsOnlyWhileOkIsEnabled)
{
    for (const bool usable : {false, true}) {
        CFunctionPropertySheet sheet{QStringLiteral("Test"), Function(usable ? "x" : "sin(")};
        sheet.show();
        sheet.Tabs()->setCurrentIndex(1);
        CCp1252TextEdit* comment = sheet.CommentPage()->CommentField();
        comment->setFocus();
        Type(comment, QStringLiteral("ab"));
        PressKey(comment, Qt::Key_Return);
        EXPECT_EQ(comment->toPlainText(), QStringLiteral("ab")) << "no new line";
        EXPECT_EQ(sheet.result() == QDialog::Accepted, usable);
        EXPECT_EQ(sheet.isVisible(), !usable);
    }
}

struct SRangeCase
{
    bool checked;
    const char* from;
    const char* to;
    const char* step;
    double storedFrom, storedTo, storedStep;
    const char* shownFrom;
    const char* shownTo;
    const char* shownStep;
};

TEST(FunctionPropertySheet, FamilyFieldsAreReadAndStoredWhetherCheckedOrNot)
{
    const SRangeCase cases[] = {
        {false, "1", "3", "0.5", 1, 3, 0.5, "1", "3", "0.5"},
        {true, "1", "3", "0.5", 1, 3, 0.5, "1", "3", "0.5"},
        {true, "3", " 1 ", "0.5", 1, 3, 0.5, "1", "3", "0.5"}, // from and to ordered by the record
        {true, "0", "2", "5", 0, 2, 0.5, "0", "2", "0.5"},     // too large a step: a quarter of the range
        {false, "-1e-300", "1e300", "0", -1e-300, 1e300, 0, "-1e-300", "1e+300", "0"}, // 0 is kept
        {true, "-2", "2", "4", -2, 2, 1, "-2", "2", "1"},
    };
    for (const SRangeCase& c : cases) {
        CGraphFunction function = Function("k*x");
        CFunctionPropertySheet sheet{QStringLiteral("Test"), function};
        sheet.show();
        CFPFunctionPage* page = sheet.FunctionPage();
        EXPECT_FALSE(page->FromField()->isEnabled()) << "the record starts without family";
        if (c.checked) {
            QTest::mouseClick(page->FamilyBox(), Qt::LeftButton, {},
                              QPoint{4, page->FamilyBox()->height() / 2});
        }
        ASSERT_EQ(page->FamilyBox()->isChecked(), c.checked);
        for (CNumberField* field : {page->FromField(), page->ToField(), page->StepField()}) {
            EXPECT_EQ(field->isEnabled(), c.checked);
        }
        page->FromField()->setText(QString::fromLatin1(c.from));
        page->ToField()->setText(QString::fromLatin1(c.to));
        page->StepField()->setText(QString::fromLatin1(c.step));
        sheet.accept();
        ASSERT_EQ(sheet.result(), QDialog::Accepted) << c.from;
        sheet.WriteInto(function);

        double from{}, to{}, step{};
        function.GetRange(from, to, step);
        EXPECT_EQ(function.GetUseFamilyConstant(), c.checked ? 1 : 0);
        EXPECT_EQ(from, c.storedFrom);
        EXPECT_EQ(to, c.storedTo);
        EXPECT_EQ(step, c.storedStep);

        CFunctionPropertySheet again{QStringLiteral("Test"), function};
        EXPECT_EQ(again.FunctionPage()->FromField()->text(), QString::fromLatin1(c.shownFrom));
        EXPECT_EQ(again.FunctionPage()->ToField()->text(), QString::fromLatin1(c.shownTo));
        EXPECT_EQ(again.FunctionPage()->StepField()->text(), QString::fromLatin1(c.shownStep));
    }
}

TEST(FunctionPropertySheet, TheFunctionPageExplainsARefusedTermAndWhatIsStored)
{
    const std::pair<const char*, bool> cases[] = {
        {"sin(", false}, {"2x", true}, {"x", true}, {"(x+1)(x-1)", true}};
    for (const auto& [term, ok] : cases) {
        CFunctionPropertySheet sheet{QStringLiteral("Test"), Function("x")};
        sheet.show();
        QLineEdit* field = sheet.FunctionPage()->TermField();
        field->selectAll();
        QTest::keyClicks(field, QString::fromLatin1(term));
        EXPECT_EQ(sheet.OkButton()->isEnabled(), ok) << term;
        EXPECT_EQ(sheet.FunctionPage()->HintLabel()->text(),
                  ReadTypedTerm(QString::fromLatin1(term), true).hint)
            << term;
        EXPECT_EQ(sheet.FunctionPage()->HintLabel()->text().isEmpty(), QByteArray{term} == "x") << term;
    }
}

// A file's term is kept as it was saved when the sheet is confirmed untouched: "-x^2" from a
// file stays (-x)^2.
TEST(FunctionPropertySheet, AFilesTermIsNotRewrittenUntilItIsEdited)
{
    CFunctionPropertySheet sheet{QStringLiteral("Test"), Function("-x^2")};
    sheet.show();
    EXPECT_TRUE(sheet.OkButton()->isEnabled());
    sheet.accept();
    CGraphFunction kept;
    sheet.WriteInto(kept);
    EXPECT_EQ(kept.GetTerm(), "-x^2");
}

TEST(FunctionPropertySheet, ARangeFieldThatHoldsNoNumberIsReportedAtTheNextKeystroke)
{
    CMessageAnswers answers;
    CFunctionPropertySheet sheet{QStringLiteral("Test"), Function("x")};
    sheet.show();
    CFPFunctionPage* page = sheet.FunctionPage();
    page->StepField()->setText(QStringLiteral("1;5")); // disabled, and still checked
    page->TermField()->end(false);
    QTest::keyClicks(page->TermField(), QStringLiteral("+1"));
    ASSERT_EQ(answers.messages.size(), 2); // one message per keystroke
    EXPECT_EQ(answers.messages.first(), NumberFieldMessage());
    EXPECT_EQ(sheet.windowTitle(), QStringLiteral("Eigenschaften von f(x)=x+1"));
    EXPECT_TRUE(sheet.OkButton()->isEnabled());

    // OK refuses until the field holds a number.
    sheet.accept();
    EXPECT_TRUE(sheet.isVisible());
    EXPECT_EQ(answers.messages.size(), 3);
    page->StepField()->setText(QStringLiteral("1.5"));
    sheet.accept();
    EXPECT_EQ(sheet.result(), QDialog::Accepted);
    CGraphFunction function;
    sheet.WriteInto(function);
    EXPECT_EQ(function.GetTerm(), "x+1");
}

// Opening and confirming must give back exactly what the file held.
TEST(FunctionPropertySheet, ConfirmingUnchangedKeepsEveryStoredValue)
{
    std::string longTerm = "x";
    while (longTerm.size() < 300) {
        longTerm += "+x";
    }
    struct SCase
    {
        std::string term;
        std::string comment;
        std::int32_t flag;
        double from, to, step;
        std::uint32_t color;
        bool usable;
    } cases[] = {
        {longTerm, "", 0, 0, 0, 0, 0, true},
        {"x", std::string(1100, 'c'), 1, 0.1 + 0.2, 1.0 / 3.0, 1e-300 / 3.0, 0x00FF8000, true},
        {"\xE4+x", "Zeile eins\r\nZeile zwei mit \xDF und \x80\r\n", 7, -1, 1, 0.25, 0xFF000001, false},
        {"sin(", "lone\nbreak\rand\r\nwindows", 0, 0, 0, 0, 0x00FFFFFF, false},
    };
    for (const SCase& c : cases) {
        CGraphFunction function;
        function.SetTerm(c.term);
        function.SetComment(c.comment);
        function.SetUseFamilyConstant(c.flag);
        function.SetRange(c.from, c.to, c.step);
        function.SetColor(c.color);
        const CGraphFunction before = function;

        CFunctionPropertySheet sheet{QStringLiteral("Test"), function};
        sheet.show();
        EXPECT_EQ(sheet.FunctionPage()->TermField()->text().toStdString(), Cp1252ToUtf8(c.term))
            << "shown whole";
        // Leaving each page reads it back.
        sheet.Tabs()->setCurrentIndex(1);
        sheet.Tabs()->setCurrentIndex(0);
        sheet.accept();
        EXPECT_EQ(sheet.result() == QDialog::Accepted, c.usable);
        sheet.WriteInto(function);

        EXPECT_EQ(function.GetTerm(), before.GetTerm());
        EXPECT_EQ(function.GetComment(), before.GetComment());
        EXPECT_EQ(function.GetUseFamilyConstant(), before.GetUseFamilyConstant());
        double f1{}, t1{}, s1{}, f2{}, t2{}, s2{};
        function.GetRange(f1, t1, s1);
        before.GetRange(f2, t2, s2);
        EXPECT_EQ(f1, f2);
        EXPECT_EQ(t1, t2);
        EXPECT_EQ(s1, s2);
        EXPECT_EQ(function.GetColor(), before.GetColor());
    }
}

TEST(FunctionPropertySheet, LongTermFromAFileCanBeShortenedButNotLengthened)
{
    std::string longTerm = "x";
    while (longTerm.size() < 300) {
        longTerm += "+x";
    }
    CGraphFunction function;
    function.SetTerm(longTerm);
    CFunctionPropertySheet sheet{QStringLiteral("Test"), function};
    sheet.show();
    QLineEdit* term = sheet.FunctionPage()->TermField();
    term->end(false);
    QTest::keyClicks(term, QStringLiteral("+1"));
    EXPECT_EQ(term->text().toStdString(), longTerm);
    QTest::keyClick(term, Qt::Key_Backspace);
    QTest::keyClick(term, Qt::Key_Backspace);
    QTest::keyClicks(term, QStringLiteral("-1"));
    EXPECT_EQ(term->text().toStdString(), longTerm.substr(0, longTerm.size() - 2) + "-1");
}

struct STextCase
{
    QString typed;
    QString kept;
    QString keptAsTerm; // term fields take the formula minus sign as "-"
};

TEST(FunctionTextFields, RefuseWhatAGraphFileCannotHold)
{
    const STextCase cases[] = {
        {QStringLiteral("sin(x)"), QStringLiteral("sin(x)"), QStringLiteral("sin(x)")},
        {QStringLiteral("äöüß€"), QStringLiteral("äöüß€"), QStringLiteral("äöüß€")},
        {QStringLiteral("aőb"), QStringLiteral("ab"), QStringLiteral("ab")},
        {QStringLiteral("x\u2212α1"), QStringLiteral("x1"), QStringLiteral("x-1")},
    };
    for (const STextCase& c : cases) {
        CFunctionPropertySheet sheet{QStringLiteral("Test"), CGraphFunction{}};
        sheet.show();
        Type(sheet.FunctionPage()->TermField(), c.typed);
        EXPECT_EQ(sheet.FunctionPage()->TermField()->text(), c.keptAsTerm);
        Type(sheet.CommentPage()->CommentField(), c.typed);
        EXPECT_EQ(sheet.CommentPage()->CommentField()->Text(), c.kept);

        CAddFunctionWizard wizard;
        Type(wizard.FunctionPage()->TermField(), c.typed);
        EXPECT_EQ(wizard.FunctionPage()->TermField()->text(), c.keptAsTerm);
        Type(wizard.CommentPage()->CommentField(), c.typed);
        EXPECT_EQ(wizard.CommentPage()->CommentField()->Text(), c.kept);
    }
}

// The operations of the function page, one after the other, with the list they leave.
TEST(FunctionsPage, ListFollowsAddEditAndDeleteAndNothingStaysSelected)
{
    SetNoviceUI(0);
    enum EOp
    {
        Add,
        Edit,
        EditByDoubleClick,
        Delete
    };
    struct SStep
    {
        EOp op;
        int row;
        const char* term; // typed for add and edit
        bool confirm;     // OK or Ja
        QStringList list;
    };
    const SStep steps[] = {
        {Add, -1, "SIN(X)+1", true, {"f(x)=x^2", "g(x)=sin(x)", "h(x)=sin(x)+1"}},
        {Add, -1, "x^5", false, {"f(x)=x^2", "g(x)=sin(x)", "h(x)=sin(x)+1"}},
        {Edit, 0, "x^3", true, {"f(x)=x^3", "g(x)=sin(x)", "h(x)=sin(x)+1"}},
        {Edit, 2, "cos(x)", false, {"f(x)=x^3", "g(x)=sin(x)", "h(x)=sin(x)+1"}},
        {EditByDoubleClick, 2, "cos(x)", true, {"f(x)=x^3", "g(x)=sin(x)", "h(x)=cos(x)"}},
        {Delete, 1, nullptr, false, {"f(x)=x^3", "g(x)=sin(x)", "h(x)=cos(x)"}},
        {Delete, 1, nullptr, true, {"f(x)=x^3", "g(x)=cos(x)"}},
        {Delete, 0, nullptr, true, {"f(x)=cos(x)"}},
        {Delete, 0, nullptr, true, {}},
        {Add, -1, "x", true, {"f(x)=x"}},
    };
    CGraphPropertiesSheet sheet{QStringLiteral("Graph1"),
                                [] {
                                    CZelDoc doc;
                                    doc.SetFunctions({Function("x^2"), Function("sin(x)")});
                                    return doc;
                                }(),
                                CGraphPropertiesSheet::kFunctionsPage};
    sheet.show();
    CVPFunctionsPage* page = sheet.FunctionsPage();
    EXPECT_EQ(Entries(page->List()), (QStringList{"f(x)=x^2", "g(x)=sin(x)"}));
    EXPECT_TRUE(page->AddButton()->isEnabled());

    int step = 0;
    for (const SStep& s : steps) {
        SCOPED_TRACE(step++);
        if (s.row >= 0) {
            page->List()->setCurrentRow(s.row);
            EXPECT_TRUE(page->EditButton()->isEnabled());
            EXPECT_TRUE(page->DeleteButton()->isEnabled());
        }
        const QString selected = s.row >= 0 ? page->List()->item(s.row)->text() : QString{};
        CMessageAnswers answers{s.confirm};
        if (s.op == Delete) {
            page->DeleteButton()->click();
            EXPECT_EQ(
                answers.questions,
                QStringList{QStringLiteral("Sind Sie sicher, daß Sie die Funktion %1 löschen wollen?")
                                .arg(selected)});
        } else {
            QString caption;
            WhenShown<CFunctionPropertySheet>([&](CFunctionPropertySheet* dialog) {
                caption = dialog->windowTitle();
                ReplaceTerm(dialog->FunctionPage()->TermField(), QString::fromLatin1(s.term));
                s.confirm ? dialog->accept() : dialog->reject();
            });
            if (s.op == Add) {
                page->AddButton()->click();
            } else if (s.op == Edit) {
                page->EditButton()->click();
            } else {
                QListWidget* list = page->List();
                const QRect item = list->visualItemRect(list->item(s.row));
                // What the mouse sends for a double click: press, release, double click, release.
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, item.center());
                QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, item.center());
                QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, item.center());
                QApplication::processEvents(); // the edit starts once the mouse handling is over
            }
            EXPECT_EQ(caption, s.op == Add ? QStringLiteral("Funktion hinzufügen")
                                           : QStringLiteral("Eigenschaften von ") + selected);
        }
        EXPECT_EQ(Entries(page->List()), s.list);
        // A rebuilt list has nothing selected; a cancelled edit or delete keeps the selection.
        const bool kept = s.row >= 0 && !s.confirm;
        EXPECT_EQ(page->List()->selectedItems().isEmpty(), !kept);
        EXPECT_EQ(page->EditButton()->isEnabled(), kept);
        EXPECT_EQ(page->DeleteButton()->isEnabled(), kept);
        ASSERT_EQ(page->GetFunctions().size(), static_cast<std::size_t>(s.list.size()));
        for (std::size_t i = 0; i < page->GetFunctions().size(); ++i) {
            EXPECT_EQ(QString::fromStdString(page->GetFunctions()[i].GetTerm()),
                      s.list[static_cast<qsizetype>(i)].mid(5));
        }
    }
    EXPECT_FALSE(page->EditButton()->isEnabled());
    // Without a selection the buttons do nothing.
    page->OnEdit();
    page->OnDelete();
    EXPECT_EQ(Entries(page->List()), QStringList{"f(x)=x"});
}

TEST(FunctionsPage, NoviceUiChoosesBetweenWizardAndPropertySheet)
{
    static QTemporaryDir settings; // outlives the test: the store keeps writing to it
    const struct
    {
        int setting; // -1: missing
        const char* dialog;
    } cases[] = {
        {-1, "CAddFunctionWizard"},
        {1, "CAddFunctionWizard"},
        {0, "CFunctionPropertySheet"},
        {2, "CFunctionPropertySheet"},
    };
    int file = 0;
    for (const auto& c : cases) {
        CSettingsStore::UseFile(settings.filePath(QStringLiteral("s%1.ini").arg(file++)));
        if (c.setting >= 0) {
            SetNoviceUI(c.setting);
        }
        CVPFunctionsPage page{{Function("x")}};
        page.show();
        QString opened;
        WhenShown<QDialog>([&](QDialog* dialog) {
            opened = QString::fromLatin1(dialog->metaObject()->className());
            dialog->reject();
        });
        page.AddButton()->click();
        EXPECT_EQ(opened, QString::fromLatin1(c.dialog)) << c.setting;
        EXPECT_EQ(Entries(page.List()), QStringList{"f(x)=x"}) << "cancel adds nothing";
    }
    CSettingsStore::UseFile(settings.filePath(QStringLiteral("rest.ini")));
}

// What the graph properties sheet does to the document on OK and on Cancel.
TEST(GraphPropertiesSheet, OkWritesEveryPageBackAndCancelTouchesNothing)
{
    SetNoviceUI(0);
    enum EChange
    {
        Nothing,
        AddOne,
        DeleteFirst,
        EditInvalidAndCancel
    };
    const struct
    {
        EChange change;
        bool ok;
        QStringList after; // terms after the sheet closed
    } cases[] = {
        {Nothing, true, {"sin(", "x^2"}},
        {AddOne, true, {"sin(", "x^2", "x-1"}},
        {DeleteFirst, true, {"x^2"}},
        {Nothing, false, {"sin(", "x^2"}},
        {AddOne, false, {"sin(", "x^2"}},
        {DeleteFirst, false, {"sin(", "x^2"}},
        {EditInvalidAndCancel, false, {"sin(", "x^2"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.change) * 2 + (c.ok ? 1 : 0));
        CZelDoc doc;
        Load(doc, {Function("sin("), Function("x^2")});
        const std::vector<std::uint8_t> before = WriteGraphFile(doc);

        CGraphPropertiesSheet sheet{QStringLiteral("Graph1"), doc, CGraphPropertiesSheet::kFunctionsPage};
        sheet.show();
        CVPFunctionsPage* page = sheet.FunctionsPage();
        CMessageAnswers answers{true};
        switch (c.change) {
        case Nothing:
            break;
        case AddOne:
            WhenShown<CFunctionPropertySheet>([](CFunctionPropertySheet* dialog) {
                QTest::keyClicks(dialog->FunctionPage()->TermField(), QStringLiteral("x-1"));
                dialog->accept();
            });
            page->AddButton()->click();
            break;
        case DeleteFirst:
            page->List()->setCurrentRow(0);
            page->DeleteButton()->click();
            break;
        case EditInvalidAndCancel:
            page->List()->setCurrentRow(0);
            WhenShown<CFunctionPropertySheet>([](CFunctionPropertySheet* dialog) {
                EXPECT_FALSE(dialog->OkButton()->isEnabled());
                dialog->accept();
                EXPECT_TRUE(dialog->isVisible()) << "only Cancel or a corrected term ends it";
                dialog->reject();
            });
            page->EditButton()->click();
            break;
        }
        c.ok ? sheet.accept() : sheet.reject();
        ASSERT_EQ(sheet.result() == QDialog::Accepted, c.ok);
        if (c.ok) {
            sheet.ApplyTo(doc);
        }

        QStringList terms;
        for (const CGraphFunction& f : doc.GetFunctions()) {
            terms << QString::fromStdString(f.GetTerm());
        }
        EXPECT_EQ(terms, c.after);
        // OK is always a change, even without one: the undo step and the flag follow it.
        EXPECT_EQ(doc.IsModified(), c.ok);
        EXPECT_EQ(doc.CanUndo(), c.ok);
        if (!c.ok) {
            EXPECT_EQ(WriteGraphFile(doc), before) << "byte for byte";
            continue;
        }
        doc.Undo();
        EXPECT_EQ(doc.GetFunctions().size(), 2u);
        EXPECT_EQ(doc.GetFunctions()[0].GetTerm(), "sin(");
    }
}

TEST(FunctionColor, ChosenColourIsStoredRedInTheLowByteAndDrawnSo)
{
    const struct
    {
        QColor chosen;
        std::uint32_t stored;
    } cases[] = {
        {QColor{255, 0, 0}, 0x000000FFu},
        {QColor{0, 0, 255}, 0x00FF0000u},
        {QColor{0x12, 0x34, 0x56}, 0x00563412u},
    };
    for (const auto& c : cases) {
        CFunctionPropertySheet sheet{QStringLiteral("Test"), Function("x")};
        sheet.show();
        sheet.Tabs()->setCurrentIndex(1);
        QPushButton* choose = sheet.CommentPage()->findChild<QPushButton*>(QStringLiteral("IDC_1049"));
        ASSERT_NE(choose, nullptr);
        ChooseColorWhenAsked(c.chosen);
        choose->click();
        EXPECT_EQ(sheet.CommentPage()->m_color, c.stored);
        CancelColorWhenAsked();
        choose->click();
        EXPECT_EQ(sheet.CommentPage()->m_color, c.stored) << "cancel keeps the colour";
        sheet.accept();
        CGraphFunction function;
        sheet.WriteInto(function);
        EXPECT_EQ(function.GetColor(), c.stored);

        // The curve of y = x crosses the image from corner to corner in the chosen colour.
        QImage image{200, 200, QImage::Format_RGB32};
        image.fill(Qt::white);
        {
            QPainter painter{&image};
            CPainterContext dc{painter};
            CScaling scaling;
            scaling.SetAutoScaleY(0);
            PaintGraph(dc, CRect{0, 0, 200, 200}, {function}, {}, scaling);
        }
        int curve = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                curve += image.pixelColor(x, y) == c.chosen ? 1 : 0;
            }
        }
        EXPECT_GT(curve, 100) << c.chosen.name().toStdString();
    }
}

// A long term and comment from a file come back from an unchanged OK exactly as they were.
TEST(FunctionSheet, AnUnchangedOkKeepsLongTextsByteForByte)
{
    std::string term = "x";
    while (term.size() < 300'000) {
        term += "+x";
    }
    const std::string comment = std::string(300'000, 'c') + "\xE4";
    CGraphFunction function;
    function.SetTerm(term);
    function.SetComment(comment);
    CFunctionPropertySheet sheet{QStringLiteral("Test"), function};
    sheet.show();
    sheet.OkButton()->click();
    ASSERT_EQ(sheet.result(), QDialog::Accepted);
    CGraphFunction written;
    sheet.WriteInto(written);
    EXPECT_EQ(written.GetTerm().size(), term.size());
    EXPECT_TRUE(written.GetTerm() == term);
    EXPECT_TRUE(written.GetComment() == comment);
}

} // namespace

// A term the reading refuses or completes without a word is marked in the list, and says why.
TEST(FunctionsPage, MarksAFaultyTermAndSaysWhy)
{
    const struct
    {
        const char* term;
        bool marked;
    } cases[] = {{"x+", true}, {"sin(x", true}, {"2*-3", true}, {"-x^2", false}, {"x", false}};
    for (const auto& c : cases) {
        CVPFunctionsPage page{{Function(c.term)}};
        const QListWidgetItem* item = page.List()->item(0);
        EXPECT_EQ(item->text().startsWith(QChar{0x26A0}), c.marked) << c.term;
        EXPECT_EQ(item->toolTip().isEmpty(), !c.marked) << c.term;
        EXPECT_TRUE(item->text().endsWith(QStringLiteral("f(x)=") + QString::fromLatin1(c.term))) << c.term;
    }
}

namespace {

// The derived curves on the functions page: f' of a function, f'' of an f', F through a chosen
// point; a deleted function takes its curves, and OK hands both lists to the document as one step.
TEST(GraphPropertiesSheet, DerivedCurvesAreMadeOnTheFunctionsPageAndGoWithTheirFunction)
{
    CZelDoc doc;
    Load(doc, {Function("x^2"), Function("x^3")});
    CGraphPropertiesSheet sheet{QStringLiteral("Graph1"), doc, CGraphPropertiesSheet::kFunctionsPage};
    sheet.show();
    CVPFunctionsPage* page = sheet.FunctionsPage();
    CMessageAnswers answers{true};
    const auto rows = [page](int from) { return Entries(page->List()).mid(from); };

    page->List()->setCurrentRow(1);
    page->DeriveButton()->click();
    EXPECT_FALSE(page->AntiderivativeButton()->isEnabled()) << "the new g' is selected";
    page->DeriveButton()->click();
    EXPECT_FALSE(page->DeriveButton()->isEnabled()) << "no third derivative";
    EXPECT_EQ(rows(2), (QStringList{"g'(x)   (Ableitung von g)", "g''(x)   (zweite Ableitung von g)"}));

    page->List()->setCurrentRow(0);
    WhenShown<CAntiderivativeDialog>([](CAntiderivativeDialog* dialog) {
        dialog->X0Field()->setText(QStringLiteral("1"));
        dialog->Y0Field()->setText(QStringLiteral("x")); // refused, the dialog stays
        dialog->accept();
        EXPECT_TRUE(dialog->isVisible());
        dialog->Y0Field()->setText(QStringLiteral("-2.5"));
        dialog->accept();
    });
    page->AntiderivativeButton()->click();
    EXPECT_EQ(rows(4), QStringList{"F(x)   (Stammfunktion von f, F(1) = -2.5)"});

    page->List()->setCurrentRow(0);
    page->DeleteButton()->click();
    EXPECT_EQ(rows(0),
              (QStringList{"f(x)=x^3", "f'(x)   (Ableitung von f)", "f''(x)   (zweite Ableitung von f)"}));

    sheet.accept();
    doc.TakeStep();
    sheet.ApplyTo(doc);
    const SContentStep step = doc.TakeStep();
    EXPECT_TRUE(step.functions && step.derived);
    ASSERT_EQ(doc.Derived().size(), 2u);
    EXPECT_EQ(doc.Derived()[1], NewDerivedCurve(doc.Functions(), 0, EDerivedKind::SecondDerivative));
    doc.Undo();
    EXPECT_EQ(doc.GetFunctionCount(), 2u);
    EXPECT_TRUE(doc.Derived().empty());
}

} // namespace
