#pragma once

#include "framework/WizardPage.h"

// The last page of the copy wizard (dialog 153, "Kopieren - Fertigstellen"): Finish copies.
class CCDonePage final : public CWizardPage
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CCDonePage)

public:
    explicit CCDonePage(QWidget* parent = nullptr);
    ~CCDonePage() override;

    void OnSetActive() override;
};
