#pragma once

#include "document/GraphFunction.h"
#include "framework/WizardSheet.h"

class CFACommentPage;
class CFAColorPage;
class CFADonePage;
class CFAFunctionPage;
class CFAScharPage;
class CFAWelcomePage;

// "Funktion hinzufügen" step by step: welcome, term, family constant, comment, colour, done. It
// only collects the values; the caller writes them into a new record after Finish.
class CAddFunctionWizard final : public CWizardSheet
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CAddFunctionWizard)

public:
    explicit CAddFunctionWizard(QWidget* parent = nullptr);

    // The steps into the record, through its normalising setters: term, family flag, range,
    // comment, colour.
    void WriteInto(CGraphFunction& function) const;

    CFAWelcomePage* WelcomePage() const { return m_welcome; }
    CFAFunctionPage* FunctionPage() const { return m_function; }
    CFAScharPage* ScharPage() const { return m_schar; }
    CFACommentPage* CommentPage() const { return m_comment; }
    CFAColorPage* ColorPage() const { return m_color; }
    CFADonePage* DonePage() const { return m_done; }

private:
    CFAWelcomePage* m_welcome;
    CFAFunctionPage* m_function;
    CFAScharPage* m_schar;
    CFACommentPage* m_comment;
    CFAColorPage* m_color;
    CFADonePage* m_done;
};
