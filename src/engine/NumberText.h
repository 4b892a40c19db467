#pragma once

#include <string>

// The text of a number as the program shows it: fixed point with at most five decimals, trailing
// zeros and a bare decimal point removed.
std::string FormatNumber(double value);
// The same with at most `decimals` decimals (1 to 15; outside that, the nearer end).
std::string FormatNumber(double value, int decimals);
