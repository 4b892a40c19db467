#pragma once

#include <QLineEdit>

#include <optional>

// The edit field of one double in every editing dialog. It shows the value in the shortest
// general form with up to 15 significant digits ("0", "0.5", "1e+20") and reads back text that
// is wholly a finite decimal number, with a point or a comma as German users write it, never
// through the locale, or a constant expression in school notation ("pi/2", "2/sqrt(3)",
// "-2*pi"), whose value it shows at its right end while it is typed.
//
// A value that 15 digits cannot hold exactly (0.1 + 0.2, 1e-300 / 3) is kept: as long as the text
// is the one the field showed for it, reading gives back the very same double, so opening and
// confirming a dialog never changes a stored value. That holds for "inf" and "nan" from a file as
// well; typed text must be a decimal number.
class CNumberField final : public QLineEdit
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CNumberField)

public:
    explicit CNumberField(QWidget* parent = nullptr);

    void SetValue(double value);

    // The value of the text, or nothing when the text is not wholly a number. Quiet.
    std::optional<double> Value() const;

    // Reads the value like Value(); when the text is not a number, tells the user so, selects the
    // field's text and asks for the focus (disabled fields are read and checked as well).
    bool Read(double& value);

    // The text of a value as the field shows it.
    static QString Format(double value);
    // Blanks around the text are allowed; an optional sign, digits with at most one point or comma,
    // and an optional exponent; or else an expression of numbers, pi, e and the term language's
    // functions with a finite value. Not an empty text, nor x or k, nor a number too large for a
    // double.
    static std::optional<double> Parse(const QString& text);
    // The value of an expression that is not a plain number; nothing for a plain number or
    // anything refused.
    static std::optional<double> ExpressionValue(const QString& text);

    enum class EText
    {
        Number,
        Refused,
        Infinite,
        NotANumber
    };
    // What a text is; value is set for a number.
    static EText Classify(const QString& text, double& value);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void ShowExpressionValue();

    // "= 1.5708" for "pi/2": what the expression typed stands for; empty for a plain number.
    QString m_valueText;
    double m_shownValue{0.0};
    QString m_shownText;
};

// The message for a field that holds no number, saying how to write one.
QString NumberFieldMessage();
// The same, naming what is wrong with a text that reads as infinite or not a number.
QString NumberFieldMessage(const QString& text);
