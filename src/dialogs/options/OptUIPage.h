#pragma once

#include "framework/PropertyPage.h"

class QRadioButton;

// The options' second tab (dialog 134, "Benutzerführung"): wizards (1) or dialogs (0). Only a
// click changes the mode, so a sheet confirmed without a click keeps the value it read.
class COptUIPage final : public CPropertyPage
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(COptUIPage)

public:
    explicit COptUIPage(QWidget* parent = nullptr);
    ~COptUIPage() override;

    void SetMode(int mode);
    int GetMode() const { return m_mode; }

    bool UpdateData(bool saveAndValidate) override;

private:
    int m_mode{1};
    QRadioButton* m_novice{nullptr};
    QRadioButton* m_advanced{nullptr};
};
