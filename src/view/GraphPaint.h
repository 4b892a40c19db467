#pragma once

#include "document/DerivedCurve.h"
#include "document/GraphFunction.h"
#include "document/GraphObject.h"
#include "document/KeptArea.h"
#include "document/Scaling.h"
#include "engine/NumberText.h"
#include "view/DerivedCurveValues.h"
#include "view/DrawContext.h"
#include "view/FamilyFocus.h"

#include <cstddef>
#include <optional>

// What painting a view does on any device: a fresh CGraph (view/Graph.h) gets copies of the document's lists
// and scaling and draws them into rect with text at least 14 units high. Returns the scaling the
// drawing used (changed by automatic y scaling), for the document to record when it differs.
//
// One drawing draws kMaxCurvesPerDrawing curves at most: the functions are taken in list order as
// long as all curves of the next one fit. When functions were left out and curvesLeftOut is
// given, it is set to true (and to false otherwise), so that the caller can tell the user.
// Objects have a budget of their own, kMaxObjectsPerDrawing from the start of the list, told
// through objectsLeftOut in the same way; of a point label at most kMaxLabelCharactersDrawn
// characters are drawn. Numbers are labelled with the given separator. A focus singles out one
// member of a family (the slider's). The derived curves of the functions drawn follow, within
// what the budget leaves after the functions (a curve left out sets curvesLeftOut too); their
// antiderivatives and Ortskurven take their values from the samplers, and automatic scaling looks
// past the poles the samplers' pole finder names. Kept areas of functions the curve budget left
// out are not drawn.
CScaling PaintGraph(CDrawContext& dc, const CRect& rect, const CFunctionList& functions,
                    const CObjectList& objects, const CScaling& scaling, bool* curvesLeftOut = nullptr,
                    bool* objectsLeftOut = nullptr, EDecimalSeparator separator = EDecimalSeparator::Point,
                    const std::optional<SFamilyFocus>& focus = std::nullopt, const CDerivedList& derived = {},
                    const SCurveSamplers& samplers = {}, const CAreaList& areas = {});

// How many functions of the list, from its start, one drawing takes within its curve budget.
std::size_t FunctionsWithinCurveBudget(const CFunctionList& functions);
// How many objects of the list, from its start, one drawing takes within its object budget.
std::size_t ObjectsWithinObjectBudget(const CObjectList& objects);

// The text height below which the graph's labels are never drawn.
inline constexpr int kMinimumFontHeight = 14;
