#pragma once

#include "framework/PropertyPage.h"

class CWizardSheet;

// One step of a wizard. Like a sheet's page it holds its values as members and exchanges them
// with its controls in UpdateData; the wizard asks it before moving on.
class CWizardPage : public CPropertyPage
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CWizardPage)

public:
    CWizardPage(int dialogId, const QString& title, QWidget* parent = nullptr);

    // Next was pressed: false keeps the page (a refused field has shown its message).
    virtual bool OnWizardNext() { return UpdateData(true); }
    // Back was pressed. The fields are not read: the page keeps what was typed in its controls
    // and reads it when it is left with Next again.
    virtual bool OnWizardBack() { return true; }
    // Finish was pressed: false keeps the wizard open.
    virtual bool OnWizardFinish() { return UpdateData(true); }

    // The wizard the page sits in, once added.
    CWizardSheet* Wizard() const { return m_wizard; }

private:
    friend class CWizardSheet;

    CWizardSheet* m_wizard{nullptr};
};
