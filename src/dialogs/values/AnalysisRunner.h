#pragma once

#include "analysis/AnalysisResult.h"
#include "engine/NumberText.h"

#include <QObject>

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class IAnalysisSink;
class QThread;
class QTimer;

// Runs one curve discussion on a thread of its own while the window stays responsive: what the
// scan finds is handed over every few dozen milliseconds, a stop request ends the scan within a
// small part of a chunk, and whatever the scan throws ends the run with a reason instead of the
// program. Only one run at a time; the object stops and waits for its run when it is destroyed
// and when the application is about to quit.
class CAnalysisRunner final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CAnalysisRunner)

public:
    // The work of a run, carried out on the worker thread: it reports to the sink.
    using Job = std::function<void(IAnalysisSink&)>;

    // How a run ended.
    enum class EEnd
    {
        Completed,
        ListFull,    // the list took its last line; the scan stopped there
        Stopped,     // Stop() was asked for
        OutOfMemory, // the scan ran out of memory
        Failed       // the scan threw anything else
    };

    // maxLines: the lines a run may report; at that count the scan is told to stop.
    explicit CAnalysisRunner(std::size_t maxLines, QObject* parent = nullptr);
    ~CAnalysisRunner() override;

    // The separator of the numbers in the lines of the runs started from now on.
    void SetDecimalSeparator(EDecimalSeparator separator) { m_separator = separator; }
    // Starts a run, unless one is running.
    bool Start(Job job);
    // Asks a running scan to end; Finished follows once it has.
    void Stop();
    // Stops a run and waits for its thread; Finished has been sent when it returns.
    void StopAndWait();
    bool IsRunning() const;

signals:
    // What the scan has reported since the last time, on the thread of the runner: the lines, and
    // the results that gave them (a line a scan added as text has none). columns is the number of
    // value-table columns when the scan announced it since, else 0; it comes before the lines it
    // lays out.
    void Arrived(const std::vector<std::string>& lines, const std::vector<SAnalysisResult>& results,
                 int progress, int columns);
    void Finished(CAnalysisRunner::EEnd end);

private:
    class CBuffer;

    void TakeOver();
    void Conclude();

    std::size_t m_maxLines;
    EDecimalSeparator m_separator{EDecimalSeparator::Point};
    std::shared_ptr<CBuffer> m_buffer;
    QThread* m_thread{nullptr};
    QTimer* m_update{nullptr};
    unsigned m_runs{0};
};
