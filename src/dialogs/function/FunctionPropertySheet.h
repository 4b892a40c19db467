#pragma once

#include "document/GraphFunction.h"
#include "framework/PropertySheet.h"

class CFPCommentPage;
class CFPFunctionPage;

// One function on two pages, "Funktion" and "Sonstiges", opened on the first with the term field
// ready for typing. It edits copies; the caller writes them into a record after OK.
class CFunctionPropertySheet final : public CPropertySheet
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CFunctionPropertySheet)

public:
    CFunctionPropertySheet(const QString& caption, const CGraphFunction& function, QWidget* parent = nullptr);

    // The pages into the record, through its normalising setters: term, family flag, range,
    // comment, colour.
    void WriteInto(CGraphFunction& function) const;

    CFPFunctionPage* FunctionPage() const { return m_function; }
    CFPCommentPage* CommentPage() const { return m_comment; }

private:
    CFPFunctionPage* m_function;
    CFPCommentPage* m_comment;
};
