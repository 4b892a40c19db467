#include "analysis/Tangent.h"

#include "analysis/AnalysisSink.h"
#include "analysis/TermText.h"
#include "document/StepLoop.h"
#include "document/TextEncoding.h"
#include "engine/CompiledTerm.h"
#include "engine/Derivatives.h"
#include "engine/ErrorFlags.h"
#include "engine/NumberText.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace {

constexpr double kEpsilon = std::numeric_limits<double>::epsilon();

std::string Replace(const char* pattern, const std::string& value)
{
    std::string text{pattern};
    text.replace(text.find("%s"), 2, value);
    return text;
}

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
    const auto text = [&](double value) { return FormatNumber(value, options.digits); };
    const auto number = [&](double value) { return TermNumber(value, options.digits); };
    sink.SetProgress(0);
    ForEachFamilyValue(function, [&](double k) {
        const std::string prefix = family ? "k = " + text(k) + "; " : std::string{};
        const STangentPoint p = TangentAt(term, x0, k);
        switch (p.state) {
        case STangentPoint::EState::NotDefined:
            sink.AddLine(prefix + Replace(kTangentNotDefinedText, text(x0)));
            break;
        case STangentPoint::EState::NotDifferentiable:
            sink.AddLine(prefix + Replace(kTangentNotDifferentiableText, text(x0)));
            break;
        case STangentPoint::EState::Defined: {
            sink.AddLine(prefix + "P ( " + text(x0) + " | " + text(p.y0) + " )");
            sink.AddLine(prefix + "Steigung: " + text(p.slope));
            const SLine tangent = TangentLine(p);
            sink.AddLine(prefix +
                         "Tangente: y = " + LineTerm(number(tangent.slope), number(tangent.intercept)));
            if (p.slope == 0) {
                sink.AddLine(prefix + "Normale: x = " + number(x0));
            } else {
                const SLine normal = NormalLine(p);
                sink.AddLine(prefix +
                             "Normale: y = " + LineTerm(number(normal.slope), number(normal.intercept)));
            }
            break;
        }
        }
        if (family) {
            sink.AddLine(std::string{});
        }
        return !sink.Stopped();
    });
}

SAdoptedLines AdoptTangentLines(const CGraphFunction& function, double x0, bool normal)
{
    SAdoptedLines adopted;
    const CCompiledTerm term{function.GetTerm()};
    const bool family = function.GetUseFamilyConstant() != 0;
    ForEachFamilyValue(function, [&](double k) {
        const STangentPoint p = TangentAt(term, x0, k);
        if (p.state != STangentPoint::EState::Defined) {
            return;
        }
        std::string comment = (normal ? "Normale an f(x)=" : "Tangente an f(x)=") + function.GetTerm() +
                              " in x0 = " + FormatNumber(x0);
        if (family) {
            comment += " (k=" + FormatNumber(k) + ")";
        }
        if (normal && p.slope == 0) {
            CGraphObject line;
            line.SetKind(CGraphObject::VerticalLine);
            line.SetPosition(x0);
            line.SetCoordinates(x0, p.y0);
            line.SetColor(function.GetColor());
            line.SetComment(comment);
            adopted.lines.push_back(std::move(line));
            return;
        }
        const SLine line = normal ? NormalLine(p) : TangentLine(p);
        CGraphFunction adoptedFunction;
        adoptedFunction.SetTerm(LineTerm(TermNumberExact(line.slope), TermNumberExact(line.intercept)));
        adoptedFunction.SetComment(comment);
        adoptedFunction.SetColor(function.GetColor());
        adopted.functions.push_back(std::move(adoptedFunction));
    });
    return adopted;
}
