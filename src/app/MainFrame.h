#pragma once

#include "framework/KeyIndicators.h"
#include "framework/Resources.h"

#include <QHash>
#include <QMainWindow>

#include <array>
#include <functional>
#include <optional>

class CChildFrame;
class CDocumentManager;
class CGraphDocument;
class CMenuPrompts;
class CZelView;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;

// The main window: menus, the toolbars "Standard" and "Funktionen", the status bar and the area
// in which every document shows in one or more child windows. Commands go to the active view
// first, then to its document, then to the frame, then to the application.
class CMainFrame final : public QMainWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CMainFrame)

public:
    explicit CMainFrame(QWidget* parent = nullptr);
    ~CMainFrame() override;

    CDocumentManager* DocumentManager() const { return m_documents; }
    QMdiArea* MdiArea() const { return m_mdiArea; }
    QToolBar* StandardBar() const { return m_standardBar; }
    QToolBar* FunctionBar() const { return m_functionBar; }

    // The shared action of a command (menus, toolbars and accelerators use the same one).
    QAction* Action(int id) const { return m_actions.value(id); }
    // An action with its own text that carries out a command, for menus such as the context menu.
    QAction* CreateCommandAction(int id, const QString& text, QObject* parent);

    CZelView* ActiveView() const;
    CGraphDocument* ActiveDocument() const;

    CChildFrame* CreateChildFrame(CGraphDocument* document);
    void ActivateView(CZelView* view);

    void OnCommand(int id);
    bool IsCommandEnabled(int id) const;
    // Refreshes enabling and check marks of every command, the menu bar and the titles.
    void UpdateCommandUI();
    void UpdateFrameTitles();
    // The texts of "Rückgängig" and "Wiederholen" after the active document's history.
    void UpdateHistoryTexts();
    void UpdateRecentFileMenu();

    // The id of the menu bar shown: 128 without a document, 129 with one.
    int CurrentMenuId() const { return m_currentMenu; }

    // Lights the key panes "UF", "NUM" and "RF" after the lock states; where they cannot be read,
    // the panes stay grey.
    void UpdateKeyIndicators();
    std::function<std::optional<SKeyLockStates>()> readKeyLocks{ReadKeyLockStates};

    // A graph window smaller than this no longer shows a readable graph. Below 280 pixels of height
    // the automatic y scaling can no longer fit the ten steps of a new graph and takes a coarser
    // range, which would count as an edit nobody made; the width keeps the 4:3 shape of a new window.
    static constexpr QSize kMinimumViewSize{380, 280};

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void SaveWindowPlacement();
    void RestoreWindowPlacement();
    void CreateActions();
    QMenu* BuildMenu(const char* title, const std::vector<SMenuItem>& items);
    void BuildMenus();
    QToolBar* BuildToolBar(const QString& caption, const QString& objectName, const std::vector<int>& ids);
    void BuildStatusBar();
    void ShowMenu(int menuId);
    void ArrangeIcons();
    void PlaceChild(QMdiSubWindow* child, int index);
    void CascadeChildren();
    void CreateWindowKeys();
    void RequestContextMenu();

    CDocumentManager* m_documents{nullptr};
    QMdiArea* m_mdiArea{nullptr};
    QToolBar* m_standardBar{nullptr};
    QToolBar* m_functionBar{nullptr};
    QHash<int, QAction*> m_actions;
    QList<QMenu*> m_frameMenus;
    QList<QMenu*> m_graphMenus;
    QList<QMenu*> m_recentMenus;
    QMenu* m_windowMenu{nullptr};
    int m_currentMenu{0};
    bool m_placedOnFirstShow{false};
    CMenuPrompts* m_menuPrompts{nullptr};
    std::array<QLabel*, 3> m_keyPanes{};
    QLabel* m_coordinatesPane{nullptr};
};
