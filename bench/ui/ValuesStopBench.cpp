// How long the values dialog takes to end a long run once the user presses Escape: from the key
// to the dialog taking input again, with the scan in the middle of a family of a thousand values
// at the finest precision. Only the stop is timed; the start of each run is not.
#include "dialogs/values/ValuesDialog.h"
#include "document/GraphFunction.h"
#include "framework/SettingsStore.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QKeyEvent>
#include <QPushButton>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

namespace {

CGraphFunction LongFamily()
{
    std::string term = "sin(x)";
    while (term.size() < 240) {
        term += "+sin(x*k)/k";
    }
    CGraphFunction f;
    f.SetTerm(term);
    f.SetUseFamilyConstant(1);
    f.SetRange(1, 1000, 1);
    return f;
}

void BM_ValuesDialogStop(benchmark::State& state)
{
    // Never the user's own settings: the finest precision is set for the run.
    static QTemporaryDir settings;
    CSettingsStore::UseFile(settings.filePath(QStringLiteral("settings.ini")));
    CSettingsStore::Instance().WriteProfileInt(QStringLiteral("Settings"), QStringLiteral("Precision"), 10);
    CScaling scaling;
    scaling.SetXRange(-5, 5, 1);
    for (auto _ : state) {
        CValuesDialog dialog{{LongFamily()}, scaling, 1};
        dialog.show();
        dialog.findChild<QPushButton*>(QStringLiteral("IDC_1061"))->click();
        const QDeadlineTimer underWay{60000};
        while (dialog.ResultLines().isEmpty() && !underWay.hasExpired()) {
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
        }
        if (dialog.ResultLines().isEmpty()) {
            state.SkipWithError("the run did not get under way");
            break;
        }
        QKeyEvent escape{QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier};
        const auto pressed = std::chrono::steady_clock::now();
        QApplication::sendEvent(&dialog, &escape);
        while (dialog.IsRunning()) {
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
        }
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - pressed).count());
    }
}

} // namespace

BENCHMARK(BM_ValuesDialogStop)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
