// One frame of a playing slider on a 1920 by 1080 screen: the family x^3-k*x+k/2 of five members,
// the member at the slider's k bold, the others faint (or left out), with grid, labels and legend.
// A frame has 16 ms at 60 frames a second; playing asks for one every 40 ms.
// The second benchmark plays the family k/(x-1)+x with its f' drawn and y scaled automatically:
// every frame looks past the pole at 1 for a k it has not met before.
#include "framework/CurveSamplers.h"
#include "framework/PainterContext.h"
#include "view/GraphPaint.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

void BM_SliderFrame(benchmark::State& state)
{
    CGraphFunction family;
    family.SetTerm("x^3-k*x+k/2");
    family.SetUseFamilyConstant(1);
    family.SetRange(-2, 2, 1);
    CGraphFunction plain;
    plain.SetTerm("sin(x)");
    const CFunctionList functions{family, plain};
    const CObjectList objects;
    CScaling scaling;
    scaling.SetAutoScaleY(0);
    QImage image{1920, 1080, QImage::Format_RGB32};
    const bool hideOthers = state.range(0) != 0;
    double k = -2;
    for (auto _ : state) {
        // Every frame stands at another k, as playing does.
        k = k < 2 ? k + 0.04 : -2;
        image.fill(Qt::white);
        QPainter painter{&image};
        CPainterContext dc{painter};
        benchmark::DoNotOptimize(PaintGraph(dc, CRect{0, 0, 1920, 1080}, functions, objects, scaling, nullptr,
                                            nullptr, EDecimalSeparator::Point, SFamilyFocus{0, k, hideOthers}));
    }
    state.SetLabel(hideOthers ? "others hidden" : "others faint");
}
BENCHMARK(BM_SliderFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_SliderFramePole(benchmark::State& state)
{
    CGraphFunction family;
    family.SetTerm("k/(x-1)+x");
    family.SetUseFamilyConstant(1);
    family.SetRange(-2, 2, 1);
    const CFunctionList functions{family};
    const CDerivedList derived{NewDerivedCurve(functions, 0, EDerivedKind::FirstDerivative)};
    CScaling scaling;
    scaling.SetAutoScaleY(1);
    QImage image{1920, 1080, QImage::Format_RGB32};
    const bool hideOthers = state.range(0) != 0;
    double k = -2;
    for (auto _ : state) {
        // A step that never lands on a k met before within a run, as a slider dragged by hand.
        k = k < 2 ? k + 0.0137 : -2;
        image.fill(Qt::white);
        QPainter painter{&image};
        CPainterContext dc{painter};
        benchmark::DoNotOptimize(PaintGraph(dc, CRect{0, 0, 1920, 1080}, functions, {}, scaling, nullptr,
                                            nullptr, EDecimalSeparator::Point, SFamilyFocus{0, k, hideOthers},
                                            derived, WindowCurveSamplers()));
    }
    state.SetLabel(hideOthers ? "f' and a pole, others hidden" : "f' and a pole, others faint");
}
BENCHMARK(BM_SliderFramePole)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
