#include "engine/MathFunctions.h"

#include "engine/ErrorFlags.h"

#include <array>
#include <cmath>
#include <limits>

namespace {

// A library function has failed when it turns a number into NaN (a domain error such as sqrt(-1)
// or sin of infinity) or a finite argument into an infinity (a pole such as ln(0), or an overflow
// such as exp(1000)). Such a call reads as 1.0 and raises the math flag. Underflow to 0 and loss of
// precision for huge arguments are no errors: the results are the best the library can give.
bool Failed(double result, double argument)
{
    return (std::isnan(result) && !std::isnan(argument)) || (std::isinf(result) && std::isfinite(argument));
}

// A library function with that rule, one argument at a time and over a batch. `Library` is a
// lambda type, so that the batch calls the library directly, without a detour per point.
template <class Library> double Checked(double a)
{
    const double result = Library{}(a);
    if (Failed(result, a)) {
        g_mathError = 1;
        return 1.0;
    }
    return result;
}

template <class Library>
void CheckedBatch(const double* arguments, double* values, std::uint8_t* mathErrors, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i) {
        const double a = arguments[i];
        const double result = Library{}(a);
        const bool failed = Failed(result, a);
        values[i] = failed ? 1.0 : result;
        mathErrors[i] |= failed ? 1 : 0;
    }
}

// Any other function over a batch, reading the flag it raises point by point.
template <double (*Compute)(double)>
void FlaggedBatch(const double* arguments, double* values, std::uint8_t* mathErrors, std::size_t count)
{
    const int saved = g_mathError;
    for (std::size_t i = 0; i < count; ++i) {
        g_mathError = 0;
        values[i] = Compute(arguments[i]);
        mathErrors[i] |= static_cast<std::uint8_t>(g_mathError);
    }
    g_mathError = saved;
}

using Sin = decltype([](double a) { return std::sin(a); });
using Cos = decltype([](double a) { return std::cos(a); });
using Sqrt = decltype([](double a) { return std::sqrt(a); });
using Tan = decltype([](double a) { return std::tan(a); });
using Exp = decltype([](double a) { return std::exp(a); });
using Ln = decltype([](double a) { return std::log(a); });
using Log10 = decltype([](double a) { return std::log10(a); });
using Acos = decltype([](double a) { return std::acos(a); });
using Asin = decltype([](double a) { return std::asin(a); });
using Atan = decltype([](double a) { return std::atan(a); });
using Sinh = decltype([](double a) { return std::sinh(a); });
using Cosh = decltype([](double a) { return std::cosh(a); });
using Tanh = decltype([](double a) { return std::tanh(a); });

double Identity(double a)
{
    return a;
}
double Abs(double a)
{
    return std::fabs(a);
}
double Ceil(double a)
{
    return std::ceil(a);
}
double Floor(double a)
{
    return std::floor(a);
}

double Sign(double a)
{
    if (a > 0) {
        return 1.0;
    }
    return a == 0 ? 0.0 : -1.0; // NaN counts as negative
}

double IntegerPart(double a)
{
    double whole{};
    std::modf(a, &whole);
    return whole;
}

template <class Function> constexpr SFunctionEntry Library(std::string_view name)
{
    return {name, Checked<Function>, CheckedBatch<Function>};
}

template <double (*Compute)(double)> constexpr SFunctionEntry Own(std::string_view name)
{
    return {name, Compute, FlaggedBatch<Compute>};
}

} // namespace

const SFunctionEntry g_functionTable[kFunctionCount] = {
    Own<Identity>("("),       Library<Sin>("sin("),   Library<Cos>("cos("),   Library<Sqrt>("sqrt("),
    Library<Tan>("tan("),     Library<Exp>("exp("),   Library<Ln>("ln("),     Library<Log10>("log("),
    Library<Acos>("acos("),   Library<Asin>("asin("), Library<Atan>("atan("), Own<Abs>("abs("),
    Library<Sinh>("sinh("),   Library<Cosh>("cosh("), Library<Tanh>("tanh("), Own<Ceil>("ceil("),
    Own<Floor>("floor("),     Own<Fibonacci>("fib("), Own<Factorial>("!("),   Own<Sign>("sgn("),
    Own<IntegerPart>("int("),
};

double CheckedPow(double base, double exponent)
{
    const double result = std::pow(base, exponent);
    const bool argumentsAreNumbers = !std::isnan(base) && !std::isnan(exponent);
    const bool argumentsAreFinite = std::isfinite(base) && std::isfinite(exponent);
    if ((std::isnan(result) && argumentsAreNumbers) || (std::isinf(result) && argumentsAreFinite)) {
        g_mathError = 1;
        return 1.0;
    }
    return result;
}

double Fibonacci(double a)
{
    // fib(a) = fib(a-1) + fib(a-2) with fib(a) = 1 for a <= 1. Subtracting 1 from a double below
    // 2^53 is exact, so the recursion always ends in F(ceil(a)) with F(0) = F(1) = 1.
    if (!(a > 1)) {
        return 1.0;
    }
    // F(1477) is the first beyond the double range.
    if (a > 1500) {
        return std::numeric_limits<double>::infinity();
    }
    const int n = static_cast<int>(std::ceil(a));
    double previous = 1.0;
    double current = 1.0;
    for (int i = 2; i <= n; ++i) {
        const double next = current + previous;
        previous = current;
        current = next;
    }
    return current;
}

double Factorial(double a)
{
    // !(a) = a * !(a-1) with !(a) = 1 for a <= 1. The recursion multiplies from the innermost
    // factor outward, so the loop does too, to round exactly as the definition does.
    if (!(a > 1)) {
        return 1.0;
    }
    // The product of the factors above 200 alone is beyond the double range.
    if (a > 200) {
        return std::numeric_limits<double>::infinity();
    }
    std::array<double, 201> factors{};
    int count = 0;
    for (double t = a; t > 1; t -= 1) {
        factors[static_cast<std::size_t>(count++)] = t;
    }
    double product = 1.0;
    while (count > 0) {
        product = factors[static_cast<std::size_t>(--count)] * product;
    }
    return product;
}
