#include "analysis/PoolChunks.h"

#include "analysis/ThreadPool.h"
#include "engine/ErrorFlags.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>

namespace {

// The shared part of one run: the helpers that start after the work is done find nothing left
// and touch only this.
struct SChunksState
{
    std::atomic<std::size_t> next{0};
    std::size_t chunks{};
    std::mutex mutex;
    std::condition_variable done;
    std::size_t finished{0};
};

} // namespace

bool RunOnPool(std::size_t count, std::size_t chunk, const std::function<void(std::size_t, std::size_t)>& work,
               std::stop_token stop, CThreadPool* pool)
{
    if (count == 0) {
        return !stop.stop_requested();
    }
    chunk = std::max<std::size_t>(chunk, 1);
    auto state = std::make_shared<SChunksState>();
    state->chunks = (count - 1) / chunk + 1;
    const auto take = [&work, count, chunk, stop](SChunksState& shared) {
        const int savedFlag = g_mathError;
        for (;;) {
            const std::size_t index = shared.next.fetch_add(1);
            if (index >= shared.chunks) {
                break;
            }
            if (!stop.stop_requested()) {
                work(index * chunk, std::min(count, (index + 1) * chunk));
            }
            const std::lock_guard lock{shared.mutex};
            if (++shared.finished == shared.chunks) {
                shared.done.notify_all();
            }
        }
        g_mathError = savedFlag;
    };
    CThreadPool& threads = pool != nullptr ? *pool : CThreadPool::Shared();
    const std::size_t helpers = std::min<std::size_t>(threads.Size(), state->chunks - 1);
    // The helpers run only while chunks are left; the caller waits for every chunk taken, so
    // `work` outlives every call of it.
    auto shared = std::make_shared<std::function<void(SChunksState&)>>(take);
    for (std::size_t i = 0; i < helpers; ++i) {
        threads.Submit([state, shared] {
            if (state->next.load() < state->chunks) {
                (*shared)(*state);
            }
        });
    }
    take(*state);
    std::unique_lock lock{state->mutex};
    state->done.wait(lock, [&] { return state->finished == state->chunks; });
    return !stop.stop_requested();
}
