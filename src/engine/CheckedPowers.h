#pragma once

#include <bit>
#include <cmath>
#include <cstdint>

// CheckedPow(base, 2.0) and CheckedPow(base, 3.0), value and flag, mostly without calling pow: the
// most frequent powers of a term, and pow costs more than the rest of most terms together.
//
// Why a double close enough to the exact power is the one pow returns. The C library here (glibc
// 2.36, with the pow that came with 2.28) computes pow(x, y) as exp(y * log x), with log x as
// a sum of two doubles, and its authors bound the parts for round to nearest: log x within a
// relative 1.5 * 2^-68 (1.3 * 2^-68 where the processor fuses multiply and add), and exp within
// 0.511 units in the last place (0.509 fused) of the exact exponential of its two-double argument.
// The whole, 0.54 units, is their bound for the worst exponent the range admits, |y log x| = 1024
// ln 2. For y = 2 or 3 the products y * log x are exact (2) or rounded far below the bound (3), so
// the argument of exp is off from y ln|x| by at most |y ln x| * 1.5 * 2^-68, which moves the result
// by that much relatively, and a relative 2^-53 is at most one unit. With e the binary exponent of
// x, |ln x| <= (|e| + 1) ln 2, so pow lies within
//     E(x) = 0.511 + y (|e| + 1) ln 2 * 1.5 * 2^-15 < 0.5115 + 3.2e-5 * y (|e| + 1)
// units of the exact power (second-order terms are below 2^-100 units). A candidate that lies
// closer than 1 - E(x) units to the exact power leaves every other double, one unit further along
// or more, farther than E(x) away, so pow can only have returned the candidate. For the square of
// an ordinary |x| between 1/256 and 512 that is any candidate closer than 0.4879 units, against
// 0.5 for the best double; at the ends of the quick range, 2^+-400, still 0.4628. The candidate is
// x * x itself or, for the cube, the sum of the exact parts of x^3 rounded once, with its distance
// to the exact power from Dekker's splitting, which is exact for bases of moderate size (the
// cube's distance is rounded once more, by far less than the 0.0005 units the constants leave
// spare). The rest, a power almost halfway between two doubles included, goes to pow itself.
double CheckedSquare(double base);
double CheckedCube(double base);

namespace checked_powers {

// Two ways to hi + lo == a * b exactly, for products far from overflow and underflow: Dekker's
// splitting, with plain arithmetic; and a fused multiply-add, which rounds a * b - hi only once and
// so gives lo directly. Without the processor's instruction the second is a library call, so it
// is chosen where the processor has one.
struct SSplitProduct
{
    [[gnu::always_inline]] static void Exact(double a, double b, double& hi, double& lo)
    {
        hi = a * b;
        const double sa = 134217729.0 * a; // 2^27 + 1
        const double ah = sa - (sa - a);
        const double al = a - ah;
        const double sb = 134217729.0 * b;
        const double bh = sb - (sb - b);
        const double bl = b - bh;
        lo = ((ah * bh - hi) + ah * bl + al * bh) + al * bl;
    }
};

struct SFusedProduct
{
    [[gnu::always_inline]] static void Exact(double a, double b, double& hi, double& lo)
    {
        hi = a * b;
        lo = __builtin_fma(a, b, -hi);
    }
};

// Whether the paths compiled for the fused multiply-add instruction (with AVX2, which every
// processor that has it has as well) run: the one decision for the whole program, taken once.
// Only x86-64 has such paths; elsewhere the portable ones run. Both give the same doubles.
bool UseFusedPaths();

// Whether `candidate`, which differs from the exact base^exponent by `error`, is the double pow
// returns: closer than 1 - E(base) units in its last place (see above), and not a power of two,
// below which the doubles lie twice as dense.
[[gnu::always_inline]] inline bool Decides(double base, double exponent, double candidate, double error)
{
    // Everything as doubles and bit masks, without branches, so that a batch decides several at
    // once: the biased exponent of the base is set into the mantissa of 2^52 and read back.
    constexpr std::uint64_t kMantissa = (std::uint64_t{1} << 52) - 1;
    const std::uint64_t baseBits = std::bit_cast<std::uint64_t>(base);
    const double biased =
        std::bit_cast<double>(((baseBits >> 52) & 0x7ff) | std::bit_cast<std::uint64_t>(0x1p52)) - 0x1p52;
    const double octaves = std::fabs(biased - 1023.0) + 1.0;
    const double allowed = 0.4885 - 3.2e-5 * exponent * octaves;
    // The power of two at or below the candidate (with its sign).
    const double below = std::bit_cast<double>(std::bit_cast<std::uint64_t>(candidate) & ~kMantissa);
    const double unit = std::fabs(below) * 0x1p-52;
    return (candidate != below) & (std::fabs(error) < allowed * unit);
}

} // namespace checked_powers

// The quick way alone: the candidate and whether it is pow's double; when it is not, only pow can
// tell. For batches, which call pow for the rest afterwards.
struct SQuickPower
{
    double power;
    double decided; // 1 or 0: a double, so that a batch keeps it in the same lanes as the power
};

template <class Product = checked_powers::SSplitProduct>
[[gnu::always_inline]] inline SQuickPower SquareByProduct(double base)
{
    // Without branches, so that a batch can take several bases at once; what an unsuitable base
    // computes is thrown away.
    const double magnitude = std::fabs(base);
    const bool moderate = (magnitude >= 0x1p-400) & (magnitude <= 0x1p400);
    double power{};
    double error{};
    Product::Exact(base, base, power, error);
    return {power, (moderate & checked_powers::Decides(base, 2.0, power, error)) ? 1.0 : 0.0};
}

// The same for base^3 = (p + e) * base with p + e the exact square: p * base and e * base are
// split again, and the candidate is their sum rounded once.
template <class Product = checked_powers::SSplitProduct>
[[gnu::always_inline]] inline SQuickPower CubeByProduct(double base)
{
    const double magnitude = std::fabs(base);
    const bool moderate = (magnitude >= 0x1p-250) & (magnitude <= 0x1p250);
    double p{};
    double e{};
    Product::Exact(base, base, p, e);
    double q{};
    double f{};
    Product::Exact(p, base, q, f);
    double g{};
    double gLow{};
    Product::Exact(e, base, g, gLow);
    // base^3 = q + f + g + gLow exactly; s + sLow = f + g exactly (Knuth's two-sum).
    const double s = f + g;
    const double fPart = s - g;
    const double sLow = (f - fPart) + (g - (s - fPart));
    const double power = q + s;
    // q - power is exact, both lying within a few units of each other.
    const double error = ((q - power) + s) + (sLow + gLow);
    return {power, (moderate & checked_powers::Decides(base, 3.0, power, error)) ? 1.0 : 0.0};
}
