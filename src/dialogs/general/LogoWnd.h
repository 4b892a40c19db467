#pragma once

#include <QImage>
#include <QPointer>
#include <QWidget>

class QEvent;

// The splash screen: a borderless 500 by 300 picture centred over the main window while the
// program starts. It goes after 750 ms, or at once when a key or a mouse button is pressed
// anywhere in the application; that key or click still does its work. At most one exists, and
// it is shown at most once per run.
class CLogoWnd final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CLogoWnd)

public:
    // Start-up allows the splash ("Settings"/"StartLogo" 1) or not; nothing shows without it.
    static void EnableLogo(bool enable);
    // Shows the splash over owner (may be null) when it is allowed and none is shown yet.
    static void ShowLogo(QWidget* owner);
    // Every event of the application passes here first: a key or mouse-button press hides the
    // splash. The event is never consumed.
    static void FilterLogoMessage(const QEvent* event);
    static void HideLogo();
    // The splash shown now, or null.
    static CLogoWnd* Current();

    static constexpr int kShowMilliseconds = 750;

    ~CLogoWnd() override;

protected:
    explicit CLogoWnd(QWidget* owner);
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    void CentreOverOwner();

    QImage m_picture;
    QPointer<QWidget> m_owner;
    int m_timer{0};
};
