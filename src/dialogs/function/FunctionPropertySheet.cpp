#include "dialogs/function/FunctionPropertySheet.h"

#include "dialogs/function/FPCommentPage.h"
#include "dialogs/function/FPFunctionPage.h"
#include "dialogs/function/FunctionTexts.h"

CFunctionPropertySheet::CFunctionPropertySheet(const QString& caption, const CGraphFunction& function,
                                               QWidget* parent)
    : CPropertySheet{caption, parent}, m_function{new CFPFunctionPage}, m_comment{new CFPCommentPage}
{
    setObjectName(QStringLiteral("FunctionPropertySheet"));
    m_function->m_term = FromRecordText(function.GetTerm());
    m_function->m_name = FromRecordText(function.GetName());
    m_function->m_useFamilyConstant = function.GetUseFamilyConstant();
    function.GetRange(m_function->m_from, m_function->m_to, m_function->m_step);
    m_function->m_stroke = function.GetStroke();
    m_comment->m_comment = FromRecordText(function.GetComment());
    m_comment->m_color = function.GetColor();
    AddPage(m_function);
    AddPage(m_comment);
    SetActivePage(0);
}

void CFunctionPropertySheet::WriteInto(CGraphFunction& function) const
{
    function.SetTerm(ToRecordText(m_function->m_term));
    function.SetName(ToRecordText(m_function->m_name));
    function.SetUseFamilyConstant(m_function->m_useFamilyConstant);
    function.SetRange(m_function->m_from, m_function->m_to, m_function->m_step);
    function.SetStroke(m_function->m_stroke);
    function.SetComment(ToRecordText(m_comment->m_comment));
    function.SetColor(m_comment->m_color);
}
