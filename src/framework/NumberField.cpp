#include "framework/NumberField.h"

#include "framework/MessageBoxes.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

CNumberField::CNumberField(QWidget* parent) : QLineEdit{parent}
{
    SetValue(0.0);
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
    if (Classify(text, value) != EText::Number) {
        return std::nullopt;
    }
    return value;
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
    case CNumberField::EText::Number:
    case CNumberField::EText::Refused:
        break;
    }
    return NumberFieldMessage();
}
