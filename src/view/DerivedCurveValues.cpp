#include "view/DerivedCurveValues.h"

#include <algorithm>
#include <cmath>

void DerivedCurveValues(const CCompiledTerm& source, const CDerivedCurve& curve, double k,
                        AntiderivativeSampler antiderivative, std::span<const double> xs,
                        std::span<double> values, std::span<std::uint8_t> undefined)
{
    switch (curve.GetKind()) {
    case EDerivedKind::FirstDerivative:
    case EDerivedKind::SecondDerivative:
        for (std::size_t i = 0; i < xs.size(); ++i) {
            const CCompiledTerm::SDerivatives d = source.EvaluateDerivatives(xs[i], k);
            const double v = curve.GetKind() == EDerivedKind::FirstDerivative ? d.first : d.second;
            // NaN marks a failed part of the term, or a point with no derivative to carry.
            values[i] = v;
            undefined[i] = std::isfinite(v) && std::isfinite(d.value) ? 0 : 1;
        }
        return;
    case EDerivedKind::Antiderivative:
        if (antiderivative != nullptr) {
            antiderivative(source, k, curve.GetX0(), curve.GetY0(), xs, values, undefined);
        } else {
            std::fill(undefined.begin(), undefined.end(), std::uint8_t{1});
        }
        return;
    case EDerivedKind::LocusOfExtrema:
    case EDerivedKind::LocusOfInflections:
        break;
    }
    std::fill(undefined.begin(), undefined.end(), std::uint8_t{1});
}
