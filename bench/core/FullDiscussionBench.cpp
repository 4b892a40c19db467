#include "CountingSink.h"
#include "analysis/AnalysisTable.h"
#include "document/GraphFunction.h"
#include "document/Scaling.h"

#include <benchmark/benchmark.h>

#include <array>

// The whole curve discussion at the default precision (3) on the default axis, one run per function
// of the school table: each should end within 300 ms.
namespace {

constexpr std::array kTerms{
    "x^3-3*x",       "x^4-2*x^2",     "1/(x-2)",   "1/x^2",  "(x^3-2*x^2-x+4)/(2*x^2-2)", "(x^3-x)/(x-1)",
    "(x^2+1)/(x^2-1)", "x*exp(-x)", "exp(-(x^2))", "ln(x)", "ln(x)/x", "sqrt(4-x^2)", "sin(x)", "tan(x)",
    "sgn(x)",
};

void BM_FullDiscussion(benchmark::State& state)
{
    const char* term = kTerms[static_cast<std::size_t>(state.range(0))];
    state.SetLabel(term);
    CGraphFunction f;
    f.SetTerm(term);
    CScaling scaling;
    scaling.SetXRange(-5, 5, 1);
    for (auto _ : state) {
        CCountingSink sink;
        RunAnalysis(EAnalysis::FullDiscussion, f, scaling, 3, SDiscussOptions{true, 5}, sink);
        benchmark::DoNotOptimize(sink.m_characters);
    }
}
BENCHMARK(BM_FullDiscussion)
    ->DenseRange(0, static_cast<int>(kTerms.size()) - 1)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

} // namespace
