// One printed page of a family graph into a PDF file, at the 300 dots per inch the print commands
// lay pages out with and, for comparison, at a printer's full 1200: curves are sampled once per
// dot, so the dots per inch set the work.
#include "app/GraphDocument.h"
#include "app/ViewPrinter.h"

#include <QPrinter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void FillFamilyGraph(CGraphDocument& document)
{
    CGraphFunction family;
    family.SetTerm("k*x^2-3");
    family.SetUseFamilyConstant(1);
    family.SetRange(0.5, 2.0, 0.5);
    CGraphFunction wave;
    wave.SetTerm("sin(x)*k");
    wave.SetUseFamilyConstant(1);
    wave.SetRange(1.0, 3.0, 1.0);
    document.Model().SetFunctions({family, wave});
    CScaling scaling = document.Model().GetScaling();
    scaling.SetAutoScaleY(0);
    document.Model().SetScaling(scaling);
}

void BM_PrintFamilyPage(benchmark::State& state)
{
    QTemporaryDir folder;
    CGraphDocument document;
    FillFamilyGraph(document);
    QPrinter printer{QPrinter::HighResolution};
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize{QPageSize::A4});
    printer.setResolution(static_cast<int>(state.range(0)));
    printer.setOutputFileName(folder.filePath(QStringLiteral("page.pdf")));
    for (auto _ : state) {
        benchmark::DoNotOptimize(CViewPrinter::PrintPage(printer, document));
    }
}
BENCHMARK(BM_PrintFamilyPage)->Arg(300)->Arg(1200)->Unit(benchmark::kMillisecond);

} // namespace
