#include "framework/HelpWindow.h"

#include "framework/CommandIds.h"
#include "framework/Pictures.h"

#include "analysis/AnalysisTable.h"

#include "ProductInfo.h"

#include <QAction>
#include <QApplication>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QListWidget>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>
#include <QSplitter>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <QWhatsThis>

namespace {

struct SContextPage
{
    int context;
    const char* page;
};

constexpr int Dialog(int id)
{
    return kHelpDialogBase + id;
}
constexpr int Command(int id)
{
    return kHelpCommandBase + id;
}

// The frames and every command that has a page of its own; anything else opens the contents.
// Dialogs name their pages themselves (SetHelpPage), the analyses' commands come with the analyses.
const SContextPage kContextPages[] = {
    {Dialog(IDR_MAINFRAME), "index.html"},
    {Dialog(IDR_GRAPHTYPE), "grafik.html"},

    {Command(ID_TIP_OF_THE_DAY), "optionen.html#tip"},
    {Command(ID_OPTIONS), "optionen.html"},
    {Command(ID_EDIT_FUNCTIONS), "daten.html#funktionen"},
    {Command(ID_EDIT_SCALING), "daten.html#skalierung"},
    {Command(ID_REDRAW), "grafik.html"},
    {Command(ID_VIEW_FUNCTION_BAR), "befehle.html#ansicht"},
    {Command(ID_PROPERTIES), "daten.html#funktionen"},
    {Command(ID_EDIT_OBJECTS), "daten.html#objekte"},
    {Command(ID_FILE_NEW), "befehle.html#datei"},
    {Command(ID_FILE_OPEN), "dateien.html#dateien"},
    {Command(ID_FILE_CLOSE), "befehle.html#datei"},
    {Command(ID_FILE_SAVE), "dateien.html#dateien"},
    {Command(ID_FILE_SAVE_AS), "dateien.html#dateien"},
    {Command(ID_FILE_EXPORT), "dateien.html#exportieren"},
    {Command(ID_FILE_PRINT_SETUP), "dateien.html#druckereinrichtung"},
    {Command(ID_FILE_PRINT), "dateien.html#drucken"},
    {Command(ID_FILE_PRINT_DIRECT), "dateien.html#drucken"},
    {Command(ID_FILE_PRINT_PREVIEW), "dateien.html#seitenansicht"},
    {Command(ID_FILE_SEND_MAIL), "dateien.html#nachricht"},
    {Command(ID_FILE_MRU_FILE1), "dateien.html#dateien"},
    {Command(ID_FILE_MRU_FILE1 + 1), "dateien.html#dateien"},
    {Command(ID_FILE_MRU_FILE1 + 2), "dateien.html#dateien"},
    {Command(ID_FILE_MRU_FILE1 + 3), "dateien.html#dateien"},
    {Command(ID_EDIT_COPY), "kopieren.html"},
    {Command(ID_EDIT_UNDO), "befehle.html#bearbeiten"},
    {Command(ID_EDIT_REDO), "befehle.html#bearbeiten"},
    {Command(ID_WINDOW_NEW), "befehle.html#fenster"},
    {Command(ID_WINDOW_ARRANGE), "befehle.html#fenster"},
    {Command(ID_WINDOW_CASCADE), "befehle.html#fenster"},
    {Command(ID_WINDOW_TILE), "befehle.html#fenster"},
    {Command(ID_APP_ABOUT), "befehle.html#hilfe"},
    {Command(ID_APP_EXIT), "befehle.html#datei"},
    {Command(ID_HELP_FINDER), "befehle.html#hilfe"},
    {Command(ID_CONTEXT_HELP), "befehle.html#hilfe"},
    {Command(ID_HELP), "befehle.html#hilfe"},
    {Command(ID_DEFAULT_HELP), "befehle.html#hilfe"},
    {Command(ID_NEXT_PANE), "befehle.html#fenster"},
    {Command(ID_PREV_PANE), "befehle.html#fenster"},
    {Command(ID_VIEW_TOOLBAR), "befehle.html#ansicht"},
    {Command(ID_VIEW_STATUS_BAR), "befehle.html#ansicht"},
    {Command(ID_VIEW_STANDARD), "grafik.html#maus"},
    {Command(ID_VIEW_TRACE), "grafik.html#verfolgen"},
    {Command(ID_VIEW_SLIDER), "grafik.html#schieberegler"},
};

struct STopic
{
    const char* title;
    const char* page;
};

const STopic kTopics[] = {
    {"Inhalt", "index.html"},
    {"Die Termsprache", "terme.html"},
    {"Das Grafikfenster", "grafik.html"},
    {"Funktionen, Objekte und Skalierung", "daten.html"},
    {"Die Kurvendiskussion", "diskussion.html"},
    {"Menüs und Befehle", "befehle.html"},
    {"Dateien, Drucken und Versenden", "dateien.html"},
    {"Kopieren", "kopieren.html"},
    {"Optionen", "optionen.html"},
};

QString PageUrl(const char* page)
{
    return QStringLiteral("qrc:/help/") + QString::fromUtf8(page);
}

QPointer<CHelpWindow>& HelpWindowPointer()
{
    static QPointer<CHelpWindow> window;
    return window;
}

// The command of a menu entry, from the object name the main frame gives its actions.
int CommandOfAction(const QAction* action)
{
    if (!action || !action->objectName().startsWith(QLatin1String("ID_"))) {
        return 0;
    }
    bool ok{false};
    const int id = action->objectName().mid(3).toInt(&ok);
    return ok ? id : 0;
}

// A window that a graph window's what's-this click opens the help for, instead of a text.
bool OpensHelpOnWhatsThis(const QObject* object)
{
    const auto* widget = qobject_cast<const QWidget*>(object);
    return widget && widget->whatsThis().isEmpty() &&
           (widget->property(kHelpOnWhatsThisProperty).toBool() ||
            widget->property(kHelpContextProperty).isValid() ||
            widget->property(kHelpPageProperty).isValid());
}

class CHelpKeyFilter final : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::KeyPress:
            return OnKey(qobject_cast<QWidget*>(watched), static_cast<QKeyEvent*>(event));
        case QEvent::QueryWhatsThis:
            if (OpensHelpOnWhatsThis(watched)) {
                event->accept();
                return true;
            }
            return false;
        case QEvent::WhatsThis:
            if (OpensHelpOnWhatsThis(watched)) {
                auto* widget = static_cast<QWidget*>(watched);
                ShowHelpFor(widget);
                return true;
            }
            return false;
        default:
            return false;
        }
    }

private:
    static bool OnKey(QWidget* receiver, const QKeyEvent* key)
    {
        if (key->key() != Qt::Key_F1) {
            return false;
        }
        if (key->modifiers() == Qt::ShiftModifier) {
            QWhatsThis::enterWhatsThisMode();
            return true;
        }
        if (key->modifiers() != Qt::NoModifier) {
            return false;
        }
        // In an open menu F1 explains the highlighted entry; the menus close for the help.
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            const int id = CommandOfAction(menu->activeAction());
            QWidget* owner = menu->parentWidget() ? menu->parentWidget()->window() : nullptr;
            while (QWidget* popup = QApplication::activePopupWidget()) {
                popup->close();
            }
            if (id != 0) {
                ShowHelpContext(owner, kHelpCommandBase + id);
            } else {
                ShowHelpFor(owner);
            }
            return true;
        }
        // Key events go to the focus widget; its place decides the page.
        QWidget* target = receiver ? receiver : QApplication::focusWidget();
        if (!target) {
            return false;
        }
        ShowHelpFor(target);
        return true;
    }
};

} // namespace

// The pages are compiled into the library; a static library needs them registered by hand.
static void InitHelpResources()
{
    Q_INIT_RESOURCE(help);
}

QString HelpPageForContext(int context)
{
    if (const SAnalysis* analysis = AnalysisOfCommand(context - kHelpCommandBase)) {
        return PageUrl(analysis->helpPage);
    }
    for (const SContextPage& entry : kContextPages) {
        if (entry.context == context) {
            return PageUrl(entry.page);
        }
    }
    return PageUrl("index.html");
}

QString HelpPageOf(const QWidget* widget)
{
    for (const QWidget* w = widget; w; w = w->parentWidget()) {
        const QString page = w->property(kHelpPageProperty).toString();
        if (!page.isEmpty()) {
            return QStringLiteral("qrc:/help/") + page;
        }
        bool ok{false};
        const int context = w->property(kHelpContextProperty).toInt(&ok);
        if (ok && context != 0) {
            return HelpPageForContext(context);
        }
        if (w->isWindow()) {
            break;
        }
    }
    return HelpPageForContext(kHelpDialogBase + IDR_MAINFRAME);
}

void SetHelpPage(QWidget* widget, const char* page)
{
    widget->setProperty(kHelpPageProperty, QString::fromUtf8(page));
}

void ShowHelpFor(QWidget* widget)
{
    ShowHelpPage(widget, HelpPageOf(widget));
}

void ShowHelpContext(QWidget* parent, int context)
{
    ShowHelpPage(parent, HelpPageForContext(context));
}

void ShowHelpPage(QWidget* parent, const QString& url)
{
    InitHelpResources();
    // While a modal dialog runs every other window is blocked, so help must belong to it.
    QWidget* owner = QApplication::activeModalWidget();
    if (!owner && parent) {
        owner = parent->window();
    }
    QPointer<CHelpWindow>& window = HelpWindowPointer();
    if (window && window->parentWidget() != owner && window != owner) {
        const QRect geometry = window->geometry();
        window->setParent(owner, Qt::Window);
        window->setGeometry(geometry);
    }
    if (!window) {
        window = new CHelpWindow{owner};
    }
    window->ShowPage(url);
    window->show();
    window->raise();
    window->activateWindow();
}

void ShowHelpContents(QWidget* parent)
{
    ShowHelpContext(parent, 0);
}

void InstallHelpKeys()
{
    static QPointer<CHelpKeyFilter> filter;
    if (!filter && qApp) {
        filter = new CHelpKeyFilter{qApp};
        qApp->installEventFilter(filter);
    }
}

CHelpWindow::CHelpWindow(QWidget* parent) : QWidget{parent, Qt::Window}
{
    InitHelpResources();
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral(VEX_PRODUCT_NAME " - Hilfe"));
    setWindowIcon(ProgramIcon());

    auto* contents = new QPushButton{QStringLiteral("&Inhalt"), this};
    m_back = new QPushButton{QStringLiteral("&Zurück"), this};
    m_forward = new QPushButton{QStringLiteral("&Vor"), this};
    for (QPushButton* button : {contents, m_back, m_forward}) {
        button->setAutoDefault(false);
    }
    m_back->setEnabled(false);
    m_forward->setEnabled(false);

    m_topics = new QListWidget{this};
    m_topics->setObjectName(QStringLiteral("HelpTopics"));
    for (const STopic& topic : kTopics) {
        auto* item = new QListWidgetItem{QString::fromUtf8(topic.title), m_topics};
        item->setData(Qt::UserRole, PageUrl(topic.page));
    }
    m_browser = new QTextBrowser{this};
    m_browser->setObjectName(QStringLiteral("HelpBrowser"));
    m_browser->setOpenExternalLinks(true);

    auto* splitter = new QSplitter{this};
    splitter->addWidget(m_topics);
    splitter->addWidget(m_browser);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({260, 560});

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(contents);
    buttons->addWidget(m_back);
    buttons->addWidget(m_forward);
    buttons->addStretch();
    auto* layout = new QVBoxLayout{this};
    layout->addLayout(buttons);
    layout->addWidget(splitter, 1);

    connect(contents, &QPushButton::clicked, this, [this] { ShowPage(PageUrl("index.html")); });
    connect(m_back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_forward, &QPushButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QPushButton::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QPushButton::setEnabled);
    connect(m_browser, &QTextBrowser::sourceChanged, this, &CHelpWindow::SelectTopicOf);
    connect(m_topics, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { ShowPage(item->data(Qt::UserRole).toString()); });
    connect(m_topics, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { ShowPage(item->data(Qt::UserRole).toString()); });
    resize(860, 620);
    // A window of its own has no Cancel button; Esc closes it as it closes a dialog.
    auto* close = new QShortcut{QKeySequence{Qt::Key_Escape}, this};
    close->setContext(Qt::WindowShortcut);
    connect(close, &QShortcut::activated, this, &QWidget::close);
}

CHelpWindow::~CHelpWindow() = default;

CHelpWindow* CHelpWindow::Instance()
{
    return HelpWindowPointer().data();
}

void CHelpWindow::ShowPage(const QString& url)
{
    const QUrl target{url};
    if (m_browser->source() == target) {
        // The same page again: only the anchor has to come into view.
        if (target.hasFragment()) {
            m_browser->scrollToAnchor(target.fragment());
        }
        return;
    }
    m_browser->setSource(target);
}

QString CHelpWindow::CurrentPage() const
{
    return m_browser->source().toString();
}

void CHelpWindow::SelectTopicOf(const QUrl& url)
{
    const QString page = url.adjusted(QUrl::RemoveFragment).toString();
    for (int row = 0; row < m_topics->count(); ++row) {
        if (m_topics->item(row)->data(Qt::UserRole).toString() == page) {
            m_topics->setCurrentRow(row);
            return;
        }
    }
}
