#include "CountingSink.h"
#include "analysis/AnalysisTable.h"
#include "analysis/CurveAnalysis.h"
#include "analysis/Domain.h"
#include "analysis/FamilyDomain.h"
#include "engine/CompiledTerm.h"

#include <benchmark/benchmark.h>

// A family of 1001 members discussed at once (x^3-k*x, k from -10 to 10 in steps of 0.02), and
// the domains of its members, found one by one and shared; beside them the curvature of a term
// whose f'' is rounding noise beside its gap. Target: the family's extrema well under 1 s.
namespace {

CGraphFunction Family()
{
    CGraphFunction f;
    f.SetTerm("x^3-k*x");
    f.SetUseFamilyConstant(1);
    f.SetRange(-10, 10, 0.02);
    return f;
}

void BM_FamilyExtrema(benchmark::State& state)
{
    const CGraphFunction f = Family();
    CScaling scaling;
    scaling.SetXRange(-5, 5, 1);
    for (auto _ : state) {
        CCountingSink sink;
        RunAnalysis(EAnalysis::Extrema, f, scaling, 3, SDiscussOptions{true, 5}, sink);
        benchmark::DoNotOptimize(sink.m_characters);
    }
}
BENCHMARK(BM_FamilyExtrema)->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_FamilyDomains(benchmark::State& state)
{
    const CCompiledTerm term{"x^3-k*x"};
    const bool shared = state.range(0) != 0;
    state.SetLabel(shared ? "shared" : "one by one");
    for (auto _ : state) {
        CFamilyDomain family{term, -5, 5};
        std::size_t pieces = 0;
        for (int i = 0; i <= 1000; ++i) {
            const double k = -10 + 0.02 * i;
            pieces += (shared ? family.Of(k) : DomainOf(term, k, -5, 5)).pieces.size();
        }
        benchmark::DoNotOptimize(pieces);
    }
}
BENCHMARK(BM_FamilyDomains)->Arg(0)->Arg(1)->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_CurvatureBesideAGap(benchmark::State& state)
{
    CGraphFunction f;
    f.SetTerm("(x^2-1)/(x-1)");
    CScaling scaling;
    scaling.SetXRange(-5, 5, 1);
    for (auto _ : state) {
        CCountingSink sink;
        RunAnalysis(EAnalysis::Inflections, f, scaling, 3, SDiscussOptions{true, 5}, sink);
        benchmark::DoNotOptimize(sink.m_characters);
    }
}
BENCHMARK(BM_CurvatureBesideAGap)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace
