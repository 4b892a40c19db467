#pragma once

#include "document/GraphFunction.h"
#include "document/GraphObject.h"
#include "document/KeptArea.h"
#include "framework/PropertyPage.h"

class QListWidget;
class QPushButton;

// "Objekte": the working copy of the graph's points and vertical lines. Adding, editing and
// deleting change only the copy; the document takes it over when the sheet ends with OK.
class CVPObjectsPage final : public CPropertyPage
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CVPObjectsPage)

public:
    explicit CVPObjectsPage(CObjectList objects, QWidget* parent = nullptr);

    const CObjectList& GetObjects() const { return m_objects; }

    // The graph's kept areas, listed after the objects and deleted like them (they have nothing
    // to edit); the functions give their names. Their indices are those of the functions given.
    void SetAreas(CAreaList areas, CFunctionList functions);
    const CAreaList& GetAreas() const { return m_areas; }
    // "Fläche zwischen f und g: von 0 bis 2" or "Fläche zwischen f und der x-Achse: ...".
    static QString AreaText(const CKeptArea& area, const CFunctionList& functions);

    bool UpdateData(bool saveAndValidate) override;

    // "Punkt ( 1 | 2.5 ): P" or "Senkrechte: x=3".
    static QString EntryText(const CGraphObject& object);

    void OnAdd();
    void OnEdit();
    void OnDelete();

    QListWidget* List() const { return m_list; }

private:
    void FillList();
    // The selected entry, or -1; the rows after the objects are the areas.
    int SelectedRow() const;
    bool IsAreaRow(int row) const;
    void EnableButtons();

    CObjectList m_objects;
    CAreaList m_areas;
    CFunctionList m_areaFunctions;
    QListWidget* m_list{nullptr};
    QPushButton* m_addButton{nullptr};
    QPushButton* m_editButton{nullptr};
    QPushButton* m_deleteButton{nullptr};
};
