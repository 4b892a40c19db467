#pragma once

#include "framework/PropertyPage.h"

class QCheckBox;
class QSlider;

// The options' first tab (dialog 130, "Allgemein"): the three start-up switches and the
// computing precision of the curve discussion, and how typed terms are read.
class COptGenPage final : public CPropertyPage
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(COptGenPage)

public:
    explicit COptGenPage(QWidget* parent = nullptr);
    ~COptGenPage() override;

    void SetData(int fullScreen, int showTip, int startLogo, int precision);
    int GetFullScreen() const { return m_fullScreen; }
    int GetShowTip() const { return m_showTip; }
    int GetStartLogo() const { return m_startLogo; }
    int GetPrecision() const { return m_precision; }
    // "Schulschreibweise": typed terms are read as at school ("Settings"/"SchoolNotation").
    void SetSchoolNotation(int on);
    int GetSchoolNotation() const { return m_schoolNotation; }
    // "Dezimalkomma": numbers are shown with the comma ("Settings"/"DecimalComma").
    void SetDecimalComma(int on);
    int GetDecimalComma() const { return m_decimalComma; }

    // Reading back takes the precision from the slider's position, which holds a stored value
    // outside 1..10 at the nearest end.
    bool UpdateData(bool saveAndValidate) override;

private:
    int m_fullScreen{0};
    int m_showTip{0};
    int m_startLogo{1};
    int m_precision{3};
    int m_schoolNotation{1};
    int m_decimalComma{0};

    QCheckBox* m_fullScreenBox{nullptr};
    QCheckBox* m_showTipBox{nullptr};
    QCheckBox* m_startLogoBox{nullptr};
    QSlider* m_slider{nullptr};
    QCheckBox* m_schoolBox{nullptr};
    QCheckBox* m_commaBox{nullptr};
};
