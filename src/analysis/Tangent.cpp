#include "analysis/Tangent.h"

#include "analysis/AnalysisSink.h"
#include "analysis/ResultList.h"
#include "analysis/TermText.h"
#include "document/StepLoop.h"
#include "engine/TextEncoding.h"
#include "engine/CompiledTerm.h"
#include "engine/Derivatives.h"
#include "engine/ErrorFlags.h"
#include "engine/NumberText.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <variant>

namespace {

constexpr double kEpsilon = std::numeric_limits<double>::epsilon();

// y = m x + c through the point, and the normal's slope and intercept.
struct SLine
{
    double slope;
    double intercept;
};

SLine TangentLine(const STangentPoint& p)
{
    return {p.slope, p.y0 - p.slope * p.x0};
}

SLine NormalLine(const STangentPoint& p)
{
    const double slope = -1.0 / p.slope;
    return {slope, p.y0 + p.x0 / p.slope};
}

} // namespace

STangentPoint TangentAt(const CCompiledTerm& term, double x0, double k)
{
    STangentPoint p;
    p.x0 = x0;
    const std::optional<double> y0 = term.DefinedValue(x0, k);
    if (!y0) {
        return p;
    }
    p.y0 = *y0;
    p.state = STangentPoint::EState::NotDifferentiable;
    const CCompiledTerm::SDerivatives d = term.EvaluateDerivatives(x0, k);
    // One-sided difference quotients tell a kink or a jump, which the derivative carried through
    // the term does not see (abs(x) at 0 carries a slope of its own choosing).
    const double h = 1e-6 * std::max(1.0, std::fabs(x0));
    const std::optional<double> left = term.DefinedValue(x0 - h, k);
    const std::optional<double> right = term.DefinedValue(x0 + h, k);
    if (!left || !right) {
        return p;
    }
    const double leftSlope = (*y0 - *left) / h;
    const double rightSlope = (*right - *y0) / h;
    double slope = d.first;
    if (!std::isfinite(slope)) {
        // No derivative to carry (the factorial of a non-integer): the program's difference formula.
        slope = EvaluateOrder(term, x0, k, 1);
        if (!std::isfinite(slope)) {
            return p;
        }
    }
    // Both quotients differ from the slope by about f'' h / 2 and the rounding of f over h.
    const double curvature =
        std::isfinite(d.second) ? std::fabs(d.second) : std::fabs(rightSlope - leftSlope) / h;
    const double rounding =
        16 * kEpsilon * std::max({std::fabs(*y0), std::fabs(*left), std::fabs(*right)}) / h;
    const double tolerance = 10 * curvature * h + 1e-6 * std::max(1.0, std::fabs(slope)) + rounding;
    if (std::fabs(leftSlope - slope) > tolerance || std::fabs(rightSlope - slope) > tolerance) {
        return p;
    }
    p.slope = slope == 0 ? 0.0 : slope; // no "-0"
    p.state = STangentPoint::EState::Defined;
    return p;
}

void ComputeTangent(const CGraphFunction& function, double x0, const SDiscussOptions& options,
                    IAnalysisSink& sink)
{
    const CCompiledTerm term{function.GetTerm()};
    const bool family = function.GetUseFamilyConstant() != 0;
    sink.SetProgress(0);
    ForEachFamilyValue(function, [&](double k) {
        const std::optional<double> shownK = family ? std::optional<double>{k} : std::nullopt;
        const auto add = [&](auto value) {
            sink.Add(SAnalysisResult{std::move(value), shownK, options.digits});
        };
        const STangentPoint p = TangentAt(term, x0, k);
        switch (p.state) {
        case STangentPoint::EState::NotDefined:
            add(SResultMessage{EResultMessage::NotDefinedAt, {x0}});
            break;
        case STangentPoint::EState::NotDifferentiable:
            add(SResultMessage{EResultMessage::NotDifferentiableAt, {x0}});
            break;
        case STangentPoint::EState::Defined: {
            const SLine tangent = TangentLine(p);
            SResultTangent result{x0, p.y0, p.slope, {tangent.slope, tangent.intercept}, std::nullopt};
            if (p.slope != 0) {
                const SLine normal = NormalLine(p);
                result.normal = SResultLine{normal.slope, normal.intercept};
            }
            add(std::move(result));
            break;
        }
        }
        if (family) {
            sink.Add(
                SAnalysisResult{SResultMessage{EResultMessage::GroupEnd, {}}, std::nullopt, options.digits});
        }
        return !sink.Stopped();
    });
}

SAdoptedLines AdoptTangentLines(const CGraphFunction& function, const std::vector<SAnalysisResult>& results,
                                bool normal)
{
    SAdoptedLines adopted;
    for (const SAnalysisResult& result : results) {
        const auto* tangent = std::get_if<SResultTangent>(&result.value);
        if (tangent == nullptr) {
            continue;
        }
        std::string comment = (normal ? "Normale an " : "Tangente an ") + OwnFunctionName(function) + "(x)=" + function.GetTerm() +
                              " in x0 = " + FormatNumber(tangent->x0);
        if (result.k) {
            comment += " (k=" + FormatNumber(*result.k) + ")";
        }
        if (normal && !tangent->normal) {
            CGraphObject line;
            line.SetKind(CGraphObject::VerticalLine);
            line.SetPosition(tangent->x0);
            line.SetCoordinates(tangent->x0, tangent->y0);
            line.SetColor(function.GetColor());
            line.SetComment(comment);
            adopted.lines.push_back(std::move(line));
            continue;
        }
        const SResultLine& line = normal ? *tangent->normal : tangent->tangent;
        CGraphFunction adoptedFunction;
        adoptedFunction.SetTerm(LineTerm(TermNumberExact(line.slope), TermNumberExact(line.intercept)));
        adoptedFunction.SetComment(comment);
        adoptedFunction.SetColor(function.GetColor());
        adopted.functions.push_back(std::move(adoptedFunction));
    }
    return adopted;
}

SAdoptedLines AdoptTangentLines(const CGraphFunction& function, double x0, bool normal)
{
    CResultList results;
    ComputeTangent(function, x0, SDiscussOptions{}, results);
    return AdoptTangentLines(function, results.Results(), normal);
}
