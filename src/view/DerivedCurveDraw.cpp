// The drawing of the curves derived from functions: f', f'' and F, each with its legend line.
#include "view/Graph.h"

#include "document/StepLoop.h"
#include "view/CurvePolyline.h"
#include "view/DrawContext.h"
#include "view/DrawLimits.h"
#include "view/GraphLayout.h"

#include <memory>
#include <vector>

void CGraph::DrawDerivedCurves(CDrawContext& dc, const CGraphLayout& map, const CRect& rect,
                               std::span<const double> xs, int fh, bool showTerms)
{
    std::vector<double> values(xs.size());
    std::vector<std::uint8_t> undefined(xs.size());
    for (std::size_t j = 0; j < m_derived.size(); ++j) {
        const CDerivedCurve& curve = m_derived[j];
        const std::size_t source = curve.GetSource();
        if (source >= m_functions.size() || m_functions[source].GetTerm().empty()) {
            continue;
        }
        dc.SetTextColor(curve.GetColor());
        dc.SelectPen(PenOfStroke(curve.GetStroke(), curve.GetColor()));
        if (showTerms) {
            dc.TextOut(map.Mx(), rect.top + 5 + static_cast<int>(m_functions.size() + j) * (fh + 2),
                       DerivedCurveLegend(m_functions, curve));
        }
        if (IsLocusKind(curve.GetKind())) {
            DrawLocus(dc, map, rect, curve);
            continue;
        }
        const CCompiledTerm compiled{m_functions[source].GetTerm()};
        if (compiled.HasSyntaxError()) {
            continue;
        }
        const auto drawMember = [&](double k) {
            DerivedCurveValues(compiled, curve, k, m_samplers.antiderivative, xs, values, undefined);
            DrawCurvePolyline(dc, map, rect, xs, values, undefined, CDevicePoint{});
        };
        // With a slider on its source, the curve follows the member the slider shows.
        if (m_focus && m_focus->function == source) {
            drawMember(m_focus->k);
            continue;
        }
        const int cap =
            curve.GetKind() == EDerivedKind::Antiderivative ? kMaxAntiderivativeMembers : kMaxFamilyCurves;
        int curves = 0;
        ForEachFamilyValue(m_functions[source], [&](double k) {
            drawMember(k);
            return ++curves < cap;
        });
    }
}

void CGraph::DrawLocus(CDrawContext& dc, const CGraphLayout& map, const CRect& rect, const CDerivedCurve& curve)
{
    if (m_samplers.locus == nullptr) {
        return;
    }
    // The whole family's Ortskurve, whatever member a slider shows: it is where the member's points
    // go as k moves.
    const std::shared_ptr<const LocusBranches> branches =
        m_samplers.locus(m_functions[curve.GetSource()], curve.GetKind() == EDerivedKind::LocusOfInflections,
                         m_scaling);
    std::vector<double> xs;
    std::vector<double> ys;
    std::vector<std::uint8_t> failed;
    for (const std::vector<SWorldPoint>& branch : *branches) {
        xs.clear();
        ys.clear();
        for (const SWorldPoint& p : branch) {
            xs.push_back(p.x);
            ys.push_back(p.y);
        }
        failed.assign(xs.size(), 0);
        DrawCurvePolyline(dc, map, rect, xs, ys, failed, CDevicePoint{});
    }
}
