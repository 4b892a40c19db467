#pragma once

#include "dialogs/copy/CopyOptions.h"

#include "framework/WizardSheet.h"

class CCDonePage;
class CCSizePage;
class CCTypePage;
class CCWelcomePage;

// The novice interface's way to the copy options: welcome, type, size, done. The window's caption
// is the title of the page shown.
class CCopyWizard final : public CWizardSheet
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CCopyWizard)

public:
    explicit CCopyWizard(const SCopyOptions& options, QWidget* parent = nullptr);
    ~CCopyWizard() override;

    // The options as the pages hold them (complete after Finish).
    SCopyOptions Options() const;

private:
    CCWelcomePage* m_welcome{nullptr};
    CCTypePage* m_type{nullptr};
    CCSizePage* m_size{nullptr};
    CCDonePage* m_done{nullptr};
};
