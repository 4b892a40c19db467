#pragma once

#include "document/GraphObject.h"
#include "framework/PropertyPage.h"

class QListWidget;

// "Objekte": the working copy of the graph's points and vertical lines.
class CVPObjectsPage final : public CPropertyPage
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CVPObjectsPage)

public:
    explicit CVPObjectsPage(CObjectList objects, QWidget* parent = nullptr);

    const CObjectList& GetObjects() const { return m_objects; }

private:
    CObjectList m_objects;
    QListWidget* m_list{nullptr};
};
