#pragma once

#include "dialogs/addfunction/FAPage.h"

class CNumberField;
class QRadioButton;

// The family-constant step of the add-function wizard: "Ja, bitte" or "Nein, danke", and the
// range of k. The range is kept and handed over whether or not the constant is used.
class CFAScharPage final : public CFAPage
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CFAScharPage)

public:
    explicit CFAScharPage(QWidget* parent = nullptr);

    bool m_useFamilyConstant{false};
    double m_from{0.0};
    double m_to{0.0};
    double m_step{0.0};

    bool UpdateData(bool saveAndValidate) override;
    void OnSetActive() override;

    QRadioButton* YesButton() const { return m_yes; }
    QRadioButton* NoButton() const { return m_no; }
    CNumberField* FromField() const { return m_fromField; }
    CNumberField* ToField() const { return m_toField; }
    CNumberField* StepField() const { return m_stepField; }

private:
    void OnChoice(bool use);
    void EnableRangeFields();

    QRadioButton* m_yes{nullptr};
    QRadioButton* m_no{nullptr};
    CNumberField* m_fromField{nullptr};
    CNumberField* m_toField{nullptr};
    CNumberField* m_stepField{nullptr};
};
