#pragma once

#include <QMdiSubWindow>

#include <functional>

class CZelView;

// One window on a document inside the main window. Closing the last window of a document closes
// the document, after the save question; who owns the documents answers through the two hooks.
class CChildFrame final : public QMdiSubWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CChildFrame)

public:
    explicit CChildFrame(CZelView* view, QWidget* parent = nullptr);

    CZelView* GetView() const { return m_view; }
    // Sets the title from the document: "Graph1", or "Graph1:2" when it has several windows.
    void UpdateTitle();

    // Whether the window may close now (the save question of the last window), and that it has.
    std::function<bool(CZelView*)> canClose;
    std::function<void(CZelView*)> closed;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    CZelView* m_view;
};
