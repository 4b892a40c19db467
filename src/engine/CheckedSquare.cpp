#include "engine/CheckedSquare.h"

#include "engine/MathFunctions.h"

#include <bit>
#include <cmath>
#include <cstdint>

// The C library's pow returns its result within 0.54 units in the last place of the exact power
// (the bound its authors derive for this implementation, round to nearest). The square base*base,
// rounded once, is within half a unit of the exact square; when it is closer than 0.45 units, every
// other double lies more than 0.55 units away, so pow can only have returned this one. The exact
// square is the rounded product plus its error, which Dekker's splitting gives exactly for bases
// of moderate size. Everything else, a tie-near square included, goes to pow itself.
double CheckedSquare(double base)
{
    const double magnitude = std::fabs(base);
    if (!(magnitude >= 0x1p-400 && magnitude <= 0x1p400)) {
        return CheckedPow(base, 2.0);
    }
    const double product = base * base;
    const double spread = 134217729.0 * base; // 2^27 + 1
    const double high = spread - (spread - base);
    const double low = base - high;
    const double error = ((high * high - product) + 2 * high * low) + low * low;

    const auto bits = std::bit_cast<std::uint64_t>(product);
    constexpr std::uint64_t kMantissa = (std::uint64_t{1} << 52) - 1;
    // Below a power of two the doubles lie twice as dense; such squares are left to pow.
    if ((bits & kMantissa) == 0) {
        return CheckedPow(base, 2.0);
    }
    const double unit = std::bit_cast<double>(bits & ~kMantissa) * 0x1p-52;
    if (std::fabs(error) < 0.45 * unit) {
        return product;
    }
    return CheckedPow(base, 2.0);
}
