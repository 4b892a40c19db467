// The trace in the window: where a click or the command starts it, how the keys move it and where
// its marker is drawn. The trace itself, following the document, is CGraphTrace.
#include "app/ZelView.h"

#include "analysis/Antiderivative.h"
#include "app/GraphTrace.h"
#include "document/StepLoop.h"
#include "engine/CompiledTerm.h"
#include "view/ViewZoom.h"

#include <QKeyEvent>

#include <cmath>
#include <limits>
#include <optional>
#include <vector>

namespace {

// How close, in pixels, a click has to come to a curve to start a trace on it.
constexpr double kClickPixels = 8.0;

} // namespace

QPointF CZelView::TraceMarkerPosition() const
{
    const std::optional<STraceMarker> marker = TraceMarker();
    const CScaling scaling = ShownScaling();
    if (!marker) {
        return {};
    }
    return {PositionOf(DrawableXAxis(scaling), width(), marker->x),
            height() - PositionOf(DrawableYAxis(scaling), height(), marker->y)};
}

bool CZelView::StartTrace(std::optional<QPointF> near, bool nearOnly)
{
    CFunctionList narrowed;
    std::vector<std::optional<SAntiderivativeStart>> starts;
    const CFunctionList& functions = TracedFunctions(m_document->Model(), narrowed, &starts);
    const CScaling scaling = m_document->Model().GetScaling();
    const CAxisRange xr = DrawableXAxis(scaling);
    const CAxisRange yr = DrawableYAxis(scaling);
    const double x = near ? WorldAt(xr, width(), near->x()) : (xr.from + xr.to) / 2;
    // The curve whose value lies nearest to the point, in pixels; without a point, the first one
    // defined there.
    std::optional<std::pair<std::size_t, std::size_t>> best;
    double bestDistance = std::numeric_limits<double>::infinity();
    for (std::size_t i = 0; i < functions.size(); ++i) {
        const CCompiledTerm term{functions[i].GetTerm()};
        if (term.HasSyntaxError()) {
            continue;
        }
        // F's value comes from the quadrature of its function.
        const auto valueAt = [&](double k) {
            return starts[i] ? AntiderivativeAt(term, k, starts[i]->x0, starts[i]->y0, x)
                             : term.DefinedValue(x, k);
        };
        std::size_t member = 0;
        ForEachFamilyValue(functions[i], [&](double k) {
            if (const std::optional<double> y = valueAt(k)) {
                const double distance =
                    near ? std::abs(height() - PositionOf(yr, height(), *y) - near->y()) : double(i);
                if (distance < bestDistance) {
                    bestDistance = distance;
                    best.emplace(i, member);
                }
            }
            ++member;
        });
    }
    if (!best || (nearOnly && bestDistance > kClickPixels)) {
        return false;
    }
    return m_trace->Start(best->first, best->second, x);
}

void CZelView::EndTrace()
{
    m_trace->End();
}

bool CZelView::HandleTraceKey(QKeyEvent* event)
{
    const CAxisRange xr = DrawableXAxis(m_document->Model().GetScaling());
    const double step = event->modifiers().testFlag(Qt::ShiftModifier) ? xr.step : m_trace->Pixel();
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right: {
        m_trace->Step(event->key() == Qt::Key_Left ? -step : step);
        return true;
    }
    case Qt::Key_Up:
    case Qt::Key_Down:
        m_trace->SwitchCurve(event->key() == Qt::Key_Up ? 1 : -1);
        return true;
    case Qt::Key_Escape:
        m_trace->End();
        return true;
    default:
        return false;
    }
}
