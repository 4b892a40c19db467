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

[[gnu::target("avx2,fma")]] double FusedSquare(double base)
{
    return Square<checked_powers::SFusedProduct>(base);
}

[[gnu::target("avx2,fma")]] double FusedCube(double base)
{
    return Cube<checked_powers::SFusedProduct>(base);
}

const bool g_fused = checked_powers::HasFusedMultiplyAdd();

} // namespace

bool checked_powers::HasFusedMultiplyAdd()
{
    __builtin_cpu_init();
    return __builtin_cpu_supports("fma") && __builtin_cpu_supports("avx2");
}

double CheckedSquare(double base)
{
    return g_fused ? FusedSquare(base) : Square<checked_powers::SSplitProduct>(base);
}

double CheckedCube(double base)
{
    return g_fused ? FusedCube(base) : Cube<checked_powers::SSplitProduct>(base);
}
