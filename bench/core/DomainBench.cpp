#include "analysis/Domain.h"
#include "engine/CompiledTerm.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

struct SRange
{
    const char* name;
    double a;
    double b;
};

const char* const kTerms[] = {"1/(x-2)",     "(x^2-1)/(x-1)", "1/(x^2-1)", "tan(x)",
                              "sqrt(4-x^2)", "ln(x)/x",       "asin(x)",   "int(x)",
                              "sin(1/x)",    "x^3",           "1/sin(x)",  "sqrt(sin(x))"};
const SRange kRanges[] = {{"-5..5", -5, 5},
                          {"+-1e300", -1e300, 1e300},
                          {"1e15..+1e5", 1e15, 1e15 + 1e5},
                          {"-5000..5000", -5000, 5000}};
const char* const kOutcomes[] = {"", " (syntax)", " (range)", " (too many)", " (stopped)"};

// One whole domain of a term on a range: grid, candidates, confirmation. A discussion runs it once
// per function and value of k, so it should stay far below what a scan at precision 3 costs.
void BM_Domain(benchmark::State& state)
{
    const char* term = kTerms[state.range(0)];
    const SRange& range = kRanges[state.range(1)];
    const CCompiledTerm compiled{term};
    SDomain domain;
    for (auto _ : state) {
        domain = DomainOf(compiled, 0, range.a, range.b);
        benchmark::DoNotOptimize(domain.pieces.data());
    }
    state.SetLabel(std::string{term} + " on " + range.name + ": " + std::to_string(domain.borders.size()) +
                   " borders" + kOutcomes[static_cast<int>(domain.outcome)]);
}
BENCHMARK(BM_Domain)
    ->ArgsProduct({benchmark::CreateDenseRange(0, 11, 1), {0, 1, 2, 3}})
    ->Unit(benchmark::kMicrosecond);

} // namespace
