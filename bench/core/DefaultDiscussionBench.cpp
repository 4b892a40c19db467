#include "CountingSink.h"
#include "analysis/AnalysisSink.h"
#include "analysis/AnalysisTable.h"
#include "analysis/CurveAnalysis.h"

#include <benchmark/benchmark.h>

#include <string>

// The default discussion piece by piece at the finest precision, and on ranges far too wide or too
// fine for any grid: every run has to end within 2 s with a result or a line that says why not.
namespace {

struct SCase
{
    EAnalysis kind;
    const char* term;
    double from;
    double to;
    const char* label;
};

const SCase kCases[] = {
    {EAnalysis::Zeros, "sin(x)*exp(-x^2/4)", -5, 5, "zeros sin(x)*exp(-x^2/4)"},
    {EAnalysis::Extrema, "sin(x)*exp(-x^2/4)", -5, 5, "extrema sin(x)*exp(-x^2/4)"},
    {EAnalysis::Inflections, "sin(x)*exp(-x^2/4)", -5, 5, "inflections sin(x)*exp(-x^2/4)"},
    {EAnalysis::Monotony, "sin(x)*exp(-x^2/4)", -5, 5, "monotony sin(x)*exp(-x^2/4)"},
    {EAnalysis::Extrema, "exp(-x^2)", -5, 5, "extrema exp(-x^2)"},
    {EAnalysis::Monotony, "tan(x)", -5, 5, "monotony tan(x)"},
    {EAnalysis::Zeros, "x^2", -1e300, 1e300, "zeros x^2 on +-1e300"},
    {EAnalysis::Zeros, "sin(x)", -1e300, 1e300, "zeros sin on +-1e300"},
    {EAnalysis::Monotony, "tan(x)", -1e300, 1e300, "monotony tan on +-1e300"},
    {EAnalysis::Zeros, "sin(x)", 1e15, 1e15 + 1e5, "zeros sin on 1e15..1e15+1e5"},
    {EAnalysis::Extrema, "x^3", 1e-300, 2e-300, "extrema x^3 on a tiny range"},
    {EAnalysis::Intersections, "x", -1e300, 1e300, "intersections x / x on +-1e300"},
};

void BM_DefaultDiscussion(benchmark::State& state)
{
    const SCase& c = kCases[state.range(0)];
    state.SetLabel(c.label);
    CGraphFunction f;
    f.SetTerm(c.term);
    CGraphFunction g;
    g.SetTerm(c.term);
    SAnalysisInputs inputs;
    inputs.with = &g;
    CScaling scaling;
    scaling.SetXRange(c.from, c.to, 1);
    for (auto _ : state) {
        CCountingSink sink;
        RunAnalysis(c.kind, f, scaling, 10, SDiscussOptions{true, 5}, inputs, sink);
        benchmark::DoNotOptimize(sink.m_characters);
    }
}
BENCHMARK(BM_DefaultDiscussion)->DenseRange(0, 11)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace
