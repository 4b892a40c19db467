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

// The steps of the one-sided difference quotients, from a hundredth of the scale down by quarters
// to 1e-15 of it (a few units of the last place): a kink as close as that to x0 still lies
// beyond the smallest steps.
constexpr double kFirstStep = 1e-2;
constexpr double kLastStep = 1e-15;
constexpr double kStepRatio = 0.25;

// Whether the quotients on one side of x0 (side -1 or +1) come to `slope`. A smooth f brings its
// quotient within f'' h / 2 of the slope, which shrinks with h until the rounding of f over h takes
// over; a kink, a cusp or a jump keeps it away at every step. A step at which rounding alone
// could bend the quotient by a hundredth of the slope tells nothing either way; where no step
// tells anything, the carried slope stands.
bool SideAgrees(const CCompiledTerm& term, double x0, double y0, double k, double slope, int side)
{
    const double scale = std::max(1.0, std::fabs(x0));
    const double size = std::max(1.0, std::fabs(slope));
    bool told = false;
    bool definedNearest = false;
    for (double h = kFirstStep * scale; h >= kLastStep * scale; h *= kStepRatio) {
        const double x = x0 + side * h;
        const std::optional<double> y = term.DefinedValue(x, k);
        // Only where f fails right next to x0 is there no slope on this side; a pole or an
        // overflow further out merely spoils the wider steps.
        definedNearest = y.has_value();
        if (!y) {
            continue;
        }
        // The step actually taken, which x0 + h rounds.
        const double step = x - x0;
        const double quotient = (*y - y0) / step;
        const double rounding = 8 * kEpsilon * (std::fabs(y0) + std::fabs(*y)) / std::fabs(step);
        if (rounding > 1e-2 * size) {
            continue;
        }
        told = true;
        if (std::fabs(quotient - slope) <= 1e-7 * size + 2 * rounding) {
            return true;
        }
    }
    return definedNearest && !told;
}

// Whether every one-sided quotient overflows with the sign of an infinite carried slope: f is
// steeper than a double can say, not vertical (whose quotients stay finite and only grow).
bool SlopeOverflows(const CCompiledTerm& term, double x0, double y0, double k, double slope)
{
    const double scale = std::max(1.0, std::fabs(x0));
    for (const int side : {-1, 1}) {
        for (double h = kFirstStep * scale; h >= kLastStep * scale; h *= kStepRatio) {
            const std::optional<double> y = term.DefinedValue(x0 + side * h, k);
            const double quotient = y ? (*y - y0) / (side * h) : 0.0;
            if (std::isfinite(quotient) || std::signbit(quotient) != std::signbit(slope)) {
                return false;
            }
        }
    }
    return true;
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
    // The derivative carried through the term is exact where f is smooth, but at a kink it is a
    // slope of the term's own choosing (abs(x) at 0) or none (sqrt(x^2) at 0): only the one-sided
    // quotients tell whether it is the slope of the graph.
    double slope = term.EvaluateDerivatives(x0, k).first;
    if (std::isinf(slope) && SlopeOverflows(term, x0, *y0, k, slope)) {
        p.state = STangentPoint::EState::Overflow;
        return p;
    }
    if (!std::isfinite(slope)) {
        // No derivative to carry (the factorial of a non-integer): the program's difference formula.
        slope = EvaluateOrder(term, x0, k, 1);
        if (!std::isfinite(slope)) {
            return p;
        }
    }
    if (!SideAgrees(term, x0, *y0, k, slope, -1) || !SideAgrees(term, x0, *y0, k, slope, 1)) {
        return p;
    }
    p.slope = slope == 0 ? 0.0 : slope; // no "-0"
    p.state = STangentPoint::EState::Defined;
    const SLine tangent = TangentLine(p);
    const SLine normal = NormalLine(p);
    if (!std::isfinite(tangent.intercept) ||
        (p.slope != 0 && !(std::isfinite(normal.slope) && std::isfinite(normal.intercept)))) {
        p.state = STangentPoint::EState::Overflow;
    }
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
        case STangentPoint::EState::Overflow:
            add(SResultMessage{EResultMessage::TangentOverflow, {x0}});
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
