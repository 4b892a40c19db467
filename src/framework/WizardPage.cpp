#include "framework/WizardPage.h"

CWizardPage::CWizardPage(int dialogId, const QString& title, QWidget* parent)
    : CPropertyPage{dialogId, title, parent}
{
}
