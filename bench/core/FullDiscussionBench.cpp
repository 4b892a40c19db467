#include "CountingSink.h"
#include "analysis/AnalysisTable.h"
#include "analysis/CasLoader.h"
#include "document/GraphFunction.h"
#include "document/Scaling.h"

#include <benchmark/benchmark.h>

#include <array>
#include <chrono>
#include <cstdlib>

// The whole curve discussion at the default precision (3) on the default axis, one run per function
// of the school table: each should end within 300 ms, the computer-algebra module's proofs and
// exact forms included. The module's first load, once per process, is timed on its own first.
namespace {

void UseModule()
{
#ifdef VEX_CAS_MODULE_FILE
    setenv("VEX_CAS_MODULE", VEX_CAS_MODULE_FILE, 0);
#endif
}

// Loading the module with Giac and the libraries behind it, and its first answer: what the first
// whole discussion of a run pays on top of the others.
void BM_CasFirstLoad(benchmark::State& state)
{
    UseModule();
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        CGraphFunction f;
        f.SetTerm("x^3-3*x");
        CScaling scaling;
        scaling.SetXRange(-5, 5, 1);
        CCountingSink sink;
        RunAnalysis(EAnalysis::FullDiscussion, f, scaling, 3, SDiscussOptions{true, 5}, sink);
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        state.SetLabel(CasProver() != nullptr ? "x^3-3*x, module loaded" : "no module: " + CasLoadError());
    }
}
BENCHMARK(BM_CasFirstLoad)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

constexpr std::array kTerms{
    "x^3-3*x",       "x^4-2*x^2",     "1/(x-2)",   "1/x^2",  "(x^3-2*x^2-x+4)/(2*x^2-2)", "(x^3-x)/(x-1)",
    "(x^2+1)/(x^2-1)", "x*exp(-x)", "exp(-(x^2))", "ln(x)", "ln(x)/x", "sqrt(4-x^2)", "sin(x)", "tan(x)",
    "sgn(x)",
};

void BM_FullDiscussion(benchmark::State& state)
{
    UseModule();
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
