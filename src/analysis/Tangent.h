#pragma once

#include "analysis/AnalysisResult.h"
#include "analysis/DiscussOptions.h"
#include "document/GraphFunction.h"
#include "document/GraphObject.h"

#include <string>
#include <vector>

class CCompiledTerm;
class IAnalysisSink;

// The tangent of f at x0 for one value of k.
struct STangentPoint
{
    enum class EState
    {
        Defined,
        NotDefined,        // f fails at x0 (or gives no number)
        NotDifferentiable, // the left and right slopes disagree, or there is no slope
        Overflow,          // the slope, or a number of the tangent or normal, exceeds a double
    };
    EState state{EState::NotDefined};
    double x0{};
    double y0{};
    double slope{};
};

STangentPoint TangentAt(const CCompiledTerm& term, double x0, double k);

// "P ( x0 | y0 )", "Steigung: m", "Tangente: y = …" and "Normale: y = …" (or "Normale: x = x0"
// for a slope of 0) for every family value, each equation a term that reads back as that line;
// one German line instead where f is not defined or not differentiable at x0.
void ComputeTangent(const CGraphFunction& function, double x0, const SDiscussOptions& options,
                    IAnalysisSink& sink);

// The tangents (or normals) of f at x0 as new functions, one per family value where there is one,
// their terms carrying every digit; a vertical normal becomes a vertical line among `lines`.
struct SAdoptedLines
{
    CFunctionList functions;
    CObjectList lines;
};
SAdoptedLines AdoptTangentLines(const CGraphFunction& function, double x0, bool normal);
// The same from the tangent results of f (ComputeTangent's) that a list holds.
SAdoptedLines AdoptTangentLines(const CGraphFunction& function, const std::vector<SAnalysisResult>& results,
                                bool normal);

