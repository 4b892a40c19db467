#pragma once

#include <QString>
#include <QWidget>

class QListWidget;
class QPushButton;
class QTextBrowser;

// Help contexts: a dialog's page is kHelpDialogBase plus its dialog id (131219 for the values
// dialog 147, 131226 for the copy dialog 154), a command's page kHelpCommandBase plus its id.
inline constexpr int kHelpCommandBase = 0x10000;
inline constexpr int kHelpDialogBase = 0x20000;

// A widget names its help context with this int property (commands and frames), or its page in
// the help with the string property below (dialogs and their pages, each naming its own).
// F1 looks for either from the focus widget up to its window.
inline constexpr char kHelpContextProperty[] = "helpContext";
inline constexpr char kHelpPageProperty[] = "helpPage";
// A widget with this bool property set opens its help page on a what's-this click instead of
// showing a text (the graph windows do).
inline constexpr char kHelpOnWhatsThisProperty[] = "helpOnWhatsThis";

// Opens the help window on the page of the context (the contents for an unknown one). It stays
// usable while parent's modal dialog runs.
void ShowHelpContext(QWidget* parent, int context);
// Opens the help window on a page inside the bundled help ("qrc:/help/diskussion.html#werte").
void ShowHelpPage(QWidget* parent, const QString& url);
// Opens the help window on the page that F1 means for the widget (HelpPageOf).
void ShowHelpFor(QWidget* widget);
// Opens the help window on its contents.
void ShowHelpContents(QWidget* parent);

// Names the widget's page in the help, a file with an optional anchor ("daten.html#skalierung").
void SetHelpPage(QWidget* widget, const char* page);

// The page of a context, as a URL inside the bundled help ("qrc:/help/diskussion.html#werte").
QString HelpPageForContext(int context);
// The page that F1 means for a widget, as a URL: its own or its parents' help page or context,
// else the main frame's page.
QString HelpPageOf(const QWidget* widget);

// F1 and Shift+F1 wherever the main frame's keys do not reach: in dialogs and open menus. In the
// what's-this mode a click into a graph window opens the window's help page.
void InstallHelpKeys();

// The help window: the topics on the left, the page on the right. One per application.
class CHelpWindow final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CHelpWindow)

public:
    explicit CHelpWindow(QWidget* parent = nullptr);
    ~CHelpWindow() override;

    // The open help window, or nullptr.
    static CHelpWindow* Instance();

    void ShowPage(const QString& url);
    // The page shown, with its anchor ("qrc:/help/index.html").
    QString CurrentPage() const;
    QTextBrowser* Browser() const { return m_browser; }
    QListWidget* Topics() const { return m_topics; }

private:
    void SelectTopicOf(const QUrl& url);

    QListWidget* m_topics{nullptr};
    QTextBrowser* m_browser{nullptr};
    QPushButton* m_back{nullptr};
    QPushButton* m_forward{nullptr};
};
