#include "dialogs/object/ObjectPropertiesSheet.h"

#include "dialogs/function/FPCommentPage.h"
#include "dialogs/object/FPObjectPage.h"
#include "engine/TextEncoding.h"

namespace {

QString FromRecord(const std::string& text)
{
    return QString::fromStdString(Cp1252ToUtf8(text));
}

std::string ToRecord(const QString& text)
{
    return Utf8ToCp1252(text.toStdString());
}

} // namespace

CObjectPropertiesSheet::CObjectPropertiesSheet(const CGraphObject& object, QWidget* parent)
    : CPropertySheet{QStringLiteral("Eigenschaften des Objekts"), parent}, m_objectPage{new CFPObjectPage},
      m_commentPage{new CFPCommentPage}
{
    setObjectName(QStringLiteral("ObjectPropertiesSheet"));
    m_objectPage->m_isPoint = object.IsPoint();
    m_objectPage->m_label = FromRecord(object.GetLabel());
    object.GetCoordinates(m_objectPage->m_x, m_objectPage->m_y);
    m_objectPage->m_textPosition = object.GetTextPosition();
    m_objectPage->m_linePosition = object.GetPosition();
    m_objectPage->m_stroke = object.GetStroke();
    m_commentPage->m_comment = FromRecord(object.GetComment());
    m_commentPage->m_color = object.GetColor();
    AddPage(m_objectPage);
    AddPage(m_commentPage);
    SetActivePage(0);
}

void CObjectPropertiesSheet::WriteTo(CGraphObject& object) const
{
    object.SetKind(m_objectPage->m_isPoint ? CGraphObject::Point : CGraphObject::VerticalLine);
    object.SetCoordinates(m_objectPage->m_x, m_objectPage->m_y);
    object.SetLabel(ToRecord(m_objectPage->m_label));
    object.SetTextPosition(m_objectPage->m_textPosition);
    object.SetPosition(m_objectPage->m_linePosition);
    object.SetStroke(m_objectPage->m_stroke);
    object.SetComment(ToRecord(m_commentPage->m_comment));
    object.SetColor(m_commentPage->m_color);
}

CGraphObject CObjectPropertiesSheet::NewObject()
{
    CGraphObject object;
    object.SetCoordinates(1.0, 1.0);
    object.SetTextPosition(0);
    object.SetPosition(1.0);
    return object;
}
