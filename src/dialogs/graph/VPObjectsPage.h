#pragma once

#include "document/GraphObject.h"
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

    bool UpdateData(bool saveAndValidate) override;

    // "Punkt ( 1 | 2.5 ): P" or "Senkrechte: x=3".
    static QString EntryText(const CGraphObject& object);

    void OnAdd();
    void OnEdit();
    void OnDelete();

    QListWidget* List() const { return m_list; }

private:
    void FillList();
    // The selected entry, or -1.
    int SelectedRow() const;
    void EnableButtons();

    CObjectList m_objects;
    QListWidget* m_list{nullptr};
    QPushButton* m_addButton{nullptr};
    QPushButton* m_editButton{nullptr};
    QPushButton* m_deleteButton{nullptr};
};
