#include "engine/NumberText.h"

#include <array>
#include <charconv>
#include <cmath>

namespace {

std::string Fixed(double value, int decimals)
{
    // Ample for any double in fixed notation (309 integer digits) with fifteen decimals.
    std::array<char, 400> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed, decimals);
    return std::string(buffer.data(), result.ptr);
}

// Exponent form with at most `decimals` decimals in the mantissa, trailing zeros dropped: "1e+45",
// "-1.23457e+60".
std::string Exponent(double value, int decimals)
{
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::scientific, decimals);
    std::string text(buffer.data(), result.ptr);
    const auto e = text.find('e');
    std::string mantissa = text.substr(0, e);
    while (!mantissa.empty() && mantissa.back() == '0') {
        mantissa.pop_back();
    }
    if (!mantissa.empty() && mantissa.back() == '.') {
        mantissa.pop_back();
    }
    return mantissa + text.substr(e);
}

} // namespace

std::string FormatNumber(double value)
{
    return FormatNumber(value, 5);
}

std::string FormatNumber(double value, int decimals)
{
    decimals = decimals < 1 ? 1 : decimals > 15 ? 15 : decimals;
    // Not numbers and infinities have no fixed-point form.
    if (std::isnan(value)) {
        return "nan";
    }
    if (std::isinf(value)) {
        return value > 0 ? "inf" : "-inf";
    }
    // The conversion is locale-independent on purpose: numbers always show the decimal point.
    const std::string full = Fixed(value, decimals);
    // Texts longer than 51 characters at five decimals (from 1e45 upward, from -1e44 downward) are
    // too long for any label; they switch to exponent form, whatever the decimals.
    if (full.size() - static_cast<std::size_t>(decimals) > 46) {
        return Exponent(value, decimals);
    }
    int zeros = 0;
    for (auto it = full.rbegin(); it != full.rend() && *it == '0' && zeros < decimals; ++it) {
        ++zeros;
    }
    return Fixed(value, decimals - zeros);
}

std::string FormatNumber(double value, int decimals, EDecimalSeparator separator)
{
    return WithSeparator(FormatNumber(value, decimals), separator);
}

std::string WithSeparator(std::string text, EDecimalSeparator separator)
{
    if (separator != EDecimalSeparator::Point) {
        // A number text holds one point at most; the exponent form has no other.
        if (const auto point = text.find('.'); point != std::string::npos) {
            text[point] = static_cast<char>(separator);
        }
    }
    return text;
}
