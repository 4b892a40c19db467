#pragma once

#include "document/GraphObject.h"
#include "framework/PropertySheet.h"

class CFPCommentPage;
class CFPObjectPage;

// "Eigenschaften des Objekts": one point or vertical line on the pages "Objekt" and "Sonstiges".
class CObjectPropertiesSheet final : public CPropertySheet
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CObjectPropertiesSheet)

public:
    CObjectPropertiesSheet(const CGraphObject& object, QWidget* parent = nullptr);

    // After OK: every field into the record, whatever the kind, so that a line keeps the point
    // fields it had and the reverse.
    void WriteTo(CGraphObject& object) const;

    CFPObjectPage* ObjectPage() const { return m_objectPage; }
    CFPCommentPage* CommentPage() const { return m_commentPage; }

    // The values an object added through the sheet starts with: a point at ( 1 | 1 ) with its
    // line at x = 1.
    static CGraphObject NewObject();

private:
    CFPObjectPage* m_objectPage;
    CFPCommentPage* m_commentPage;
};
