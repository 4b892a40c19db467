#include "analysis/Locus.h"
#include "analysis/ThreadPool.h"

#include <benchmark/benchmark.h>

namespace {

struct SCase
{
    const char* term;
    double from;
    double to;
    double step;
    ELocusOf of;
    const char* label;
};

const SCase kCases[] = {
    {"x^2-2*k*x+k", -2, 2, 0.5, ELocusOf::Extrema, "extrema of x^2-2*k*x+k"},
    {"x^3-k*x", 0.25, 3, 0.25, ELocusOf::Extrema, "extrema of x^3-k*x"},
    {"x^4-k*x^2", 0.5, 6, 0.5, ELocusOf::Inflections, "inflections of x^4-k*x^2"},
    {"exp(x)-k*x", 0.5, 5, 0.5, ELocusOf::Extrema, "extrema of exp(x)-k*x (no polynomial)"},
};

// The whole Ortskurve over the default axis at the default precision, as the values dialog computes
// it; range(1) is the number of pool threads besides the caller.
void BM_Locus(benchmark::State& state)
{
    const SCase& c = kCases[state.range(0)];
    state.SetLabel(c.label);
    CGraphFunction f;
    f.SetTerm(c.term);
    f.SetUseFamilyConstant(1);
    f.SetRange(c.from, c.to, c.step);
    const CScaling scaling;
    CThreadPool pool{static_cast<unsigned>(state.range(1))};
    for (auto _ : state) {
        const SLocus locus = ComputeLocus(c.of, f, scaling, 3, {}, {}, &pool);
        benchmark::DoNotOptimize(locus.branches.size());
    }
}
BENCHMARK(BM_Locus)->ArgsProduct({{0, 1, 2, 3}, {0, 1}})->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace
