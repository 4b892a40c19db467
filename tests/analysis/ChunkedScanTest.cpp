// The scans visit their points in chunks on several threads. Whatever the chunking, a run must
// report what a plain loop over the points reports: the same lines, the same progress positions,
// and the same last point when the sink stops taking lines.
#include "RecordingSink.h"

#include "analysis/ResultText.h"
#include "document/StepLoop.h"
#include "engine/CompiledTerm.h"
#include "engine/NumberText.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

// Takes `limit` lines (0: all) and then stops, as a full list does.
class CLimitedSink final : public IAnalysisSink
{
public:
    explicit CLimitedSink(std::size_t limit) : m_limit{limit} {}

    void AddLine(std::string line) override
    {
        if (Stopped()) {
            return;
        }
        m_lines.push_back(std::move(line));
    }
    void SetProgress(int position) override { m_progress.push_back(position); }
    bool Stopped() const override { return m_limit != 0 && m_lines.size() >= m_limit; }

    std::vector<std::string> m_lines;
    std::vector<int> m_progress;

private:
    std::size_t m_limit;
};

// The zeros scan as a loop over one point after the other.
void PlainZeros(const CGraphFunction& function, const CScaling& scaling, int precision, IAnalysisSink& sink)
{
    const double h = ScanStep(precision);
    double xFrom{};
    double xTo{};
    double xStep{};
    scaling.GetXRange(xFrom, xTo, xStep);
    double kFrom{};
    double kTo{};
    double kStep{};
    function.GetRange(kFrom, kTo, kStep);
    const bool family = function.GetUseFamilyConstant() != 0;
    const double estimate = ((xTo - xFrom) / h) * (family ? (kTo - kFrom) / kStep : 1.0);
    const CCompiledTerm term{function.GetTerm()};

    sink.SetProgress(0);
    std::int64_t points = 0;
    int position = 0;
    std::int64_t total = 0;
    ForEachFamilyValue(function, [&](double k) {
        std::int64_t inGroup = 0;
        bool stopped = false;
        ForEachStep(xFrom, xTo, h, [&](double x) {
            const double y = term.Evaluate(x, k);
            if (-h / 2.0 < y && y < h / 2.0) {
                const std::string prefix = family ? "k = " + FormatNumber(k) + "; " : "";
                sink.AddLine(prefix + "N ( " + FormatNumber(x) + " | " + FormatNumber(y) +
                             " )");
                ++inGroup;
                ++total;
            }
            ++points;
            const double share = (static_cast<double>(points) / estimate) * 100;
            const int now = share >= 100 ? 100 : static_cast<int>(share);
            if (now != position) {
                position = now;
                sink.SetProgress(now);
            }
            stopped = sink.Stopped();
            return !stopped;
        });
        if (stopped) {
            return false;
        }
        if (family && inGroup > 0) {
            sink.AddLine(std::string{});
        }
        return !sink.Stopped();
    });
    if (total == 0) {
        sink.AddLine(kNoZerosText);
    }
    sink.SetProgress(0);
}

struct SChunkCase
{
    const char* name;
    CGraphFunction function;
    double from;
    double to;
    int precision;
    std::size_t limit;
};

class ChunkedScan : public testing::TestWithParam<SChunkCase>
{
};

TEST_P(ChunkedScan, ReportsWhatAPlainLoopReports)
{
    const SChunkCase& c = GetParam();
    const CScaling axis = MakeAxis(c.from, c.to);
    CLimitedSink plain{c.limit};
    PlainZeros(c.function, axis, c.precision, plain);
    CLimitedSink chunked{c.limit};
    ComputeZeros(c.function, axis, c.precision, chunked);
    EXPECT_EQ(chunked.m_lines, plain.m_lines);
    EXPECT_EQ(chunked.m_progress, plain.m_progress);
    // A case that finds little proves little.
    EXPECT_GE(plain.m_lines.size(), c.limit == 0 ? 50u : c.limit);
}

// sin(200x)/1000 lies in the zero band for a few points at each of its zeros, 0.0157 apart, so
// the lines are spread over many chunks of the 450,000-point runs.
INSTANTIATE_TEST_SUITE_P(
    Runs, ChunkedScan,
    testing::Values(SChunkCase{"ManyChunks", MakeFunction("sin(200*x)/1000"), -0.5, 0.5, 10, 0},
                    SChunkCase{"StopsInTheMiddle", MakeFunction("sin(200*x)/1000"), -0.5, 0.5, 10, 97},
                    // Three groups of 193, 195 and 188 lines, each followed by an empty line.
                    SChunkCase{"Family", MakeFunction("sin(k*x)/1000", 1, 150, 250, 50), -0.3, 0.3, 10, 0},
                    SChunkCase{"FamilyStopsOnTheFirstGroupsLastPoint",
                               MakeFunction("sin(k*x)/1000", 1, 150, 250, 50), -0.3, 0.3, 10, 193},
                    SChunkCase{"FamilyStopsOnTheEmptyLine", MakeFunction("sin(k*x)/1000", 1, 150, 250, 50),
                               -0.3, 0.3, 10, 194},
                    SChunkCase{"FamilyStopsInTheSecondGroup", MakeFunction("sin(k*x)/1000", 1, 150, 250, 50),
                               -0.3, 0.3, 10, 260},
                    // Every point a line: the sink is full after the first point of a chunk.
                    SChunkCase{"EveryPoint", MakeFunction("x/10^9"), -0.1, 0.1, 10, 16385}),
    [](const auto& info) { return std::string{info.param.name}; });

} // namespace
