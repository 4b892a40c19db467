#include "dialogs/addfunction/AddFunctionWizard.h"

#include "dialogs/addfunction/FAColorPage.h"
#include "dialogs/addfunction/FACommentPage.h"
#include "dialogs/addfunction/FADonePage.h"
#include "dialogs/addfunction/FAFunctionPage.h"
#include "dialogs/addfunction/FAScharPage.h"
#include "dialogs/addfunction/FAWelcomePage.h"
#include "dialogs/function/FunctionTexts.h"

CAddFunctionWizard::CAddFunctionWizard(QWidget* parent)
    : CWizardSheet{parent}, m_welcome{new CFAWelcomePage},
      m_function{new CFAFunctionPage}, m_schar{new CFAScharPage}, m_comment{new CFACommentPage},
      m_color{new CFAColorPage}, m_done{new CFADonePage}
{
    setObjectName(QStringLiteral("AddFunctionWizard"));
    AddPage(m_welcome);
    AddPage(m_function);
    AddPage(m_schar);
    AddPage(m_comment);
    AddPage(m_color);
    AddPage(m_done);
}

void CAddFunctionWizard::WriteInto(CGraphFunction& function) const
{
    function.SetTerm(ToRecordText(m_function->m_term));
    function.SetUseFamilyConstant(m_schar->m_useFamilyConstant ? 1 : 0);
    function.SetRange(m_schar->m_from, m_schar->m_to, m_schar->m_step);
    function.SetComment(ToRecordText(m_comment->m_comment));
    function.SetColor(m_color->m_color);
}
