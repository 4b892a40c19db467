#pragma once

#include "app/GraphDocument.h"
#include "app/GraphTrace.h"
#include "dialogs/values/ValuesDialog.h"

#include <QImage>
#include <QMenu>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <optional>
#include <span>

class QTimer;

// The window that shows one document's graph. The graph itself lives in the document: every
// command reads it afresh, and every change goes back to the document before the view repaints.
// Of its own the view keeps only the picture last drawn, what a gesture is in the middle of, its
// trace, and the area a values dialog shades. Other views of the same document show a change
// at their next repaint.
class CZelView final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CZelView)

public:
    // What the status bar says about the context menu's "&Ableitung zeichnen" and
    // "Stamm&funktion zeichnen".
    static inline const QString kDerivePrompt =
        QStringLiteral("Zeichnet die Ableitung einer Funktion, die jeder Änderung der Funktion folgt");
    static inline const QString kAntiderivativePrompt =
        QStringLiteral("Zeichnet eine Stammfunktion einer Funktion durch einen gewählten Punkt");

    // Makes the action of a command for the context menu, routed and enabled like the menus'.
    using ActionFactory = std::function<QAction*(int id, const QString& text, QObject* parent)>;

    CZelView(CGraphDocument* document, ActionFactory createAction, QWidget* parent = nullptr);
    ~CZelView() override;

    CGraphDocument* GetDocument() const { return m_document; }

    // Handles a command routed to the active view; false when it is none of the view's.
    bool OnCommand(int id);
    // Whether a command of the view is enabled now (only asked for the view's own commands).
    bool IsCommandEnabled(int id) const;
    static bool IsViewCommand(int id);

    // The graph properties sheet on the given page; OK hands its copies to the document.
    void EditProperties(int firstPage);

    // Repaint at once, as after every change made through this view.
    void RedrawNow();
    // Asks for type and size (wizard or dialog, after the interface mode) and puts the graph on
    // the clipboard; cancelling copies nothing.
    void OnEditCopy();

    // The gestures (ZelViewGestures.cpp). The scaling shown now: a pan's preview while the drag
    // lasts, otherwise the document's.
    CScaling ShownScaling() const;
    // "x = 1.25   y = -0.5" for a point of the window, with as many decimals as a pixel tells apart.
    QString CoordinatesText(QPointF position) const;
    // Whether the window shows the cached picture of a gesture instead of a fresh drawing.
    bool IsShowingCachedPicture() const;
    // How long after the last wheel notch or key the exact drawing follows.
    static constexpr int kSettleMilliseconds = 250;

    // The trace (ZelViewTrace.cpp). Starting puts the marker on the curve nearest to the point
    // (within a few pixels when `nearOnly`), or on the first curve at the middle of the window.
    bool StartTrace(std::optional<QPointF> near, bool nearOnly);
    void EndTrace();
    bool IsTracing() const { return m_trace->IsActive(); }
    // The traced point: the function's index, the family value and x, y.
    using STraceMarker = CGraphTrace::SMarker;
    std::optional<STraceMarker> TraceMarker() const { return m_trace->Marker(); }
    const CGraphTrace& Trace() const { return *m_trace; }

signals:
    // The text of the coordinates pane; empty when the pointer leaves the graph.
    void coordinatesChanged(const QString& text);
    // The trace's status line; empty when the trace ends.
    void traceMessage(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    // One row of the view's commands: the ids it answers (a range where one handler serves
    // several), when it can run, and what it does.
    struct SCommand
    {
        int first;
        int last;
        bool (*enabled)(const CZelView& view);
        void (*run)(CZelView& view, int id);
    };
    static std::span<const SCommand> Commands();
    static const SCommand* FindCommand(int id);
    // Undo (true) or redo one step of the document's history.
    void StepHistory(bool undo);
    static void EditPropertiesOf(CZelView& view, int id);
    // "Schieberegler": turns the document's slider on, at the first family's start, or off.
    void ToggleSlider();
    // The values dialog on the analysis of the command.
    void OpenValuesDialog(int analysis);
    // Adds what one press of an adopt button took, as one step of the history.
    void AddKeptArea(const CKeptArea& area);
    void AddAdopted(const CFunctionList& functions, const CObjectList& objects, const QString& step);
    // The context menu's "&Ableitung zeichnen" and "Stamm&funktion zeichnen", one entry per
    // function (and per f' for its f''); ZelViewDerived.cpp.
    void AddDerivedCurveMenus(QMenu& menu);
    // One undo step that adds the curve, unless the same one is drawn already.
    void AddDerivedCurve(const CDerivedCurve& curve);

    enum class EGesture
    {
        None,
        Pressed,
        Pan,
        Box
    };
    // Makes a gesture's scaling one step of the document's history. With `settle`, the window
    // shows the cached picture until no further step follows for a moment (wheel and keys).
    void CommitScaling(const CScaling& scaling, const QString& name, bool settle);
    void PaintCachedPicture(QPainter& painter) const;
    void PaintOverlays(QPainter& painter) const;
    bool HandleTraceKey(QKeyEvent* event);
    QPointF TraceMarkerPosition() const;

    // The last exact drawing and the scaling it was drawn with.
    QImage m_cache;
    CScaling m_cacheScaling;
    std::optional<CScaling> m_preview;
    QTimer* m_settle{nullptr};
    EGesture m_gesture{EGesture::None};
    QPointF m_pressPos;
    QPointF m_pointerPos;

    // The document may go before its last view is deleted.
    QPointer<CGraphDocument> m_document;
    ActionFactory m_createAction;
    // The area of the integral result a values dialog opened here shows, shaded while it does.
    std::optional<CValuesDialog::SShownArea> m_shownArea;
    // A child of the view: it follows the document on its own.
    CGraphTrace* m_trace{nullptr};
};
