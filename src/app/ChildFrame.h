#pragma once

#include <QMdiSubWindow>

class CDocumentManager;
class CZelView;

// One window on a document inside the main window. Closing the last window of a document closes
// the document, after the save question.
class CChildFrame final : public QMdiSubWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CChildFrame)

public:
    CChildFrame(CZelView* view, CDocumentManager* manager, QWidget* parent = nullptr);

    CZelView* GetView() const { return m_view; }
    // Sets the title from the document: "Graph1", or "Graph1:2" when it has several windows.
    void UpdateTitle();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    CZelView* m_view;
    CDocumentManager* m_manager;
};
