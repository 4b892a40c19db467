#include "analysis/RecordingSink.h"
#include "app/DocumentManager.h"
#include "app/GraphDocument.h"
#include "app/MainFrame.h"
#include "dialogs/values/ValuesDialog.h"
#include "dialogs/values/ValuesRunSupport.h"
#include "document/GraphFile.h"
#include "engine/CompiledTerm.h"
#include "framework/CommandIds.h"
#include "framework/SettingsStore.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUndoStack>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <iterator>
#include <new>
#include <utility>
#include <vector>

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

constexpr int kDiscussionCommands[] = {ID_VALUE_TABLE, ID_ZEROS,         ID_EXTREMA, ID_INFLECTIONS,
                                       ID_MONOTONY,    ID_INTERSECTIONS, ID_TANGENT, ID_INTEGRAL,
                                       ID_LOCUS_EXTREMA, ID_LOCUS_INFLECTIONS, ID_FULL_DISCUSSION};

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
    const QStringList analyses{"Wertetabelle",         "Nullstellen",        "Extremwerte",
                               "Wendestellen",         "Monotonie",          "Schnittpunkte",
                               "Tangente und Normale", "Integral und Fläche", "Ortskurve der Extrema",
                               "Ortskurve der Wendepunkte", "Kurvendiskussion"};
    for (int i = 0; i < static_cast<int>(std::size(kDiscussionCommands)); ++i) {
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
                EXPECT_EQ(ComboTexts(function), (QStringList{"f(x)=sin(x)", "g(x)=x^2", "h(x)=2*x+1"}));
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

// The button takes the points of the list, only when it holds some, once per run; the view adds
// each press's points at once, as a step of its own that one undo takes back, and the file keeps them.
TEST(ValuesDialogCommands, EachAdoptPressIsOneUndoStepAndIsSaved)
{
    const CExactResults stored{1};
    SDocumentFrame f;
    f.SetFunctions({MakeFunction("0.5*x^3-2*x")});
    f.document->Model().SetScaling(MakeAxis(-10, 10));
    CObjectList before = f.document->Model().GetObjects();
    WithModalDialog([&] { f.frame.Action(ID_EXTREMA)->trigger(); },
                    [&](CValuesDialog& dialog) {
                        auto* adopt = Control<QPushButton>(dialog, "IDC_ADOPT_POINTS");
                        EXPECT_EQ(adopt->text(), QStringLiteral("Als &Punkte übernehmen"));
                        EXPECT_FALSE(adopt->isEnabled());
                        auto* analysis = Control<QComboBox>(dialog, "IDC_1058");
                        analysis->setCurrentIndex(static_cast<int>(EAnalysis::Monotony));
                        Compute(dialog);
                        EXPECT_FALSE(adopt->isEnabled()); // intervals are no points
                        const std::size_t counts[] = {3, 2};
                        std::size_t shown = f.document->Model().GetObjects().size();
                        for (const EAnalysis kind : {EAnalysis::Zeros, EAnalysis::Extrema}) {
                            analysis->setCurrentIndex(static_cast<int>(kind));
                            Compute(dialog);
                            ASSERT_TRUE(adopt->isEnabled());
                            QTest::mouseClick(adopt, Qt::LeftButton);
                            EXPECT_FALSE(adopt->isEnabled());
                            // On the graph at once, while the dialog is still open.
                            shown += counts[kind == EAnalysis::Zeros ? 0 : 1];
                            EXPECT_EQ(f.document->Model().GetObjects().size(), shown);
                        }
                    });
    const CObjectList objects = f.document->Model().GetObjects();
    std::vector<std::string> labels;
    for (std::size_t i = before.size(); i < objects.size(); ++i) {
        EXPECT_TRUE(objects[i].IsPoint());
        labels.push_back(objects[i].GetLabel());
    }
    EXPECT_EQ(labels, (std::vector<std::string>{"N1", "N2", "N3", "H1", "T1"}));
    double x{};
    double y{};
    objects.back().GetCoordinates(x, y);
    EXPECT_DOUBLE_EQ(x, 1.1547);
    EXPECT_DOUBLE_EQ(y, -1.5396);

    CZelDoc reopened;
    std::string error;
    ASSERT_TRUE(ReadGraphFile(WriteGraphFile(f.document->Model()), reopened, error)) << error;
    EXPECT_EQ(reopened.GetObjects().size(), objects.size());
    EXPECT_EQ(reopened.GetObjects().back().GetLabel(), "T1");

    // Undo takes the extrema back first, then the zeros; redo brings the extrema again.
    QUndoStack* history = f.document->History();
    ASSERT_GE(history->count(), 2);
    EXPECT_EQ(history->undoText(), QStringLiteral("Punkte übernehmen"));
    f.document->Undo();
    EXPECT_EQ(f.document->Model().GetObjects().size(), before.size() + 3);
    f.document->Undo();
    EXPECT_EQ(f.document->Model().GetObjects().size(), before.size());
    f.document->Redo();
    f.document->Redo();
    EXPECT_EQ(f.document->Model().GetObjects().back().GetLabel(), "T1");
}

// A scan that runs out of memory ends with the message in the dialog; the program, the document
// and its unsaved changes live on, and the next discussion runs.
TEST(ValuesDialogCommands, AScanOutOfMemoryLeavesTheDocumentAlone)
{
    SDocumentFrame f;
    f.SetFunctions({MakeFunction("x")});
    ASSERT_TRUE(f.document->IsModified());
    WithModalDialog([&] { f.frame.Action(ID_ZEROS)->trigger(); },
                    [&](CValuesDialog& dialog) {
                        dialog.SetScanFunction([](EAnalysis, const CGraphFunction&, const CScaling&, int,
                                                  const SDiscussOptions&, IAnalysisSink& sink) {
                            sink.AddLine("N ( -1 | 0 )");
                            throw std::bad_alloc{};
                        });
                        Compute(dialog);
                        EXPECT_EQ(dialog.ResultLines(),
                                  (QStringList{"N ( -1 | 0 )",
                                               "Die Berechnung wurde abgebrochen: nicht genug Speicher."}));
                        dialog.SetScanFunction(nullptr);
                        Compute(dialog);
                        EXPECT_EQ(dialog.ResultLines().size(), 1); // the one zero of x
                    });
    EXPECT_TRUE(f.document->IsModified());
    ASSERT_EQ(f.document->Model().GetFunctionCount(), 1u);
    EXPECT_EQ(f.document->Model().GetFunctions()[0].GetTerm(), "x");
}

// The tangent and the normal arrive as new functions, each press a step of its own, their terms reading back
// as lines through the point; the second input field and the limits show only where they are read.
TEST(ValuesDialogCommands, AdoptedTangentAndNormalReadBackThroughThePoint)
{
    SDocumentFrame f;
    f.SetFunctions({MakeFunction("x^3/3"), MakeFunction("x+2")});
    WithModalDialog([&] { f.frame.Action(ID_TANGENT)->trigger(); },
                    [&](CValuesDialog& dialog) {
                        auto* at = Control<QLineEdit>(dialog, "IDC_TANGENT_PLACE");
                        EXPECT_TRUE(at->isVisibleTo(&dialog));
                        EXPECT_FALSE(Control<QWidget>(dialog, "IDC_INTEGRAL_FROM")->isVisibleTo(&dialog));
                        EXPECT_FALSE(Control<QWidget>(dialog, "IDC_SECOND_FUNCTION")->isVisibleTo(&dialog));
                        auto* tangent = Control<QPushButton>(dialog, "IDC_ADOPT_TANGENT");
                        auto* normal = Control<QPushButton>(dialog, "IDC_ADOPT_NORMAL");
                        EXPECT_FALSE(tangent->isEnabled());
                        at->setText(QStringLiteral("0,7"));
                        Compute(dialog);
                        EXPECT_EQ(dialog.ResultLines().at(0), QStringLiteral("P ( 0.7 | 0.11433 )"));
                        ASSERT_TRUE(tangent->isEnabled());
                        QTest::mouseClick(tangent, Qt::LeftButton);
                        QTest::mouseClick(normal, Qt::LeftButton);
                        EXPECT_FALSE(tangent->isEnabled());
                        EXPECT_FALSE(normal->isEnabled());
                    });
    const CFunctionList functions = f.document->Model().GetFunctions();
    ASSERT_EQ(functions.size(), 4u);
    const double f0 = 0.7 * 0.7 * 0.7 / 3;
    for (std::size_t i = 2; i < 4; ++i) {
        const CCompiledTerm line{functions[i].GetTerm()};
        EXPECT_FALSE(line.HasSyntaxError()) << functions[i].GetTerm();
        EXPECT_NEAR(line.Evaluate(0.7, 0), f0, 1e-15) << functions[i].GetTerm();
    }
    EXPECT_EQ(functions[2].GetComment(), "Tangente an f(x)=x^3/3 in x0 = 0.7");
    EXPECT_EQ(functions[2].GetName(), "h"); // the next names the list does not show
    EXPECT_EQ(functions[3].GetName(), "p");
    EXPECT_NEAR(CCompiledTerm{functions[2].GetTerm()}.Evaluate(1.7, 0) - f0, 0.49, 1e-15);
    // Newest first: the normal, then the tangent, each by one undo.
    const struct
    {
        const char* step;
        std::size_t functionsLeft;
    } undos[] = {{"Normale übernehmen", 3}, {"Tangente übernehmen", 2}};
    for (const auto& undo : undos) {
        EXPECT_EQ(f.document->History()->undoText(), QString::fromUtf8(undo.step));
        f.document->Undo();
        EXPECT_EQ(f.document->Model().GetFunctions().size(), undo.functionsLeft);
    }
}

// An integral result shows its area to the window, which shades it; a result without a number
// takes it away again, and after the dialog the window is drawn as before it.
TEST(ValuesDialogCommands, IntegralResultShadesTheAreaWhileShown)
{
    SDocumentFrame f;
    f.SetFunctions({MakeFunction("x^2"), MakeFunction("1/x")});
    QWidget* graph = nullptr;
    for (QWidget* widget : f.frame.findChildren<QWidget*>()) {
        if (QString{widget->metaObject()->className()} == QStringLiteral("CZelView")) {
            graph = widget;
        }
    }
    ASSERT_NE(graph, nullptr);
    graph->resize(400, 300);
    const auto darkPixels = [&] {
        const QImage image = graph->grab().toImage();
        int dark = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                dark += qGray(image.pixel(x, y)) < 250 ? 1 : 0;
            }
        }
        return dark;
    };
    const int plain = darkPixels();
    WithModalDialog([&] { f.frame.Action(ID_INTEGRAL)->trigger(); },
                    [&](CValuesDialog& dialog) {
                        auto* with = Control<QComboBox>(dialog, "IDC_SECOND_FUNCTION");
                        EXPECT_TRUE(with->isVisibleTo(&dialog));
                        with->setCurrentIndex(0); // keine
                        Compute(dialog);
                        ASSERT_TRUE(dialog.ShownArea().has_value());
                        EXPECT_EQ(dialog.ShownArea()->from, -5);
                        EXPECT_EQ(dialog.ShownArea()->to, 5);
                        EXPECT_FALSE(dialog.ShownArea()->with.has_value());
                        Control<QComboBox>(dialog, "IDC_1021")->setCurrentIndex(1);
                        Compute(dialog);
                        EXPECT_TRUE(dialog.ResultLines().at(0).startsWith("Das Integral existiert"));
                        EXPECT_FALSE(dialog.ShownArea().has_value());
                        Control<QComboBox>(dialog, "IDC_1021")->setCurrentIndex(0);
                        Compute(dialog);
                        EXPECT_TRUE(dialog.ShownArea().has_value());
                    });
    EXPECT_EQ(darkPixels(), plain);
    EXPECT_EQ(f.document->Model().GetFunctions().size(), 2u);
    EXPECT_TRUE(f.document->Model().GetObjects().empty());
}

// Every row of the table of analyses reaches the user three ways: the selector offers it under its
// name, --discuss takes its word with the inputs it takes, and its entry in "Dis&kussion" opens the
// values dialog on it.
TEST(ValuesDialogCommands, EveryAnalysisOfTheTableIsReachable)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("graph.zel"));
    {
        CZelDoc doc;
        doc.SetFunctions({MakeFunction("x^2-1"), MakeFunction("x")});
        const std::vector<std::uint8_t> bytes = WriteGraphFile(doc);
        QFile out{file};
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
    }
    // Each input with a value that suits the two functions above.
    const std::pair<EInputUse SInputUse::*, QStringList> values[] = {
        {&SInputUse::with, {"--with", "2"}},
        {&SInputUse::at, {"--at", "0.5"}},
        {&SInputUse::from, {"--from", "0"}},
        {&SInputUse::to, {"--to", "2"}},
    };
    ASSERT_FALSE(Analyses().empty());
    for (const SAnalysis& analysis : Analyses()) {
        SCOPED_TRACE(analysis.word);
        const int index = static_cast<int>(analysis.id);

        QStringList arguments{"--discuss", QString::fromLatin1(analysis.word), file};
        for (const auto& [use, option] : values) {
            if (analysis.inputs.*use != EInputUse::Unused) {
                arguments += option;
            }
        }
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
        QProcess process;
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(VEXPLOT_PATH), arguments);
        ASSERT_TRUE(process.waitForFinished(120000));
        EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().constData();
        EXPECT_FALSE(process.readAllStandardOutput().isEmpty());

        SDocumentFrame f;
        f.SetFunctions({MakeFunction("x^2-1"), MakeFunction("x")});
        if (analysis.command == 0) {
            CValuesDialog dialog{f.document->Model().GetFunctions(), f.document->Model().GetScaling(), index};
            auto* selector = Control<QComboBox>(dialog, "IDC_1058");
            EXPECT_EQ(selector->currentIndex(), index);
            EXPECT_EQ(selector->currentText(), QString::fromUtf8(analysis.name));
            continue;
        }
        QMenu* discussion = nullptr;
        for (QAction* entry : f.frame.menuBar()->actions()) {
            if (entry->menu() && entry->text() == QStringLiteral("Dis&kussion")) {
                discussion = entry->menu();
            }
        }
        ASSERT_NE(discussion, nullptr);
        QAction* action = f.frame.Action(analysis.command);
        ASSERT_NE(action, nullptr);
        EXPECT_TRUE(discussion->actions().contains(action));
        WithModalDialog([&] { action->trigger(); },
                        [&](CValuesDialog& dialog) {
                            auto* selector = Control<QComboBox>(dialog, "IDC_1058");
                            EXPECT_EQ(selector->currentIndex(), index);
                            EXPECT_EQ(selector->currentText(), QString::fromUtf8(analysis.name));
                        });
    }
}

} // namespace
