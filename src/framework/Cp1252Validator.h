#pragma once

#include <QValidator>

class QWidget;

// The text rule of every one-line text field whose text goes into a graph file: only characters
// that Windows-1252 can hold, and at most a number of them. Whatever breaks the rule, typed or
// pasted, is refused as a whole with a beep and a note at the field that says why, so nothing
// the user typed is changed on saving and nothing vanishes without a word.
//
// A longer text that a file brought (a term of 300 characters) is shown whole: the limit grows to
// the length the field was filled with, so the text can be shortened but never grow past it.
class CCp1252Validator final : public QValidator
{
    Q_OBJECT

public:
    CCp1252Validator(int maxLength, QObject* parent = nullptr);

    // Call after filling the field, with its text.
    void AllowLengthOf(const QString& filled);
    int MaxLength() const { return m_allowed; }
    // For term fields: a minus sign from a formula (U+2212, as pasted from a text) is taken as
    // the "-" the term means.
    void TakeFormulaMinus() { m_formulaMinus = true; }

    State validate(QString& input, int& position) const override;

private:
    int m_maxLength;
    int m_allowed;
    bool m_formulaMinus{false};
};

// Whether every character of the text has a Windows-1252 byte.
bool IsCp1252Text(const QString& text);

// Why a text breaks the rule of a field that takes at most `allowed` characters, in German; empty
// when it keeps it.
QString Cp1252Refusal(const QString& text, int allowed);

// Beeps and shows the reason at the field, where the user looks while typing or pasting.
void ShowRefusal(QWidget* field, const QString& reason);
