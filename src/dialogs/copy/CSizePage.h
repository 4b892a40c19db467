#pragma once

#include "framework/WizardPage.h"

class QLineEdit;

// The copy wizard's size (dialog 152, "Kopieren - Größe"): length and height, each 100 to 1000.
// Next refuses anything else and keeps the page.
class CCSizePage final : public CWizardPage
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CCSizePage)

public:
    explicit CCSizePage(QWidget* parent = nullptr);
    ~CCSizePage() override;

    void OnSetActive() override;

    int GetLength() const { return m_length; }
    int GetHeight() const { return m_height; }
    // The fields show the values at once; what the user types there stays when going back.
    void SetSize(int length, int height);

    bool UpdateData(bool saveAndValidate) override;

private:
    int m_length{500};
    int m_height{300};
    QLineEdit* m_lengthField{nullptr};
    QLineEdit* m_heightField{nullptr};
};
