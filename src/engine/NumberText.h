#pragma once

#include <string>

// The character between the whole part and the decimals of a number the program shows. Terms,
// files and everything read back keep the point; only shown text may take the comma.
enum class EDecimalSeparator : char
{
    Point = '.',
    Comma = ',',
};

// The text of a number as the program shows it: fixed point with at most five decimals, trailing
// zeros and a bare decimal point removed.
std::string FormatNumber(double value);
// The same with at most `decimals` decimals (1 to 15; outside that, the nearer end).
std::string FormatNumber(double value, int decimals);
// The same with the chosen separator.
std::string FormatNumber(double value, int decimals, EDecimalSeparator separator);
// A number text made with the point, written with the chosen separator instead.
std::string WithSeparator(std::string text, EDecimalSeparator separator);
