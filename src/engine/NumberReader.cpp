#include "engine/NumberReader.h"

#include <charconv>
#include <cstdlib>
#include <limits>

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

double ReadNumber(const char* text, const char* end)
{
    const char* p = text;
    long leadingIntegerDigits = 0; // significant digits before the point
    long leadingFractionZeros = 0; // zeros after the point before the first significant digit
    bool anyDigit = false;
    bool significant = false;
    while (p < end && IsDigit(*p)) {
        anyDigit = true;
        significant = significant || *p != '0';
        leadingIntegerDigits += significant ? 1 : 0;
        ++p;
    }
    if (p < end && *p == '.') {
        ++p;
        while (p < end && IsDigit(*p)) {
            anyDigit = true;
            if (!significant && *p == '0') {
                ++leadingFractionZeros;
            }
            significant = significant || *p != '0';
            ++p;
        }
    }
    if (!anyDigit) {
        return 0.0;
    }
    long exponent = 0;
    if (p < end && (*p == 'e' || *p == 'E')) {
        const char* q = p + 1;
        bool negative = false;
        if (q < end && (*q == '+' || *q == '-')) {
            negative = *q == '-';
            ++q;
        }
        if (q < end && IsDigit(*q)) {
            while (q < end && IsDigit(*q)) {
                if (exponent < 100000000) {
                    exponent = exponent * 10 + (*q - '0');
                }
                ++q;
            }
            exponent = negative ? -exponent : exponent;
            p = q;
        }
    }
    double value = 0.0;
    const auto [ptr, ec] = std::from_chars(text, p, value, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        // Decide by the decimal magnitude whether the number was too large or too small.
        const long magnitude = leadingIntegerDigits > 0 ? leadingIntegerDigits + exponent
                                                        : exponent - leadingFractionZeros;
        return magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    }
    (void)ptr;
    return value;
}
