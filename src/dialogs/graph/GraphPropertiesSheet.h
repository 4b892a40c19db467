#pragma once

#include "document/GraphFunction.h"
#include "document/GraphObject.h"
#include "document/Scaling.h"
#include "framework/PropertySheet.h"

class CVPFunctionsPage;
class CVPObjectsPage;
class CVPScalPage;
class CZelDoc;

// "Eigenschaften von <title>": the functions, objects and scaling of one graph on three pages,
// each working on a copy. The document changes once, on OK, through ApplyTo; Cancel leaves it as
// it was.
class CGraphPropertiesSheet final : public CPropertySheet
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CGraphPropertiesSheet)

public:
    enum EPage
    {
        kFunctionsPage = 0,
        kObjectsPage = 1,
        kScalingPage = 2
    };

    CGraphPropertiesSheet(const QString& title, const CZelDoc& document, int firstPage,
                          QWidget* parent = nullptr);

    // After OK: the scaling page's fields into the scaling copy, then SetFunctions, SetDerived,
    // SetObjects and SetScaling in this order, and SetAreas when the kept areas changed (deleted on
    // the object page, or with their function). The document keeps the previous lists as its undo step, and
    // the previous scaling only when the scaling changed.
    void ApplyTo(CZelDoc& document) const;

    CVPFunctionsPage* FunctionsPage() const { return m_functions; }
    CVPObjectsPage* ObjectsPage() const { return m_objects; }
    CVPScalPage* ScalingPage() const { return m_scaling; }

    // The page a command opens the sheet on.
    static int FirstPageOfCommand(int command);

private:
    CVPFunctionsPage* m_functions;
    CVPObjectsPage* m_objects;
    CVPScalPage* m_scaling;
};
