#include "analysis/RecordingSink.h"
#include "app/DocumentManager.h"
#include "app/GraphDocument.h"
#include "app/MainFrame.h"
#include "dialogs/values/ValuesDialog.h"
#include "framework/CommandIds.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QListView>
#include <QMessageBox>
#include <QProgressBar>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

// The discussion commands of the frame open the values dialog on the document's functions.

namespace {

template <class T> T* Control(QWidget& dialog, const char* name)
{
    T* control = dialog.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(control, nullptr) << name;
    return control;
}

QStringList ComboTexts(QComboBox* box)
{
    QStringList texts;
    for (int i = 0; i < box->count(); ++i) {
        texts << box->itemText(i);
    }
    return texts;
}

// Runs `inspect` on the modal dialog that `open` brings up, then closes it.
void WithModalDialog(const std::function<void()>& open, const std::function<void(CValuesDialog&)>& inspect)
{
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<CValuesDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        seen = true;
        inspect(*dialog);
        dialog->accept();
    });
    open();
    EXPECT_TRUE(seen);
}

struct SDocumentFrame
{
    SDocumentFrame()
    {
        frame.DocumentManager()->askSave = [](const QString&) { return QMessageBox::No; };
        document = frame.DocumentManager()->NewDocument();
    }
    void SetFunctions(const CFunctionList& functions)
    {
        document->Model().SetFunctions(functions);
        document->NotifyChanged();
        // As the frame does after every command of the view, the one that edits functions included.
        frame.UpdateCommandUI();
    }
    CMainFrame frame;
    CGraphDocument* document{nullptr};
};

constexpr int kDiscussionCommands[] = {ID_VALUE_TABLE, ID_ZEROS, ID_EXTREMA, ID_INFLECTIONS, ID_MONOTONY};

} // namespace

TEST(ValuesDialogCommands, DisabledWithoutAFunctionEnabledWithOne)
{
    SDocumentFrame f;
    QObject owner;
    for (int id : kDiscussionCommands) {
        EXPECT_FALSE(f.frame.Action(id)->isEnabled()) << id;
        EXPECT_FALSE(f.frame.CreateCommandAction(id, QStringLiteral("x"), &owner)->isEnabled()) << id;
    }
    f.SetFunctions({MakeFunction("x")});
    for (int id : kDiscussionCommands) {
        EXPECT_TRUE(f.frame.Action(id)->isEnabled()) << id;
        EXPECT_TRUE(f.frame.CreateCommandAction(id, QStringLiteral("x"), &owner)->isEnabled()) << id;
    }
    f.SetFunctions({});
    EXPECT_FALSE(f.frame.Action(ID_EXTREMA)->isEnabled());
}

TEST(ValuesDialogCommands, EachCommandPreselectsItsAnalysisAndComputesNothing)
{
    const QStringList analyses{"Wertetabelle", "Nullstellen", "Extremwerte", "Wendestellen", "Monotonie"};
    for (int i = 0; i < 5; ++i) {
        SDocumentFrame f;
        f.SetFunctions({MakeFunction("sin(x)"), MakeFunction("X^2"), MakeFunction("2*x+1")});
        const bool wasModified = f.document->IsModified();
        WithModalDialog(
            [&] { f.frame.Action(kDiscussionCommands[i])->trigger(); },
            [&](CValuesDialog& dialog) {
                EXPECT_EQ(dialog.windowTitle(), "Werte");
                auto* analysis = Control<QComboBox>(dialog, "IDC_1058");
                EXPECT_EQ(ComboTexts(analysis), analyses);
                EXPECT_EQ(analysis->currentText(), analyses[i]);
                auto* function = Control<QComboBox>(dialog, "IDC_1021");
                EXPECT_EQ(ComboTexts(function), (QStringList{"f(x)=sin(x)", "f(x)=x^2", "f(x)=2*x+1"}));
                EXPECT_EQ(function->currentIndex(), 0);
                EXPECT_EQ(dialog.focusWidget(), function);
                EXPECT_EQ(Control<QListView>(dialog, "IDC_1059")->model()->rowCount(), 0);
                auto* progress = Control<QProgressBar>(dialog, "IDC_1060");
                EXPECT_EQ(progress->minimum(), 0);
                EXPECT_EQ(progress->maximum(), 100);
                EXPECT_EQ(progress->value(), 0);
            });
        EXPECT_EQ(f.document->IsModified(), wasModified) << i;
        EXPECT_EQ(f.document->Model().GetFunctionCount(), 3u);
    }
}
