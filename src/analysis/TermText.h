#pragma once

#include <string>

// Numbers and lines written as terms of the program's own term language, so that a line the
// program prints or adopts reads back as the same line. The term language reads a signed exponent
// as a subtraction ("1e-07" is 0.00001 - 7) and a sign right after an operator as that operator,
// so no number here carries an exponent or stands signed after an operator: plain decimals, and
// beyond the plain range a product or quotient with a power of ten in parentheses.

// At most `decimals` decimals, as the program shows numbers.
std::string TermNumber(double value, int decimals);

// The shortest text that reads back as exactly this double.
std::string TermNumberExact(double value);

// "m*x+c" from the texts of slope and intercept: a slope of 0 leaves only the intercept, an
// intercept of 0 is left out, and a negative intercept is subtracted.
std::string LineTerm(const std::string& slope, const std::string& intercept);
