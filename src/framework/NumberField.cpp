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
    const QString trimmed = text.trimmed();
    const QByteArray bytes = trimmed.toLatin1();
    const char* p = bytes.constData();
    const char* const end = p + bytes.size();
    // The whole shape is checked here: from_chars alone would take "inf", "nan" and "0x10" up to
    // the x.
    const char* q = p;
    const bool negative = q < end && *q == '-';
    if (q < end && (*q == '+' || *q == '-')) {
        ++q;
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
        return std::nullopt;
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
            return std::nullopt;
        }
        magnitude += negativeExponent ? -exponent : exponent;
    }
    if (q != end) {
        return std::nullopt;
    }
    if (*p == '+') {
        ++p; // from_chars takes no leading '+'
    }
    double value{0.0};
    const auto result = std::from_chars(p, end, value);
    if (result.ec == std::errc::result_out_of_range) {
        // Too large reads as an infinity, too small as zero, like numbers in terms.
        const double size = magnitude > 0 ? HUGE_VAL : 0.0;
        return negative ? -size : size;
    }
    if (result.ec != std::errc{} || result.ptr != end) {
        return std::nullopt;
    }
    return value;
}

void CNumberField::SetValue(double value)
{
    m_shownValue = value;
    m_shownText = Format(value);
    setText(m_shownText);
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
    ShowMessage(this, NumberFieldMessage());
    selectAll();
    setFocus();
    return false;
}

QString NumberFieldMessage()
{
    return QStringLiteral("Bitte geben Sie eine Zahl ein.");
}
