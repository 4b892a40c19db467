#include "analysis/DiscussedCurves.h"

#include "engine/DerivativeTerm.h"

#include <string>

std::vector<SDiscussedCurve> DiscussedCurves(const CFunctionList& functions, const CDerivedList& derived)
{
    std::vector<SDiscussedCurve> offered;
    for (std::size_t i = 0; i < derived.size(); ++i) {
        const CDerivedCurve& curve = derived[i];
        const std::size_t source = curve.GetSource();
        if (source >= functions.size() || IsLocusKind(curve.GetKind())) {
            continue;
        }
        const bool antiderivative = curve.GetKind() == EDerivedKind::Antiderivative;
        std::optional<std::string> term = functions[source].GetTerm();
        if (!antiderivative) {
            term = DerivativeTerm(*term);
        }
        if (term && curve.GetKind() == EDerivedKind::SecondDerivative) {
            term = DerivativeTerm(*term);
        }
        if (!term) {
            continue;
        }
        SDiscussedCurve entry{functions[source], source, i, std::nullopt};
        entry.function.SetTerm(*term);
        entry.function.SetName(DerivedCurveName(functions, curve));
        entry.function.SetColor(curve.GetColor());
        if (antiderivative) {
            entry.start = std::pair{curve.GetX0(), curve.GetY0()};
        }
        offered.push_back(std::move(entry));
    }
    return offered;
}
