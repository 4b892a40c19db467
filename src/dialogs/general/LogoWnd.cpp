#include "dialogs/general/LogoWnd.h"

#include "framework/Pictures.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QScreen>
#include <QTimerEvent>

namespace {

bool g_logoEnabled = false;
CLogoWnd* g_currentLogo = nullptr;

// Forwards every event of the application to the splash's input hook while a splash exists.
class CLogoInputHook final : public QObject
{
public:
    using QObject::QObject;
    bool eventFilter(QObject*, QEvent* event) override
    {
        CLogoWnd::FilterLogoMessage(event);
        return false;
    }
};

CLogoInputHook* g_hook = nullptr;

} // namespace

void CLogoWnd::EnableLogo(bool enable)
{
    g_logoEnabled = enable;
}

CLogoWnd* CLogoWnd::Current()
{
    return g_currentLogo;
}

void CLogoWnd::ShowLogo(QWidget* owner)
{
    if (!g_logoEnabled || g_currentLogo) {
        return;
    }
    // Once per run: a second main window (or a second call) shows nothing.
    g_logoEnabled = false;
    auto* logo = new CLogoWnd{owner};
    if (logo->m_picture.isNull()) {
        delete logo;
        return;
    }
    logo->show();
    logo->CentreOverOwner();
    logo->raise();
    logo->repaint();
}

void CLogoWnd::FilterLogoMessage(const QEvent* event)
{
    if (!g_currentLogo) {
        return;
    }
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonDblClick:
        HideLogo();
        break;
    default:
        break;
    }
}

void CLogoWnd::HideLogo()
{
    CLogoWnd* logo = g_currentLogo;
    if (!logo) {
        return;
    }
    // The hook may be running inside an event sent to the splash itself, so the object goes
    // later; from now on it counts as gone.
    g_currentLogo = nullptr;
    logo->killTimer(logo->m_timer);
    logo->m_timer = 0;
    logo->hide();
    logo->deleteLater();
    // The windows carry no background of their own on the display server, so the place the
    // splash leaves shows its picture until they paint; painted now, it does not linger over
    // the graph window or a dialog while the start is still busy.
    const QRect covered = logo->geometry();
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window != logo && window->isVisible() && window->frameGeometry().intersects(covered)) {
            window->repaint();
        }
    }
}

CLogoWnd::CLogoWnd(QWidget* owner)
    : QWidget{owner, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint},
      m_picture{SplashPicture()}, m_owner{owner}
{
    setObjectName(QStringLiteral("IDB_156"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setCursor(Qt::ArrowCursor);
    setFixedSize(m_picture.size());
    g_currentLogo = this;
    if (!g_hook) {
        g_hook = new CLogoInputHook{QCoreApplication::instance()};
        QCoreApplication::instance()->installEventFilter(g_hook);
    }
    // The main window may be placed or resized after the splash appears; it follows.
    if (m_owner) {
        m_owner->installEventFilter(this);
    }
    m_timer = startTimer(kShowMilliseconds);
}

CLogoWnd::~CLogoWnd()
{
    if (g_currentLogo == this) {
        g_currentLogo = nullptr;
    }
    if (g_hook && !g_currentLogo) {
        QCoreApplication::instance()->removeEventFilter(g_hook);
        g_hook->deleteLater();
        g_hook = nullptr;
    }
}

void CLogoWnd::CentreOverOwner()
{
    QRect area;
    if (m_owner && m_owner->isVisible()) {
        area = m_owner->frameGeometry();
    } else {
        const QScreen* screen = m_owner ? m_owner->screen() : QGuiApplication::primaryScreen();
        area = screen ? screen->availableGeometry() : QRect{QPoint{0, 0}, size()};
    }
    move(area.left() + (area.width() - width()) / 2, area.top() + (area.height() - height()) / 2);
}

bool CLogoWnd::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_owner && g_currentLogo == this) {
        switch (event->type()) {
        case QEvent::Show:
        case QEvent::Move:
        case QEvent::Resize:
            CentreOverOwner();
            raise();
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CLogoWnd::paintEvent(QPaintEvent*)
{
    QPainter painter{this};
    painter.drawImage(QPoint{0, 0}, m_picture);
}

void CLogoWnd::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == m_timer) {
        HideLogo();
    }
}
