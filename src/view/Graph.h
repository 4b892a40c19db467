#pragma once

#include "document/DerivedCurve.h"
#include "document/GraphFunction.h"
#include "document/GraphObject.h"
#include "document/KeptArea.h"
#include "document/Scaling.h"
#include "engine/NumberText.h"
#include "view/DerivedCurveValues.h"
#include "view/FamilyFocus.h"

#include <optional>
#include <span>
#include <vector>

class CDrawContext;
class CGraphLayout;
struct CRect;

// A graph to draw: copies of a document's functions, objects and scaling. Whoever needs a picture
// builds one, fills in what it needs, draws and throws it away. The terms are evaluated through
// their compiled form; the error flags (engine/ErrorFlags.h) are left as the samples leave them.
class CGraph
{
public:
    // Clears both error flags.
    CGraph();

    CFunctionList& Functions() { return m_functions; }
    CObjectList& Objects() { return m_objects; }
    CScaling& Scaling() { return m_scaling; }
    // Kept areas, drawn behind everything but the white of the rectangle; an area of a function
    // that is not on the list is passed over.
    CAreaList& Areas() { return m_areas; }
    const CFunctionList& Functions() const { return m_functions; }
    const CObjectList& Objects() const { return m_objects; }
    const CScaling& Scaling() const { return m_scaling; }
    // The curves drawn from the functions, after them and in the legend's lines below theirs.
    // Their sources are indices into Functions(); a curve whose source is not there is passed over.
    CDerivedList& Derived() { return m_derived; }
    // Where the antiderivatives' values come from; without one they are not drawn.
    void SetAntiderivativeSampler(AntiderivativeSampler sampler) { m_samplers.antiderivative = sampler; }
    // The same for every curve that needs the curve discussion: antiderivatives, Ortskurven, and the
    // poles automatic scaling looks past.
    void SetSamplers(const SCurveSamplers& samplers) { m_samplers = samplers; }
    // The separator of the axis labels and of the "x=" label of a vertical line; the point
    // unless the user chose the comma.
    void SetDecimalSeparator(EDecimalSeparator separator) { m_separator = separator; }

    // Singles out one member of a family (see SFamilyFocus); nothing draws every family as usual.
    void SetFamilyFocus(const std::optional<SFamilyFocus>& focus) { m_focus = focus; }

    // Frame, axes, ticks, labels, grid, objects, legend and curves into rect, with text at least
    // minimumFontHeight high. With automatic y scaling on, the y range is found first and stays in
    // the scaling for the caller to read back; so do the ranges widened for equal units.
    void Draw(CDrawContext& dc, const CRect& rect, int minimumFontHeight);
    // Sets the y range and step of the scaling from sampled values of every function, aiming at
    // about `intervals` tick intervals.
    void AutoScaleY(int intervals);

private:
    void DrawDerivedCurves(CDrawContext& dc, const CGraphLayout& map, const CRect& rect,
                           std::span<const double> xs, int fh, bool showTerms);
    void DrawLocus(CDrawContext& dc, const CGraphLayout& map, const CRect& rect, const CDerivedCurve& curve);
    // The y values automatic scaling takes from the derived curves, into lo and hi.
    void WidenByDerived(std::span<const double> xs, double& lo, double& hi) const;
    // xs without the samples beside a pole of f at k (none without a pole finder).
    std::vector<double> SamplesAwayFromPoles(const CCompiledTerm& f, double k, std::span<const double> xs,
                                             double step) const;

    CFunctionList m_functions;
    CDerivedList m_derived;
    SCurveSamplers m_samplers;
    CObjectList m_objects;
    CScaling m_scaling;
    CAreaList m_areas;
    EDecimalSeparator m_separator{EDecimalSeparator::Point};
    std::optional<SFamilyFocus> m_focus;
};
