#include "console/ArgumentText.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The digits of the integer part, with commas between groups of three after a first group of one
// to three; the commas removed. Nothing when the grouping is wrong.
std::optional<std::string> UngroupedDigits(std::string_view text)
{
    if (text.find(',') == std::string_view::npos) {
        return std::string{text};
    }
    std::string digits;
    std::size_t group = 0;
    bool first = true;
    for (const char c : text) {
        if (c == ',') {
            if (group == 0 || group > 3 || (!first && group != 3)) {
                return std::nullopt;
            }
            first = false;
            group = 0;
            continue;
        }
        digits += c;
        ++group;
    }
    if (group != 3) {
        return std::nullopt;
    }
    return digits;
}

} // namespace

std::optional<int> ParseWholeNumber(std::string_view text)
{
    std::size_t i = !text.empty() && (text[0] == '+' || text[0] == '-') ? 1 : 0;
    if (i == text.size()) {
        return std::nullopt;
    }
    long long value = 0;
    for (; i < text.size(); ++i) {
        if (!IsDigit(text[i])) {
            return std::nullopt;
        }
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) {
            return std::nullopt;
        }
    }
    value = text[0] == '-' ? -value : value;
    if (value > INT_MAX || value < INT_MIN) {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

std::optional<double> ParseDecimalNumber(std::string_view text)
{
    std::size_t i = 0;
    std::string number;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-') {
            number += '-';
        }
        ++i;
    }
    const std::size_t integerStart = i;
    while (i < text.size() && (IsDigit(text[i]) || text[i] == ',')) {
        ++i;
    }
    const std::optional<std::string> integer = UngroupedDigits(text.substr(integerStart, i - integerStart));
    if (!integer) {
        return std::nullopt;
    }
    number += *integer;
    std::size_t mantissaDigits = integer->size();
    if (i < text.size() && text[i] == '.') {
        number += '.';
        for (++i; i < text.size() && IsDigit(text[i]); ++i) {
            number += text[i];
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0) {
        return std::nullopt;
    }
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        number += 'e';
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            number += text[i++];
        }
        const std::size_t exponentStart = i;
        for (; i < text.size() && IsDigit(text[i]); ++i) {
            number += text[i];
        }
        if (i == exponentStart) {
            return std::nullopt;
        }
    }
    if (i != text.size()) {
        return std::nullopt;
    }
    double value = 0.0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error != std::errc{} || end != number.data() + number.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::string ReplaceLowestEscape(const std::string& text, const std::string& value)
{
    // The markers: '%', an optional 'L', one or two digits.
    const auto markerAt = [&](std::size_t at, std::size_t& length) -> int {
        std::size_t i = at + 1;
        if (i < text.size() && text[i] == 'L') {
            ++i;
        }
        if (i >= text.size() || !IsDigit(text[i])) {
            return -1;
        }
        int number = text[i++] - '0';
        if (i < text.size() && IsDigit(text[i])) {
            number = number * 10 + (text[i++] - '0');
        }
        length = i - at;
        return number;
    };
    int lowest = INT_MAX;
    for (std::size_t at = text.find('%'); at != std::string::npos; at = text.find('%', at + 1)) {
        std::size_t length = 0;
        const int number = markerAt(at, length);
        if (number >= 0 && number < lowest) {
            lowest = number;
        }
    }
    if (lowest == INT_MAX) {
        std::fprintf(stderr, "QString::arg: Argument missing: %s, %s\n", text.c_str(), value.c_str());
        return text;
    }
    std::string result;
    std::size_t copied = 0;
    for (std::size_t at = text.find('%'); at != std::string::npos;) {
        std::size_t length = 0;
        if (markerAt(at, length) == lowest) {
            result.append(text, copied, at - copied);
            result += value;
            copied = at + length;
            at = text.find('%', copied);
        } else {
            at = text.find('%', at + 1);
        }
    }
    result.append(text, copied, std::string::npos);
    return result;
}
