#include "framework/NumberField.h"

#include "engine/TextEncoding.h"
#include "engine/SchoolNotation.h"
#include "framework/MessageBoxes.h"

#include <QPainter>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

CNumberField::CNumberField(QWidget* parent) : QLineEdit{parent}
{
    SetValue(0.0);
    connect(this, &QLineEdit::textChanged, this, &CNumberField::ShowExpressionValue);
}

namespace {

std::string ExpressionBytes(const QString& text)
{
    QString plain = text;
    plain.replace(QChar{0x2212}, QLatin1Char('-'));
    return Utf8ToCp1252(plain.toStdString());
}

// Enough digits to recognise the value by; the field itself keeps it whole.
QString ShortForm(double value)
{
    std::array<char, 64> buffer{};
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::general, 6);
    return QString::fromLatin1(buffer.data(), static_cast<int>(result.ptr - buffer.data()));
}

} // namespace

std::optional<double> CNumberField::ExpressionValue(const QString& text)
{
    double value{0.0};
    if (Classify(text, value) != EText::Refused) {
        return std::nullopt;
    }
    return EvaluateNumberExpression(ExpressionBytes(text));
}

void CNumberField::ShowExpressionValue()
{
    const std::optional<double> value =
        text().trimmed() == m_shownText ? std::nullopt : ExpressionValue(text());
    m_valueText = value ? QStringLiteral("= %1").arg(ShortForm(*value)) : QString{};
    setToolTip(m_valueText);
    update();
}

void CNumberField::paintEvent(QPaintEvent* event)
{
    QLineEdit::paintEvent(event);
    if (m_valueText.isEmpty()) {
        return;
    }
    // Only where it fits beside the text typed; the tooltip tells it always.
    const QFontMetrics metrics{font()};
    const int room =
        width() - metrics.horizontalAdvance(text()) - metrics.horizontalAdvance(m_valueText) - 16;
    if (room < 0) {
        return;
    }
    QPainter painter{this};
    painter.setPen(palette().color(QPalette::PlaceholderText));
    painter.drawText(rect().adjusted(0, 0, -6, 0), Qt::AlignRight | Qt::AlignVCenter, m_valueText);
}

QString CNumberField::Format(double value)
{
    // %.15g: the shortest general form with up to 15 significant digits, as printf writes it
    // in the C locale; std::to_chars gives exactly that without regard to the locale.
    std::array<char, 64> buffer{};
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::general, 15);
    return QString::fromLatin1(buffer.data(), static_cast<int>(result.ptr - buffer.data()));
}

std::optional<double> CNumberField::Parse(const QString& text)
{
    double value{0.0};
    switch (Classify(text, value)) {
    case EText::Number:
        return value;
    case EText::Refused:
        return EvaluateNumberExpression(ExpressionBytes(text));
    case EText::Infinite:
    case EText::NotANumber:
        break;
    }
    return std::nullopt;
}

CNumberField::EText CNumberField::Classify(const QString& text, double& value)
{
    QByteArray bytes = text.trimmed().toLatin1();
    // Both separators are read alike, and one of them at most, so "1.000,5" is refused rather
    // than read as a thousand.
    bytes.replace(',', '.');
    const char* p = bytes.constData();
    const char* const end = p + bytes.size();
    // The whole shape is checked here: from_chars alone would take "inf", "nan" and "0x10" up to
    // the x.
    const char* q = p;
    const bool negative = q < end && *q == '-';
    if (q < end && (*q == '+' || *q == '-')) {
        ++q;
    }
    const QByteArray word = QByteArray{q, static_cast<qsizetype>(end - q)}.toLower();
    if (word == "inf" || word == "infinity") {
        return EText::Infinite;
    }
    if (word == "nan") {
        return EText::NotANumber;
    }
    // The decimal exponent of the first significant digit, for telling overflow from underflow.
    long long magnitude = 0;
    bool significant = false;
    int digits = 0;
    for (; q < end && *q >= '0' && *q <= '9'; ++q, ++digits) {
        significant = significant || *q != '0';
        magnitude += significant ? 1 : 0;
    }
    if (q < end && *q == '.') {
        for (++q; q < end && *q >= '0' && *q <= '9'; ++q, ++digits) {
            magnitude -= significant ? 0 : 1;
            significant = significant || *q != '0';
        }
    }
    if (digits == 0) {
        return EText::Refused;
    }
    if (q < end && (*q == 'e' || *q == 'E')) {
        ++q;
        const bool negativeExponent = q < end && *q == '-';
        if (q < end && (*q == '+' || *q == '-')) {
            ++q;
        }
        long long exponent = 0;
        int exponentDigits = 0;
        for (; q < end && *q >= '0' && *q <= '9'; ++q, ++exponentDigits) {
            exponent = std::min(exponent * 10 + (*q - '0'), 1'000'000'000LL);
        }
        if (exponentDigits == 0) {
            return EText::Refused;
        }
        magnitude += negativeExponent ? -exponent : exponent;
    }
    if (q != end) {
        return EText::Refused;
    }
    if (*p == '+') {
        ++p; // from_chars takes no leading '+'
    }
    const auto result = std::from_chars(p, end, value);
    if (result.ec == std::errc::result_out_of_range) {
        // Too small reads as zero, like numbers in terms; too large could be neither drawn nor
        // computed with.
        if (magnitude > 0) {
            return EText::Infinite;
        }
        value = negative ? -0.0 : 0.0;
        return EText::Number;
    }
    if (result.ec != std::errc{} || result.ptr != end) {
        return EText::Refused;
    }
    return std::isfinite(value) ? EText::Number : EText::Infinite;
}

void CNumberField::SetValue(double value)
{
    m_shownValue = value;
    m_shownText = Format(value);
    setText(m_shownText);
    // A number longer than the field, as a zoom leaves the ranges, shows its beginning: with the
    // cursor at its end the minus sign would be scrolled out of sight.
    setCursorPosition(0);
}

std::optional<double> CNumberField::Value() const
{
    if (text().trimmed() == m_shownText) {
        return m_shownValue;
    }
    return Parse(text());
}

bool CNumberField::Read(double& value)
{
    if (const std::optional<double> read = Value()) {
        value = *read;
        return true;
    }
    ShowMessage(this, NumberFieldMessage(text()));
    selectAll();
    setFocus();
    return false;
}

QString NumberFieldMessage()
{
    return QStringLiteral("Bitte geben Sie eine Zahl ein, etwa 1,5 oder -2.");
}

QString NumberFieldMessage(const QString& text)
{
    double value{0.0};
    switch (CNumberField::Classify(text, value)) {
    case CNumberField::EText::Infinite:
        return QStringLiteral("„%1“ ist zu groß. Bitte geben Sie eine Zahl zwischen -1e308 und 1e308 "
                              "ein, etwa 1,5 oder -2.")
            .arg(text.trimmed());
    case CNumberField::EText::NotANumber:
        return QStringLiteral("„%1“ ist keine Zahl. Bitte geben Sie eine Zahl ein, etwa 1,5 oder -2.")
            .arg(text.trimmed());
    case CNumberField::EText::Refused: {
        SSchoolProblem problem;
        EvaluateNumberExpression(ExpressionBytes(text), &problem);
        if (problem.problem == ESchoolProblem::VariableInNumber) {
            return QStringLiteral("„%1“ hängt von %2 ab. In dieses Feld gehört eine Zahl oder ein Ausdruck "
                                  "aus Zahlen, etwa 1,5, -2, pi/2 oder sqrt(6).")
                .arg(text.trimmed(), text.mid(static_cast<int>(problem.position), 1).toLower());
        }
        if (problem.problem == ESchoolProblem::NotComputable) {
            return QStringLiteral(
                       "„%1“ hat keinen Wert, mit dem sich rechnen läßt. Bitte geben Sie eine Zahl "
                       "ein, etwa 1,5 oder -2.")
                .arg(text.trimmed());
        }
        break;
    }
    case CNumberField::EText::Number:
        break;
    }
    return NumberFieldMessage();
}
