#pragma once

#include <QPointer>
#include <QWidget>

#include <functional>

#include "app/GraphDocument.h"
#include "dialogs/values/ValuesDialog.h"

#include <optional>

// The window that shows one document's graph. It keeps nothing of its own: every paint and every
// command reads the document afresh, and every change goes back to the document before the view
// repaints. Other views of the same document show a change at their next repaint.
class CZelView final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CZelView)

public:
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

protected:
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // The document may go before its last view is deleted.
    QPointer<CGraphDocument> m_document;
    ActionFactory m_createAction;
    // The area of the integral result a values dialog opened here shows, shaded while it does.
    std::optional<CValuesDialog::SShownArea> m_shownArea;
};
