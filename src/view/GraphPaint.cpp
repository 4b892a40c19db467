#include "view/GraphPaint.h"

#include "document/StepLoop.h"
#include "view/DrawLimits.h"
#include "view/Graph.h"

#include <algorithm>
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

std::size_t ObjectsWithinObjectBudget(const CObjectList& objects)
{
    return std::min(objects.size(), static_cast<std::size_t>(kMaxObjectsPerDrawing));
}

CScaling PaintGraph(CDrawContext& dc, const CRect& rect, const CFunctionList& functions,
                    const CObjectList& objects, const CScaling& scaling, bool* curvesLeftOut,
                    bool* objectsLeftOut, EDecimalSeparator separator,
                    const std::optional<SFamilyFocus>& focus, const CDerivedList& derived,
                    const SCurveSamplers& samplers, const CAreaList& areas)
{
    const std::size_t drawn = FunctionsWithinCurveBudget(functions);
    bool derivedLeftOut = false;
    CDerivedList drawnDerived;
    long long curves = 0;
    for (std::size_t i = 0; i < drawn; ++i) {
        curves += functions[i].GetTerm().empty() ? 0 : CountFamilyValues(functions[i]);
    }
    for (const CDerivedCurve& curve : derived) {
        if (curve.GetSource() >= drawn) {
            derivedLeftOut = derivedLeftOut || curve.GetSource() < functions.size();
            continue;
        }
        // An Ortskurve is one curve for the whole family.
        curves += IsLocusKind(curve.GetKind()) ? 1 : CountFamilyValues(functions[curve.GetSource()]);
        if (curves > kMaxCurvesPerDrawing) {
            derivedLeftOut = true;
            break;
        }
        drawnDerived.push_back(curve);
    }
    if (curvesLeftOut != nullptr) {
        *curvesLeftOut = drawn < functions.size() || derivedLeftOut;
    }
    const std::size_t drawnObjects = ObjectsWithinObjectBudget(objects);
    if (objectsLeftOut != nullptr) {
        *objectsLeftOut = drawnObjects < objects.size();
    }
    CGraph graph;
    graph.Functions().assign(functions.begin(),
                             std::next(functions.begin(), static_cast<std::ptrdiff_t>(drawn)));
    graph.Objects().reserve(drawnObjects);
    for (std::size_t i = 0; i < drawnObjects; ++i) {
        CGraphObject object = objects[i];
        if (object.GetLabel().size() > kMaxLabelCharactersDrawn) {
            object.SetLabel(object.GetLabel().substr(0, kMaxLabelCharactersDrawn));
        }
        graph.Objects().push_back(std::move(object));
    }
    graph.Derived() = std::move(drawnDerived);
    graph.SetSamplers(samplers);
    graph.Scaling() = scaling;
    graph.Areas() = areas;
    graph.SetDecimalSeparator(separator);
    if (focus && focus->function < drawn) {
        graph.SetFamilyFocus(focus);
    }
    graph.Draw(dc, rect, kMinimumFontHeight);
    return graph.Scaling();
}
