#include "engine/CheckedPowers.h"

#include "engine/MathFunctions.h"

double CheckedSquare(double base)
{
    const SQuickPower quick = SquareByProduct(base);
    return quick.decided ? quick.power : CheckedPow(base, 2.0);
}

double CheckedCube(double base)
{
    const SQuickPower quick = CubeByProduct(base);
    return quick.decided ? quick.power : CheckedPow(base, 3.0);
}
