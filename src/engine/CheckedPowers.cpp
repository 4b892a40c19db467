#include "engine/CheckedPowers.h"

#include "engine/MathFunctions.h"

namespace {

template <class Product> [[gnu::always_inline]] inline double Square(double base)
{
    const SQuickPower quick = SquareByProduct<Product>(base);
    return quick.decided != 0 ? quick.power : CheckedPow(base, 2.0);
}

template <class Product> [[gnu::always_inline]] inline double Cube(double base)
{
    const SQuickPower quick = CubeByProduct<Product>(base);
    return quick.decided != 0 ? quick.power : CheckedPow(base, 3.0);
}

#if defined(__x86_64__)
[[gnu::target("avx2,fma")]] double FusedSquare(double base)
{
    return Square<checked_powers::SFusedProduct>(base);
}

[[gnu::target("avx2,fma")]] double FusedCube(double base)
{
    return Cube<checked_powers::SFusedProduct>(base);
}
#endif

} // namespace

bool checked_powers::UseFusedPaths()
{
#if defined(__x86_64__)
    // Decided once, on first use, for every caller in the program.
    static const bool fused = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("fma") && __builtin_cpu_supports("avx2");
    }();
    return fused;
#else
    return false;
#endif
}

double CheckedSquare(double base)
{
#if defined(__x86_64__)
    if (checked_powers::UseFusedPaths()) {
        return FusedSquare(base);
    }
#endif
    return Square<checked_powers::SSplitProduct>(base);
}

double CheckedCube(double base)
{
#if defined(__x86_64__)
    if (checked_powers::UseFusedPaths()) {
        return FusedCube(base);
    }
#endif
    return Cube<checked_powers::SSplitProduct>(base);
}
