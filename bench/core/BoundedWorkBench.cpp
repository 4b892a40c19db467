#include "CountingSink.h"
#include "analysis/AnalysisSink.h"
#include "analysis/AnalysisTable.h"
#include "document/GraphFunction.h"
#include "document/Scaling.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

// Wide, tiny and huge ranges, and points next to kinks: each run must end within 2 s at any
// precision, so each row runs at the coarsest and the finest one.
struct SCase
{
    EAnalysis kind;
    const char* f;
    double from;
    double to;
    const char* label;
};

const SCase kCases[] = {
    {EAnalysis::Integral, "x", 0, 1e6, "integral x on 0..1e6"},
    {EAnalysis::Integral, "x^2", -1e300, 1e300, "integral x^2 on +-1e300"},
    {EAnalysis::Integral, "x", -1e308, 1e308, "integral x on +-1e308"},
    {EAnalysis::Integral, "sin(x)", 0, 1e6, "integral sin on 0..1e6"},
    {EAnalysis::Integral, "sin(x)", 1e15, 1e15 + 1e5, "integral sin on 1e15..1e15+1e5"},
    {EAnalysis::Integral, "sin(1/x)", 0.001, 1, "integral sin(1/x) on 0.001..1"},
    {EAnalysis::Integral, "sgn(x)", -1, 2, "integral sgn on -1..2"},
    {EAnalysis::Integral, "int(x)", -1e4, 1e4, "integral int on +-1e4"},
    {EAnalysis::Integral, "x^2-6", 0, 1e-9, "integral x^2-6 on 0..1e-9"},
    {EAnalysis::Integral, "1/x", -1, 1, "integral 1/x across its pole"},
    {EAnalysis::Integral, "sin(k*x)", 0, 5, "integral sin(k*x), k = 1..1000, on 0..5"},
    {EAnalysis::Tangent, "sqrt(x^2)", 1e-7, 0, "tangent sqrt(x^2) at 1e-7"},
    {EAnalysis::Tangent, "abs(x-1)", 1, 0, "tangent abs(x-1) at 1"},
    {EAnalysis::Tangent, "x^2", 1e300, 0, "tangent x^2 at 1e300"},
};

void BM_BoundedWork(benchmark::State& state)
{
    const SCase& c = kCases[state.range(0)];
    const int precision = static_cast<int>(state.range(1));
    state.SetLabel(std::string{c.label} + ", p = " + std::to_string(precision));
    CGraphFunction f;
    f.SetTerm(c.f);
    // A term in k runs over a family of the most values a family may have.
    if (std::string{c.f}.find('k') != std::string::npos) {
        f.SetUseFamilyConstant(1);
        f.SetRange(1, 1000, 1);
    }
    SAnalysisInputs inputs;
    inputs.at = c.from;
    inputs.from = c.from;
    inputs.to = c.to;
    const CScaling scaling;
    for (auto _ : state) {
        CCountingSink sink;
        RunAnalysis(c.kind, f, scaling, precision, SDiscussOptions{true, 5}, inputs, sink);
        benchmark::DoNotOptimize(sink.m_characters);
    }
}
BENCHMARK(BM_BoundedWork)
    ->ArgsProduct({benchmark::CreateDenseRange(0, std::size(kCases) - 1, 1), {1, 10}})
    ->Iterations(1)
    ->Repetitions(2)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

} // namespace
