// The graph window under the mouse and the keys: coordinates, zoom, pan and the zoom box. Every
// gesture ends in one change of the document's scaling, one step of its history.
#include "app/ZelView.h"

#include "app/GraphTrace.h"
#include "engine/NumberText.h"
#include "framework/ShownNumbers.h"
#include "view/ViewZoom.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QStatusBar>
#include <QTimer>
#include <QWheelEvent>

#include <cmath>

namespace {

// One wheel notch, or one press of + or -, zooms by this factor.
constexpr double kZoomFactor = 1.25;
// A zoom box narrower or lower than this is taken for a slip of the hand.
constexpr int kMinimumBox = 4;

// The affine map of one axis from the picture's layout to the layout of another range, in
// positions from the axis's low end: position' = factor * position + offset.
struct SAxisMap
{
    double factor{1.0};
    double offset{0.0};
};

SAxisMap MapBetween(const CAxisRange& drawn, const CAxisRange& shown, int pixels)
{
    const double drawnScale = pixels / (drawn.to - drawn.from + 2 * drawn.step);
    const double shownScale = pixels / (shown.to - shown.from + 2 * shown.step);
    return {shownScale / drawnScale, (drawn.from - drawn.step - shown.from + shown.step) * shownScale};
}

// A zoom that stops at a limit says so in the frame's status bar instead of doing nothing.
void TellZoomLimit(QWidget* view, EZoomLimit limit)
{
    auto* frame = qobject_cast<QMainWindow*>(view->window());
    if (limit == EZoomLimit::None || frame == nullptr) {
        return;
    }
    frame->statusBar()->showMessage(
        limit == EZoomLimit::TooWide
            ? QStringLiteral("Weiter verkleinern geht nicht: ein noch größerer Bereich lässt sich nicht "
                             "mehr darstellen.")
            : QStringLiteral("Weiter vergrößern geht nicht: die Teilstriche ließen sich nicht mehr "
                             "unterscheiden."));
}

} // namespace

CScaling CZelView::ShownScaling() const
{
    return m_preview ? *m_preview : m_document->Model().GetScaling();
}

QString CZelView::CoordinatesText(QPointF position) const
{
    const CScaling scaling = ShownScaling();
    const CAxisRange xr = DrawableXAxis(scaling);
    const CAxisRange yr = DrawableYAxis(scaling);
    const auto text = [](double value, int decimals) {
        // Whole numbers where a pixel spans more than a tenth; -0 reads as 0.
        const double shown = decimals == 0 ? std::round(value) + 0.0 : value;
        return ShownNumber(shown, std::max(decimals, 1));
    };
    return QStringLiteral("x = %1   y = %2")
        .arg(text(WorldAt(xr, width(), position.x()), PixelDecimals(xr, width())),
             text(WorldAt(yr, height(), height() - position.y()), PixelDecimals(yr, height())));
}

bool CZelView::IsShowingCachedPicture() const
{
    return !m_cache.isNull() &&
           (m_gesture == EGesture::Pan || m_gesture == EGesture::Box || m_settle->isActive());
}

void CZelView::CommitScaling(const CScaling& scaling, const QString& name, bool settle)
{
    m_preview.reset();
    const bool changed = m_document->Edit(name, [&scaling](CZelDoc& model) { model.SetScaling(scaling); });
    if (settle && changed) {
        m_settle->start();
    } else {
        m_settle->stop();
    }
    if (changed) {
        m_document->NotifyChanged(this);
    }
    update();
    if (underMouse()) {
        emit coordinatesChanged(CoordinatesText(m_pointerPos));
    }
}

void CZelView::PaintCachedPicture(QPainter& painter) const
{
    const CScaling shown = ShownScaling();
    const SAxisMap mx = MapBetween(DrawableXAxis(m_cacheScaling), DrawableXAxis(shown), width());
    // With automatic y scaling the drawing finds the y range only once the gesture ends.
    const SAxisMap my = shown.GetAutoScaleY() != 0
                            ? SAxisMap{}
                            : MapBetween(DrawableYAxis(m_cacheScaling), DrawableYAxis(shown), height());
    // y positions count from the bottom edge: y' = h - (my.factor * (h - y) + my.offset).
    const QTransform transform{mx.factor, 0,         0,
                               my.factor, mx.offset, height() - my.factor * height() - my.offset};
    painter.fillRect(rect(), Qt::white);
    painter.setTransform(transform);
    painter.drawImage(QPointF{0, 0}, m_cache);
    painter.resetTransform();
}

void CZelView::PaintOverlays(QPainter& painter) const
{
    if (m_gesture == EGesture::Box) {
        painter.setPen(QPen{Qt::black, 1, Qt::DashLine});
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF{m_pressPos, m_pointerPos}.normalized());
    }
    if (const std::optional<STraceMarker> marker = TraceMarker(); marker && !IsShowingCachedPicture()) {
        CFunctionList traced;
        const std::uint32_t color = TracedFunctions(m_document->Model(), traced)[marker->function].GetColor();
        // The document's colours are stored as 0x00BBGGRR.
        const QColor curve{int(color & 0xff), int((color >> 8) & 0xff), int((color >> 16) & 0xff)};
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen{Qt::black, 1});
        painter.setBrush(curve);
        painter.drawEllipse(TraceMarkerPosition(), 5, 5);
        painter.setRenderHint(QPainter::Antialiasing, false);
    }
}

void CZelView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_settle->stop();
    m_pressPos = event->position();
    m_pointerPos = event->position();
    m_gesture = event->modifiers().testFlag(Qt::ControlModifier) ? EGesture::Box : EGesture::Pressed;
    if (m_gesture == EGesture::Box) {
        update();
    }
}

void CZelView::mouseMoveEvent(QMouseEvent* event)
{
    m_pointerPos = event->position();
    if (m_gesture == EGesture::Pressed &&
        (m_pointerPos - m_pressPos).manhattanLength() >= QApplication::startDragDistance()) {
        m_gesture = EGesture::Pan;
    }
    if (m_gesture == EGesture::Pan) {
        m_preview = PannedScaling(m_document->Model().GetScaling(), width(), height(), m_pressPos.x(),
                                  m_pressPos.y(), m_pointerPos.x(), m_pointerPos.y());
        update();
    } else if (m_gesture == EGesture::Box) {
        update();
    }
    if (rect().contains(m_pointerPos.toPoint())) {
        emit coordinatesChanged(CoordinatesText(m_pointerPos));
    }
}

void CZelView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || m_gesture == EGesture::None) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    const EGesture gesture = std::exchange(m_gesture, EGesture::None);
    m_pointerPos = event->position();
    const CScaling scaling = m_document->Model().GetScaling();
    switch (gesture) {
    case EGesture::Pan:
        CommitScaling(PannedScaling(scaling, width(), height(), m_pressPos.x(), m_pressPos.y(),
                                    m_pointerPos.x(), m_pointerPos.y()),
                      QStringLiteral("Verschieben"), false);
        break;
    case EGesture::Box: {
        const QRectF box = QRectF{m_pressPos, m_pointerPos}.normalized();
        if (box.width() >= kMinimumBox && (box.height() >= kMinimumBox || scaling.GetAutoScaleY() != 0)) {
            CommitScaling(
                BoxScaling(scaling, width(), height(), box.left(), box.top(), box.right(), box.bottom()),
                QStringLiteral("Zoom"), false);
            TellZoomLimit(this, BoxScalingLimit(scaling, width(), height(), box.left(), box.top(),
                                                box.right(), box.bottom()));
        } else {
            update();
        }
        break;
    }
    default:
        // A click without movement starts a trace on a curve near it; a click away ends one.
        if (!StartTrace(m_pointerPos, true)) {
            EndTrace();
        }
        break;
    }
}

void CZelView::wheelEvent(QWheelEvent* event)
{
    const int notches = event->angleDelta().y() / 120;
    if (notches == 0 || m_gesture != EGesture::None) {
        event->ignore();
        return;
    }
    m_pointerPos = event->position();
    const double factor = std::pow(kZoomFactor, notches);
    const CScaling scaling = m_document->Model().GetScaling();
    CommitScaling(ZoomedScaling(scaling, width(), height(), m_pointerPos.x(), m_pointerPos.y(), factor),
                  QStringLiteral("Zoom"), true);
    TellZoomLimit(this,
                  ZoomedScalingLimit(scaling, width(), height(), m_pointerPos.x(), m_pointerPos.y(), factor));
    event->accept();
}

void CZelView::keyPressEvent(QKeyEvent* event)
{
    if (m_trace->IsActive() && HandleTraceKey(event)) {
        return;
    }
    const CScaling scaling = m_document->Model().GetScaling();
    switch (event->key()) {
    case Qt::Key_Plus:
    case Qt::Key_Minus: {
        const double factor = event->key() == Qt::Key_Plus ? kZoomFactor : 1 / kZoomFactor;
        CommitScaling(ZoomedScaling(scaling, width(), height(), width() / 2.0, height() / 2.0, factor),
                      QStringLiteral("Zoom"), true);
        TellZoomLimit(this,
                      ZoomedScalingLimit(scaling, width(), height(), width() / 2.0, height() / 2.0, factor));
        return;
    }
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down: {
        const double dx = event->key() == Qt::Key_Left ? -0.1 : event->key() == Qt::Key_Right ? 0.1 : 0.0;
        const double dy = event->key() == Qt::Key_Down ? -0.1 : event->key() == Qt::Key_Up ? 0.1 : 0.0;
        const CScaling shifted = ShiftedScaling(scaling, dx, dy);
        if (shifted != scaling) {
            CommitScaling(shifted, QStringLiteral("Verschieben"), true);
        }
        return;
    }
    default:
        QWidget::keyPressEvent(event);
    }
}

void CZelView::leaveEvent(QEvent* event)
{
    emit coordinatesChanged(QString{});
    QWidget::leaveEvent(event);
}
