#include "app/ZelView.h"

#include "analysis/AnalysisTable.h"
#include "app/AreaShading.h"
#include "app/GraphDocument.h"
#include "app/GraphExport.h"
#include "app/ViewPrinter.h"
#include "dialogs/copy/CopyOptions.h"
#include "dialogs/graph/GraphPropertiesSheet.h"
#include "dialogs/values/ValuesDialog.h"
#include "framework/CommandIds.h"
#include "framework/GraphPicture.h"
#include "framework/HelpWindow.h"
#include "framework/PainterContext.h"
#include "framework/Resources.h"
#include "framework/WaitCursor.h"
#include "view/DrawLimits.h"
#include "view/GraphPaint.h"
#include "view/ViewZoom.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPainter>
#include <QStatusBar>
#include <QTimer>
#include <QUndoStack>

CZelView::CZelView(CGraphDocument* document, ActionFactory createAction, QWidget* parent)
    : QWidget{parent}, m_document{document}, m_createAction{std::move(createAction)}
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(120, 90);
    setMouseTracking(true);
    m_settle = new QTimer{this};
    m_settle->setSingleShot(true);
    m_settle->setInterval(kSettleMilliseconds);
    connect(m_settle, &QTimer::timeout, this, [this] { update(); });
    m_document->AddView(this);
    // Another window of the same document may have changed it.
    connect(document, &CGraphDocument::contentChanged, this, [this](const QObject* drawnBy) {
        if (drawnBy != this) {
            update();
        }
    });
    setProperty(kHelpOnWhatsThisProperty, true);
}

CZelView::~CZelView()
{
    if (m_document) {
        m_document->RemoveView(this);
    }
}

bool CZelView::IsViewCommand(int id)
{
    if (AnalysisOfCommand(id)) {
        return true;
    }
    switch (id) {
    case ID_REDRAW:
    case ID_EDIT_UNDO:
    case ID_EDIT_REDO:
    case ID_EDIT_COPY:
    case ID_FILE_PRINT:
    case ID_FILE_PRINT_DIRECT:
    case ID_FILE_PRINT_PREVIEW:
    case ID_EDIT_FUNCTIONS:
    case ID_PROPERTIES:
    case ID_EDIT_OBJECTS:
    case ID_EDIT_SCALING:
    case ID_FILE_EXPORT:
    case ID_VIEW_STANDARD:
    case ID_VIEW_TRACE:
        return true;
    default:
        return false;
    }
}

bool CZelView::IsCommandEnabled(int id) const
{
    if (AnalysisOfCommand(id)) {
        // The values dialog needs a function to offer.
        return m_document->Model().GetFunctionCount() > 0;
    }
    switch (id) {
    case ID_REDRAW:
    case ID_EDIT_COPY:
    case ID_FILE_PRINT:
    case ID_FILE_PRINT_DIRECT:
    case ID_FILE_PRINT_PREVIEW:
    case ID_EDIT_FUNCTIONS:
    case ID_PROPERTIES:
    case ID_EDIT_OBJECTS:
    case ID_EDIT_SCALING:
    case ID_FILE_EXPORT:
    case ID_VIEW_STANDARD:
        return true;
    case ID_VIEW_TRACE:
        return m_document->Model().GetFunctionCount() > 0;
    case ID_EDIT_UNDO:
        return m_document->History()->canUndo();
    case ID_EDIT_REDO:
        return m_document->History()->canRedo();
    default:
        return false;
    }
}

bool CZelView::OnCommand(int id)
{
    // The command of an analysis opens the values dialog on it.
    if (const SAnalysis* analysis = AnalysisOfCommand(id)) {
        const CZelDoc& model = m_document->Model();
        CValuesDialog dialog{model.GetFunctions(), model.GetScaling(), static_cast<int>(analysis->id), this};
        // An integral result shades its area here while the dialog shows it.
        connect(&dialog, &CValuesDialog::shownAreaChanged, this, [this, &dialog] {
            m_shownArea = dialog.ShownArea();
            update();
        });
        dialog.exec();
        m_shownArea.reset();
        update();
        // Every point and line adopted in the dialog arrives in one step, which one undo takes back.
        const CFunctionList& functions = dialog.AdoptedFunctions();
        const CObjectList& objects = dialog.AdoptedPoints();
        if (m_document && (!functions.empty() || !objects.empty())) {
            const QString step = objects.empty()     ? QStringLiteral("Linien übernehmen")
                                 : functions.empty() ? QStringLiteral("Punkte übernehmen")
                                                     : QStringLiteral("Übernehmen");
            m_document->Edit(step, [&functions, &objects](CZelDoc& model) {
                if (!functions.empty()) {
                    CFunctionList all = model.GetFunctions();
                    all.insert(all.end(), functions.begin(), functions.end());
                    model.SetFunctions(std::move(all));
                }
                if (!objects.empty()) {
                    CObjectList all = model.GetObjects();
                    all.insert(all.end(), objects.begin(), objects.end());
                    model.SetObjects(std::move(all));
                }
            });
            RedrawNow();
            m_document->NotifyChanged();
        }
        return true;
    }
    switch (id) {
    case ID_REDRAW:
        RedrawNow();
        return true;
    case ID_EDIT_UNDO:
    case ID_EDIT_REDO:
        m_settle->stop();
        if (id == ID_EDIT_UNDO) {
            m_document->Undo();
        } else {
            m_document->Redo();
        }
        RedrawNow();
        m_document->NotifyChanged(this);
        return true;
    case ID_EDIT_COPY:
        OnEditCopy();
        return true;
    case ID_FILE_EXPORT:
        ExportGraph(*m_document, size(), DefaultExportPrompts(this));
        return true;
    case ID_VIEW_STANDARD:
        m_settle->stop();
        CommitScaling(StandardScaling(m_document->Model().GetScaling()), QStringLiteral("Standardansicht"),
                      false);
        return true;
    case ID_VIEW_TRACE:
        StartTrace(std::nullopt, false);
        return true;
    case ID_FILE_PRINT:
    case ID_FILE_PRINT_DIRECT:
        CViewPrinter::Instance().Print(*m_document, this, id == ID_FILE_PRINT);
        return true;
    case ID_FILE_PRINT_PREVIEW:
        CViewPrinter::Instance().Preview(*m_document, this);
        return true;
    case ID_EDIT_FUNCTIONS:
    case ID_PROPERTIES:
    case ID_EDIT_OBJECTS:
    case ID_EDIT_SCALING:
        EditProperties(CGraphPropertiesSheet::FirstPageOfCommand(id));
        return true;
    default:
        return false;
    }
}

void CZelView::EditProperties(int firstPage)
{
    CGraphPropertiesSheet sheet{m_document->GetTitle(), m_document->Model(), firstPage, this};
    if (sheet.exec() != QDialog::Accepted || !m_document) {
        return;
    }
    m_document->Edit(QString{}, [&sheet](CZelDoc& model) { sheet.ApplyTo(model); });
    RedrawNow();
    m_document->NotifyChanged(this);
}

void CZelView::OnEditCopy()
{
    SCopyOptions options;
    if (!AskCopyOptions(this, options)) {
        return;
    }
    const CWaitCursor wait;
    // The copy is drawn from the document as it is now and changes nothing in it, not even the
    // scaling that automatic y scaling settles on.
    QApplication::clipboard()->setMimeData(
        CreateGraphMimeData(m_document->Model(), options.type != 0, QSize{options.length, options.height}));
}

void CZelView::RedrawNow()
{
    repaint();
}

void CZelView::paintEvent(QPaintEvent*)
{
    if (IsShowingCachedPicture()) {
        QPainter painter{this};
        PaintCachedPicture(painter);
        PaintOverlays(painter);
        return;
    }
    const CWaitCursor wait;
    CZelDoc& model = m_document->Model();
    CScaling drawn;
    bool curvesLeftOut = false;
    bool objectsLeftOut = false;
    {
        // Drawn into a picture first: it stands in for the graph while a gesture lasts, so that a
        // drag or a zoom never waits for a full drawing.
        const qreal ratio = devicePixelRatioF();
        const QSize pixels = (QSizeF(size()) * ratio).toSize();
        if (m_cache.size() != pixels) {
            m_cache = QImage{pixels, QImage::Format_RGB32};
        }
        m_cache.setDevicePixelRatio(ratio);
        QPainter picture{&m_cache};
        CPainterContext dc{picture};
        drawn = PaintGraph(dc, CRect{0, 0, width(), height()}, model.Functions(), model.Objects(),
                           model.GetScaling(), &curvesLeftOut, &objectsLeftOut);
        if (m_shownArea) {
            PaintAreaShading(picture, rect(), drawn, *m_shownArea);
        }
    }
    m_cacheScaling = drawn;
    {
        QPainter painter{this};
        painter.drawImage(QPoint{0, 0}, m_cache);
        PaintOverlays(painter);
    }
    m_document->RecordDrawnScaling(drawn);
    QStringList notes;
    if (curvesLeftOut) {
        notes << QStringLiteral("Nicht alle Funktionen wurden gezeichnet: eine Zeichnung nimmt höchstens %1 "
                                "Kurven auf.")
                     .arg(kMaxCurvesPerDrawing);
    }
    if (objectsLeftOut) {
        notes << QStringLiteral("Nur die ersten %1 von %2 Objekten wurden gezeichnet.")
                     .arg(kMaxObjectsPerDrawing)
                     .arg(model.Objects().size());
    }
    if (!notes.isEmpty()) {
        if (auto* frame = qobject_cast<QMainWindow*>(window())) {
            frame->statusBar()->showMessage(notes.join(QLatin1Char(' ')));
        }
    }
}

void CZelView::contextMenuEvent(QContextMenuEvent* event)
{
    if (auto* child = qobject_cast<QMdiSubWindow*>(parentWidget())) {
        child->mdiArea()->setActiveSubWindow(child);
    }
    QMenu menu{this};
    for (const SMenuItem& item : ViewContextMenu().items) {
        if (item.id == 0) {
            menu.addSeparator();
        } else {
            menu.addAction(m_createAction(item.id, QString::fromUtf8(item.text), &menu));
        }
    }
    menu.exec(event->globalPos());
}
