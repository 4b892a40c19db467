#include "analysis/PoolChunks.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stop_token>
#include <vector>

namespace {

// Every index is visited exactly once, whatever the count and the chunk, including a last chunk
// that is cut short and a chunk larger than the whole run.
TEST(PoolChunks, VisitsEveryIndexOnce)
{
    struct SCase
    {
        std::size_t count;
        std::size_t chunk;
    };
    for (const SCase c : {SCase{0, 16}, SCase{1, 16}, SCase{4095, 4096}, SCase{4097, 4096}, SCase{100003, 7},
                          SCase{5, 0}, SCase{300000, 16384}}) {
        std::vector<std::atomic<int>> visits(c.count);
        const bool complete = RunOnPool(
            c.count, c.chunk,
            [&](std::size_t begin, std::size_t end) {
                for (std::size_t i = begin; i < end; ++i) {
                    visits[i].fetch_add(1);
                }
            },
            {});
        EXPECT_TRUE(complete);
        std::size_t wrong = 0;
        for (const auto& v : visits) {
            wrong += v.load() != 1 ? 1 : 0;
        }
        EXPECT_EQ(wrong, 0u) << c.count << " in chunks of " << c.chunk;
    }
}

// A stop asked for before the run starts no chunk; one asked for from inside a chunk lets no
// further chunk start, and the run says it was stopped.
TEST(PoolChunks, AStopEndsTheRun)
{
    std::stop_source before;
    before.request_stop();
    std::atomic<int> calls{0};
    EXPECT_FALSE(RunOnPool(1000, 10, [&](std::size_t, std::size_t) { calls.fetch_add(1); }, before.get_token()));
    EXPECT_EQ(calls.load(), 0);

    std::stop_source during;
    EXPECT_FALSE(RunOnPool(
        100000, 10,
        [&](std::size_t, std::size_t) {
            calls.fetch_add(1);
            during.request_stop();
        },
        during.get_token()));
    // Each thread can have been inside a chunk when the stop came, no more.
    EXPECT_LE(calls.load(), 64);
}

} // namespace
