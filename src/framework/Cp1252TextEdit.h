#pragma once

#include <QPlainTextEdit>

// A multi-line text field under the same rule as CCp1252Validator: Windows-1252 characters only,
// at most a number of them (or the length it was filled with). A change that breaks the rule is
// taken back with a beep. Enter confirms the dialog instead of starting a new line.
class CCp1252TextEdit final : public QPlainTextEdit
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CCp1252TextEdit)

public:
    explicit CCp1252TextEdit(int maxLength, QWidget* parent = nullptr);

    void SetText(const QString& text);
    QString Text() const { return toPlainText(); }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void OnTextChanged();

    int m_maxLength;
    int m_allowed;
    QString m_accepted;
    bool m_reverting{false};
};
