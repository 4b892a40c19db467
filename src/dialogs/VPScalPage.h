#pragma once

#include "document/Scaling.h"
#include "framework/PropertyPage.h"

// "Skalierung": the fields of a copy of the graph's scaling.
class CVPScalPage final : public CPropertyPage
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CVPScalPage)

public:
    explicit CVPScalPage(const CScaling& scaling, QWidget* parent = nullptr);

    // The copy with the page's fields written into it.
    CScaling GetScaling() const { return m_scaling; }

private:
    CScaling m_scaling;
};
