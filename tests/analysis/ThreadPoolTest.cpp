// The pool the scans share, and the chunked run on it: at any number of threads the run hands the
// same chunks to consume in the same order as one thread does, an exception from either side
// reaches the caller only once no thread works on the run any more, and a stop ends it early.
#include "RecordingSink.h"

#include "analysis/ChunkedRun.h"
#include "analysis/ThreadPool.h"
#include "analysis/UsableCpus.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <latch>
#include <stdexcept>
#include <thread>
#include <vector>

#include <sched.h>

namespace {

constexpr std::size_t kChunk = 1000;

struct SChunkSum
{
    double first{};
    std::size_t count{0};
    double sum{0};
};

// One side or the other fails at chunk `failAt`, or consume ends the run there.
enum class EFailure
{
    None,
    ThrowInCompute,
    ThrowInConsume,
    StopInConsume
};

struct SRunResult
{
    std::vector<SChunkSum> consumed;
    bool completed{false};
    bool threw{false};
    int computedAfterwards{0};
};

// Returns once every task handed to the pool before has ended: the pool takes tasks in order, so
// when each of its threads is inside one of these, none is left before them or still running.
void DrainPool(CThreadPool& pool)
{
    std::latch allInside{static_cast<std::ptrdiff_t>(pool.Size())};
    std::latch done{static_cast<std::ptrdiff_t>(pool.Size())};
    for (unsigned i = 0; i < pool.Size(); ++i) {
        pool.Submit([&] {
            allInside.arrive_and_wait();
            done.count_down();
        });
    }
    done.wait();
}

SRunResult RunChunks(CThreadPool& pool, EFailure failure, std::size_t failAt)
{
    SRunResult out;
    std::atomic<int> inside{0};
    std::atomic<int> started{0};
    CChunkCursor cursor{0.0, 300.0, 0.001}; // about 300 chunks
    const auto compute = [&](const SChunk& chunk, SChunkSum& sum) {
        ++inside;
        ++started;
        std::vector<double> xs(chunk.count);
        FillChunk(chunk, 0.001, xs);
        sum.first = chunk.start;
        sum.count = chunk.count;
        for (double x : xs) {
            sum.sum += std::sin(x) * std::exp(-x / 100);
        }
        --inside;
        // Chunk n starts near x = n; every chunk from failAt on fails.
        if (failure == EFailure::ThrowInCompute && xs.front() >= static_cast<double>(failAt) - 0.5) {
            throw std::runtime_error{"compute"};
        }
    };
    const auto consume = [&](const SChunk&, const SChunkSum& sum) {
        out.consumed.push_back(sum);
        if (out.consumed.size() == failAt + 1) {
            if (failure == EFailure::ThrowInConsume) {
                throw std::runtime_error{"consume"};
            }
            if (failure == EFailure::StopInConsume) {
                return false;
            }
        }
        return true;
    };
    try {
        out.completed = RunInChunks<SChunkSum>(cursor, kChunk, compute, consume, pool);
    } catch (const std::runtime_error&) {
        out.threw = true;
    }
    // Nothing of the run may still be computing once it has returned or thrown: compute refers
    // to this frame.
    EXPECT_EQ(inside.load(), 0);
    const int atReturn = started.load();
    DrainPool(pool);
    out.computedAfterwards = started.load() - atReturn;
    return out;
}

bool SameSums(const std::vector<SChunkSum>& a, const std::vector<SChunkSum>& b)
{
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].first != b[i].first || a[i].count != b[i].count || a[i].sum != b[i].sum) {
            return false;
        }
    }
    return true;
}

class ChunkedRunOnThreads : public testing::TestWithParam<unsigned>
{
};

TEST_P(ChunkedRunOnThreads, HandsOnWhatOneThreadComputes)
{
    CThreadPool sequential{1};
    const SRunResult reference = RunChunks(sequential, EFailure::None, 0);
    ASSERT_TRUE(reference.completed);
    ASSERT_GT(reference.consumed.size(), 250u);

    CThreadPool pool{GetParam()};
    const struct
    {
        const char* name;
        EFailure failure;
        std::size_t at;
        bool threw;
        std::size_t consumed;
    } cases[] = {
        {"whole run", EFailure::None, 0, false, reference.consumed.size()},
        {"throw in compute", EFailure::ThrowInCompute, 57, true, 57},
        {"throw in consume", EFailure::ThrowInConsume, 40, true, 41},
        {"stop in consume", EFailure::StopInConsume, 40, false, 41},
        {"throw in the first chunk", EFailure::ThrowInCompute, 0, true, 0},
    };
    for (const auto& c : cases) {
        const SRunResult run = RunChunks(pool, c.failure, c.at);
        EXPECT_EQ(run.threw, c.threw) << c.name;
        EXPECT_EQ(run.completed, c.failure == EFailure::None) << c.name;
        EXPECT_EQ(run.consumed.size(), c.consumed) << c.name;
        const std::vector<SChunkSum> expected{
            reference.consumed.begin(), reference.consumed.begin() + static_cast<long>(run.consumed.size())};
        EXPECT_TRUE(SameSums(run.consumed, expected)) << c.name;
        EXPECT_EQ(run.computedAfterwards, 0) << c.name;
    }
    // The pool has come through every failure and still runs.
    EXPECT_TRUE(SameSums(RunChunks(pool, EFailure::None, 0).consumed, reference.consumed));
}

// A scan stopped by its sink reports the same lines as on one thread, and so does a whole one.
TEST_P(ChunkedRunOnThreads, ScansReportTheSameLines)
{
    CThreadPool pool{GetParam()};
    CThreadPool one{1};
    const CGraphFunction function = MakeFunction("sin(k*x)/1000", 1, 150, 250, 50);
    const CScaling axis = MakeAxis(-0.3, 0.3);
    for (const EAnalysis kind : {EAnalysis::Zeros, EAnalysis::Extrema, EAnalysis::Monotony}) {
        for (const bool exact : {false, true}) {
            SDiscussOptions options;
            options.exact = exact;
            options.threads = &one;
            CRecordingSink reference;
            RunAnalysis(kind, function, axis, 10, options, reference);
            options.threads = &pool;
            CRecordingSink parallel;
            RunAnalysis(kind, function, axis, 10, options, parallel);
            EXPECT_EQ(parallel.m_lines, reference.m_lines) << static_cast<int>(kind) << exact;
            EXPECT_EQ(parallel.m_progress, reference.m_progress) << static_cast<int>(kind) << exact;
            EXPECT_GT(reference.m_lines.size(), 5u);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Threads, ChunkedRunOnThreads, testing::Values(1U, 2U, 8U));

// A sink's stop token ends a scan in the middle of its work, on every thread, and nothing of the
// unfinished chunk is reported.
TEST(ChunkedRunStop, AStopTokenEndsTheScanAndAddsNothingAfterIt)
{
    class CStoppingSink final : public IAnalysisSink
    {
    public:
        void AddLine(std::string line) override
        {
            lines.push_back(std::move(line));
            if (lines.size() == 10) {
                source.request_stop();
            }
        }
        std::stop_token StopToken() const override { return source.get_token(); }
        std::vector<std::string> lines;
        std::stop_source source;
    };
    CThreadPool pool{4};
    SDiscussOptions options;
    options.threads = &pool;
    CStoppingSink sink;
    // A zero every 0.0157: the tenth line comes long before the end of the axis.
    RunAnalysis(EAnalysis::Zeros, MakeFunction("sin(200*x)/1000"), MakeAxis(-5, 5), 10, options, sink);
    const std::vector<std::string> all =
        Lines(EAnalysis::Zeros, MakeFunction("sin(200*x)/1000"), MakeAxis(-5, 5), 10);
    ASSERT_GE(sink.lines.size(), 10u);
    EXPECT_LT(sink.lines.size(), all.size() / 2);
    EXPECT_TRUE(std::equal(sink.lines.begin(), sink.lines.end(), all.begin()));
}

TEST(UsableCpus, QuotaIsRoundedUpToWholeCpus)
{
    const struct
    {
        const char* text;
        std::optional<unsigned> cpus;
    } cases[] = {{"max 100000\n", std::nullopt}, {"150000 100000\n", 2U},   {"50000 100000", 1U},
                 {"200000 100000", 2U},          {"100000", std::nullopt},  {"-1 100000", std::nullopt},
                 {"abc 100000", std::nullopt},   {"100000 0", std::nullopt}};
    for (const auto& c : cases) {
        EXPECT_EQ(CpusOfQuota(c.text), c.cpus) << c.text;
    }
}

// A thread bound to one CPU counts one, whatever the machine has.
TEST(UsableCpus, FollowsTheAffinity)
{
    unsigned seen = 0;
    std::thread probe{[&] {
        cpu_set_t one;
        CPU_ZERO(&one);
        CPU_SET(0, &one);
        if (sched_setaffinity(0, sizeof one, &one) == 0) {
            seen = UsableCpus();
        }
    }};
    probe.join();
    EXPECT_EQ(seen, 1U);
    EXPECT_GE(UsableCpus(), 1U);
}

} // namespace
