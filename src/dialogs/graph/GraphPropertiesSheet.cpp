#include "dialogs/graph/GraphPropertiesSheet.h"

#include "dialogs/graph/VPFunctionsPage.h"
#include "dialogs/graph/VPObjectsPage.h"
#include "dialogs/graph/VPScalPage.h"
#include "document/ZelDoc.h"
#include "framework/CommandIds.h"

#include <algorithm>

CGraphPropertiesSheet::CGraphPropertiesSheet(const QString& title, const CZelDoc& document, int firstPage,
                                             QWidget* parent)
    : CPropertySheet{QStringLiteral("Eigenschaften von %1").arg(title), parent},
      m_functions{new CVPFunctionsPage{document.GetFunctions(), document.GetDerived()}},
      m_objects{new CVPObjectsPage{document.GetObjects()}}, m_scaling{new CVPScalPage{document.GetScaling()}}
{
    setObjectName(QStringLiteral("GraphPropertiesSheet"));
    m_objects->SetAreas(document.GetAreas(), document.GetFunctions());
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
    // The areas left on the object page follow their functions to their new places, and go with
    // a function deleted on the function page.
    const std::vector<std::optional<std::size_t>>& origins = m_functions->Origins();
    std::vector<std::optional<std::size_t>> newIndexOf;
    for (std::size_t now = 0; now < origins.size(); ++now) {
        if (origins[now]) {
            newIndexOf.resize(std::max(newIndexOf.size(), *origins[now] + 1));
            newIndexOf[*origins[now]] = now;
        }
    }
    const CAreaList areas = RemapKeptAreas(m_objects->GetAreas(), newIndexOf);
    if (areas != document.Areas()) {
        document.SetAreas(areas);
    }
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
