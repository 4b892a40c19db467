#include "dialogs/VPScalPage.h"

CVPScalPage::CVPScalPage(const CScaling& scaling, QWidget* parent)
    : CPropertyPage{144, QStringLiteral("Skalierung"), parent}, m_scaling{scaling}
{
}
