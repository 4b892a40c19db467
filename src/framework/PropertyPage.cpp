#include "framework/PropertyPage.h"

CPropertyPage::CPropertyPage(int dialogId, const QString& title, QWidget* parent)
    : QWidget{parent}, m_title{title}
{
    setObjectName(QStringLiteral("IDD_%1").arg(dialogId));
}

bool CPropertyPage::UpdateData(bool /*saveAndValidate*/)
{
    return true;
}
