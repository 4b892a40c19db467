#include "engine/Graph.h"

#include <array>
#include <charconv>
#include <cmath>

namespace {

std::string Fixed(double value, int decimals)
{
    // Ample for any double in fixed notation (309 integer digits) with five decimals.
    std::array<char, 400> buffer{};
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed, decimals);
    return std::string(buffer.data(), result.ptr);
}

// Exponent form with at most five decimals in the mantissa, trailing zeros dropped: "1e+45",
// "-1.23457e+60".
std::string Exponent(double value)
{
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::scientific, 5);
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

std::string CGraph::FormatNumber(double value)
{
    // Not numbers and infinities have no fixed-point form.
    if (std::isnan(value)) {
        return "nan";
    }
    if (std::isinf(value)) {
        return value > 0 ? "inf" : "-inf";
    }
    // The conversion is locale-independent on purpose: numbers always show the decimal point.
    const std::string five = Fixed(value, 5);
    // Texts longer than 51 characters (from 1e45 upward, from -1e44 downward) are too long for any
    // label; they switch to exponent form.
    if (five.size() > 51) {
        return Exponent(value);
    }
    int zeros = 0;
    for (auto it = five.rbegin(); it != five.rend() && *it == '0' && zeros < 5; ++it) {
        ++zeros;
    }
    return Fixed(value, 5 - zeros);
}
