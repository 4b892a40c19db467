#pragma once

#include <optional>
#include <string>
#include <string_view>

// The readings of number arguments and the filling of message templates that the commands share.

// A whole number and nothing else ("3", "+3", "03"; not "3.0", "3x", " 3"), in the range of int.
std::optional<int> ParseWholeNumber(std::string_view text);

// A finite number with the decimal point ("6.283185307179586", "-1e-3", "1,000.5" with the
// comma grouping thousands), read to the last bit. Nothing for anything else, which may still be a
// number with the decimal comma or an expression (ParseNumberArgument).
std::optional<double> ParseDecimalNumber(std::string_view text);

// Puts value in place of the lowest-numbered marker %1 .. %99 of text (each of its occurrences);
// markers in value itself stay as they are. Where text holds none, it is kept and a warning goes
// to standard error.
std::string ReplaceLowestEscape(const std::string& text, const std::string& value);
