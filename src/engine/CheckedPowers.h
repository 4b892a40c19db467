#pragma once

#include <bit>
#include <cmath>
#include <cstdint>

// CheckedPow(base, 2.0) and CheckedPow(base, 3.0), value and flag, mostly without calling pow: the
// most frequent powers of a term, and pow costs more than the rest of most terms together.
//
// The C library's pow returns its result within 0.54 units in the last place of the exact power
// (the bound its authors derive for this implementation, round to nearest). When a double lies
// closer than 0.45 units to the exact power, every other double lies more than 0.55 units away,
// so pow can only have returned that one. The exact power is a sum of a few doubles that Dekker's
// splitting gives exactly for bases of moderate size. Everything else, a power almost halfway
// between two doubles included, goes to pow itself.
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

// Whether `candidate`, which differs from the exact value by `error`, is the double pow returns:
// closer than 0.45 units in its last place, and not a power of two, below which the doubles lie
// twice as dense.
[[gnu::always_inline]] inline bool Decides(double candidate, double error)
{
    // The power of two at or below the candidate (with its sign), compared as a double so that a
    // batch can decide several at once.
    constexpr std::uint64_t kMantissa = (std::uint64_t{1} << 52) - 1;
    const double below = std::bit_cast<double>(std::bit_cast<std::uint64_t>(candidate) & ~kMantissa);
    const double unit = std::fabs(below) * 0x1p-52;
    return (candidate != below) & (std::fabs(error) < 0.45 * unit);
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
    return {power, (moderate & checked_powers::Decides(power, error)) ? 1.0 : 0.0};
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
    return {power, (moderate & checked_powers::Decides(power, error)) ? 1.0 : 0.0};
}
