#pragma once

#include "dialogs/addfunction/FAPage.h"

// The last step of the add-function wizard: Finish adds the function.
class CFADonePage final : public CFAPage
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CFADonePage)

public:
    explicit CFADonePage(QWidget* parent = nullptr);

    void OnSetActive() override;
};
