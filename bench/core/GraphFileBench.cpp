#include "document/GraphFile.h"

#include <benchmark/benchmark.h>

namespace {

// A graph far larger than users draw: n functions with comments and as many points.
CZelDoc MakeDocument(int n)
{
    CFunctionList functions;
    CObjectList objects;
    for (int i = 0; i < n; ++i) {
        CGraphFunction f;
        f.SetTerm("k*sin(x/" + std::to_string(i + 1) + ")+x^2");
        f.SetComment("Funktion Nummer " + std::to_string(i) +
                     ": Gr\xF6\xDF"
                     "e und Schar");
        f.SetUseFamilyConstant(1);
        f.SetRange(-1, 1, 0.25);
        functions.push_back(f);
        CGraphObject o;
        o.SetCoordinates(i, -i);
        o.SetLabel("P" + std::to_string(i));
        objects.push_back(o);
    }
    CZelDoc doc;
    doc.SetFunctions(functions);
    doc.SetObjects(objects);
    return doc;
}

void BM_WriteGraphFile(benchmark::State& state)
{
    const CZelDoc doc = MakeDocument(static_cast<int>(state.range(0)));
    std::size_t bytes{};
    for (auto _ : state) {
        const auto file = WriteGraphFile(doc);
        bytes = file.size();
        benchmark::DoNotOptimize(file.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_WriteGraphFile)->Arg(10)->Arg(1000);

void BM_ReadGraphFile(benchmark::State& state)
{
    const auto file = WriteGraphFile(MakeDocument(static_cast<int>(state.range(0))));
    std::string error;
    for (auto _ : state) {
        CZelDoc doc;
        benchmark::DoNotOptimize(ReadGraphFile(file, doc, error));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.size()));
}
BENCHMARK(BM_ReadGraphFile)->Arg(10)->Arg(1000);

} // namespace
