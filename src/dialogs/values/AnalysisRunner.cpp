#include "dialogs/values/AnalysisRunner.h"

#include "analysis/AnalysisSink.h"
#include "analysis/ResultText.h"

#include <QCoreApplication>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <exception>
#include <mutex>
#include <new>
#include <stop_token>
#include <utility>

namespace {

// How often the window takes over what the scan has found so far.
constexpr int kUpdateIntervalMs = 40;

} // namespace

// What the scan on the worker has produced and the window has not taken yet, and how the run
// ended. The scan only appends; the window takes everything at once.
class CAnalysisRunner::CBuffer final : public IAnalysisSink
{
public:
    struct SBatch
    {
        std::vector<std::string> lines;
        std::vector<SAnalysisResult> results;
        int progress{0};
        int columns{0};
    };

    CBuffer(std::size_t maxLines, EDecimalSeparator separator) : m_maxLines{maxLines}, m_separator{separator}
    {
    }

    // Beyond the limit, or once a stop is asked for, a line is dropped and the scan told to end.
    // A result is kept with the lines of it that fit.
    void Add(const SAnalysisResult& result) override
    {
        std::vector<std::string> lines = ResultLines(result, m_separator);
        if (Stopped()) {
            return;
        }
        const std::lock_guard lock{m_mutex};
        if (Append(lines)) {
            m_results.push_back(result);
        }
    }

    void AddLine(std::string line) override
    {
        if (Stopped()) {
            return;
        }
        const std::lock_guard lock{m_mutex};
        std::vector<std::string> lines{std::move(line)};
        Append(lines);
    }

    bool Stopped() const override { return m_full.load() || m_stop.stop_requested(); }
    std::stop_token StopToken() const override { return m_stop.get_token(); }
    void SetProgress(int position) override { m_progress.store(position); }
    void SetTableColumns(int columns) override { m_columns.store(columns); }

    void RequestStop() { m_stop.request_stop(); }

    SBatch Take()
    {
        SBatch batch;
        batch.columns = m_columns.exchange(0);
        {
            const std::lock_guard lock{m_mutex};
            batch.lines.swap(m_lines);
            batch.results.swap(m_results);
        }
        batch.progress = m_progress.load();
        return batch;
    }

    // Called on the worker when the job has returned or thrown.
    void SetEnd(EEnd end) { m_end.store(end); }
    EEnd End() const
    {
        const EEnd end = m_end.load();
        if (end != EEnd::Completed) {
            return end;
        }
        return m_stop.stop_requested() ? EEnd::Stopped : m_full.load() ? EEnd::ListFull : EEnd::Completed;
    }

private:
    // True when at least the first of the lines fits; with the mutex held.
    bool Append(std::vector<std::string>& lines)
    {
        bool any = false;
        for (std::string& line : lines) {
            if (m_added == m_maxLines) {
                m_full.store(true);
                break;
            }
            ++m_added;
            m_lines.push_back(std::move(line));
            any = true;
        }
        return any;
    }

    const std::size_t m_maxLines;
    const EDecimalSeparator m_separator;
    std::size_t m_added{0};
    std::atomic<bool> m_full{false};
    std::stop_source m_stop;
    std::mutex m_mutex;
    std::vector<std::string> m_lines;
    std::vector<SAnalysisResult> m_results;
    std::atomic<int> m_progress{0};
    std::atomic<int> m_columns{0};
    std::atomic<EEnd> m_end{EEnd::Completed};
};

CAnalysisRunner::CAnalysisRunner(std::size_t maxLines, QObject* parent)
    : QObject{parent}, m_maxLines{maxLines}, m_update{new QTimer{this}}
{
    m_update->setInterval(kUpdateIntervalMs);
    connect(m_update, &QTimer::timeout, this, &CAnalysisRunner::TakeOver);
    // A quitting program leaves the event loop without closing the dialog first.
    if (QCoreApplication* app = QCoreApplication::instance()) {
        connect(app, &QCoreApplication::aboutToQuit, this, &CAnalysisRunner::StopAndWait);
    }
}

CAnalysisRunner::~CAnalysisRunner()
{
    // Nobody listens any more; the thread must still be gone before the buffer it writes to.
    blockSignals(true);
    StopAndWait();
}

bool CAnalysisRunner::IsRunning() const
{
    return m_thread != nullptr;
}

bool CAnalysisRunner::Start(Job job)
{
    if (IsRunning()) {
        return false;
    }
    m_buffer = std::make_shared<CBuffer>(m_maxLines, m_separator);
    m_thread = QThread::create([buffer = m_buffer, job = std::move(job)] {
        // Nothing may leave the thread: an exception would end the whole program, and the user's
        // unsaved graphs with it.
        try {
            job(*buffer);
        } catch (const std::bad_alloc&) {
            buffer->SetEnd(EEnd::OutOfMemory);
        } catch (...) {
            buffer->SetEnd(EEnd::Failed);
        }
    });
    // The news of a run that StopAndWait has already ended must not end the next one.
    const unsigned run = ++m_runs;
    connect(
        m_thread, &QThread::finished, this,
        [this, run] {
            if (run == m_runs) {
                Conclude();
            }
        },
        Qt::QueuedConnection);
    m_update->start();
    m_thread->start();
    return true;
}

void CAnalysisRunner::Stop()
{
    if (m_buffer) {
        m_buffer->RequestStop();
    }
}

void CAnalysisRunner::StopAndWait()
{
    if (!IsRunning()) {
        return;
    }
    Stop();
    Conclude();
}

void CAnalysisRunner::TakeOver()
{
    if (!m_buffer) {
        return;
    }
    CBuffer::SBatch batch = m_buffer->Take();
    emit Arrived(batch.lines, batch.results, batch.progress, batch.columns);
}

// Ends the run once its thread has: the last lines, then how it ended. Called when the thread has
// finished, or by StopAndWait, whichever comes first; the other call finds nothing to do.
void CAnalysisRunner::Conclude()
{
    if (!IsRunning()) {
        return;
    }
    m_thread->wait();
    delete m_thread;
    m_thread = nullptr;
    m_update->stop();
    TakeOver();
    const EEnd end = m_buffer->End();
    m_buffer.reset();
    emit Finished(end);
}
