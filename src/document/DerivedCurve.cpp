#include "document/DerivedCurve.h"

#include <algorithm>
#include <cmath>

void CDerivedCurve::SetStart(double x0, double y0)
{
    m_x0 = std::isfinite(x0) ? x0 : 0.0;
    m_y0 = std::isfinite(y0) ? y0 : 0.0;
}

CDerivedCurve NewDerivedCurve(const CFunctionList& functions, std::size_t source, EDerivedKind kind)
{
    CDerivedCurve curve{source, kind};
    if (source < functions.size() && IsLocusKind(kind)) {
        curve.SetColor(functions[source].GetColor());
        curve.SetStroke(SLineStroke{2.0 * functions[source].GetStroke().width, ELineStyle::Solid});
    } else if (source < functions.size()) {
        curve.SetColor(functions[source].GetColor());
        curve.SetStroke(SLineStroke{functions[source].GetStroke().width,
                                    kind == EDerivedKind::FirstDerivative    ? ELineStyle::Dashed
                                    : kind == EDerivedKind::SecondDerivative ? ELineStyle::Dotted
                                                                             : ELineStyle::DashDotted});
    }
    return curve;
}

std::string DerivedCurveName(const CFunctionList& functions, const CDerivedCurve& curve)
{
    std::string name = FunctionName(functions, curve.GetSource());
    switch (curve.GetKind()) {
    case EDerivedKind::FirstDerivative:
        return name + "'";
    case EDerivedKind::SecondDerivative:
        return name + "''";
    case EDerivedKind::Antiderivative:
        break;
    case EDerivedKind::LocusOfExtrema:
    case EDerivedKind::LocusOfInflections:
        return "Ortskurve von " + name + "_k";
    }
    if (!name.empty() && name[0] >= 'a' && name[0] <= 'z') {
        name[0] = static_cast<char>(name[0] - 'a' + 'A');
        return name;
    }
    return "Stf_" + name;
}

std::string DerivedCurveHead(const CFunctionList& functions, const CDerivedCurve& curve)
{
    if (IsLocusKind(curve.GetKind())) {
        return DerivedCurveName(functions, curve);
    }
    const bool family =
        curve.GetSource() < functions.size() && functions[curve.GetSource()].GetUseFamilyConstant() != 0;
    return DerivedCurveName(functions, curve) + (family ? "_k" : "");
}

std::string DerivedCurveLegend(const CFunctionList& functions, const CDerivedCurve& curve)
{
    return DerivedCurveHead(functions, curve) + (IsLocusKind(curve.GetKind()) ? "" : "(x)");
}

bool EraseDerivedOfFunction(CDerivedList& derived, std::size_t index)
{
    const std::size_t before = derived.size();
    std::erase_if(derived, [index](const CDerivedCurve& curve) { return curve.GetSource() == index; });
    bool changed = derived.size() != before;
    for (CDerivedCurve& curve : derived) {
        if (curve.GetSource() > index) {
            curve.SetSource(curve.GetSource() - 1);
            changed = true;
        }
    }
    return changed;
}
