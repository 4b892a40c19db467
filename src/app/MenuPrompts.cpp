#include "app/MenuPrompts.h"

#include <QAction>
#include <QMenu>
#include <QMouseEvent>
#include <QStatusBar>

namespace {

const char* const kWatchedProperty = "vexMenuPromptsWatched";

} // namespace

CMenuPrompts::CMenuPrompts(QStatusBar* statusBar) : QObject{statusBar}, m_statusBar{statusBar} {}

void CMenuPrompts::Watch(QMenu* menu)
{
    if (menu->property(kWatchedProperty).toBool()) {
        return;
    }
    menu->setProperty(kWatchedProperty, true);
    menu->installEventFilter(this);
    connect(menu, &QMenu::hovered, this, &CMenuPrompts::ShowPrompt);
    // Once the menu is gone, the idle text comes back instead of the last prompt.
    connect(menu, &QMenu::aboutToHide, m_statusBar, &QStatusBar::clearMessage);
}

bool CMenuPrompts::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove) {
        auto* menu = static_cast<QMenu*>(watched);
        const QAction* action = menu->actionAt(static_cast<QMouseEvent*>(event)->position().toPoint());
        // Enabled entries announce themselves through hovered(); disabled ones never do.
        if (action && !action->isEnabled()) {
            ShowPrompt(action);
        }
    }
    return false;
}

void CMenuPrompts::ShowPrompt(const QAction* action)
{
    if (action->isSeparator() || action->statusTip().isEmpty()) {
        m_statusBar->clearMessage();
    } else {
        m_statusBar->showMessage(action->statusTip());
    }
}
