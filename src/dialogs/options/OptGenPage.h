#pragma once

#include <QWidget>

class QCheckBox;
class QSlider;

// The options' first tab (dialog 130, "Allgemein"): the three start-up switches and the
// computing precision of the curve discussion.
class COptGenPage final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(COptGenPage)

public:
    explicit COptGenPage(QWidget* parent = nullptr);
    ~COptGenPage() override;

    // The page's data; SetData shows it in the controls.
    int m_fullScreen{0};
    int m_showTip{0};
    int m_startLogo{1};
    int m_precision{3};
    void SetData(int fullScreen, int showTip, int startLogo, int precision);

    // Takes the controls into the data, the precision from the slider's position (which holds a
    // stored value outside 1..10 at the nearest end).
    void OnOK();

private:
    QCheckBox* m_fullScreenBox{nullptr};
    QCheckBox* m_showTipBox{nullptr};
    QCheckBox* m_startLogoBox{nullptr};
    QSlider* m_slider{nullptr};
};
