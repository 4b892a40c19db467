// A repaint of a graph that draws an Ortskurve at full HD: the family x^2-2*k*x+k of five members
// with its Ortskurve, y scaled automatically over the curves and the Ortskurve. The Ortskurve is
// computed once, before the loop; a repaint only draws what was kept, so it stays within a frame.
// The second case draws its f' too, and a pole beside it that automatic scaling looks past.
#include "framework/CurveSamplers.h"
#include "framework/PainterContext.h"
#include "view/GraphPaint.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

void BM_LocusCurveFrame(benchmark::State& state)
{
    CGraphFunction family;
    family.SetTerm("x^2-2*k*x+k");
    family.SetUseFamilyConstant(1);
    family.SetRange(0, 2, 0.5);
    CFunctionList functions{family};
    CDerivedList derived{NewDerivedCurve(functions, 0, EDerivedKind::LocusOfExtrema)};
    if (state.range(0) != 0) {
        CGraphFunction pole;
        pole.SetTerm("1/(x-2)");
        functions.push_back(pole);
        derived.push_back(NewDerivedCurve(functions, 0, EDerivedKind::FirstDerivative));
    }
    CScaling scaling;
    scaling.SetXRange(-2, 4, 1);
    scaling.SetAutoScaleY(1);
    QImage image{1920, 1080, QImage::Format_RGB32};
    // The Ortskurve as the window finds it after its first frame: kept.
    CurveSamplers().locus(family, false, scaling);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter{&image};
        CPainterContext dc{painter};
        benchmark::DoNotOptimize(PaintGraph(dc, CRect{0, 0, 1920, 1080}, functions, {}, scaling, nullptr, nullptr,
                                            EDecimalSeparator::Point, std::nullopt, derived,
                                            WindowCurveSamplers()));
    }
    state.SetLabel(state.range(0) != 0 ? "with f' and a pole" : "Ortskurve alone");
}
BENCHMARK(BM_LocusCurveFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
