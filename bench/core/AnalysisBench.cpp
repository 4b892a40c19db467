#include "analysis/AnalysisSink.h"
#include "analysis/AnalysisTable.h"
#include "analysis/CurveAnalysis.h"
#include "analysis/ThreadPool.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

// Keeps only what a list would have to show, so that the benchmark measures the scan.
class CCountingSink final : public IAnalysisSink
{
public:
    void AddLine(std::string line) override { m_characters += line.size() + 1; }
    void SetProgress(int position) override { m_lastPosition = position; }

    std::size_t m_characters{0};
    int m_lastPosition{0};
};

const char* const kTerms[] = {"x^3-3*x", "sin(x)*exp(-x^2/4)"};
const char* const kKinds[] = {"table", "zeros", "extrema", "inflections", "monotony"};

// One whole run over the default axis -5..5 without a family: about 562 950 scan points at
// precision 3 and 4 503 600 at precision 10.
void BM_Analysis(benchmark::State& state)
{
    const auto kind = static_cast<EAnalysis>(state.range(0));
    const char* term = kTerms[state.range(1)];
    const int precision = static_cast<int>(state.range(2));
    state.SetLabel(std::string{kKinds[state.range(0)]} + " " + term + " p=" + std::to_string(precision));
    CGraphFunction function;
    function.SetTerm(term);
    const CScaling scaling;
    for (auto _ : state) {
        CCountingSink sink;
        RunAnalysis(kind, function, scaling, precision, sink);
        benchmark::DoNotOptimize(sink.m_characters);
    }
}
// The scans spread over every core: the CPU time shown is that of the whole process.
BENCHMARK(BM_Analysis)
    ->ArgsProduct({{1, 2, 3, 4}, {0, 1}, {3, 10}})
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond);

// The same runs at precision 10 with and without "Genaue Werte", side by side: the refinement
// works only at the few points the scan finds, so the exact run should cost little more. x^2 adds
// a touching zero, whose band run at p = 10 is about 950 points long.
const char* const kExactTerms[] = {"x^3-3*x", "sin(x)*exp(-x^2/4)", "x^2"};

void BM_ExactAnalysis(benchmark::State& state)
{
    const auto kind = static_cast<EAnalysis>(state.range(0));
    const char* term = kExactTerms[state.range(1)];
    const bool exact = state.range(2) != 0;
    state.SetLabel(std::string{kKinds[state.range(0)]} + " " + term + (exact ? " exact" : " default"));
    CGraphFunction function;
    function.SetTerm(term);
    const CScaling scaling;
    for (auto _ : state) {
        CCountingSink sink;
        SDiscussOptions options;
        options.exact = exact;
        RunAnalysis(kind, function, scaling, 10, options, sink);
        benchmark::DoNotOptimize(sink.m_characters);
    }
}
BENCHMARK(BM_ExactAnalysis)
    ->ArgsProduct({{1, 2, 3, 4}, {0, 1, 2}, {0, 1}})
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// A family of a thousand values over a short axis: a few chunks per value of k, so what a run
// costs beside the computing (handing chunks to threads) shows, on a pool of 1, 2 or 4 threads.
void BM_FamilyOnPool(benchmark::State& state)
{
    CThreadPool pool{static_cast<unsigned>(state.range(0))};
    state.SetLabel("zeros sin(k*x) k=1..1000 x=-0.5..0.5 p=3, " + std::to_string(pool.Size()) + " threads");
    CGraphFunction function;
    function.SetTerm("sin(k*x)");
    function.SetUseFamilyConstant(1);
    function.SetRange(1, 1000, 1);
    CScaling scaling;
    scaling.SetXRange(-0.5, 0.5, 0.1);
    SDiscussOptions options;
    options.threads = &pool;
    for (auto _ : state) {
        CCountingSink sink;
        RunAnalysis(EAnalysis::Zeros, function, scaling, 3, options, sink);
        benchmark::DoNotOptimize(sink.m_characters);
    }
}
BENCHMARK(BM_FamilyOnPool)
    ->Arg(1)
    ->Arg(2)
    ->Arg(4)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

} // namespace
