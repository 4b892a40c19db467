#include "framework/Cp1252Validator.h"

#include "document/TextEncoding.h"

#include <QApplication>

#include <algorithm>

bool IsCp1252Text(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    const std::string_view view{utf8.constData(), static_cast<std::size_t>(utf8.size())};
    return Cp1252ToUtf8(Utf8ToCp1252(view)) == view;
}

CCp1252Validator::CCp1252Validator(int maxLength, QObject* parent)
    : QValidator{parent}, m_maxLength{maxLength}, m_allowed{maxLength}
{
}

void CCp1252Validator::AllowLengthOf(const QString& filled)
{
    m_allowed = std::max(m_maxLength, static_cast<int>(filled.size()));
}

QValidator::State CCp1252Validator::validate(QString& input, int& /*position*/) const
{
    if (input.size() > m_allowed || !IsCp1252Text(input)) {
        QApplication::beep();
        return Invalid;
    }
    return Acceptable;
}
