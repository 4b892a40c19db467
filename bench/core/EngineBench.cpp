#include "oracle/TermInterpreter.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

const char* const kTerms[] = {
    "x^2", "sin(x)*exp(-x^2/4)", "3*x^3-2*x^2+x-5", "sqrt(abs(x))+ln(x^2+1)", "(x+1)*(x-1)/(x^2+1)",
    "k*sin(x/k)+k",
};

// One drawing sample: store x and k, interpret the whole term.
void BM_Interpret(benchmark::State& state)
{
    const std::string term = kTerms[state.range(0)];
    state.SetLabel(term);
    CTermInterpreter graph;
    graph.SetK(2.5);
    double x = -5;
    for (auto _ : state) {
        graph.SetX(x);
        benchmark::DoNotOptimize(graph.Interpret(term));
        x = x < 5 ? x + 0.01 : -5;
    }
}
BENCHMARK(BM_Interpret)->DenseRange(0, 5);

// One point of the curve discussion at each order (the derivatives cost 4 or 5 evaluations).
void BM_Evaluate(benchmark::State& state)
{
    const std::string term = kTerms[state.range(0)];
    const int order = static_cast<int>(state.range(1));
    state.SetLabel(term + " order " + std::to_string(order));
    CTermInterpreter graph;
    double x = -5;
    for (auto _ : state) {
        benchmark::DoNotOptimize(graph.Evaluate(term, x, 2.5, order));
        x = x < 5 ? x + 0.01 : -5;
    }
}
BENCHMARK(BM_Evaluate)->ArgsProduct({{0, 1, 2, 3, 4, 5}, {0, 1, 2, 3}});

} // namespace
