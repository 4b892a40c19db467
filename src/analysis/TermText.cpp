#include "analysis/TermText.h"

#include "engine/NumberText.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace {

// Beyond these powers of ten a plain decimal would run to dozens of zeros.
constexpr int kPlainExponentLimit = 20;

bool IsZeroText(const std::string& text)
{
    return text == "0" || text == "-0";
}

// "(1.5*10^30)", "(-1.5/10^30)": a power of ten with an unsigned exponent, in parentheses so that
// the whole stands as one operand wherever it goes.
std::string PowerOfTenForm(const std::string& mantissa, int exponent)
{
    return "(" + mantissa + (exponent < 0 ? "/10^" : "*10^") + std::to_string(std::abs(exponent)) + ")";
}

} // namespace

std::string TermNumber(double value, int decimals)
{
    std::string text = FormatNumber(value, decimals);
    const auto e = text.find('e');
    if (e != std::string::npos) {
        return PowerOfTenForm(text.substr(0, e), std::atoi(text.c_str() + e + 1));
    }
    return IsZeroText(text) ? "0" : text;
}

std::string TermNumberExact(double value)
{
    if (!std::isfinite(value)) {
        return FormatNumber(value);
    }
    if (value == 0) {
        return "0";
    }
    std::array<char, 64> buffer{};
    auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::scientific);
    const std::string scientific(buffer.data(), result.ptr);
    const auto e = scientific.find('e');
    const int exponent = std::atoi(scientific.c_str() + e + 1);
    if (std::abs(exponent) > kPlainExponentLimit) {
        return PowerOfTenForm(scientific.substr(0, e), exponent);
    }
    std::array<char, 400> fixed{};
    result = std::to_chars(fixed.data(), fixed.data() + fixed.size(), value, std::chars_format::fixed);
    return std::string(fixed.data(), result.ptr);
}

std::string LineTerm(const std::string& slope, const std::string& intercept)
{
    if (IsZeroText(slope)) {
        return IsZeroText(intercept) ? "0" : intercept;
    }
    std::string term = slope + "*x";
    if (!IsZeroText(intercept)) {
        term += intercept.front() == '-' ? intercept : "+" + intercept;
    }
    return term;
}
