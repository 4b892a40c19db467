// Frames of the graph window while a gesture lasts, on the busy graph in a 1920 by 1080 window:
// a drag that pans, and wheel notches that zoom. Each frame is the window's own paint, rendered
// into an image as the screen would receive it. BM_ViewExactFrame is the full drawing the window
// makes when the gesture ends, for comparison.
#include "BusyGraph.h"
#include "app/GraphDocument.h"
#include "app/ZelView.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QWheelEvent>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

struct SBusyWindow
{
    CGraphDocument document;
    std::unique_ptr<CZelView> view;
    QImage screen{1920, 1080, QImage::Format_RGB32};

    SBusyWindow()
    {
        const BusyGraph g = MakeBusyGraph();
        document.Model().SetFunctions(g.functions);
        document.Model().SetObjects(g.objects);
        document.Model().SetScaling(g.scaling);
        view = std::make_unique<CZelView>(&document, [](int, const QString&, QObject*) { return nullptr; });
        view->resize(1920, 1080);
        Frame();
    }

    void Frame() { view->render(&screen); }

    void Send(QEvent& event) { QApplication::sendEvent(view.get(), &event); }
};

void Mouse(SBusyWindow& window, QEvent::Type type, QPointF at)
{
    QMouseEvent event{
        type,          at, at, type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, Qt::LeftButton,
        Qt::NoModifier};
    window.Send(event);
}

void BM_ViewDragFrame(benchmark::State& state)
{
    SBusyWindow window;
    Mouse(window, QEvent::MouseButtonPress, {960, 540});
    int i = 0;
    for (auto _ : state) {
        ++i;
        // Beyond the drag distance from the first frame on, so every frame is one of the pan.
        Mouse(window, QEvent::MouseMove, {980.0 + i % 300, 560.0 + i % 170});
        window.Frame();
    }
    if (!window.view->IsShowingCachedPicture()) {
        state.SkipWithError("the drag did not show the cached picture");
    }
    Mouse(window, QEvent::MouseButtonRelease, {960, 540});
    state.SetLabel("5 functions, 45 curves, 1920x1080, panning");
}
BENCHMARK(BM_ViewDragFrame)->Unit(benchmark::kMillisecond);

void BM_ViewWheelFrame(benchmark::State& state)
{
    SBusyWindow window;
    int i = 0;
    for (auto _ : state) {
        // In and out in turn, so the range stays where the graph is busy.
        const QPointF at{700.0 + i % 500, 400.0};
        QWheelEvent event{at,
                          at,
                          QPoint{},
                          QPoint{0, i % 2 == 0 ? 120 : -120},
                          Qt::NoButton,
                          Qt::NoModifier,
                          Qt::NoScrollPhase,
                          false};
        ++i;
        window.Send(event);
        window.Frame();
    }
    if (!window.view->IsShowingCachedPicture()) {
        state.SkipWithError("the zoom did not show the cached picture");
    }
    state.SetLabel("5 functions, 45 curves, 1920x1080, zooming");
}
BENCHMARK(BM_ViewWheelFrame)->Unit(benchmark::kMillisecond);

void BM_ViewExactFrame(benchmark::State& state)
{
    SBusyWindow window;
    for (auto _ : state) {
        window.Frame();
    }
    state.SetLabel("5 functions, 45 curves, 1920x1080, full drawing");
}
BENCHMARK(BM_ViewExactFrame)->Unit(benchmark::kMillisecond);

} // namespace
