#include "dialogs/graph/GraphPropertiesSheet.h"

#include "dialogs/graph/VPFunctionsPage.h"
#include "dialogs/graph/VPObjectsPage.h"
#include "dialogs/graph/VPScalPage.h"
#include "document/ZelDoc.h"
#include "framework/CommandIds.h"

CGraphPropertiesSheet::CGraphPropertiesSheet(const QString& title, const CZelDoc& document, int firstPage,
                                             QWidget* parent)
    : CPropertySheet{QStringLiteral("Eigenschaften von %1").arg(title), parent},
      m_functions{new CVPFunctionsPage{document.GetFunctions(), document.GetDerived()}},
      m_objects{new CVPObjectsPage{document.GetObjects()}}, m_scaling{new CVPScalPage{document.GetScaling()}}
{
    setObjectName(QStringLiteral("GraphPropertiesSheet"));
    AddPage(m_functions);
    AddPage(m_objects);
    AddPage(m_scaling);
    SetActivePage(firstPage);
}

void CGraphPropertiesSheet::ApplyTo(CZelDoc& document) const
{
    const CScaling scaling = m_scaling->GetScaling();
    document.SetFunctions(m_functions->GetFunctions());
    document.SetDerived(m_functions->GetDerived());
    document.SetObjects(m_objects->GetObjects());
    document.SetScaling(scaling);
}

int CGraphPropertiesSheet::FirstPageOfCommand(int command)
{
    switch (command) {
    case ID_EDIT_OBJECTS:
        return kObjectsPage;
    case ID_EDIT_SCALING:
        return kScalingPage;
    default:
        return kFunctionsPage;
    }
}
