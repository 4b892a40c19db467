#include "CountingSink.h"
#include "analysis/AnalysisSink.h"
#include "analysis/AnalysisTable.h"
#include "analysis/CurveAnalysis.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

struct SCase
{
    EAnalysis kind;
    const char* f;
    const char* g;
    const char* label;
};

const SCase kCases[] = {
    {EAnalysis::Intersections, "x^2", "x+2", "intersections x^2 / x+2"},
    {EAnalysis::Intersections, "sin(x)", "cos(x)", "intersections sin / cos"},
    {EAnalysis::Intersections, "x^2", "x^2", "intersections equal terms"},
    {EAnalysis::Tangent, "x^3", nullptr, "tangent x^3 at 1"},
    {EAnalysis::Integral, "sin(x)", nullptr, "integral sin over the axis"},
    {EAnalysis::Integral, "x^2", "x+2", "integral x^2 - (x+2) over the axis"},
    {EAnalysis::Integral, "exp(x)", "ln(x)", "integral with a gap (ln)"},
};

// One whole discussion over the default axis -5..5 at the default precision 3, as the dialog and
// the command line run it.
void BM_SchoolAnalysis(benchmark::State& state)
{
    const SCase& c = kCases[state.range(0)];
    state.SetLabel(c.label);
    CGraphFunction f;
    f.SetTerm(c.f);
    CGraphFunction g;
    SAnalysisInputs inputs;
    if (c.g != nullptr) {
        g.SetTerm(c.g);
        inputs.with = &g;
    }
    inputs.at = 1;
    const CScaling scaling;
    for (auto _ : state) {
        CCountingSink sink;
        RunAnalysis(c.kind, f, scaling, 3, SDiscussOptions{true, 5}, inputs, sink);
        benchmark::DoNotOptimize(sink.m_characters);
    }
}
BENCHMARK(BM_SchoolAnalysis)->DenseRange(0, 6)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace
