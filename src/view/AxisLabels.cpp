#include "view/AxisLabels.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace {

// Labels that stay as today: up to this many decimals in fixed form.
constexpr int kPlainDecimals = 5;
// A fixed label longer than this many digits is unreadable between two ticks.
constexpr int kMaxFixedDigits = 12;

int Decade(double value)
{
    return static_cast<int>(std::floor(std::log10(std::abs(value))));
}

// Decimals that write every multiple of the step exactly: 1, 2 and 5 times a power of ten need
// as many as the power; another step (0.25, a typed 0.3333) gets one more than its first digit.
int DecimalsOfStep(double step)
{
    const int first = std::max(0, -Decade(step));
    for (int decimals = first; decimals <= first + 3 && decimals <= 15; ++decimals) {
        const double scaled = step * std::pow(10.0, decimals);
        if (std::abs(scaled - std::round(scaled)) <= 1e-6 * scaled) {
            return decimals;
        }
    }
    return std::min(first + 1, 15);
}

std::string Scientific(double value, int decimals)
{
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::scientific, std::clamp(decimals, 0, 15));
    std::string text(buffer.data(), result.ptr);
    const auto e = text.find('e');
    std::string mantissa = text.substr(0, e);
    if (mantissa.find('.') != std::string::npos) {
        while (mantissa.back() == '0') {
            mantissa.pop_back();
        }
        if (mantissa.back() == '.') {
            mantissa.pop_back();
        }
    }
    // "e-13" and "e+06" read as "e-13" and "e6".
    std::string exponent = text.substr(e + 1);
    const bool negative = exponent.front() == '-';
    exponent.erase(0, 1);
    exponent.erase(0, std::min(exponent.find_first_not_of('0'), exponent.size() - 1));
    return mantissa + (negative ? "e-" : "e") + exponent;
}

} // namespace

bool IsZeroMark(double value, double step)
{
    return std::abs(value) < 1e-3 * std::min(1.0, step);
}

std::string TickLabel(double value, double step, EDecimalSeparator separator)
{
    if (!std::isfinite(value) || !(step > 0) || !std::isfinite(step)) {
        return FormatNumber(value, kPlainDecimals, separator);
    }
    const int decimals = DecimalsOfStep(step);
    const bool large = std::abs(value) >= 1e15;
    if (decimals <= kPlainDecimals && !large) {
        return FormatNumber(value, kPlainDecimals, separator);
    }
    if (IsZeroMark(value, step)) {
        return "0";
    }
    // Near 1 a long fixed label still reads better than a power of ten; tiny and huge values do not.
    const int decade = Decade(value);
    const int fixedDigits = std::max(decade, 0) + 1 + decimals;
    if (!large && (fixedDigits <= kMaxFixedDigits || decade >= -4)) {
        return FormatNumber(value, decimals, separator);
    }
    // Digits of the mantissa: from the value's first digit down to the step's last one, one more
    // for a step that is not 1, 2 or 5 times a power of ten.
    const int extra = decimals - std::max(0, -Decade(step));
    return WithSeparator(Scientific(value, std::max(0, decade - Decade(step) + extra)), separator);
}

long long LabelStride(double spacing, int labelExtent, int gap)
{
    const double needed = labelExtent + gap;
    if (!(spacing > 0)) {
        return 1;
    }
    for (long long decade = 1; decade <= 1'000'000'000'000LL; decade *= 10) {
        for (const long long factor : {1LL, 2LL, 5LL}) {
            if (spacing * static_cast<double>(decade * factor) >= needed) {
                return decade * factor;
            }
        }
    }
    return 1'000'000'000'000LL;
}
