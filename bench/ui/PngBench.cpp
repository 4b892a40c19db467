// Encoding a full-HD picture of the busy graph as PNG: the image library's own writer beside
// libpng directly with the settings the export uses and with the library's defaults. The
// picture is drawn once; only the encoding is timed. The label gives the size in bytes.
#include "BusyGraph.h"

#include "framework/GraphOutput.h"
#include "framework/PngWriter.h"

#include <QBuffer>
#include <QImage>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <string>

namespace {

const QImage& FullHd()
{
    static const QImage image = [] {
        const BusyGraph g = MakeBusyGraph();
        return CGraphOutput{g.functions, g.objects, g.scaling}.Image(QSize{1920, 1080});
    }();
    return image;
}

void BM_PngThroughImageLibrary(benchmark::State& state)
{
    const QImage& image = FullHd();
    qsizetype size = 0;
    for (auto _ : state) {
        QByteArray bytes;
        QBuffer buffer{&bytes};
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        size = bytes.size();
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetLabel(std::to_string(size) + " bytes");
}
BENCHMARK(BM_PngThroughImageLibrary)->Unit(benchmark::kMillisecond);

// 0: unfiltered, run-length deflate (the export's); 1: unfiltered, deflate level 1;
// 2: adaptive filters, deflate level 6 (libpng's defaults); 3: the row above, runs.
void BM_PngThroughLibpng(benchmark::State& state)
{
    const QImage& image = FullHd();
    CPngWriter writer;
    const char* name = "none, runs";
    if (state.range(0) == 1) {
        writer.SetDeflate(CPngWriter::EDeflate::Standard, 1);
        name = "none, deflate 1";
    } else if (state.range(0) == 2) {
        writer.SetFilter(CPngWriter::EFilter::Adaptive);
        writer.SetDeflate(CPngWriter::EDeflate::Standard, 6);
        name = "adaptive, deflate 6";
    } else if (state.range(0) == 3) {
        writer.SetFilter(CPngWriter::EFilter::Up);
        name = "up, runs";
    }
    qsizetype size = 0;
    for (auto _ : state) {
        const std::optional<QByteArray> bytes = writer.Encode(image);
        size = bytes ? bytes->size() : 0;
        benchmark::DoNotOptimize(size);
    }
    state.SetLabel(std::string{name} + ", " + std::to_string(size) + " bytes");
}
BENCHMARK(BM_PngThroughLibpng)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

// The whole export of the picture, drawing, encoding and the atomic file together, as
// "--export" runs it after its start; the process around it is compared by hand with other
// programs.
void BM_ExportFullHd(benchmark::State& state)
{
    const BusyGraph g = MakeBusyGraph();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("graph.png"));
    for (auto _ : state) {
        CGraphOutput output{g.functions, g.objects, g.scaling};
        int error = 0;
        if (!output.WriteFile(EGraphFormat::Png, QSize{1920, 1080}, path, error)) {
            state.SkipWithError("the export failed");
            break;
        }
    }
}
BENCHMARK(BM_ExportFullHd)->Unit(benchmark::kMillisecond);

} // namespace
