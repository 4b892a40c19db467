#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The bridge between the program's term language and the plain notation of the computer-algebra
// module (CasProver.h), both ways.

// A term at one family value, in the module's notation, read exactly as the term engine reads it
// (the same splits, "-x^2" as (-x)^2, the same quirks of numbers and names), with every part in
// parentheses, every number as the exact fraction of its decimal and k as that of its value.
// `divisors` receives every part the term divides by, where f may have poles or gaps. Nothing
// where the term has a syntax error or calls a function the module would read differently
// (int, ceil, floor, fib, !).
struct SCasTerm
{
    std::string text;
    std::vector<std::string> divisors;
};
std::optional<SCasTerm> CasTermOf(std::string_view term, double k);

// A number as the exact fraction of its shortest decimal: 0.1 as (1/10); nothing for inf and NaN.
std::optional<std::string> CasNumber(double value);

// An answer of the module as a term of the program's language: nothing where it holds a decimal
// point (an approximation) or a name that the program would read as something else.
std::optional<std::string> TermOfCasAnswer(std::string_view answer);

// The value of a term without x, as the term engine computes it; nothing where it fails.
std::optional<double> TermValue(const std::string& term);

// An exact form and a number agree to full precision: |exact - numeric| <= 1e-12 * max(1, |exact|).
bool AgreesFully(double exact, double numeric);
