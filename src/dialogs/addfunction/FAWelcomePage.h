#pragma once

#include "dialogs/addfunction/FAPage.h"

// The first step of the add-function wizard: what the wizard does and how to move through it.
class CFAWelcomePage final : public CFAPage
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CFAWelcomePage)

public:
    explicit CFAWelcomePage(QWidget* parent = nullptr);

    void OnSetActive() override;
};
