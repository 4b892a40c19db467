#pragma once

#include "analysis/DiscussOptions.h"
#include "document/GraphFunction.h"
#include "document/Scaling.h"

class IAnalysisSink;

// f - g as one function, so that every scan of one function works on the pair. The family of f
// drives k in both terms; when f has none, the family of g does.
CGraphFunction DifferenceFunction(const CGraphFunction& f, const CGraphFunction& g);

// Whether f and g give the same value (or both fail) at every scan point of [from, to] for k.
bool AgreeAtEveryScanPoint(const CGraphFunction& f, const CGraphFunction& g, double k, double from, double to,
                           double step);

// The points where the graphs of f and g meet over the scaling's x range: the zeros of f - g, as
// the exact zeros find and refine them, one line "S ( x | y )" each, " berührend" added where the
// graphs touch without crossing. Nothing is reported at a pole or a jump of either function.
void ComputeIntersections(const CGraphFunction& f, const CGraphFunction& g, bool sameFunction,
                          const CScaling& scaling, int precision, const SDiscussOptions& options,
                          IAnalysisSink& sink);

