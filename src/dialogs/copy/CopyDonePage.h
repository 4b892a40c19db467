#pragma once

#include <QWizardPage>

// The last page of the copy wizard (dialog 153, "Kopieren - Fertigstellen"): Finish copies.
class CCDonePage final : public QWizardPage
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CCDonePage)

public:
    explicit CCDonePage(QWidget* parent = nullptr);
    ~CCDonePage() override;
};
