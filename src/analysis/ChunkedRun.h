#pragma once

#include "analysis/ThreadPool.h"

#include <algorithm>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <limits>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
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

// Runs compute(chunk, result) for every chunk of the cursor on the threads of the pool, and
// consume(chunk, result) for each on the calling thread, strictly in the order of the chunks.
// compute must be safe to run on several threads at once; consume may return false to end the
// run, and then the chunks computed ahead are thrown away. An exception from either ends the run
// and reaches the caller once no thread of the pool works on the run any more. A run that fits
// in one chunk, or a pool of one thread, stays on the calling thread.
// Returns false when consume ended the run.
//
// At most a few chunks per thread are computed ahead of the one consumed, so a run needs memory
// for those only, however long it is. The calling thread computes every chunk that no thread of
// the pool has started, so a run never waits for a pool that is busy elsewhere.
template <class Result, class Compute, class Consume>
bool RunInChunks(CChunkCursor& cursor, std::size_t chunkSize, Compute&& compute, Consume&& consume,
                 CThreadPool& pool = CThreadPool::Shared())
{
    std::optional<SChunk> first = cursor.Next(chunkSize);
    if (!first) {
        return true;
    }
    const unsigned threads = pool.Size();
    if (first->count < chunkSize || threads <= 1) {
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
    // Shared with the tasks handed to the pool: a task that starts only after the run has ended
    // finds `quit` set and leaves without touching anything of the run.
    struct SState
    {
        explicit SState(std::size_t window) : ring(window) {}
        std::vector<SSlot> ring;
        std::mutex mutex;
        std::condition_variable workAdded;
        std::condition_variable chunkDone;
        std::condition_variable helpersGone;
        // Chunk numbers over the whole run: put in the ring, taken by a thread, handed to consume.
        std::uint64_t queued = 0;
        std::uint64_t taken = 0;
        std::uint64_t consumed = 0;
        bool quit = false;
        unsigned active = 0;
        std::function<void(SSlot&)> work;
    };
    const std::size_t window = 2 * static_cast<std::size_t>(threads) + 2;
    const auto state = std::make_shared<SState>(window);
    state->work = [&compute](SSlot& slot) {
        try {
            compute(slot.chunk, slot.result);
        } catch (...) {
            slot.failure = std::current_exception();
        }
    };
    state->ring[0].chunk = *first;
    state->queued = 1;

    // Ends the run however it ends, an exception from consume included: no thread of the pool
    // is inside compute once this is gone.
    struct SQuit
    {
        SState& state;
        ~SQuit()
        {
            std::unique_lock lock{state.mutex};
            state.quit = true;
            state.workAdded.notify_all();
            state.helpersGone.wait(lock, [this] { return state.active == 0; });
        }
    } quit{*state};

    for (unsigned i = 0; i < threads; ++i) {
        pool.Submit([state, window] {
            std::unique_lock lock{state->mutex};
            if (state->quit) {
                return;
            }
            ++state->active;
            for (;;) {
                state->workAdded.wait(lock, [&] { return state->quit || state->taken < state->queued; });
                if (state->quit) {
                    break;
                }
                SSlot& slot = state->ring[state->taken % window];
                ++state->taken;
                lock.unlock();
                state->work(slot);
                lock.lock();
                slot.done = true;
                state->chunkDone.notify_all();
            }
            if (--state->active == 0) {
                state->helpersGone.notify_all();
            }
        });
    }

    SState& run = *state;
    for (;;) {
        // Keep the ring full. The cursor only adds up x values, which is quick beside computing.
        for (;;) {
            {
                const std::lock_guard lock{run.mutex};
                if (run.queued >= run.consumed + window) {
                    break;
                }
            }
            const std::optional<SChunk> chunk = cursor.Next(chunkSize);
            if (!chunk) {
                break;
            }
            {
                const std::lock_guard lock{run.mutex};
                SSlot& slot = run.ring[run.queued % window];
                slot.chunk = *chunk;
                slot.result = Result{};
                slot.done = false;
                slot.failure = nullptr;
                ++run.queued;
            }
            run.workAdded.notify_one();
        }

        SSlot* slot = nullptr;
        bool mine = false;
        {
            std::unique_lock lock{run.mutex};
            if (run.consumed == run.queued) {
                return true;
            }
            slot = &run.ring[run.consumed % window];
            if (run.taken == run.consumed) {
                ++run.taken; // nobody has started it: the calling thread computes it
                mine = true;
            } else {
                run.chunkDone.wait(lock, [&] { return slot->done; });
            }
        }
        if (mine) {
            run.work(*slot);
        }
        if (slot->failure) {
            std::rethrow_exception(slot->failure);
        }
        if (!consume(slot->chunk, slot->result)) {
            return false;
        }
        const std::lock_guard lock{run.mutex};
        ++run.consumed;
    }
}
