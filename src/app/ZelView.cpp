#include "app/ZelView.h"

#include "app/AreaShading.h"
#include "app/GraphDocument.h"
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

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPainter>
#include <QStatusBar>

CZelView::CZelView(CGraphDocument* document, ActionFactory createAction, QWidget* parent)
    : QWidget{parent}, m_document{document}, m_createAction{std::move(createAction)}
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(120, 90);
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
    switch (id) {
    case ID_REDRAW:
    case ID_EDIT_UNDO:
    case ID_EDIT_COPY:
    case ID_FILE_PRINT:
    case ID_FILE_PRINT_DIRECT:
    case ID_FILE_PRINT_PREVIEW:
    case ID_VALUE_TABLE:
    case ID_ZEROS:
    case ID_EXTREMA:
    case ID_INFLECTIONS:
    case ID_MONOTONY:
    case ID_INTERSECTIONS:
    case ID_TANGENT:
    case ID_INTEGRAL:
    case ID_EDIT_FUNCTIONS:
    case ID_PROPERTIES:
    case ID_EDIT_OBJECTS:
    case ID_EDIT_SCALING:
        return true;
    default:
        return false;
    }
}

bool CZelView::IsCommandEnabled(int id) const
{
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
        return true;
    case ID_EDIT_UNDO:
        return m_document->Model().CanUndo() != 0;
    case ID_VALUE_TABLE:
    case ID_ZEROS:
    case ID_EXTREMA:
    case ID_INFLECTIONS:
    case ID_MONOTONY:
    case ID_INTERSECTIONS:
    case ID_TANGENT:
    case ID_INTEGRAL:
        // The values dialog needs a function to offer.
        return m_document->Model().GetFunctionCount() > 0;
    default:
        return false;
    }
}

bool CZelView::OnCommand(int id)
{
    switch (id) {
    case ID_REDRAW:
        RedrawNow();
        return true;
    case ID_EDIT_UNDO:
        if (m_document->Model().CanUndo() != 0) {
            m_document->Model().Undo();
        }
        RedrawNow();
        m_document->NotifyChanged(this);
        return true;
    case ID_EDIT_COPY:
        OnEditCopy();
        return true;
    case ID_FILE_PRINT:
    case ID_FILE_PRINT_DIRECT:
        CViewPrinter::Instance().Print(*m_document, this, id == ID_FILE_PRINT);
        return true;
    case ID_FILE_PRINT_PREVIEW:
        CViewPrinter::Instance().Preview(*m_document, this);
        return true;
    case ID_VALUE_TABLE:
    case ID_ZEROS:
    case ID_EXTREMA:
    case ID_INFLECTIONS:
    case ID_MONOTONY:
    case ID_INTERSECTIONS:
    case ID_TANGENT:
    case ID_INTEGRAL: {
        // The commands follow the order of the dialog's analysis selector.
        const CZelDoc& model = m_document->Model();
        const int analysis = id <= ID_MONOTONY
                                 ? id - ID_VALUE_TABLE
                                 : static_cast<int>(EAnalysis::Intersections) + (id - ID_INTERSECTIONS);
        CValuesDialog dialog{model.GetFunctions(), model.GetScaling(), analysis, this};
        // An integral result shades its area here while the dialog shows it.
        connect(&dialog, &CValuesDialog::shownAreaChanged, this, [this, &dialog] {
            m_shownArea = dialog.ShownArea();
            update();
        });
        dialog.exec();
        m_shownArea.reset();
        update();
        // Every point and line adopted in the dialog arrives in one step, which one undo takes back.
        if (m_document && !dialog.AdoptedFunctions().empty()) {
            CFunctionList functions = m_document->Model().GetFunctions();
            functions.insert(functions.end(), dialog.AdoptedFunctions().begin(),
                             dialog.AdoptedFunctions().end());
            m_document->Model().SetFunctions(std::move(functions));
        }
        if (m_document && !dialog.AdoptedPoints().empty()) {
            CObjectList objects = m_document->Model().GetObjects();
            objects.insert(objects.end(), dialog.AdoptedPoints().begin(), dialog.AdoptedPoints().end());
            m_document->Model().SetObjects(std::move(objects));
        }
        if (m_document && (!dialog.AdoptedFunctions().empty() || !dialog.AdoptedPoints().empty())) {
            RedrawNow();
            m_document->NotifyChanged();
        }
        return true;
    }
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
    sheet.ApplyTo(m_document->Model());
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
    const CWaitCursor wait;
    CZelDoc& model = m_document->Model();
    CScaling drawn;
    bool curvesLeftOut = false;
    bool objectsLeftOut = false;
    {
        QPainter painter{this};
        CPainterContext dc{painter};
        drawn = PaintGraph(dc, CRect{0, 0, width(), height()}, model.Functions(), model.Objects(),
                           model.GetScaling(), &curvesLeftOut, &objectsLeftOut);
        if (m_shownArea) {
            PaintAreaShading(painter, rect(), drawn, *m_shownArea);
        }
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
