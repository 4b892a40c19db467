// The compiled form of a term beside the interpreter and beside muparser, an embedded expression
// library, on the same six terms: one point at a time, and per point in batches of 4096.
#include "engine/CompiledTerm.h"
#include "oracle/TermInterpreter.h"

#include <benchmark/benchmark.h>
#include <muParser.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

// muparser reads -x^2 as -(x^2), this program as (-x)^2: the same work, a different value.
const char* const kTerms[] = {
    "x^2", "sin(x)*exp(-x^2/4)", "3*x^3-2*x^2+x-5", "sqrt(abs(x))+ln(x^2+1)", "(x+1)*(x-1)/(x^2+1)", "k*sin(x/k)+k",
};
constexpr int kTermCount = static_cast<int>(std::size(kTerms));
constexpr std::size_t kBatch = 4096;

// The points of a drawing or a scan: -5 to 5 in even steps.
std::vector<double> Points(std::size_t n)
{
    std::vector<double> xs(n);
    for (std::size_t i = 0; i < n; ++i) {
        xs[i] = -5 + 10.0 * static_cast<double>(i) / static_cast<double>(n);
    }
    return xs;
}

void BM_CompiledPoint(benchmark::State& state)
{
    const char* term = kTerms[state.range(0)];
    state.SetLabel(term);
    const CCompiledTerm compiled{term};
    double x = -5;
    for (auto _ : state) {
        benchmark::DoNotOptimize(compiled.Evaluate(x, 2.5));
        x = x < 5 ? x + 0.01 : -5;
    }
}
BENCHMARK(BM_CompiledPoint)->DenseRange(0, kTermCount - 1);

// The time shown is per point.
void BM_CompiledBatch4096(benchmark::State& state)
{
    const char* term = kTerms[state.range(0)];
    state.SetLabel(term);
    const CCompiledTerm compiled{term};
    const std::vector<double> xs = Points(kBatch);
    std::vector<double> values(kBatch);
    std::vector<std::uint8_t> errors(kBatch);
    for (auto _ : state) {
        compiled.EvaluateBatch(xs, 2.5, values, errors);
        benchmark::DoNotOptimize(values.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kBatch));
    state.counters["ns_per_point"] = benchmark::Counter(static_cast<double>(state.iterations() * kBatch),
                                                        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_CompiledBatch4096)->DenseRange(0, kTermCount - 1);

// The floor of the batch for sin(x)*exp(-x^2/4): the same library calls in one hand-written loop,
// without the failure checks and with x * x for the square.
void BM_HandWrittenBatch4096(benchmark::State& state)
{
    const std::vector<double> xs = Points(kBatch);
    std::vector<double> values(kBatch);
    for (auto _ : state) {
        for (std::size_t i = 0; i < kBatch; ++i) {
            const double x = xs[i];
            values[i] = std::sin(x) * std::exp((-x) * (-x) / 4);
        }
        benchmark::DoNotOptimize(values.data());
        benchmark::ClobberMemory();
    }
    state.SetLabel("sin(x)*exp(-x^2/4)");
    state.counters["ns_per_point"] = benchmark::Counter(static_cast<double>(state.iterations() * kBatch),
                                                        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_HandWrittenBatch4096);

void BM_MuparserEval(benchmark::State& state)
{
    const char* term = kTerms[state.range(0)];
    state.SetLabel(term);
    double x = -5;
    double k = 2.5;
    mu::Parser parser;
    parser.DefineVar("x", &x);
    parser.DefineVar("k", &k);
    parser.SetExpr(term);
    for (auto _ : state) {
        benchmark::DoNotOptimize(parser.Eval());
        x = x < 5 ? x + 0.01 : -5;
    }
}
BENCHMARK(BM_MuparserEval)->DenseRange(0, kTermCount - 1);

// Reading the term into its program, which every drawing and every scan does once.
void BM_Compile(benchmark::State& state)
{
    const char* term = kTerms[state.range(0)];
    state.SetLabel(term);
    for (auto _ : state) {
        const CCompiledTerm compiled{term};
        benchmark::DoNotOptimize(compiled.InstructionCount());
    }
}
BENCHMARK(BM_Compile)->DenseRange(0, kTermCount - 1);

// The legal terms whose interpretation costs depth times length: 1,999 nested parentheses and a
// 32,767-character tower x^x^...^x.
std::string Pathological(int which)
{
    if (which == 0) {
        return std::string(1999, '(') + "x" + std::string(1999, ')');
    }
    std::string tower = "x";
    while (tower.size() < 32767) {
        tower += "^x";
    }
    return tower;
}

void BM_PathologicalInterpret(benchmark::State& state)
{
    const std::string term = Pathological(static_cast<int>(state.range(0)));
    state.SetLabel(state.range(0) == 0 ? "1999 parentheses" : "x^x^...^x, 32767 characters");
    CTermInterpreter graph;
    graph.SetK(2.5);
    graph.SetX(0.5);
    for (auto _ : state) {
        benchmark::DoNotOptimize(graph.Interpret(term));
    }
}
BENCHMARK(BM_PathologicalInterpret)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_PathologicalCompiled(benchmark::State& state)
{
    const std::string term = Pathological(static_cast<int>(state.range(0)));
    state.SetLabel(state.range(0) == 0 ? "1999 parentheses" : "x^x^...^x, 32767 characters");
    const CCompiledTerm compiled{term};
    for (auto _ : state) {
        benchmark::DoNotOptimize(compiled.Evaluate(0.5, 2.5));
    }
}
BENCHMARK(BM_PathologicalCompiled)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_PathologicalCompile(benchmark::State& state)
{
    const std::string term = Pathological(static_cast<int>(state.range(0)));
    state.SetLabel(state.range(0) == 0 ? "1999 parentheses" : "x^x^...^x, 32767 characters");
    for (auto _ : state) {
        const CCompiledTerm compiled{term};
        benchmark::DoNotOptimize(compiled.InstructionCount());
    }
}
BENCHMARK(BM_PathologicalCompile)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

namespace {

// The extrema scan's own work done with muparser, one thread: the first derivative by the
// scan's difference formula at the 4,503,600 points of the default axis at precision 10, and its
// sign changes counted. BM_Analysis/2/1/10 is this program's whole scan of the same term.
void BM_MuparserExtremaScan(benchmark::State& state)
{
    double x = 0;
    mu::Parser parser;
    parser.DefineVar("x", &x);
    parser.SetExpr("sin(x)*exp(-x^2/4)");
    const auto f = [&](double at) {
        x = at;
        return parser.Eval();
    };
    constexpr std::int64_t kPoints = 4'503'600;
    for (auto _ : state) {
        int changes = 0;
        double previous = 0;
        for (std::int64_t i = 0; i < kPoints; ++i) {
            const double at = -5 + 10.0 * static_cast<double>(i) / static_cast<double>(kPoints - 1);
            const double slope = (8 * (f(at + 0.001) - f(at - 0.001)) - f(at + 0.002) + f(at - 0.002)) / 0.012;
            changes += (slope > 0) != (previous > 0) ? 1 : 0;
            previous = slope;
        }
        benchmark::DoNotOptimize(changes);
    }
}
BENCHMARK(BM_MuparserExtremaScan)->Unit(benchmark::kMillisecond);

} // namespace
