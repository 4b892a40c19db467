#include "app/ZelView.h"

#include "analysis/AnalysisTable.h"
#include "app/AreaShading.h"
#include "app/GraphDocument.h"
#include "app/GraphExport.h"
#include "app/SliderFocus.h"
#include "app/ViewPrinter.h"
#include "dialogs/copy/AskCopyOptions.h"
#include "dialogs/graph/GraphPropertiesSheet.h"
#include "dialogs/values/ValuesDialog.h"
#include "document/SliderState.h"
#include "framework/CommandIds.h"
#include "app/LocusNotifier.h"
#include "framework/CurveSamplers.h"
#include "framework/GraphPicture.h"
#include "framework/HelpWindow.h"
#include "framework/PainterContext.h"
#include "framework/Resources.h"
#include "framework/ShownNumbers.h"
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

#include <algorithm>
#include <span>

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
    m_trace = new CGraphTrace{document, this};
    connect(m_trace, &CGraphTrace::changed, this, [this] {
        emit traceMessage(m_trace->StatusText());
        update();
    });
    // Another window of the same document may have changed it.
    connect(document, &CGraphDocument::contentChanged, this, [this](const QObject* drawnBy) {
        if (drawnBy != this) {
            update();
        }
    });
    // An Ortskurve computed on a worker is drawn as soon as it is there.
    connect(&LocusNotifier(), &CLocusNotifier::computed, this, [this] {
        if (m_document && !m_document->Model().Derived().empty()) {
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

std::span<const CZelView::SCommand> CZelView::Commands()
{
    const auto always = [](const CZelView&) { return true; };
    const auto hasFunctions = [](const CZelView& view) { return view.m_document->Model().GetFunctionCount() > 0; };
    static const SCommand commands[] = {
        {ID_REDRAW, ID_REDRAW, always, [](CZelView& view, int) { view.RedrawNow(); }},
        {ID_EDIT_UNDO, ID_EDIT_UNDO, [](const CZelView& view) { return view.m_document->History()->canUndo(); },
         [](CZelView& view, int) { view.StepHistory(true); }},
        {ID_EDIT_REDO, ID_EDIT_REDO, [](const CZelView& view) { return view.m_document->History()->canRedo(); },
         [](CZelView& view, int) { view.StepHistory(false); }},
        {ID_EDIT_COPY, ID_EDIT_COPY, always, [](CZelView& view, int) { view.OnEditCopy(); }},
        {ID_FILE_EXPORT, ID_FILE_EXPORT, always,
         [](CZelView& view, int) { ExportGraph(*view.m_document, view.size(), DefaultExportPrompts(&view)); }},
        {ID_VIEW_STANDARD, ID_VIEW_STANDARD, always,
         [](CZelView& view, int) {
             view.m_settle->stop();
             view.CommitScaling(StandardScaling(view.m_document->Model().GetScaling()),
                                QStringLiteral("Standardansicht"), false);
         }},
        {ID_VIEW_TRACE, ID_VIEW_TRACE, hasFunctions, [](CZelView& view, int) { view.StartTrace(std::nullopt, false); }},
        {ID_VIEW_SLIDER, ID_VIEW_SLIDER,
         [](const CZelView& view) {
             const CFunctionList& functions = view.m_document->Model().Functions();
             return std::any_of(functions.begin(), functions.end(), IsSliderFamily);
         },
         [](CZelView& view, int) { view.ToggleSlider(); }},
        {ID_FILE_PRINT, ID_FILE_PRINT_DIRECT, always,
         [](CZelView& view, int id) { CViewPrinter::Instance().Print(*view.m_document, &view, id == ID_FILE_PRINT); }},
        {ID_FILE_PRINT_PREVIEW, ID_FILE_PRINT_PREVIEW, always,
         [](CZelView& view, int) { CViewPrinter::Instance().Preview(*view.m_document, &view); }},
        {ID_EDIT_FUNCTIONS, ID_EDIT_FUNCTIONS, always, &CZelView::EditPropertiesOf},
        {ID_PROPERTIES, ID_PROPERTIES, always, &CZelView::EditPropertiesOf},
        {ID_EDIT_OBJECTS, ID_EDIT_OBJECTS, always, &CZelView::EditPropertiesOf},
        {ID_EDIT_SCALING, ID_EDIT_SCALING, always, &CZelView::EditPropertiesOf},
    };
    return commands;
}

const CZelView::SCommand* CZelView::FindCommand(int id)
{
    for (const SCommand& command : Commands()) {
        if (command.first <= id && id <= command.last) {
            return &command;
        }
    }
    return nullptr;
}

bool CZelView::IsViewCommand(int id)
{
    return AnalysisOfCommand(id) != nullptr || FindCommand(id) != nullptr;
}

bool CZelView::IsCommandEnabled(int id) const
{
    if (AnalysisOfCommand(id)) {
        // The values dialog needs a function to offer.
        return m_document->Model().GetFunctionCount() > 0;
    }
    const SCommand* command = FindCommand(id);
    return command && command->enabled(*this);
}

bool CZelView::OnCommand(int id)
{
    // The command of an analysis opens the values dialog on it.
    if (const SAnalysis* analysis = AnalysisOfCommand(id)) {
        OpenValuesDialog(static_cast<int>(analysis->id));
        return true;
    }
    const SCommand* command = FindCommand(id);
    if (!command) {
        return false;
    }
    command->run(*this, id);
    return true;
}

void CZelView::StepHistory(bool undo)
{
    m_settle->stop();
    if (undo) {
        m_document->Undo();
    } else {
        m_document->Redo();
    }
    RedrawNow();
    m_document->NotifyChanged(this);
}

void CZelView::EditPropertiesOf(CZelView& view, int id)
{
    view.EditProperties(CGraphPropertiesSheet::FirstPageOfCommand(id));
}

void CZelView::OpenValuesDialog(int analysis)
{
    const CZelDoc& model = m_document->Model();
    CValuesDialog dialog{model.GetFunctions(), model.GetScaling(), analysis, this};
    dialog.SetGraphObjects(model.GetObjects());
    dialog.SetGraphDerived(model.GetDerived());
    if (const std::optional<SSliderState> slider = model.ActiveSlider()) {
        dialog.SetFamilyMember(slider->function, slider->k);
    }
    // An integral result shades its area here while the dialog shows it.
    connect(&dialog, &CValuesDialog::shownAreaChanged, this, [this, &dialog] {
        m_shownArea = dialog.ShownArea();
        update();
    });
    // Each press of an adopt button arrives at once as a step of its own, which one undo takes back.
    connect(&dialog, &CValuesDialog::adopted, this,
            [this](const CFunctionList& functions, const CObjectList& objects, const QString& step) {
                AddAdopted(functions, objects, step);
            });
    // Each kept area is a step of its own as well.
    connect(&dialog, &CValuesDialog::areaKept, this, [this](const CKeptArea& area) { AddKeptArea(area); });
    // So is the Ortskurve drawn after its list.
    connect(&dialog, &CValuesDialog::locusDrawn, this, [this](const CDerivedCurve& curve) { AddDerivedCurve(curve); });
    dialog.exec();
    m_shownArea.reset();
    update();
}

void CZelView::AddAdopted(const CFunctionList& functions, const CObjectList& objects, const QString& step)
{
    if (m_document && (!functions.empty() || !objects.empty())) {
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
}

void CZelView::AddKeptArea(const CKeptArea& area)
{
    if (!m_document) {
        return;
    }
    m_document->Edit(QStringLiteral("Fläche behalten"), [&area](CZelDoc& model) {
        CAreaList areas = model.GetAreas();
        areas.push_back(area);
        model.SetAreas(std::move(areas));
    });
    RedrawNow();
    m_document->NotifyChanged();
}

void CZelView::ToggleSlider()
{
    CZelDoc& model = m_document->Model();
    if (model.ActiveSlider()) {
        // The family's record was never touched: it is drawn again as it always was.
        model.SetSlider(std::nullopt);
    } else {
        const CFunctionList& functions = model.Functions();
        const auto family = std::find_if(functions.begin(), functions.end(), IsSliderFamily);
        if (family == functions.end()) {
            return;
        }
        double from{}, to{}, step{};
        family->GetRange(from, to, step);
        model.SetSlider(SSliderState{static_cast<std::size_t>(family - functions.begin()), from});
    }
    m_document->NotifyChanged();
    // The slider takes the keys at once, so that the arrows move k.
    if (model.ActiveSlider() && parentWidget()) {
        if (auto* slider = parentWidget()->findChild<QWidget*>(QStringLiteral("IDC_SLIDER"))) {
            slider->setFocus();
        }
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
                           model.GetScaling(), &curvesLeftOut, &objectsLeftOut, ShownDecimalSeparator(),
                           SliderFocus(model), model.Derived(), WindowCurveSamplers(), model.Areas());
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
    AddDerivedCurveMenus(menu);
    menu.exec(event->globalPos());
}
