#include "framework/Cp1252Validator.h"

#include "engine/TextEncoding.h"

#include <QApplication>
#include <QToolTip>
#include <QWidget>

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

QString Cp1252Refusal(const QString& text, int allowed)
{
    if (text.size() > allowed) {
        return QStringLiteral("Der Text wäre %1 Zeichen lang; dieses Feld nimmt höchstens %2 Zeichen auf.")
            .arg(text.size())
            .arg(allowed);
    }
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString character = text.mid(i, length);
        if (!IsCp1252Text(character)) {
            return QStringLiteral(
                       "Das Zeichen \u201E%1\u201C (U+%2) lässt sich in einem Funktions-Graphen nicht "
                       "speichern: erlaubt sind die Zeichen von Windows-1252.")
                .arg(character)
                .arg(character.toUcs4().value(0), 4, 16, QLatin1Char('0'));
        }
        i += length - 1;
    }
    return {};
}

void ShowRefusal(QWidget* field, const QString& reason)
{
    QApplication::beep();
    if (field) {
        QToolTip::showText(field->mapToGlobal(QPoint{0, field->height()}), reason, field);
    }
}

QValidator::State CCp1252Validator::validate(QString& input, int& /*position*/) const
{
    if (m_formulaMinus) {
        input.replace(QChar{0x2212}, QLatin1Char('-'));
    }
    const QString reason = Cp1252Refusal(input, m_allowed);
    if (!reason.isEmpty()) {
        ShowRefusal(qobject_cast<QWidget*>(parent()), reason);
        return Invalid;
    }
    return Acceptable;
}
