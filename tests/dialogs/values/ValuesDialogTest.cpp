#include "analysis/RecordingSink.h"

#include "dialogs/values/TabStopDelegate.h"
#include "dialogs/values/ValuesDialog.h"
#include "dialogs/values/ValuesRunSupport.h"
#include "document/GraphFile.h"
#include "framework/CommandIds.h"
#include "framework/HelpWindow.h"
#include "framework/SettingsStore.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QImage>
#include <QListView>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <new>
#include <optional>
#include <stdexcept>
#include <stop_token>
#include <string>
#include <vector>

namespace {

const char* const kSixControls[] = {"IDC_1021", "IDC_1058", "IDC_1061", "IDC_1076", "IDOK", "IDHELP"};

template <class T> T* Control(QWidget& dialog, const char* name)
{
    T* control = dialog.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(control, nullptr) << name;
    return control;
}

namespace Dialog {
void SelectAnalysis(CValuesDialog& dialog, EAnalysis analysis)
{
    dialog.findChild<QComboBox*>(QStringLiteral("IDC_1058"))->setCurrentIndex(static_cast<int>(analysis));
}
} // namespace Dialog

QStringList ToQt(const std::vector<std::string>& lines)
{
    QStringList result;
    for (const std::string& line : lines) {
        result << QString::fromStdString(line);
    }
    return result;
}

TEST(ValuesDialog, ComputeListsTheScanAndEnablesTheControlsAgain)
{
    CValuesDialog dialog{{MakeFunction("x^3-3*x")}, CScaling{}, 2};
    dialog.show();
    Compute(dialog);
    EXPECT_EQ(dialog.ResultLines(), (QStringList{"H ( -1 | 2 )", "T ( 1 | -2 )"}));
    for (const char* name : kSixControls) {
        EXPECT_TRUE(Control<QWidget>(dialog, name)->isEnabled()) << name;
    }
    EXPECT_EQ(Control<QProgressBar>(dialog, "IDC_1060")->value(), 0);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_FALSE(dialog.IsRunning());
}

TEST(ValuesDialog, RunsTheChosenFunctionAndAnalysisAndReplacesTheList)
{
    const CExactResults raster{0}; // the lines of the raster scan
    const CFunctionList functions{MakeFunction("x"), MakeFunction("sin(x)"), MakeFunction("x^2", 1, 1, 3, 1)};
    const CScaling scaling = MakeAxis(-4, 4);
    CValuesDialog dialog{functions, scaling, 0};
    dialog.show();
    auto* function = Control<QComboBox>(dialog, "IDC_1021");
    auto* analysis = Control<QComboBox>(dialog, "IDC_1058");
    const struct
    {
        int function;
        EAnalysis kind;
    } runs[] = {{1, EAnalysis::Zeros},       {2, EAnalysis::ValueTable}, {0, EAnalysis::Monotony},
                {1, EAnalysis::Inflections}, {2, EAnalysis::Extrema},    {0, EAnalysis::Extrema}};
    for (const auto& run : runs) {
        function->setCurrentIndex(run.function);
        analysis->setCurrentIndex(static_cast<int>(run.kind));
        Compute(dialog);
        CGraphFunction named = functions[static_cast<std::size_t>(run.function)]; // as the list names it
        named.SetName(FunctionName(functions, static_cast<std::size_t>(run.function)));
        EXPECT_EQ(dialog.ResultLines(), ToQt(Lines(run.kind, named, scaling)))
            << run.function << ' ' << static_cast<int>(run.kind);
    }
}

// The check box shows the stored choice, keeps a new one at once, and the scan follows it.
TEST(ValuesDialog, ExactResultsFollowTheCheckBoxAndAreKept)
{
    const CExactResults stored{1};
    const CGraphFunction function = MakeFunction("x^2");
    const CScaling scaling = MakeAxis(-2, 2);
    CValuesDialog dialog{{function}, scaling, 1};
    dialog.show();
    auto* exact = Control<QCheckBox>(dialog, "IDC_EXACT_RESULTS");
    EXPECT_EQ(exact->text(), QStringLiteral("&Genaue Werte"));
    EXPECT_TRUE(exact->isChecked());
    Compute(dialog);
    EXPECT_EQ(dialog.ResultLines(), (QStringList{"N ( 0 | 0 )"}));

    QTest::keyClick(exact, Qt::Key_Space);
    EXPECT_EQ(CExactResults::Stored(), 0);
    Compute(dialog);
    EXPECT_EQ(dialog.ResultLines(), ToQt(Lines(EAnalysis::Zeros, function, scaling)));
    EXPECT_GT(dialog.ResultLines().size(), 300); // one line for every scan point in the band
}

// The Ortskurve runs off the window like every scan; its points can be adopted, and "Genaue Werte"
// is no choice there.
TEST(ValuesDialog, ListsTheOrtskurveOfAFamily)
{
    CValuesDialog dialog{{MakeFunction("x^2-2*k*x+k", 1, 0, 2, 1)}, CScaling{},
                         static_cast<int>(EAnalysis::LocusExtrema)};
    dialog.show();
    EXPECT_FALSE(Control<QCheckBox>(dialog, "IDC_EXACT_RESULTS")->isVisible());
    Compute(dialog);
    EXPECT_EQ(dialog.ResultLines(), (QStringList{QStringLiteral("Zweig 1: T für k von 0 bis 2 (401 Punkte)"),
                                                 "k = 0; T ( 0 | 0 )", "k = 1; T ( 1 | 0 )", "k = 2; T ( 2 | -2 )",
                                                 "Ortskurve: y = x-x^2", ""}));
    EXPECT_TRUE(Control<QPushButton>(dialog, "IDC_ADOPT_POINTS")->isEnabled());
}

// f', f'' and F are offered after the functions and discussed as functions: the zeros of f' are
// the x of f's extrema, the zero of f'' that of its inflection point, and F = x^4/4 - 3x^2/2 turns
// where f changes sign. What needs a term of F says that it is not available.
TEST(ValuesDialog, DerivedCurvesAreDiscussedAfterTheFunctions)
{
    struct SCase
    {
        EDerivedKind kind;
        EAnalysis analysis;
        int entry; // F is the first derived entry, the other kind the second
        QStringList lines;
    };
    const SCase cases[] = {
        {EDerivedKind::FirstDerivative, EAnalysis::Zeros, 2, {"N ( -1 | 0 )", "N ( 1 | 0 )"}},
        {EDerivedKind::FirstDerivative, EAnalysis::Extrema, 2, {"T ( 0 | -3 )"}},
        {EDerivedKind::SecondDerivative, EAnalysis::Zeros, 2, {"N ( 0 | 0 )"}},
        {EDerivedKind::FirstDerivative, EAnalysis::Extrema, 1,
         {"T ( -1.73205 | -2.25 )", "H ( 0 | 0 )", "T ( 1.73205 | -2.25 )"}},
        {EDerivedKind::FirstDerivative, EAnalysis::Inflections, 1, {"W ( -1 | -1.25 )", "W ( 1 | -1.25 )"}},
        {EDerivedKind::FirstDerivative, EAnalysis::Tangent, 1,
         {QStringLiteral("Für eine Stammfunktion ist diese Berechnung nicht verfügbar.")}},
    };
    for (const SCase& c : cases) {
        CValuesDialog dialog{{MakeFunction("x^3-3*x")}, CScaling{}, static_cast<int>(c.analysis)};
        dialog.SetGraphDerived({CDerivedCurve{0, EDerivedKind::Antiderivative}, CDerivedCurve{0, c.kind}});
        dialog.show();
        auto* functions = Control<QComboBox>(dialog, "IDC_1021");
        ASSERT_EQ(functions->count(), 3);
        EXPECT_EQ(functions->itemText(1), QStringLiteral("F(x)   aus f(x)=x^3-3*x"));
        functions->setCurrentIndex(c.entry);
        // F has no raster scan to choose instead of the refined points.
        EXPECT_EQ(Control<QCheckBox>(dialog, "IDC_EXACT_RESULTS")->isVisible(), c.entry == 2);
        Compute(dialog);
        EXPECT_EQ(dialog.ResultLines(), c.lines) << functions->itemText(c.entry).toStdString();
    }
}

// With the slider on, the member is discussed at its k, and an Ortskurve still runs over the whole
// family and asks for its curve once it is complete.
TEST(ValuesDialog, TheSlidersMemberAndTheOrtskurveCurve)
{
    CValuesDialog dialog{{MakeFunction("x^2-2*k*x+k", 1, 0, 2, 1)}, CScaling{}, static_cast<int>(EAnalysis::Extrema)};
    dialog.SetGraphDerived({CDerivedCurve{0, EDerivedKind::FirstDerivative}, CDerivedCurve{0, EDerivedKind::Antiderivative}});
    dialog.SetFamilyMember(0, 2);
    std::vector<CDerivedCurve> drawn;
    QObject::connect(&dialog, &CValuesDialog::locusDrawn, [&drawn](const CDerivedCurve& c) { drawn.push_back(c); });
    dialog.show();
    auto* functions = Control<QComboBox>(dialog, "IDC_1021");
    EXPECT_TRUE(functions->itemText(1).endsWith(QStringLiteral("für k = 2")));
    Compute(dialog);
    EXPECT_EQ(dialog.ResultLines(), (QStringList{"k = 2; T ( 2 | -2 )", ""}));
    functions->setCurrentIndex(1); // f' of the member: its zero is the member's minimum
    Dialog::SelectAnalysis(dialog, EAnalysis::Zeros);
    Compute(dialog);
    EXPECT_EQ(dialog.ResultLines(), (QStringList{"k = 2; N ( 2 | 0 )", ""}));
    // F of the member, x^3/3 - 2x^2 + 2x, at its k as well.
    EXPECT_TRUE(functions->itemText(2).endsWith(QStringLiteral("für k = 2")));
    functions->setCurrentIndex(2);
    Compute(dialog);
    EXPECT_EQ(dialog.ResultLines(),
              (QStringList{"k = 2; N ( 0 | 0 )", "k = 2; N ( 1.26795 | 0 )", "k = 2; N ( 4.73205 | 0 )", ""}));
    EXPECT_TRUE(drawn.empty());
    functions->setCurrentIndex(0);
    Dialog::SelectAnalysis(dialog, EAnalysis::LocusExtrema);
    Compute(dialog);
    EXPECT_TRUE(dialog.ResultLines().contains(QStringLiteral("Ortskurve: y = x-x^2")));
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].GetKind(), EDerivedKind::LocusOfExtrema);
    EXPECT_EQ(drawn[0].GetSource(), 0u);
}

TEST(ValuesDialog, EnterRunsTheSelectedAnalysis)
{
    CValuesDialog dialog{{MakeFunction("x")}, CScaling{}, 1};
    dialog.show();
    QTest::keyClick(Control<QComboBox>(dialog, "IDC_1021"), Qt::Key_Return);
    WaitForRun(dialog);
    EXPECT_EQ(dialog.ResultLines(), ToQt(Lines(EAnalysis::Zeros, MakeFunction("x"), CScaling{})));
    EXPECT_TRUE(dialog.isVisible());
}

// While a long scan runs the window keeps handling its own events: the progress bar moves and
// lines arrive, the selection stays locked, and the compute button has become the stop button.
TEST(ValuesDialog, LongRunKeepsTheWindowAliveAndTheSelectionLocked)
{
    const CExactResults raster{0}; // the lines of the raster scan
    const CPrecision precision{10};
    const CGraphFunction function = MakeFunction("x^3-3*x");
    // Long enough that the list takes over several times while the scan runs, even on a busy machine.
    const CScaling scaling = MakeAxis(-4, 4);
    CValuesDialog dialog{{function}, scaling, 2};
    dialog.show();
    auto* progress = Control<QProgressBar>(dialog, "IDC_1060");
    auto* compute = Control<QPushButton>(dialog, "IDC_1061");
    const char* const locked[] = {"IDC_1021", "IDC_1058", "IDC_1076", "IDHELP", "IDC_EXACT_RESULTS"};

    int ticks = 0;
    int lockedSeenEnabled = 0;
    bool stopOffered = true;
    bool cursorShown = true;
    std::vector<int> positions;
    QTimer probe;
    probe.setInterval(5);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        if (!dialog.IsRunning()) {
            return;
        }
        ++ticks;
        for (const char* name : locked) {
            lockedSeenEnabled += dialog.findChild<QWidget*>(QString::fromLatin1(name))->isEnabled() ? 1 : 0;
        }
        stopOffered = stopOffered && compute->isEnabled() && compute->text() == QStringLiteral("S&topp") &&
                      Control<QPushButton>(dialog, "IDOK")->isEnabled();
        cursorShown = cursorShown && QApplication::overrideCursor() != nullptr &&
                      QApplication::overrideCursor()->shape() == Qt::BusyCursor;
        positions.push_back(progress->value());
        // A second Enter must not stop the run it started.
        QTest::keyClick(&dialog, Qt::Key_Return);
    });
    probe.start();
    Compute(dialog);
    probe.stop();

    EXPECT_GT(ticks, 2);
    EXPECT_EQ(lockedSeenEnabled, 0);
    EXPECT_TRUE(stopOffered);
    EXPECT_TRUE(cursorShown);
    EXPECT_TRUE(std::is_sorted(positions.begin(), positions.end()));
    EXPECT_TRUE(std::any_of(positions.begin(), positions.end(), [](int p) { return p > 0 && p <= 100; }));
    EXPECT_EQ(progress->value(), 0);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(compute->text(), QStringLiteral("&Berechnen"));
    EXPECT_EQ(dialog.ResultLines(), ToQt(Lines(EAnalysis::Extrema, function, scaling, 10)));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// A run of about an hour: a long term over a family of a thousand values at the finest precision.
CGraphFunction EndlessFunction()
{
    std::string term = "sin(x)";
    while (term.size() < 240) {
        term += "+sin(x*k)/k";
    }
    return MakeFunction(term, 1, 1, 1000, 1);
}

// Starts the endless run and waits until the scan has handed over its first findings, so that a
// stop reaches it in the middle of its work.
void StartEndlessRun(CValuesDialog& dialog)
{
    QTest::mouseClick(Control<QPushButton>(dialog, "IDC_1061"), Qt::LeftButton);
    ASSERT_TRUE(dialog.IsRunning());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !dialog.ResultLines().isEmpty(); }, 60000));
    ASSERT_TRUE(dialog.IsRunning());
}

// The user stops a long run with Escape or the stop button and keeps the dialog with what was
// found so far; closing the window stops the run as well and closes. The run would take an hour,
// so its end within the bound shows the stop reached the scan.
TEST(ValuesDialog, ALongRunStopsWhenAskedOrClosed)
{
    const CPrecision precision{10};
    const struct
    {
        const char* name;
        std::function<void(CValuesDialog&)> act;
        bool closes;
    } cases[] = {
        {"Escape", [](CValuesDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); }, false},
        {"Stopp",
         [](CValuesDialog& d) { QTest::mouseClick(Control<QPushButton>(d, "IDC_1061"), Qt::LeftButton); },
         false},
        {"Schließen",
         [](CValuesDialog& d) { QTest::mouseClick(Control<QPushButton>(d, "IDOK"), Qt::LeftButton); }, true},
        {"window closed", [](CValuesDialog& d) { d.close(); }, true},
    };
    for (const auto& c : cases) {
        CValuesDialog dialog{{EndlessFunction()}, MakeAxis(-5, 5), 1};
        dialog.show();
        StartEndlessRun(dialog);
        c.act(dialog);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !dialog.IsRunning(); }, 30000)) << c.name;
        EXPECT_EQ(dialog.isVisible(), !c.closes) << c.name;
        ASSERT_FALSE(dialog.ResultLines().isEmpty()) << c.name;
        EXPECT_EQ(dialog.ResultLines().back(), QStringLiteral("Die Berechnung wurde abgebrochen.")) << c.name;
        EXPECT_TRUE(Control<QComboBox>(dialog, "IDC_1021")->isEnabled()) << c.name;
        EXPECT_EQ(QApplication::overrideCursor(), nullptr) << c.name;
    }
}

// A dialog destroyed in the middle of a run (the program quits) asks the scan to stop and waits
// for its thread: the scan below runs until it is stopped, and gives up by itself only long after
// a hang would have been noticed.
TEST(ValuesDialog, ADialogGoneDuringARunTakesTheRunWithIt)
{
    std::atomic<bool> stopped{false};
    std::atomic<bool> ended{false};
    {
        CValuesDialog dialog{{MakeFunction("x")}, MakeAxis(-5, 5), 1};
        dialog.SetScanFunction([&](EAnalysis, const CGraphFunction&, const CScaling&, int,
                                   const SDiscussOptions&, IAnalysisSink& sink) {
            sink.AddLine("under way");
            std::mutex mutex;
            std::condition_variable_any wake;
            std::unique_lock lock{mutex};
            wake.wait_for(lock, sink.StopToken(), std::chrono::seconds{30}, [] { return false; });
            stopped = sink.StopToken().stop_requested();
            ended = true;
        });
        dialog.show();
        StartEndlessRun(dialog);
    }
    EXPECT_TRUE(ended.load()) << "the scan's thread outlived the dialog";
    EXPECT_TRUE(stopped.load()) << "the scan was not asked to stop";
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// Passes the scan's lines on until `failAt`, and then throws what the scan might: the allocation
// of a line that no longer fits, or anything else.
class CFailingSink final : public IAnalysisSink
{
public:
    CFailingSink(IAnalysisSink& sink, std::size_t failAt, std::function<void()> fail)
        : m_sink{sink}, m_failAt{failAt}, m_fail{std::move(fail)}
    {
    }
    void AddLine(std::string line) override
    {
        if (++m_count == m_failAt) {
            m_fail();
        }
        m_sink.AddLine(std::move(line));
    }
    void SetProgress(int position) override { m_sink.SetProgress(position); }
    bool Stopped() const override { return m_sink.Stopped(); }
    void SetTableColumns(int columns) override { m_sink.SetTableColumns(columns); }
    std::stop_token StopToken() const override { return m_sink.StopToken(); }

private:
    IAnalysisSink& m_sink;
    std::size_t m_count{0};
    std::size_t m_failAt;
    std::function<void()> m_fail;
};

// An exception from inside a scan ends the run with a German message in the dialog, never the
// program: the dialog stays, keeps what was found, and the next run works.
TEST(ValuesDialog, AScanThatThrowsEndsWithAMessageAndTheDialogLivesOn)
{
    const CExactResults raster{0}; // the lines of the raster scan
    const CGraphFunction function = MakeFunction("x^2");
    const CScaling scaling = MakeAxis(-2, 2);
    const struct
    {
        const char* name;
        std::function<void()> fail;
        const char* message;
    } cases[] = {
        {"bad_alloc", [] { throw std::bad_alloc{}; },
         "Die Berechnung wurde abgebrochen: nicht genug Speicher."},
        {"logic_error", [] { throw std::logic_error{"kaputt"}; },
         "Die Berechnung wurde abgebrochen: ein unerwarteter Fehler ist aufgetreten."},
        {"not an exception class", [] { throw 42; },
         "Die Berechnung wurde abgebrochen: ein unerwarteter Fehler ist aufgetreten."},
    };
    const std::vector<std::string> all = Lines(EAnalysis::Zeros, function, scaling);
    ASSERT_GT(all.size(), 200u);
    for (const auto& c : cases) {
        CValuesDialog dialog{{function}, scaling, 1};
        dialog.show();
        dialog.SetScanFunction([&c](EAnalysis kind, const CGraphFunction& f, const CScaling& s, int precision,
                                    const SDiscussOptions& options, IAnalysisSink& sink) {
            CFailingSink failing{sink, 120, c.fail};
            RunAnalysis(kind, f, s, precision, options, failing);
        });
        Compute(dialog);
        QStringList expected = ToQt({all.begin(), all.begin() + 119});
        expected << QString::fromUtf8(c.message);
        EXPECT_EQ(dialog.ResultLines(), expected) << c.name;
        EXPECT_TRUE(dialog.isVisible()) << c.name;
        EXPECT_TRUE(Control<QPushButton>(dialog, "IDC_1061")->isEnabled()) << c.name;
        EXPECT_EQ(QApplication::overrideCursor(), nullptr) << c.name;

        dialog.SetScanFunction(nullptr);
        Compute(dialog);
        EXPECT_EQ(dialog.ResultLines(), ToQt(all)) << c.name;
    }
}

TEST(ValuesDialog, CopyingAFamilyTableGivesCrLfLinesWithTheEmptyOnes)
{
    CValuesDialog dialog{{MakeFunction("x^2+k", 1, 1, 3, 1)}, CScaling{}, 0};
    dialog.show();
    Compute(dialog);
    QTest::mouseClick(Control<QPushButton>(dialog, "IDC_1076"), Qt::LeftButton);
    const QString text = QGuiApplication::clipboard()->text();

    ASSERT_TRUE(text.endsWith("\r\n"));
    EXPECT_EQ(text.count("\n"), text.count("\r\n"));
    QStringList lines = text.split("\r\n");
    lines.removeLast();
    // Header, empty line, then per k eleven rows and an empty line.
    ASSERT_EQ(lines.size(), 2 + 3 * 12);
    EXPECT_EQ(lines[0], "x\tf(x)\tf'(x)\tf''(x)\tk");
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[2], "-5\t26\t-10\t2\t1");
    EXPECT_EQ(lines[12], "5\t26\t10\t2\t1");
    EXPECT_EQ(lines[13], "");
    EXPECT_EQ(lines[14], "-5\t27\t-10\t2\t2");
    EXPECT_EQ(lines[37], "");
    EXPECT_EQ(lines, dialog.ResultLines());
}

// The chosen separator reaches the list and the copied text, which a spreadsheet reads column by column;
// a run started after the option changed shows the new one.
TEST(ValuesDialog, CopiedValuesTakeTheChosenSeparator)
{
    struct Case
    {
        int decimalComma;
        QStringList rows;
    };
    const Case cases[] = {
        {1, {"x\tf(x)\tf'(x)\tf''(x)\tk", "", "-5\t-1,25\t0,25\t0\t0,5", "-4\t-1\t0,25\t0\t0,5"}},
        {0, {"x\tf(x)\tf'(x)\tf''(x)\tk", "", "-5\t-1.25\t0.25\t0\t0.5", "-4\t-1\t0.25\t0\t0.5"}},
    };
    CValuesDialog dialog{{MakeFunction("x/4+k-k", 1, 0.5, 1.5, 0.5)}, CScaling{}, 0};
    dialog.show();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.decimalComma);
        CSettingsStore::Instance().WriteProfileInt(QStringLiteral("Settings"), QStringLiteral("DecimalComma"),
                                                   c.decimalComma);
        Compute(dialog);
        QTest::mouseClick(Control<QPushButton>(dialog, "IDC_1076"), Qt::LeftButton);
        const QStringList copied = QGuiApplication::clipboard()->text().split(QStringLiteral("\r\n"));
        ASSERT_GT(copied.size(), c.rows.size());
        EXPECT_EQ(copied.mid(0, c.rows.size()), c.rows);
        EXPECT_EQ(dialog.ResultLines().mid(0, c.rows.size()), c.rows);
    }
}

TEST(ValuesDialog, CopyingAnEmptyListLeavesTheClipboardAlone)
{
    QGuiApplication::clipboard()->setText(QStringLiteral("vorher"));
    CValuesDialog dialog{{MakeFunction("x")}, CScaling{}, 0};
    dialog.show();
    QTest::mouseClick(Control<QPushButton>(dialog, "IDC_1076"), Qt::LeftButton);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "vorher");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(ValuesDialog, HelpOpensTheDialogsPage)
{
    CValuesDialog dialog{{MakeFunction("x")}, CScaling{}, 0};
    dialog.show();
    QTest::mouseClick(Control<QPushButton>(dialog, "IDHELP"), Qt::LeftButton);
    ASSERT_NE(CHelpWindow::Instance(), nullptr);
    EXPECT_EQ(CHelpWindow::Instance()->CurrentPage(), QStringLiteral("qrc:/help/diskussion.html#werte"));
    delete CHelpWindow::Instance();
}

TEST(ValuesDialog, CloseAndEscapeEndTheDialog)
{
    for (bool escape : {false, true}) {
        CValuesDialog dialog{{MakeFunction("x")}, CScaling{}, 0};
        dialog.show();
        if (escape) {
            QTest::keyClick(&dialog, Qt::Key_Escape);
        } else {
            QTest::mouseClick(Control<QPushButton>(dialog, "IDOK"), Qt::LeftButton);
        }
        EXPECT_FALSE(dialog.isVisible()) << escape;
        EXPECT_EQ(dialog.result(), escape ? QDialog::Rejected : QDialog::Accepted);
    }
}

TEST(ValueTableTabDistance, KeepsTheColumnsShareOfTheList)
{
    const struct
    {
        int width;
        int columns;
        qreal unit;
        qreal expected;
    } cases[] = {
        // At 1.5 pixels per unit the rule reads as written: 321 / 5 - 15 = 49 units.
        {321, 4, 1.5, 49 * 1.5},
        {321, 5, 1.5, 38 * 1.5},
        // A twice as large font gives a twice as wide list and twice as wide columns.
        {642, 4, 3.0, 49 * 3.0},
        {642, 5, 3.0, 38 * 3.0},
        // Integer division truncates: 324 / 5 = 64.
        {324, 4, 1.5, 49 * 1.5},
        {325, 4, 1.5, 50 * 1.5},
        // A list narrower than the rule allows still advances one unit per stop.
        {60, 4, 1.5, 1.5},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(CValuesDialog::ValueTableTabDistance(c.width, c.columns, c.unit), c.expected)
            << c.width << ' ' << c.columns << ' ' << c.unit;
    }
}

// Columns of ink in the first row of the list: where each stretch of text starts.
std::vector<int> TextStarts(QListView* list)
{
    const QRect row = list->visualRect(list->model()->index(0, 0));
    const QImage image = list->viewport()->grab(row).toImage();
    std::vector<int> starts;
    bool inInk = false;
    int gap = 0;
    for (int x = 0; x < image.width(); ++x) {
        bool ink = false;
        for (int y = 0; y < image.height(); ++y) {
            ink = ink || qGray(image.pixel(x, y)) < 128;
        }
        if (ink && !inInk && (starts.empty() || gap > 6)) {
            starts.push_back(x);
        }
        gap = ink ? 0 : gap + 1;
        inInk = ink;
    }
    return starts;
}

TEST(ValuesDialog, TableHeaderIsDrawnAtTheTabStops)
{
    for (bool family : {false, true}) {
        CValuesDialog dialog{{MakeFunction("x^2", family ? 1 : 0, 1, 2, 1)}, CScaling{}, 0};
        dialog.show();
        Compute(dialog);
        auto* list = Control<QListView>(dialog, "IDC_1059");
        const auto* delegate = qobject_cast<CTabStopDelegate*>(list->itemDelegate());
        ASSERT_NE(delegate, nullptr);
        const qreal distance = delegate->TabDistance();
        EXPECT_DOUBLE_EQ(distance, CValuesDialog::ValueTableTabDistance(list->width(), family ? 5 : 4,
                                                                        dialog.PixelsPerDialogUnit()));

        const std::vector<int> starts = TextStarts(list);
        ASSERT_EQ(starts.size(), family ? 5u : 4u);
        for (std::size_t i = 1; i < starts.size(); ++i) {
            // "x", "f(x)", ... begin one tab distance apart (glyphs may sit a pixel or two in).
            EXPECT_NEAR(starts[i] - starts[0], static_cast<double>(i) * distance, 3.0) << family << ' ' << i;
        }
        // The last column still starts inside the list.
        EXPECT_LT(starts.back(), list->viewport()->width());
    }
}

} // namespace

namespace {

// An x step of 1e-5 gives a million rows; the list takes its limit, says so and the scan ends
// there. A family beyond the scans' limit ends with the line that says where it was cut.
TEST(ValuesDialog, LongListsAndLargeFamiliesEndWithALineThatSaysSo)
{
    const CExactResults raster{0}; // the lines of the raster scan
    const CFunctionList functions{MakeFunction("x"), MakeFunction("x-k", 1, 0, 1e9, 1)};
    const struct
    {
        std::size_t function;
        CScaling scaling;
        int lines;
        const char* last;
    } cases[] = {
        {0, MakeAxis(-5, 5, 1e-5), static_cast<int>(CValuesDialog::kMaxResultLines) + 1,
         "Die Liste endet hier: sie fasst höchstens 200000 Zeilen."},
        {1, MakeAxis(0, 2, 1), 2 + 4 * 1000 + 1,
         "Nur die ersten 1000 Werte von k wurden untersucht, bis k = 999."},
    };
    for (const auto& c : cases) {
        CValuesDialog dialog{functions, c.scaling, 0};
        dialog.show();
        Control<QComboBox>(dialog, "IDC_1021")->setCurrentIndex(static_cast<int>(c.function));
        Compute(dialog);
        const QStringList lines = dialog.ResultLines();
        EXPECT_EQ(lines.size(), c.lines);
        ASSERT_FALSE(lines.isEmpty());
        EXPECT_EQ(lines.back(), QString::fromUtf8(c.last));
    }
}

} // namespace

namespace {

// The adopt buttons and the shading read the results behind the lines, never their words: a line
// that only reads like a point or an integral offers nothing, and each run forgets the last one's.
TEST(ValuesDialog, OffersComeFromTheResultsNotFromTheWords)
{
    const auto of = [](auto value, std::optional<double> k = std::nullopt) {
        return SAnalysisResult{std::move(value), k, 5};
    };
    const SAnalysisResult point = of(SResultPoint{'N', 1, -1, 0});
    const SAnalysisResult touching = of(SResultPoint{'S', 1, 0, 0, true});
    const SAnalysisResult tangent = of(SResultTangent{0, 0, 0, {0, 0}, std::nullopt});
    const SAnalysisResult noTangent = of(SResultMessage{EResultMessage::NotDefinedAt, {0}});
    const SResultIntegral exists{-5, 5, std::nullopt, 0, 2, 0, {-5, 5}, {0}};
    SResultIntegral missing = exists;
    missing.undefinedAt = 0.0;
    const struct
    {
        const char* name;
        EAnalysis kind;
        std::vector<SAnalysisResult> results;
        std::vector<std::string> lines; // added as text
        std::size_t points;
        bool area;
        bool tangent;
    } cases[] = {
        {"Points", EAnalysis::Zeros, {point, touching}, {}, 2, false, false},
        {"PointsAsText", EAnalysis::Zeros, {}, {"N ( -1 | 0 )"}, 0, false, false},
        {"Integral", EAnalysis::Integral, {of(exists)}, {}, 0, true, false},
        {"IntegralMissingForOneK",
         EAnalysis::Integral,
         {of(exists, 1.0), of(missing, 2.0)},
         {},
         0,
         false,
         false},
        {"IntegralAsText", EAnalysis::Integral, {}, {"Integral von -5 bis 5: 0"}, 0, false, false},
        {"Tangent", EAnalysis::Tangent, {tangent}, {}, 0, false, true},
        {"NoTangent", EAnalysis::Tangent, {noTangent}, {}, 0, false, false},
    };
    CValuesDialog dialog{{MakeFunction("x^2")}, MakeAxis(-5, 5), 0};
    dialog.show();
    for (const auto& c : cases) {
        Control<QComboBox>(dialog, "IDC_1058")->setCurrentIndex(static_cast<int>(c.kind));
        dialog.SetScanFunction([&c](EAnalysis, const CGraphFunction&, const CScaling&, int,
                                    const SDiscussOptions&, IAnalysisSink& sink) {
            for (const SAnalysisResult& result : c.results) {
                sink.Add(result);
            }
            for (const std::string& line : c.lines) {
                sink.AddLine(line);
            }
        });
        Compute(dialog);
        EXPECT_EQ(Control<QPushButton>(dialog, "IDC_ADOPT_POINTS")->isEnabled(), c.points > 0) << c.name;
        const std::size_t before = dialog.AdoptedPoints().size();
        dialog.OnAdoptPoints();
        EXPECT_EQ(dialog.AdoptedPoints().size() - before, c.points) << c.name;
        EXPECT_EQ(dialog.ShownArea().has_value(), c.area) << c.name;
        EXPECT_EQ(Control<QPushButton>(dialog, "IDC_ADOPT_TANGENT")->isEnabled(), c.tangent) << c.name;
    }
}

} // namespace
