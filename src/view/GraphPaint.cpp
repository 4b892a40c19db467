#include "view/GraphPaint.h"

#include "document/StepLoop.h"
#include "engine/Graph.h"
#include "view/DrawLimits.h"

#include <iterator>

std::size_t FunctionsWithinCurveBudget(const CFunctionList& functions)
{
    long long curves = 0;
    for (std::size_t i = 0; i < functions.size(); ++i) {
        // A function with an empty term is passed over by the drawing and costs nothing.
        if (!functions[i].GetTerm().empty()) {
            curves += CountFamilyValues(functions[i]);
        }
        if (curves > kMaxCurvesPerDrawing) {
            return i;
        }
    }
    return functions.size();
}

CScaling PaintGraph(CDrawContext& dc, const CRect& rect, const CFunctionList& functions,
                    const CObjectList& objects, const CScaling& scaling, bool* curvesLeftOut)
{
    const std::size_t drawn = FunctionsWithinCurveBudget(functions);
    if (curvesLeftOut != nullptr) {
        *curvesLeftOut = drawn < functions.size();
    }
    CGraph graph;
    graph.Functions().assign(functions.begin(),
                             std::next(functions.begin(), static_cast<std::ptrdiff_t>(drawn)));
    graph.Objects() = objects;
    graph.Scaling() = scaling;
    graph.Draw(dc, rect, kMinimumFontHeight);
    return graph.Scaling();
}
