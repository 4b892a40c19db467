#pragma once

#include "framework/WizardPage.h"

// The first page of the copy wizard (dialog 150, "Kopieren - Willkommen"): what the wizard does.
class CCWelcomePage final : public CWizardPage
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CCWelcomePage)

public:
    explicit CCWelcomePage(QWidget* parent = nullptr);
    ~CCWelcomePage() override;

    void OnSetActive() override;
};
