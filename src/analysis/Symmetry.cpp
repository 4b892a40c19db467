#include "analysis/Symmetry.h"

#include "engine/CompiledTerm.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

namespace {

// The places tried: an irregular grid over the reach (so that no period of the term hides a
// difference) and a geometric one far beyond it.
std::vector<double> Places(double reach)
{
    std::vector<double> xs;
    if (std::isfinite(reach) && reach > 0) {
        for (int i = 1; i <= 400; ++i) {
            xs.push_back(reach * (i + 0.318309886) / 401.0);
        }
    }
    for (int j = -40; j <= 60; ++j) {
        xs.push_back(std::pow(10.0, j / 10.0) * 1.0471975);
    }
    return xs;
}

} // namespace

SResultSymmetry SymmetryOf(const CCompiledTerm& term, double k, double reach)
{
    // How far f(-x) misses f(x) (even) and -f(x) (odd), relative to the size of the values.
    double evenMiss = 0;
    double oddMiss = 0;
    bool domainSymmetric = true;
    bool compared = false;
    for (const double x : Places(reach)) {
        const std::optional<double> right = term.DefinedValue(x, k);
        const std::optional<double> left = term.DefinedValue(-x, k);
        if (right.has_value() != left.has_value()) {
            domainSymmetric = false;
            break;
        }
        if (!right) {
            continue;
        }
        compared = true;
        const double size = std::max({std::fabs(*right), std::fabs(*left), 1e-300});
        evenMiss = std::max(evenMiss, std::fabs(*left - *right) / size);
        oddMiss = std::max(oddMiss, std::fabs(*left + *right) / size);
    }
    SResultSymmetry result;
    if (!domainSymmetric) {
        // Defined at x but not at -x: no symmetry, for certain.
        result.symmetry = ESymmetry::None;
        result.numerical = false;
        return result;
    }
    if (compared && evenMiss <= 1e-9) {
        result.symmetry = ESymmetry::Even;
    } else if (compared && oddMiss <= 1e-9) {
        result.symmetry = ESymmetry::Odd;
    } else {
        result.symmetry = ESymmetry::None;
        // Both miss by far more than the rounding of a term's evaluation can.
        result.numerical = !(compared && evenMiss > 1e-6 && oddMiss > 1e-6);
    }
    return result;
}
