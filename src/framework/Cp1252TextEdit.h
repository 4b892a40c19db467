#pragma once

#include <QPlainTextEdit>

// A multi-line text field under the same rule as CCp1252Validator: Windows-1252 characters only,
// at most a number of them (or the length it was filled with). A change that breaks the rule is
// taken back with a beep. Enter confirms the dialog (presses its default button) instead of
// starting a new line.
//
// Line breaks are stored as "\r\n", as the graph files have them. A text that is given back
// unchanged is exactly the one that was set, whatever line breaks it held, so opening and
// confirming a dialog never changes a stored comment.
class CCp1252TextEdit final : public QPlainTextEdit
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CCp1252TextEdit)

public:
    explicit CCp1252TextEdit(int maxLength, QWidget* parent = nullptr);

    void SetText(const QString& text);
    QString Text() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void OnTextChanged();

    int m_maxLength;
    int m_allowed;
    QString m_original;
    QString m_shown;
    QString m_accepted;
    bool m_reverting{false};
};
