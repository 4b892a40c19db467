#include "app/GraphTrace.h"

#include "analysis/Antiderivative.h"
#include "app/GraphDocument.h"
#include "document/SliderState.h"
#include "document/StepLoop.h"
#include "engine/DerivativeTerm.h"
#include "engine/NumberText.h"
#include "engine/TextEncoding.h"
#include "framework/SettingsStore.h"
#include "framework/ShownNumbers.h"
#include "view/GraphLayout.h"

#include <QWidget>

#include <algorithm>
#include <cmath>

namespace {

// How close, in pixels, the marker has to come to a point to snap to it.
constexpr double kSnapPixels = 5.0;

std::vector<double> FamilyValues(const CGraphFunction& function)
{
    std::vector<double> values;
    ForEachFamilyValue(function, [&values](double k) { values.push_back(k); });
    return values;
}

QString Number(double value)
{
    return ShownNumber(value);
}

// The scans read the x range; the y range only while it is the user's own, not the one automatic
// y scaling derives at every drawing (a scan per repaint would never settle).
bool SameScanRange(const CScaling& a, const CScaling& b)
{
    double af{}, at{}, as{}, bf{}, bt{}, bs{};
    a.GetXRange(af, at, as);
    b.GetXRange(bf, bt, bs);
    if (af != bf || at != bt || as != bs || a.GetAutoScaleY() != b.GetAutoScaleY()) {
        return false;
    }
    if (a.GetAutoScaleY() != 0) {
        return true;
    }
    a.GetYRange(af, at, as);
    b.GetYRange(bf, bt, bs);
    return af == bf && at == bt && as == bs;
}

} // namespace

const CFunctionList& TracedFunctions(const CZelDoc& model, CFunctionList& narrowed,
                                     std::vector<std::optional<SAntiderivativeStart>>* starts)
{
    const std::optional<SSliderState> slider = model.ActiveSlider();
    const bool derived = std::any_of(model.Derived().begin(), model.Derived().end(),
                                     [](const CDerivedCurve& c) { return !IsLocusKind(c.GetKind()); });
    if (!slider && !derived) {
        if (starts != nullptr) {
            starts->assign(model.Functions().size(), std::nullopt);
        }
        return model.Functions();
    }
    narrowed = SliderMembers(model.Functions(), slider);
    const std::size_t count = narrowed.size();
    if (starts != nullptr) {
        starts->assign(count, std::nullopt);
    }
    for (const CDerivedCurve& curve : model.Derived()) {
        if (curve.GetSource() >= count || IsLocusKind(curve.GetKind())) {
            continue;
        }
        CGraphFunction function = narrowed[curve.GetSource()];
        std::optional<SAntiderivativeStart> start;
        if (curve.GetKind() == EDerivedKind::Antiderivative) {
            start = SAntiderivativeStart{curve.GetX0(), curve.GetY0()};
        } else {
            std::optional<std::string> term = DerivativeTerm(function.GetTerm());
            if (term && curve.GetKind() == EDerivedKind::SecondDerivative) {
                term = DerivativeTerm(*term);
            }
            if (!term) {
                continue;
            }
            function.SetTerm(*term);
        }
        function.SetName(DerivedCurveName(model.Functions(), curve));
        function.SetColor(curve.GetColor());
        narrowed.push_back(std::move(function));
        if (starts != nullptr) {
            starts->push_back(start);
        }
    }
    return narrowed;
}

CGraphTrace::CGraphTrace(CGraphDocument* document, QWidget* view)
    : QObject{view}, m_document{document}, m_view{view}
{
    // Every change of the content, from this window or another, undo and redo included, ends in
    // this notification.
    connect(document, &CGraphDocument::contentChanged, this, [this] { Follow(); });
    connect(document, &QObject::destroyed, this, [this] { End(); });
}

CGraphTrace::~CGraphTrace()
{
    m_worker.request_stop();
}

bool CGraphTrace::Start(std::size_t function, std::size_t member, double x)
{
    CFunctionList traced;
    if (!m_document || function >= TracedFunctions(m_document->Model(), traced).size()) {
        return false;
    }
    m_curve = SCurve{};
    m_curve->x = x;
    m_compiled.reset();
    if (!Point(function, member)) {
        End();
        return false;
    }
    Scan();
    Snap(x, 0);
    return true;
}

void CGraphTrace::End()
{
    m_worker.request_stop();
    ++m_generation;
    m_points.clear();
    m_scanned.reset();
    m_compiled.reset();
    if (m_curve) {
        m_curve.reset();
        emit changed();
    }
}

bool CGraphTrace::Point(std::size_t index, std::size_t member)
{
    CFunctionList narrowed;
    std::vector<std::optional<SAntiderivativeStart>> starts;
    const CFunctionList& functions = TracedFunctions(m_document->Model(), narrowed, &starts);
    const std::vector<double> ks = FamilyValues(functions[index]);
    if (ks.empty()) {
        return false;
    }
    if (member >= ks.size()) {
        member = ks.size() - 1;
    }
    if (m_curve->function.GetTerm() != functions[index].GetTerm() || !m_compiled) {
        m_compiled.emplace(functions[index].GetTerm());
    }
    m_curve->function = functions[index];
    m_curve->start = starts[index];
    m_curve->index = index;
    m_curve->count = functions.size();
    m_curve->member = member;
    m_curve->k = ks[member];
    return true;
}

std::optional<std::size_t> CGraphTrace::Locate() const
{
    if (!m_curve || !m_document) {
        return std::nullopt;
    }
    CFunctionList narrowed;
    const CFunctionList& functions = TracedFunctions(m_document->Model(), narrowed);
    const std::size_t old = m_curve->index;
    if (old < functions.size() && functions[old] == m_curve->function) {
        return old;
    }
    // The nearest copy of it: a function before it went, or came.
    std::optional<std::size_t> found;
    for (std::size_t i = 0; i < functions.size(); ++i) {
        const auto distance = [old](std::size_t j) { return j > old ? j - old : old - j; };
        if (functions[i] == m_curve->function && (!found || distance(i) < distance(*found))) {
            found = i;
        }
    }
    if (found) {
        return found;
    }
    if (functions.size() == m_curve->count && old < functions.size()) {
        return old;
    }
    return std::nullopt;
}

void CGraphTrace::Follow()
{
    if (!m_curve) {
        return;
    }
    const std::optional<std::size_t> index = Locate();
    if (!index || !Point(*index, m_curve->member)) {
        End();
        return;
    }
    if (!IsScanCurrent()) {
        Scan();
    }
    // The place of the function in the list, and with it the text, may have changed.
    emit changed();
}

bool CGraphTrace::IsScanCurrent() const
{
    return m_curve && m_scanned && m_document && m_scanned->term == m_curve->function.GetTerm() &&
           m_scanned->k == m_curve->k && m_scanned->start == m_curve->start &&
           SameScanRange(m_scanned->scaling, m_document->Model().GetScaling());
}

bool CGraphTrace::HasCurrentPoints() const
{
    return m_scanDone && IsScanCurrent() && Locate() == m_curve->index;
}

void CGraphTrace::Scan()
{
    const int precision =
        CSettingsStore::Instance().GetProfileInt(QStringLiteral("Settings"), QStringLiteral("Precision"), 3);
    const CGraphFunction function = m_curve->function;
    const double k = m_curve->k;
    const std::optional<SAntiderivativeStart> start = m_curve->start;
    const CScaling scaling = m_document->Model().GetScaling();
    const std::uint64_t generation = ++m_generation;
    m_scanned = SScanned{function.GetTerm(), k, scaling, start};
    m_scanDone = false;
    m_points.clear();
    m_curve->snapped = 0;
    // Assigning stops and joins the scan asked for before.
    m_worker = std::jthread{[this, generation, function, k, start, scaling, precision](std::stop_token stop) {
        std::vector<STracePoint> points;
        try {
            points = start ? AntiderivativeTracePointsOf(function, k, start->x0, start->y0, scaling,
                                                         precision, stop)
                           : TracePointsOf(function, k, scaling, precision, stop);
        } catch (...) {
            return; // out of memory, say: the trace goes on without points to snap to
        }
        if (stop.stop_requested()) {
            return;
        }
        QMetaObject::invokeMethod(
            this,
            [this, generation, points = std::move(points)]() mutable {
                if (!m_curve || generation != m_generation) {
                    return;
                }
                m_points = std::move(points);
                m_scanDone = true;
                Snap(m_curve->x, 0);
                emit pointsFound();
            },
            Qt::QueuedConnection);
    }};
}

double CGraphTrace::Pixel() const
{
    const CAxisRange xr = DrawableXAxis(m_document->Model().GetScaling());
    return (xr.to - xr.from + 2 * xr.step) / std::max(m_view->width(), 1);
}

void CGraphTrace::Step(double distance)
{
    // The document may have changed without telling (a tool, a test): never move on a stale curve.
    Follow();
    if (m_curve && distance != 0) {
        Snap(m_curve->x + distance, distance < 0 ? -1 : 1);
    }
}

void CGraphTrace::Snap(double x, int direction)
{
    // Moving on, only the points ahead pull the marker: one it has just left must let it go.
    std::vector<STracePoint> ahead;
    for (const STracePoint& point : m_points) {
        if (direction == 0 || (point.x - m_curve->x) * direction > 0) {
            ahead.push_back(point);
        }
    }
    const std::optional<STracePoint> snap = SnapTracePoint(ahead, x, kSnapPixels * Pixel());
    m_curve->x = snap ? snap->x : x;
    m_curve->snapped = snap ? snap->letter : 0;
    emit changed();
}

void CGraphTrace::SwitchCurve(int direction)
{
    Follow();
    if (!m_curve) {
        return;
    }
    CFunctionList narrowed;
    const CFunctionList& functions = TracedFunctions(m_document->Model(), narrowed);
    // (function, member) of every curve in drawing order.
    std::vector<std::pair<std::size_t, std::size_t>> curves;
    std::size_t current = 0;
    for (std::size_t i = 0; i < functions.size(); ++i) {
        const int count = CountFamilyValues(functions[i]);
        for (std::size_t member = 0; member < static_cast<std::size_t>(count); ++member) {
            if (i == m_curve->index && member == m_curve->member) {
                current = curves.size();
            }
            curves.emplace_back(i, member);
        }
    }
    if (curves.empty()) {
        End();
        return;
    }
    const auto count = static_cast<std::ptrdiff_t>(curves.size());
    const auto next = curves[static_cast<std::size_t>(
        ((static_cast<std::ptrdiff_t>(current) + direction) % count + count) % count)];
    if (!Point(next.first, next.second)) {
        End();
        return;
    }
    if (!IsScanCurrent()) {
        Scan();
    }
    Snap(m_curve->x, 0);
}

std::optional<double> CGraphTrace::Value() const
{
    if (m_compiled->HasSyntaxError()) {
        return std::nullopt;
    }
    if (m_curve->start) {
        return AntiderivativeAt(*m_compiled, m_curve->k, m_curve->start->x0, m_curve->start->y0, m_curve->x);
    }
    return m_compiled->DefinedValue(m_curve->x, m_curve->k);
}

std::optional<CGraphTrace::SMarker> CGraphTrace::Marker() const
{
    CFunctionList narrowed;
    if (!m_curve || !m_compiled || Locate() != m_curve->index ||
        !(TracedFunctions(m_document->Model(), narrowed)[m_curve->index] == m_curve->function)) {
        return std::nullopt;
    }
    const std::optional<double> y = Value();
    if (!y) {
        return std::nullopt;
    }
    return SMarker{m_curve->index, m_curve->k, m_curve->x, *y, m_curve->snapped};
}

QString CGraphTrace::StatusText() const
{
    if (!m_curve || !m_compiled) {
        return {};
    }
    // The legend's name of the curve; a member of a family says which k it has.
    CFunctionList traced;
    const QString f = QString::fromStdString(
        Cp1252ToUtf8(FunctionHead(TracedFunctions(m_document->Model(), traced), m_curve->index)));
    QString name = f;
    if (m_curve->function.GetUseFamilyConstant() != 0) {
        name += QStringLiteral(", k = %1").arg(Number(m_curve->k));
    }
    const std::optional<double> y = Value();
    QString text;
    if (!y) {
        text = QStringLiteral("%1: x = %2   %3(x) ist nicht definiert").arg(name, Number(m_curve->x), f);
    } else {
        text = QStringLiteral("%1: x = %2   %3(x) = %4").arg(name, Number(m_curve->x), f, Number(*y));
        // Where the term has no derivative to carry (a factorial of a non-integer), none is shown.
        // F's slope is its function's value.
        const double slope = m_curve->start ? m_compiled->DefinedValue(m_curve->x, m_curve->k).value_or(NAN)
                                            : m_compiled->EvaluateDerivatives(m_curve->x, m_curve->k).first;
        if (std::isfinite(slope)) {
            text += QStringLiteral("   %1'(x) = %2").arg(f, Number(slope));
        }
    }
    if (m_curve->snapped != 0) {
        text += QStringLiteral("   ") + QString::fromStdString(TracePointName(m_curve->snapped));
    }
    return text;
}
