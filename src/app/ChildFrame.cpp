#include "app/ChildFrame.h"

#include "app/GraphDocument.h"
#include "app/SliderBar.h"
#include "app/ZelView.h"

#include <QCloseEvent>
#include <QLayout>

CChildFrame::CChildFrame(CZelView* view, QWidget* parent) : QMdiSubWindow{parent}, m_view{view}
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWidget(view);
    // The slider's bar goes under the graph, in the window's own column; it shows itself while the
    // document's slider is on.
    if (QLayout* column = layout()) {
        column->addWidget(new CSliderBar{view->GetDocument(), this});
    }
    resize(560, 420);
    UpdateTitle();
}

void CChildFrame::UpdateTitle()
{
    CGraphDocument* document = m_view->GetDocument();
    const QList<CZelView*> views = document->Views();
    QString title = document->GetTitle();
    if (views.size() > 1) {
        title += QStringLiteral(":%1").arg(views.indexOf(m_view) + 1);
    }
    setWindowTitle(title + QStringLiteral("[*]"));
    setWindowModified(document->IsModified());
}

void CChildFrame::closeEvent(QCloseEvent* event)
{
    if (canClose && !canClose(m_view)) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
    if (event->isAccepted() && closed) {
        closed(m_view);
    }
}
