#pragma once

#include <optional>
#include <string>
#include <string_view>

// The derivative of a term with respect to x, as a term of its own that the program reads back:
// x^3-3*x gives a term with the values of 3*x^2-3. It is built from the compiled program by the
// rules of differentiation, so that every analysis of a function can run on f' and f'' unchanged.
// Nothing for a term that does not read, and for one with a part that has no derivative to give
// (fib, the factorial). Where the term is defined, so is the derivative term, except where f has
// no derivative (sqrt(x) at 0).
std::optional<std::string> DerivativeTerm(std::string_view term);
