#include "analysis/DomainNumbers.h"

#include <bit>
#include <cmath>
#include <limits>

std::int64_t DoubleKey(double x)
{
    const auto bits = std::bit_cast<std::int64_t>(x);
    return bits < 0 ? std::numeric_limits<std::int64_t>::min() - bits : bits;
}

double KeyDouble(std::int64_t key)
{
    return std::bit_cast<double>(key < 0 ? std::numeric_limits<std::int64_t>::min() - key : key);
}

double KeyMidpoint(double lo, double hi)
{
    const std::int64_t a = DoubleKey(lo);
    const std::int64_t b = DoubleKey(hi);
    // The difference of the two keys can exceed the signed range; unsigned arithmetic wraps safely.
    const auto half = (static_cast<std::uint64_t>(b) - static_cast<std::uint64_t>(a)) / 2;
    return KeyDouble(static_cast<std::int64_t>(static_cast<std::uint64_t>(a) + half));
}

bool Neighbours(double lo, double hi)
{
    const std::int64_t a = DoubleKey(lo);
    const std::int64_t b = DoubleKey(hi);
    return b - a <= 1 && a - b <= 1;
}

double SimplestBetween(double lo, double hi)
{
    if (lo <= 0 && hi >= 0) {
        return 0.0;
    }
    if (hi < 0) {
        return -SimplestBetween(-hi, -lo);
    }
    // The coarsest power of two with a multiple in [lo, hi], from the scale of hi down; at the
    // smallest scale every double is a multiple, so the loop always ends with a result.
    for (int e = std::ilogb(hi) + 1; e >= std::numeric_limits<double>::min_exponent - 53; --e) {
        const double candidate = std::ldexp(std::ceil(std::ldexp(lo, -e)), e);
        if (candidate >= lo && candidate <= hi) {
            return candidate;
        }
    }
    return lo;
}
