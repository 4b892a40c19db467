#include "app/MainFrame.h"

#include "app/ChildFrame.h"
#include "app/DocumentManager.h"
#include "app/GraphDocument.h"
#include "app/MailSender.h"
#include "app/MenuPrompts.h"
#include "app/ViewPrinter.h"
#include "app/ZelView.h"
#include "dialogs/general/AboutDialog.h"
#include "dialogs/general/LogoWnd.h"
#include "dialogs/general/TipDialog.h"
#include "dialogs/options/OptionsSheet.h"
#include "framework/CommandIds.h"
#include "framework/HelpWindow.h"
#include "framework/Pictures.h"
#include "framework/SettingsStore.h"

#include <QApplication>

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QUndoStack>
#include <QWhatsThis>
#include <algorithm>

namespace {

// Theme icon names for the standard commands, with pictures of our own where the theme has none.
struct SIcon
{
    int id;
    const char* theme;
    const char* file;
};

const SIcon kIcons[] = {
    {ID_FILE_NEW, "document-new", "document-new"},
    {ID_FILE_OPEN, "document-open", "document-open"},
    {ID_FILE_SAVE, "document-save", "document-save"},
    {ID_EDIT_UNDO, "edit-undo", "edit-undo"},
    {ID_EDIT_COPY, "edit-copy", "edit-copy"},
    {ID_FILE_PRINT, "document-print", "document-print"},
    {ID_TIP_OF_THE_DAY, nullptr, "tip-of-the-day"},
    {ID_CONTEXT_HELP, "help-contextual", "help-contextual"},
    {ID_APP_ABOUT, "help-about", "help-about"},
    {ID_REDRAW, nullptr, "redraw"},
    {ID_EDIT_FUNCTIONS, nullptr, "edit-functions"},
    {ID_EDIT_OBJECTS, nullptr, "edit-objects"},
    {ID_EDIT_SCALING, nullptr, "edit-scaling"},
    {ID_VALUE_TABLE, nullptr, "value-table"},
    {ID_ZEROS, nullptr, "zeros"},
    {ID_EXTREMA, nullptr, "extrema"},
    {ID_INFLECTIONS, nullptr, "inflections"},
    {ID_MONOTONY, nullptr, "monotony"},
};

QIcon CommandIcon(int id)
{
    for (const SIcon& icon : kIcons) {
        if (icon.id == id) {
            const QIcon own{QStringLiteral(":/icons/%1.svg").arg(QLatin1String(icon.file))};
            return icon.theme ? QIcon::fromTheme(QLatin1String(icon.theme), own) : own;
        }
    }
    return {};
}

bool IsToggle(int id)
{
    return id == ID_VIEW_TOOLBAR || id == ID_VIEW_FUNCTION_BAR || id == ID_VIEW_STATUS_BAR || id == ID_VIEW_SLIDER;
}

} // namespace

CMainFrame::CMainFrame(QWidget* parent) : QMainWindow{parent}
{
    InitIconResources();
    setObjectName(QStringLiteral("IDR_MAINFRAME"));
    setWindowIcon(ProgramIcon());
    m_mdiArea = new QMdiArea{this};
    m_mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdiArea);
    m_documents = new CDocumentManager{this};

    m_menuPrompts = new CMenuPrompts{statusBar()};
    CreateActions();
    CreateWindowKeys();
    BuildMenus();
    m_standardBar =
        BuildToolBar(QStringLiteral("Standard"), QStringLiteral("IDR_MAINFRAME_BAR"), StandardToolBar());
    m_functionBar =
        BuildToolBar(QStringLiteral("Funktionen"), QStringLiteral("IDR_FUNCTIONS_BAR"), FunctionToolBar());
    addToolBar(Qt::TopToolBarArea, m_standardBar);
    addToolBar(Qt::LeftToolBarArea, m_functionBar);
    BuildStatusBar();
    setDockOptions(QMainWindow::AnimatedDocks | QMainWindow::AllowTabbedDocks);

    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, &CMainFrame::UpdateCommandUI);
    connect(m_documents, &CDocumentManager::documentsChanged, this, &CMainFrame::UpdateCommandUI);
    connect(m_documents, &CDocumentManager::documentAdded, this, [this](CGraphDocument* document) {
        connect(document, &CGraphDocument::changed, this, &CMainFrame::UpdateCommandUI);
        CreateChildFrame(document);
    });
    connect(m_documents, &CDocumentManager::activateViewRequested, this, &CMainFrame::ActivateView);
    connect(m_documents, &CDocumentManager::recentFilesChanged, this, &CMainFrame::UpdateRecentFileMenu);
    UpdateRecentFileMenu();
    UpdateCommandUI();
    resize(960, 720);
    RestoreWindowPlacement();
    CLogoWnd::ShowLogo(this);
}

CMainFrame::~CMainFrame()
{
    // Tearing down the child windows activates others; nothing may be updated by then.
    // The graph windows tell their state and the documents their changes up to here, and the
    // frame's members are gone before its widgets close.
    // The document manager and its documents are children too.
    for (QObject* sender : findChildren<QObject*>()) {
        disconnect(sender, nullptr, this, nullptr);
    }
}

void CMainFrame::CreateActions()
{
    QList<int> ids;
    for (const auto* menus : {&MainFrameMenu(), &GraphMenu()}) {
        for (const SMenuPopup& popup : *menus) {
            for (const SMenuItem& item : popup.items) {
                if (item.id != 0 && !ids.contains(item.id)) {
                    ids.append(item.id);
                }
            }
        }
    }
    for (int id : std::initializer_list<int>{
             ID_FILE_PRINT_DIRECT, ID_CONTEXT_HELP, ID_HELP, ID_NEXT_PANE, ID_PREV_PANE, ID_DEFAULT_HELP,
             ID_PROPERTIES, ID_FILE_MRU_FILE1 + 1, ID_FILE_MRU_FILE1 + 2, ID_FILE_MRU_FILE1 + 3}) {
        if (!ids.contains(id)) {
            ids.append(id);
        }
    }

    QHash<int, QString> texts;
    for (const auto* menus : {&MainFrameMenu(), &GraphMenu()}) {
        for (const SMenuPopup& popup : *menus) {
            for (const SMenuItem& item : popup.items) {
                if (item.id != 0) {
                    texts.insert(item.id, QString::fromUtf8(item.text));
                }
            }
        }
    }
    for (int id : ids) {
        auto* action = new QAction{texts.value(id, ToolTipText(id)), this};
        action->setObjectName(QStringLiteral("ID_%1").arg(id));
        action->setStatusTip(StatusPrompt(id));
        action->setToolTip(ToolTipText(id));
        action->setWhatsThis(StatusPrompt(id));
        action->setIcon(CommandIcon(id));
        action->setIconVisibleInMenu(false);
        action->setShortcuts(Accelerators(id));
        action->setCheckable(IsToggle(id));
        connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
        addAction(action); // accelerators work wherever the focus is in the main window
        m_actions.insert(id, action);
    }
}

QAction* CMainFrame::CreateCommandAction(int id, const QString& text, QObject* parent)
{
    auto* action = new QAction{text, parent};
    action->setObjectName(QStringLiteral("ID_%1").arg(id));
    action->setStatusTip(StatusPrompt(id));
    action->setEnabled(IsCommandEnabled(id));
    connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
    if (auto* menu = qobject_cast<QMenu*>(parent)) {
        m_menuPrompts->Watch(menu);
    }
    return action;
}

void CMainFrame::CreateWindowKeys()
{
    // Keys that users of multi-document programs expect besides the accelerators of the menus:
    // Ctrl+F4 closes the graph window, Ctrl+F6 and Ctrl+Shift+F6 walk the windows, and Shift+F10
    // stands in for the menu key, which many keyboards lack.
    const auto addKey = [this](QKeySequence keys, const std::function<void()>& handler) {
        auto* action = new QAction{this};
        action->setShortcut(keys);
        connect(action, &QAction::triggered, this, handler);
        addAction(action);
    };
    addKey(QKeySequence(Qt::CTRL | Qt::Key_F4), [this] {
        if (CZelView* view = ActiveView()) {
            view->parentWidget()->close();
        }
    });
    addKey(QKeySequence(Qt::CTRL | Qt::Key_F6), [this] { m_mdiArea->activateNextSubWindow(); });
    addKey(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F6),
           [this] { m_mdiArea->activatePreviousSubWindow(); });
    addKey(QKeySequence(Qt::SHIFT | Qt::Key_F10), [this] { RequestContextMenu(); });
}

void CMainFrame::RequestContextMenu()
{
    // The same request the menu key makes: to the widget with the focus, at the point it names.
    QWidget* target = QApplication::focusWidget();
    if (!target || target->window() != this) {
        target = ActiveView();
    }
    if (!target || !target->isEnabled()) {
        return;
    }
    const QPoint pos = target->inputMethodQuery(Qt::ImCursorRectangle).toRect().center();
    QContextMenuEvent request{QContextMenuEvent::Keyboard, pos, target->mapToGlobal(pos),
                              QApplication::keyboardModifiers()};
    QApplication::sendEvent(target, &request);
}

QMenu* CMainFrame::BuildMenu(const char* title, const std::vector<SMenuItem>& items)
{
    auto* menu = new QMenu{QString::fromUtf8(title), this};
    menu->setToolTipsVisible(false);
    for (const SMenuItem& item : items) {
        if (item.id == 0) {
            menu->addSeparator();
        } else if (item.id == ID_FILE_MRU_FILE1) {
            for (int i = 0; i < CSettingsStore::kRecentFiles; ++i) {
                menu->addAction(m_actions.value(ID_FILE_MRU_FILE1 + i));
            }
            m_recentMenus.append(menu);
        } else {
            menu->addAction(m_actions.value(item.id));
        }
    }
    connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandUI);
    m_menuPrompts->Watch(menu);
    return menu;
}

void CMainFrame::BuildMenus()
{
    for (const SMenuPopup& popup : MainFrameMenu()) {
        m_frameMenus.append(BuildMenu(popup.title, popup.items));
    }
    for (const SMenuPopup& popup : GraphMenu()) {
        QMenu* menu = BuildMenu(popup.title, popup.items);
        m_graphMenus.append(menu);
        if (QString::fromUtf8(popup.title) == QStringLiteral("&Fenster")) {
            m_windowMenu = menu;
        }
    }
    // The window menu lists the open windows below its commands, rebuilt each time it opens.
    connect(m_windowMenu, &QMenu::aboutToShow, this, [this] {
        for (QAction* action : m_windowMenu->actions()) {
            if (action->property("windowEntry").toBool()) {
                m_windowMenu->removeAction(action);
                action->deleteLater();
            }
        }
        const QList<QMdiSubWindow*> windows = m_mdiArea->subWindowList();
        if (windows.isEmpty()) {
            return;
        }
        QAction* separator = m_windowMenu->addSeparator();
        separator->setProperty("windowEntry", true);
        for (int i = 0; i < windows.size(); ++i) {
            QMdiSubWindow* window = windows[i];
            QString title = window->windowTitle().replace(
                QStringLiteral("[*]"), window->isWindowModified() ? QStringLiteral("*") : QString());
            QAction* entry = m_windowMenu->addAction(
                (i < 9 ? QStringLiteral("&%1 ").arg(i + 1) : QStringLiteral("%1 ").arg(i + 1)) + title);
            entry->setProperty("windowEntry", true);
            entry->setStatusTip(QStringLiteral("Aktiviert dieses Fenster."));
            entry->setCheckable(true);
            entry->setChecked(window == m_mdiArea->activeSubWindow());
            connect(entry, &QAction::triggered, this,
                    [this, window] { m_mdiArea->setActiveSubWindow(window); });
        }
    });
    ShowMenu(IDR_MAINFRAME);
}

void CMainFrame::ShowMenu(int menuId)
{
    if (m_currentMenu == menuId) {
        return;
    }
    m_currentMenu = menuId;
    // F1 on the frame opens the page of the menu shown.
    setProperty(kHelpContextProperty, kHelpDialogBase + menuId);
    menuBar()->clear();
    for (QMenu* menu : menuId == IDR_MAINFRAME ? m_frameMenus : m_graphMenus) {
        menuBar()->addMenu(menu);
    }
}

QToolBar* CMainFrame::BuildToolBar(const QString& caption, const QString& objectName,
                                   const std::vector<int>& ids)
{
    auto* bar = new QToolBar{caption, this};
    bar->setObjectName(objectName);
    bar->setAllowedAreas(Qt::AllToolBarAreas);
    bar->setFloatable(true);
    bar->setMovable(true);
    bar->setIconSize(QSize(24, 24));
    for (int id : ids) {
        if (id == 0) {
            bar->addSeparator();
        } else {
            bar->addAction(m_actions.value(id));
        }
    }
    connect(bar, &QToolBar::visibilityChanged, this, &CMainFrame::UpdateCommandUI);
    return bar;
}

void CMainFrame::BuildStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("ID_%1").arg(ID_VIEW_STATUS_BAR));
    // The graph point under the pointer, empty while the pointer is elsewhere.
    m_coordinatesPane = new QLabel{bar};
    m_coordinatesPane->setObjectName(QStringLiteral("IDC_COORDINATES"));
    m_coordinatesPane->setMinimumWidth(
        m_coordinatesPane->fontMetrics().horizontalAdvance(QStringLiteral("x = -0000.000   y = -0000.000")));
    bar->addPermanentWidget(m_coordinatesPane);
    // The key-state panes, grey until the lock states are known.
    const int paneIds[] = {ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};
    for (std::size_t i = 0; i < m_keyPanes.size(); ++i) {
        const int id = paneIds[i];
        auto* pane = new QLabel{LoadString(id), bar};
        m_keyPanes[i] = pane;
        pane->setObjectName(QStringLiteral("ID_%1").arg(id));
        pane->setFrameShape(QFrame::Panel);
        pane->setFrameShadow(QFrame::Sunken);
        pane->setAlignment(Qt::AlignCenter);
        pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(QStringLiteral("NUM")) + 12);
        pane->setEnabled(false);
        bar->addPermanentWidget(pane);
    }
    // With nothing pointed at, the message pane asks for F1.
    connect(bar, &QStatusBar::messageChanged, this, [bar](const QString& message) {
        if (message.isEmpty()) {
            bar->showMessage(LoadString(IDS_IDLE_MESSAGE));
        }
    });
    bar->showMessage(LoadString(IDS_IDLE_MESSAGE));

    // The lock keys may be pressed while another program has the keyboard, so the panes follow the
    // keyboard by polling rather than by our own key events; only where the states can be read.
    if (ReadKeyLockStates()) {
        auto* poll = new QTimer{this};
        connect(poll, &QTimer::timeout, this, &CMainFrame::UpdateKeyIndicators);
        poll->start(250);
        UpdateKeyIndicators();
    }
}

void CMainFrame::UpdateKeyIndicators()
{
    const std::optional<SKeyLockStates> states = readKeyLocks ? readKeyLocks() : std::nullopt;
    const bool on[] = {states && states->capsLock, states && states->numLock, states && states->scrollLock};
    for (std::size_t i = 0; i < m_keyPanes.size(); ++i) {
        m_keyPanes[i]->setEnabled(on[i]);
    }
}

CZelView* CMainFrame::ActiveView() const
{
    QMdiSubWindow* active = m_mdiArea->activeSubWindow();
    if (!active) {
        // Without focus (another application, or no window system) the last active child counts.
        const QList<QMdiSubWindow*> windows = m_mdiArea->subWindowList(QMdiArea::ActivationHistoryOrder);
        active = windows.isEmpty() ? nullptr : windows.last();
    }
    auto* child = qobject_cast<CChildFrame*>(active);
    return child ? child->GetView() : nullptr;
}

CGraphDocument* CMainFrame::ActiveDocument() const
{
    CZelView* view = ActiveView();
    return view ? view->GetDocument() : nullptr;
}

CChildFrame* CMainFrame::CreateChildFrame(CGraphDocument* document)
{
    auto* view = new CZelView{document, [this](int id, const QString& text, QObject* parent) {
                                  return CreateCommandAction(id, text, parent);
                              }};
    view->setMinimumSize(kMinimumViewSize);
    connect(view, &CZelView::coordinatesChanged, m_coordinatesPane, &QLabel::setText);
    connect(view, &CZelView::traceMessage, this,
            [this](const QString& text) { statusBar()->showMessage(text); });
    auto* child = new CChildFrame{view};
    child->canClose = [this](CZelView* closing) { return m_documents->CanCloseView(closing); };
    child->closed = [this](CZelView* gone) { m_documents->ViewClosed(gone); };
    m_mdiArea->addSubWindow(child);
    // Under some keyboard schemes the window's own menu claims Ctrl+F4 as well; two claims on one
    // key cancel out, so the window's claim counts only while its menu is open.
    for (QAction* action : child->systemMenu()->actions()) {
        if (action->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_F4))) {
            action->setShortcutContext(Qt::WidgetShortcut);
        }
    }
    // Maximising moves the document's name from our title into the brackets Qt adds, and back.
    connect(child, &QMdiSubWindow::windowStateChanged, this, &CMainFrame::UpdateFrameTitles);
    PlaceChild(child, static_cast<int>(m_mdiArea->subWindowList().size()) - 1);
    child->show();
    m_mdiArea->setActiveSubWindow(child);
    UpdateFrameTitles();
    UpdateCommandUI();
    return child;
}

void CMainFrame::PlaceChild(QMdiSubWindow* child, int index)
{
    // New windows take most of the free area, stepped so that earlier ones stay reachable.
    const QSize area = m_mdiArea->viewport()->size();
    const int step = (24 * index) % 240;
    child->setGeometry(step, step, std::max(320, area.width() * 3 / 4), std::max(240, area.height() * 3 / 4));
}

void CMainFrame::CascadeChildren()
{
    // Qt's own cascade shrinks every window to its size hint, a thumbnail of the graph. Here each
    // keeps the size a new window gets, stepped by the height of a title bar so that every title
    // stays in reach; the active window, on top, ends up last.
    const QSize area = m_mdiArea->viewport()->size();
    int index = 0;
    for (QMdiSubWindow* window : m_mdiArea->subWindowList(QMdiArea::StackingOrder)) {
        if (window->isMinimized()) {
            continue;
        }
        if (window->isMaximized()) {
            window->showNormal();
        }
        const QSize size =
            QSize(area.width() * 3 / 4, area.height() * 3 / 4).expandedTo(window->minimumSizeHint());
        const int step = window->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window);
        // Start again at the top left rather than push windows out of the area.
        const int room = std::max(0, std::min(area.width() - size.width(), area.height() - size.height()));
        const int places = step > 0 ? room / step + 1 : 1;
        const int offset = (index % places) * step;
        window->setGeometry(offset, offset, size.width(), size.height());
        window->raise();
        ++index;
    }
}

void CMainFrame::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!m_placedOnFirstShow) {
        // Windows opened from the command line were made before the frame had its size.
        m_placedOnFirstShow = true;
        QApplication::sendPostedEvents();
        const QList<QMdiSubWindow*> windows = m_mdiArea->subWindowList();
        for (int i = 0; i < windows.size(); ++i) {
            if (!windows[i]->isMaximized() && !windows[i]->isMinimized()) {
                PlaceChild(windows[i], i);
            }
        }
    }
}

void CMainFrame::ActivateView(CZelView* view)
{
    if (auto* child = qobject_cast<CChildFrame*>(view->parentWidget())) {
        if (child->isMinimized()) {
            child->showNormal();
        }
        m_mdiArea->setActiveSubWindow(child);
    }
}

bool CMainFrame::IsCommandEnabled(int id) const
{
    CZelView* view = ActiveView();
    if (CZelView::IsViewCommand(id)) {
        return view && view->IsCommandEnabled(id);
    }
    switch (id) {
    case ID_FILE_CLOSE:
    case ID_FILE_SAVE:
    case ID_FILE_SAVE_AS:
    case ID_WINDOW_NEW:
    case ID_WINDOW_ARRANGE:
    case ID_WINDOW_CASCADE:
    case ID_WINDOW_TILE:
    case ID_NEXT_PANE:
    case ID_PREV_PANE:
        return view != nullptr;
    case ID_FILE_SEND_MAIL:
        return view != nullptr && CMailSender::IsAvailable();
    case ID_FILE_MRU_FILE1:
    case ID_FILE_MRU_FILE1 + 1:
    case ID_FILE_MRU_FILE1 + 2:
    case ID_FILE_MRU_FILE1 + 3:
        return id - ID_FILE_MRU_FILE1 < CSettingsStore::Instance().RecentFiles().size();
    default:
        return true;
    }
}

void CMainFrame::UpdateCommandUI()
{
    ShowMenu(m_mdiArea->subWindowList().isEmpty() ? IDR_MAINFRAME : IDR_GRAPHTYPE);
    for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it) {
        it.value()->setEnabled(IsCommandEnabled(it.key()));
    }
    m_actions.value(ID_VIEW_TOOLBAR)->setChecked(!m_standardBar->isHidden());
    m_actions.value(ID_VIEW_FUNCTION_BAR)->setChecked(!m_functionBar->isHidden());
    m_actions.value(ID_VIEW_STATUS_BAR)->setChecked(!statusBar()->isHidden());
    if (QAction* slider = m_actions.value(ID_VIEW_SLIDER)) {
        const CGraphDocument* document = ActiveDocument();
        slider->setChecked(document && document->Model().ActiveSlider().has_value());
    }
    UpdateFrameTitles();
}

void CMainFrame::UpdateFrameTitles()
{
    for (QMdiSubWindow* window : m_mdiArea->subWindowList()) {
        if (auto* child = qobject_cast<CChildFrame*>(window)) {
            child->UpdateTitle();
        }
    }
    const QString app = LoadString(IDS_APP_TITLE);
    CGraphDocument* document = ActiveDocument();
    // A maximised graph window has no title bar; Qt shows its title in brackets after ours, so the
    // name must not stand there twice.
    const QMdiSubWindow* active = m_mdiArea->activeSubWindow();
    const bool nameInBrackets = active && active->isMaximized();
    setWindowTitle(document && !nameInBrackets ? app + QStringLiteral(" - ") + document->GetTitle() : app);
    if (m_actions.contains(ID_EDIT_UNDO)) {
        m_actions.value(ID_EDIT_UNDO)->setEnabled(IsCommandEnabled(ID_EDIT_UNDO));
        m_actions.value(ID_EDIT_REDO)->setEnabled(IsCommandEnabled(ID_EDIT_REDO));
        UpdateHistoryTexts();
    }
}

void CMainFrame::UpdateHistoryTexts()
{
    // The entries name the step they take back or bring again: "Rückgängig: Skalierung".
    const QUndoStack* history = ActiveDocument() ? ActiveDocument()->History() : nullptr;
    const auto name = [](const QString& command, const QString& step, const QString& keys) {
        return step.isEmpty() ? command + keys : command + QStringLiteral(": ") + step + keys;
    };
    m_actions.value(ID_EDIT_UNDO)
        ->setText(name(QStringLiteral("&Rückgängig"),
                       history && history->canUndo() ? history->undoText() : QString{},
                       QStringLiteral("\tStrg+Z")));
    m_actions.value(ID_EDIT_REDO)
        ->setText(name(QStringLiteral("&Wiederholen"),
                       history && history->canRedo() ? history->redoText() : QString{},
                       QStringLiteral("\tStrg+Y")));
}

void CMainFrame::UpdateRecentFileMenu()
{
    const QStringList files = CSettingsStore::Instance().RecentFiles();
    for (int i = 0; i < CSettingsStore::kRecentFiles; ++i) {
        QAction* action = m_actions.value(ID_FILE_MRU_FILE1 + i);
        if (i < files.size()) {
            action->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(files[i])));
            action->setVisible(true);
        } else {
            // An empty list shows the placeholder, greyed; further entries are hidden.
            action->setText(QStringLiteral("Letzte Datei"));
            action->setVisible(i == 0);
        }
        action->setEnabled(i < files.size());
    }
}

void CMainFrame::ArrangeIcons()
{
    int x = 0;
    for (QMdiSubWindow* window : m_mdiArea->subWindowList()) {
        if (window->isMinimized()) {
            window->move(x, m_mdiArea->viewport()->height() - window->height());
            x += window->width();
        }
    }
}

void CMainFrame::OnCommand(int id)
{
    if (!IsCommandEnabled(id)) {
        return;
    }
    CZelView* view = ActiveView();
    if (view && CZelView::IsViewCommand(id) && view->OnCommand(id)) {
        UpdateCommandUI();
        return;
    }
    CGraphDocument* document = ActiveDocument();
    switch (id) {
    case ID_FILE_NEW:
        m_documents->NewDocument();
        break;
    case ID_FILE_OPEN:
        m_documents->OnFileOpen();
        break;
    case ID_FILE_MRU_FILE1:
    case ID_FILE_MRU_FILE1 + 1:
    case ID_FILE_MRU_FILE1 + 2:
    case ID_FILE_MRU_FILE1 + 3: {
        const QStringList files = CSettingsStore::Instance().RecentFiles();
        const int index = id - ID_FILE_MRU_FILE1;
        if (index < files.size()) {
            m_documents->OpenDocument(files[index]);
        }
        break;
    }
    case ID_FILE_CLOSE:
        if (document) {
            m_documents->CloseDocument(document);
        }
        break;
    case ID_FILE_SAVE:
        if (document) {
            m_documents->SaveDocument(document);
        }
        break;
    case ID_FILE_SAVE_AS:
        if (document) {
            m_documents->SaveDocumentAs(document);
        }
        break;
    case ID_APP_EXIT:
        close();
        break;
    case ID_VIEW_TOOLBAR:
        m_standardBar->setVisible(m_standardBar->isHidden());
        break;
    case ID_VIEW_FUNCTION_BAR:
        m_functionBar->setVisible(m_functionBar->isHidden());
        break;
    case ID_VIEW_STATUS_BAR:
        statusBar()->setVisible(statusBar()->isHidden());
        break;
    case ID_WINDOW_NEW:
        if (document) {
            CreateChildFrame(document);
        }
        break;
    case ID_WINDOW_CASCADE:
        CascadeChildren();
        break;
    case ID_WINDOW_TILE:
        m_mdiArea->tileSubWindows();
        break;
    case ID_WINDOW_ARRANGE:
        ArrangeIcons();
        break;
    case ID_NEXT_PANE:
        m_mdiArea->activateNextSubWindow();
        break;
    case ID_PREV_PANE:
        m_mdiArea->activatePreviousSubWindow();
        break;
    case ID_FILE_PRINT_SETUP:
        CViewPrinter::Instance().Setup(this);
        break;
    case ID_FILE_SEND_MAIL:
        if (document) {
            QString error;
            if (!CMailSender::Send(*document, error)) {
                QMessageBox::warning(this, LoadString(IDS_APP_TITLE), error);
            }
        }
        break;
    case ID_APP_ABOUT: {
        CAboutDialog about{this};
        about.exec();
        break;
    }
    case ID_OPTIONS: {
        COptionsSheet options{this};
        // The separator of the axis labels may have changed; every graph shows it at once.
        if (options.exec() == QDialog::Accepted) {
            for (CZelView* view : findChildren<CZelView*>()) {
                view->update();
            }
        }
        break;
    }
    case ID_TIP_OF_THE_DAY: {
        CTipDialog tip{this};
        tip.exec();
        break;
    }
    case ID_HELP_FINDER:
    case ID_DEFAULT_HELP:
        ShowHelpContents(this);
        break;
    case ID_HELP: {
        QWidget* focus = QApplication::focusWidget();
        ShowHelpFor(focus && focus->window() == this ? focus : this);
        break;
    }
    case ID_CONTEXT_HELP:
        QWhatsThis::enterWhatsThisMode();
        break;
    default:
        break;
    }
    UpdateCommandUI();
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (!m_documents->CloseAllDocuments()) {
        event->ignore();
        return;
    }
    SaveWindowPlacement();
    QMainWindow::closeEvent(event);
}

// Size, position, maximised state and the toolbars' places, as the user left them; the settings
// hold strings, so the bytes go there in base 64.
void CMainFrame::SaveWindowPlacement()
{
    CSettingsStore& store = CSettingsStore::Instance();
    store.WriteProfileString(QStringLiteral("Settings"), QStringLiteral("WindowGeometry"),
                             QString::fromLatin1(saveGeometry().toBase64()));
    store.WriteProfileString(QStringLiteral("Settings"), QStringLiteral("WindowState"),
                             QString::fromLatin1(saveState().toBase64()));
}

void CMainFrame::RestoreWindowPlacement()
{
    const CSettingsStore& store = CSettingsStore::Instance();
    const QString geometry =
        store.GetProfileString(QStringLiteral("Settings"), QStringLiteral("WindowGeometry"), {});
    const QString state =
        store.GetProfileString(QStringLiteral("Settings"), QStringLiteral("WindowState"), {});
    if (!geometry.isEmpty()) {
        restoreGeometry(QByteArray::fromBase64(geometry.toLatin1()));
    }
    if (!state.isEmpty()) {
        restoreState(QByteArray::fromBase64(state.toLatin1()));
    }
}
