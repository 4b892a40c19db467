#pragma once

#include "framework/WizardPage.h"

class QRadioButton;

// The copy wizard's choice of type (dialog 151, "Kopieren - Typ"): 1 bitmap, 0 metafile.
class CCTypePage final : public CWizardPage
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CCTypePage)

public:
    explicit CCTypePage(QWidget* parent = nullptr);
    ~CCTypePage() override;

    void OnSetActive() override;

    int GetType() const { return m_type; }
    void SetType(int type) { m_type = type; }

    bool UpdateData(bool saveAndValidate) override;

private:
    int m_type{1};
    QRadioButton* m_bitmap{nullptr};
    QRadioButton* m_metafile{nullptr};
};
