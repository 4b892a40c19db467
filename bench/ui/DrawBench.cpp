// One full drawing of a busy graph on a 1920 by 1080 screen: five functions, one of them a family
// of 41 curves, the dashed grid, automatic y scaling and a few objects.
#include "BusyGraph.h"
#include "framework/PainterContext.h"
#include "view/GraphPaint.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <string>
#include <utility>

namespace {

// Everything a repaint of a maximised window does, pixels included.
void BM_DrawScreenImage(benchmark::State& state)
{
    const BusyGraph g = MakeBusyGraph();
    QImage image{1920, 1080, QImage::Format_RGB32};
    for (auto _ : state) {
        QPainter painter{&image};
        CPainterContext dc{painter};
        benchmark::DoNotOptimize(PaintGraph(dc, CRect{0, 0, 1920, 1080}, g.functions, g.objects, g.scaling));
    }
    state.SetLabel("5 functions, 45 curves, 1920x1080");
}
BENCHMARK(BM_DrawScreenImage)->Unit(benchmark::kMillisecond);

// The same drawing into a context that paints nothing: the share of term evaluation.
class CNullContext final : public CDrawContext
{
public:
    CPen SelectPen(const CPen& pen) override { return std::exchange(m_pen, pen); }
    CFont SelectFont(const CFont& font) override { return std::exchange(m_font, font); }
    std::uint32_t SetTextColor(std::uint32_t color) override { return color; }
    bool SetTransparentBackground(bool transparent) override { return transparent; }
    int GetAverageCharWidth() override { return 8; }
    CSize GetTextExtent(std::string_view text) override
    {
        return CSize{static_cast<int>(text.size()) * 8, 16};
    }
    void TextOut(int, int, std::string_view) override {}
    void MoveTo(int x, int) override { benchmark::DoNotOptimize(x); }
    void LineTo(int x, int) override { benchmark::DoNotOptimize(x); }
    void Rectangle(const CRect&) override {}
    void SetPixel(int, int, std::uint32_t) override {}
    void FillRect(const CRect&, std::uint32_t) override {}

private:
    CPen m_pen;
    CFont m_font;
};

void BM_DrawWithoutPixels(benchmark::State& state)
{
    const BusyGraph g = MakeBusyGraph();
    CNullContext dc;
    for (auto _ : state) {
        benchmark::DoNotOptimize(PaintGraph(dc, CRect{0, 0, 1920, 1080}, g.functions, g.objects, g.scaling));
    }
}
BENCHMARK(BM_DrawWithoutPixels)->Unit(benchmark::kMillisecond);

} // namespace
