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
double Checked(double result, double argument)
{
    const bool domainError = std::isnan(result) && !std::isnan(argument);
    const bool poleOrOverflow = std::isinf(result) && std::isfinite(argument);
    if (domainError || poleOrOverflow) {
        g_mathError = 1;
        return 1.0;
    }
    return result;
}

double Identity(double a) { return a; }
double Sin(double a) { return Checked(std::sin(a), a); }
double Cos(double a) { return Checked(std::cos(a), a); }
double Sqrt(double a) { return Checked(std::sqrt(a), a); }
double Tan(double a) { return Checked(std::tan(a), a); }
double Exp(double a) { return Checked(std::exp(a), a); }
double Ln(double a) { return Checked(std::log(a), a); }
double Log10(double a) { return Checked(std::log10(a), a); }
double Acos(double a) { return Checked(std::acos(a), a); }
double Asin(double a) { return Checked(std::asin(a), a); }
double Atan(double a) { return Checked(std::atan(a), a); }
double Abs(double a) { return std::fabs(a); }
double Sinh(double a) { return Checked(std::sinh(a), a); }
double Cosh(double a) { return Checked(std::cosh(a), a); }
double Tanh(double a) { return Checked(std::tanh(a), a); }
double Ceil(double a) { return std::ceil(a); }
double Floor(double a) { return std::floor(a); }

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

} // namespace

const SFunctionEntry g_functionTable[kFunctionCount] = {
    {"(", Identity},   {"sin(", Sin},     {"cos(", Cos},     {"sqrt(", Sqrt},   {"tan(", Tan},
    {"exp(", Exp},     {"ln(", Ln},       {"log(", Log10},   {"acos(", Acos},   {"asin(", Asin},
    {"atan(", Atan},   {"abs(", Abs},     {"sinh(", Sinh},   {"cosh(", Cosh},   {"tanh(", Tanh},
    {"ceil(", Ceil},   {"floor(", Floor}, {"fib(", Fibonacci}, {"!(", Factorial}, {"sgn(", Sign},
    {"int(", IntegerPart},
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
