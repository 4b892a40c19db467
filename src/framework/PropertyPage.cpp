#include "framework/PropertyPage.h"

#include "framework/DialogIds.h"

CPropertyPage::CPropertyPage(int dialogId, const QString& title, QWidget* parent)
    : QWidget{parent}, m_title{title}
{
    setObjectName(DialogName(dialogId));
}

bool CPropertyPage::UpdateData(bool /*saveAndValidate*/)
{
    return true;
}
