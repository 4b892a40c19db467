#pragma once

#include <QObject>

class QAction;
class QMenu;
class QStatusBar;

// Shows the status-bar prompt of whatever menu entry the pointer is on. Qt itself is silent about
// disabled entries and about menus that hang under no menu bar (the context menu of a graph), and
// a user who wonders why an entry is grey needs the prompt most.
class CMenuPrompts final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CMenuPrompts)

public:
    explicit CMenuPrompts(QStatusBar* statusBar);

    // Follows the pointer in this menu from now on; watching a menu twice changes nothing.
    void Watch(QMenu* menu);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowPrompt(const QAction* action);

    QStatusBar* m_statusBar;
};
