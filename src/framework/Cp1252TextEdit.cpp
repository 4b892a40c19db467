#include "framework/Cp1252TextEdit.h"

#include "framework/Cp1252Validator.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>

#include <algorithm>

CCp1252TextEdit::CCp1252TextEdit(int maxLength, QWidget* parent)
    : QPlainTextEdit{parent}, m_maxLength{maxLength}, m_allowed{maxLength}
{
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setTabChangesFocus(true);
    connect(this, &QPlainTextEdit::textChanged, this, &CCp1252TextEdit::OnTextChanged);
}

void CCp1252TextEdit::SetText(const QString& text)
{
    m_allowed = std::max(m_maxLength, static_cast<int>(text.size()));
    m_original = text;
    m_reverting = true;
    setPlainText(QString{text}.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    m_reverting = false;
    m_shown = toPlainText();
    m_accepted = m_shown;
}

QString CCp1252TextEdit::Text() const
{
    const QString text = toPlainText();
    if (text == m_shown) {
        return m_original;
    }
    return QString{text}.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}

void CCp1252TextEdit::OnTextChanged()
{
    if (m_reverting) {
        return;
    }
    const QString text = toPlainText();
    const QString reason = Cp1252Refusal(text, m_allowed);
    if (reason.isEmpty()) {
        m_accepted = text;
        return;
    }
    // Take the change back and leave the cursor where the refused input began.
    const int inserted = static_cast<int>(text.size() - m_accepted.size());
    const int position =
        std::clamp(textCursor().position() - std::max(0, inserted), 0, static_cast<int>(m_accepted.size()));
    m_reverting = true;
    setPlainText(m_accepted);
    m_reverting = false;
    QTextCursor cursor = textCursor();
    cursor.setPosition(position);
    setTextCursor(cursor);
    ShowRefusal(this, reason);
}

void CCp1252TextEdit::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        !(event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier))) {
        // Enter confirms the dialog, as in the one-line fields: the dialog presses its default
        // button, so a disabled OK (or Weiter in a wizard) stays disabled for Enter as well.
        if (qobject_cast<QDialog*>(window())) {
            event->ignore();
            return;
        }
    }
    QPlainTextEdit::keyPressEvent(event);
}
