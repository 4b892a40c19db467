#pragma once

#include <algorithm>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <limits>
#include <mutex>
#include <optional>
#include <span>
#include <system_error>
#include <thread>
#include <vector>

// A run of scan points cut into chunks: x starts at `from` and grows by repeated addition of the
// step while the sum still grows and stays at or below `to`. A chunk is known by its first x and
// its length; the x values inside it are the same running sum taken again, so they come out bit
// for bit as in one unbroken loop.
struct SChunk
{
    double start{};
    std::size_t count{0};
    // The point before the chunk and the one after it (NaN at the ends of the run), so that a
    // scan can look at the pair that a chunk boundary cuts.
    double before{std::numeric_limits<double>::quiet_NaN()};
    double after{std::numeric_limits<double>::quiet_NaN()};
};

class CChunkCursor
{
public:
    CChunkCursor(double from, double to, double step) : m_x{from}, m_to{to}, m_step{step}, m_more{from <= to}
    {
    }

    // The next chunk of at most `size` points, or nothing at the end of the run.
    std::optional<SChunk> Next(std::size_t size)
    {
        if (!m_more) {
            return std::nullopt;
        }
        SChunk chunk{m_x, 0, m_previous};
        while (m_more && chunk.count < size) {
            ++chunk.count;
            const double next = m_x + m_step;
            m_more = next > m_x && next <= m_to;
            m_previous = m_x;
            m_x = next;
        }
        if (m_more) {
            chunk.after = m_x;
        }
        return chunk;
    }

private:
    double m_x;
    double m_to;
    double m_step;
    bool m_more;
    double m_previous{std::numeric_limits<double>::quiet_NaN()};
};

// The x values of a chunk into `xs` (of the chunk's length).
inline void FillChunk(const SChunk& chunk, double step, std::span<double> xs)
{
    double x = chunk.start;
    for (double& out : xs) {
        out = x;
        x = x + step;
    }
}

// Runs compute(chunk, result) for every chunk of the cursor on every core, and consume(chunk,
// result) for each on the calling thread, strictly in the order of the chunks. compute must be
// safe to run on several threads at once; consume may return false to end the run, and then the
// chunks computed ahead are thrown away. A run that fits in one chunk stays on the calling thread.
// Returns false when consume ended the run.
//
// At most a few chunks per core are computed ahead of the one consumed, so a run needs memory for
// those only, however long it is.
template <class Result, class Compute, class Consume>
bool RunInChunks(CChunkCursor& cursor, std::size_t chunkSize, Compute&& compute, Consume&& consume)
{
    std::optional<SChunk> first = cursor.Next(chunkSize);
    if (!first) {
        return true;
    }
    const unsigned cores = std::max(1U, std::thread::hardware_concurrency());
    if (first->count < chunkSize || cores == 1) {
        Result result;
        for (std::optional<SChunk> chunk = first; chunk; chunk = cursor.Next(chunkSize)) {
            result = Result{};
            compute(*chunk, result);
            if (!consume(*chunk, result)) {
                return false;
            }
        }
        return true;
    }

    struct SSlot
    {
        SChunk chunk;
        Result result;
        bool done{false};
        std::exception_ptr failure;
    };
    const std::size_t window = 2 * static_cast<std::size_t>(cores) + 2;
    std::vector<SSlot> ring(window);
    std::mutex mutex;
    std::condition_variable workAdded;
    std::condition_variable chunkDone;
    // Chunk numbers over the whole run: put in the ring, taken by a thread, handed to consume.
    std::uint64_t queued = 0;
    std::uint64_t taken = 0;
    std::uint64_t consumed = 0;
    bool quit = false;

    const auto work = [&](SSlot& slot) {
        try {
            compute(slot.chunk, slot.result);
        } catch (...) {
            slot.failure = std::current_exception();
        }
    };

    ring[0].chunk = *first;
    queued = 1;

    std::vector<std::thread> workers;
    // Stops the workers however the run ends, an exception from consume included.
    struct SJoin
    {
        std::vector<std::thread>& workers;
        std::mutex& mutex;
        bool& quit;
        std::condition_variable& workAdded;
        ~SJoin()
        {
            {
                const std::lock_guard lock{mutex};
                quit = true;
            }
            workAdded.notify_all();
            for (std::thread& worker : workers) {
                worker.join();
            }
        }
    } join{workers, mutex, quit, workAdded};

    for (unsigned i = 0; i < cores; ++i) {
        try {
            workers.emplace_back([&] {
                std::unique_lock lock{mutex};
                for (;;) {
                    workAdded.wait(lock, [&] { return quit || taken < queued; });
                    if (quit) {
                        return;
                    }
                    SSlot& slot = ring[taken % window];
                    ++taken;
                    lock.unlock();
                    work(slot);
                    lock.lock();
                    slot.done = true;
                    chunkDone.notify_all();
                }
            });
        } catch (const std::system_error&) {
            break; // without threads the calling thread computes every chunk itself
        }
    }

    for (;;) {
        // Keep the ring full. The cursor only adds up x values, which is quick beside computing.
        for (;;) {
            {
                const std::lock_guard lock{mutex};
                if (queued >= consumed + window) {
                    break;
                }
            }
            const std::optional<SChunk> chunk = cursor.Next(chunkSize);
            if (!chunk) {
                break;
            }
            {
                const std::lock_guard lock{mutex};
                SSlot& slot = ring[queued % window];
                slot.chunk = *chunk;
                slot.result = Result{};
                slot.done = false;
                slot.failure = nullptr;
                ++queued;
            }
            workAdded.notify_one();
        }

        SSlot* slot = nullptr;
        bool mine = false;
        {
            std::unique_lock lock{mutex};
            if (consumed == queued) {
                return true;
            }
            slot = &ring[consumed % window];
            if (taken == consumed) {
                ++taken; // nobody has started it: the calling thread computes it
                mine = true;
            } else {
                chunkDone.wait(lock, [&] { return slot->done; });
            }
        }
        if (mine) {
            work(*slot);
        }
        if (slot->failure) {
            std::rethrow_exception(slot->failure);
        }
        if (!consume(slot->chunk, slot->result)) {
            return false;
        }
        const std::lock_guard lock{mutex};
        ++consumed;
    }
}
