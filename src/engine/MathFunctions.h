#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// The functions a term may call, in the order the interpreter tries their names. Each name
// includes its opening parenthesis; "(" alone is a plain group.
struct SFunctionEntry
{
    std::string_view name;
    double (*compute)(double);
    // compute at each of `count` arguments into `values`, with 1 or-ed into `mathErrors` where it
    // would have raised the math flag; the flag itself is left alone.
    void (*computeBatch)(const double* arguments, double* values, std::uint8_t* mathErrors,
                         std::size_t count);
};

inline constexpr int kFunctionCount = 21;
extern const SFunctionEntry g_functionTable[kFunctionCount];

// The guarded power used for "^": domain errors, poles and overflow give 1.0 and raise the math
// flag, as for every function of the table.
double CheckedPow(double base, double exponent);

// Fibonacci and factorial by loops: same values as their recursive definitions, without
// exponential time or deep recursion.
double Fibonacci(double a);
double Factorial(double a);
