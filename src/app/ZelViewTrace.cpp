// The trace: a marker on one curve, moved by the keys, that snaps to the zeros, extrema and
// inflection points the curve discussion finds in its exact mode.
#include "app/ZelView.h"

#include "document/StepLoop.h"
#include "engine/CompiledTerm.h"
#include "engine/Derivatives.h"
#include "engine/ErrorFlags.h"
#include "engine/NumberText.h"
#include "framework/SettingsStore.h"
#include "view/ViewZoom.h"

#include <QKeyEvent>

#include <cmath>
#include <limits>

namespace {

// How close, in pixels, the marker has to come to a point to snap to it, and a click to a curve
// to start a trace on it.
constexpr double kSnapPixels = 5.0;
constexpr double kClickPixels = 8.0;

std::vector<double> FamilyValues(const CGraphFunction& function)
{
    std::vector<double> values;
    ForEachFamilyValue(function, [&values](double k) { values.push_back(k); });
    return values;
}

struct SCurveValue
{
    double y{0.0};
    double slope{0.0};
    bool defined{false};
};

SCurveValue ValueAt(const CGraphFunction& function, double k, double x)
{
    const CCompiledTerm term{function.GetTerm()};
    g_mathError = 0;
    g_syntaxError = 0;
    SCurveValue value;
    value.y = EvaluateOrder(term, x, k, 0);
    value.defined = g_mathError == 0 && g_syntaxError == 0 && std::isfinite(value.y);
    value.slope = EvaluateOrder(term, x, k, 1);
    g_mathError = 0;
    g_syntaxError = 0;
    return value;
}

QString Number(double value)
{
    return QString::fromStdString(FormatNumber(value));
}

} // namespace

std::optional<CZelView::STraceMarker> CZelView::TraceMarker() const
{
    if (!m_trace || m_trace->function >= m_document->Model().GetFunctionCount()) {
        return std::nullopt;
    }
    const CGraphFunction& function = m_document->Model().Functions()[m_trace->function];
    const SCurveValue value = ValueAt(function, m_trace->k, m_trace->x);
    if (!value.defined) {
        return std::nullopt;
    }
    return STraceMarker{m_trace->function, m_trace->k, m_trace->x, value.y, m_trace->snapped};
}

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
    const CFunctionList& functions = m_document->Model().Functions();
    const CScaling scaling = m_document->Model().GetScaling();
    const CAxisRange xr = DrawableXAxis(scaling);
    const CAxisRange yr = DrawableYAxis(scaling);
    const double x = near ? WorldAt(xr, width(), near->x()) : (xr.from + xr.to) / 2;
    // The curve whose value lies nearest to the point, in pixels.
    std::optional<STraceState> best;
    double bestDistance = std::numeric_limits<double>::infinity();
    for (std::size_t i = 0; i < functions.size(); ++i) {
        const std::vector<double> ks = FamilyValues(functions[i]);
        for (std::size_t member = 0; member < ks.size(); ++member) {
            const SCurveValue value = ValueAt(functions[i], ks[member], x);
            if (!value.defined) {
                continue;
            }
            const double distance =
                near ? std::abs(height() - PositionOf(yr, height(), value.y) - near->y()) : double(i);
            if (distance < bestDistance) {
                bestDistance = distance;
                best = STraceState{i, member, ks[member], x, 0, {}};
            }
        }
    }
    if (!best || (nearOnly && bestDistance > kClickPixels)) {
        return false;
    }
    m_trace = std::move(best);
    SwitchTraceCurve(0);
    return true;
}

void CZelView::EndTrace()
{
    m_traceWorker.request_stop();
    if (m_trace) {
        m_trace.reset();
        emit traceMessage(QString{});
        update();
    }
}

void CZelView::SwitchTraceCurve(int direction)
{
    const CFunctionList& functions = m_document->Model().Functions();
    // Up and Down walk the curves in drawing order: the members of a family, then the next function.
    std::vector<std::pair<std::size_t, double>> curves;
    std::size_t current = 0;
    for (std::size_t i = 0; i < functions.size(); ++i) {
        const std::vector<double> ks = FamilyValues(functions[i]);
        for (std::size_t member = 0; member < ks.size(); ++member) {
            if (i == m_trace->function && member == m_trace->member) {
                current = curves.size();
            }
            curves.emplace_back(i, ks[member]);
        }
    }
    if (curves.empty()) {
        EndTrace();
        return;
    }
    const auto count = static_cast<std::ptrdiff_t>(curves.size());
    const auto next =
        static_cast<std::size_t>((static_cast<std::ptrdiff_t>(current) + count + direction) % count);
    std::size_t member = 0;
    for (std::size_t i = next; i > 0 && curves[i - 1].first == curves[next].first; --i) {
        ++member;
    }
    m_trace->function = curves[next].first;
    m_trace->member = member;
    m_trace->k = curves[next].second;
    m_trace->points.clear();
    FindTracePoints(functions[m_trace->function]);
    MoveTrace(m_trace->x, 0);
}

void CZelView::FindTracePoints(const CGraphFunction& function)
{
    // The points to snap to, for the range visible now. A coarse scan suffices: exact mode refines
    // each point it finds to full precision.
    const int precision =
        CSettingsStore::Instance().GetProfileInt(QStringLiteral("Settings"), QStringLiteral("Precision"), 3);
    const std::uint64_t generation = ++m_traceGeneration;
    // Assigning stops and joins the scan for the curve traced before.
    m_traceWorker = std::jthread{[this, generation, function, k = m_trace->k,
                                  scaling = m_document->Model().GetScaling(), precision](std::stop_token stop) {
        std::vector<STracePoint> points;
        try {
            points = TracePointsOf(function, k, scaling, precision, stop);
        } catch (...) {
            return; // out of memory, say: the trace goes on without points to snap to
        }
        if (stop.stop_requested()) {
            return;
        }
        QMetaObject::invokeMethod(
            this,
            [this, generation, points = std::move(points)]() mutable {
                if (m_trace && generation == m_traceGeneration) {
                    m_trace->points = std::move(points);
                    MoveTrace(m_trace->x, 0);
                }
            },
            Qt::QueuedConnection);
    }};
}

void CZelView::MoveTrace(double x, int direction)
{
    const CAxisRange xr = DrawableXAxis(m_document->Model().GetScaling());
    const double pixel = (xr.to - xr.from + 2 * xr.step) / std::max(width(), 1);
    // Moving on, only the points ahead pull the marker: one it has just left must let it go.
    std::vector<STracePoint> ahead;
    for (const STracePoint& point : m_trace->points) {
        if (direction == 0 || (point.x - m_trace->x) * direction > 0) {
            ahead.push_back(point);
        }
    }
    const std::optional<STracePoint> snap = SnapTracePoint(ahead, x, kSnapPixels * pixel);
    m_trace->x = snap ? snap->x : x;
    m_trace->snapped = snap ? snap->letter : 0;
    UpdateTrace();
}

void CZelView::UpdateTrace()
{
    const CGraphFunction& function = m_document->Model().Functions()[m_trace->function];
    const SCurveValue value = ValueAt(function, m_trace->k, m_trace->x);
    QString name = QStringLiteral("f%1").arg(m_trace->function + 1);
    if (function.GetUseFamilyConstant() != 0) {
        name += QStringLiteral(" (k = %1)").arg(Number(m_trace->k));
    }
    QString text =
        value.defined ? QStringLiteral("%1: x = %2   f(x) = %3   f'(x) = %4")
                            .arg(name, Number(m_trace->x), Number(value.y), Number(value.slope))
                      : QStringLiteral("%1: x = %2   f(x) ist nicht definiert").arg(name, Number(m_trace->x));
    if (m_trace->snapped != 0) {
        text += QStringLiteral("   ") + QString::fromStdString(TracePointName(m_trace->snapped));
    }
    emit traceMessage(text);
    update();
}

bool CZelView::HandleTraceKey(QKeyEvent* event)
{
    const CAxisRange xr = DrawableXAxis(m_document->Model().GetScaling());
    const double pixel = (xr.to - xr.from + 2 * xr.step) / std::max(width(), 1);
    const double step = event->modifiers().testFlag(Qt::ShiftModifier) ? xr.step : pixel;
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right: {
        const int direction = event->key() == Qt::Key_Left ? -1 : 1;
        MoveTrace(m_trace->x + direction * step, direction);
        return true;
    }
    case Qt::Key_Up:
    case Qt::Key_Down:
        SwitchTraceCurve(event->key() == Qt::Key_Up ? 1 : -1);
        return true;
    case Qt::Key_Escape:
        EndTrace();
        return true;
    default:
        return false;
    }
}
