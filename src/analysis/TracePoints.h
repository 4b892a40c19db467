#pragma once

#include "document/GraphFunction.h"
#include "document/Scaling.h"

#include <optional>
#include <stop_token>
#include <string>
#include <vector>

// The points a trace marker snaps to: the zeros, extrema and inflection points of one curve, as
// the curve discussion finds them in its exact mode ("Genaue Werte").
struct STracePoint
{
    double x{0.0};
    double y{0.0};
    // The discussion's letter: N, H, T, W or S (a saddle, an inflection with a level tangent).
    char letter{'N'};
};

// The points of the curve with family constant k (ignored without a family) over the scaling's x
// range, ordered by x. The precision is the discussion's (1 to 10). A stop request ends the scans
// early, with the points found so far.
std::vector<STracePoint> TracePointsOf(const CGraphFunction& function, double k, const CScaling& scaling,
                                       int precision, std::stop_token stop = {});

// The same for the antiderivative F of the curve with F(x0) = y0: its zeros, and its extrema and
// inflection points where the curve and its slope change sign.
std::vector<STracePoint> AntiderivativeTracePointsOf(const CGraphFunction& function, double k, double x0,
                                                     double y0, const CScaling& scaling, int precision,
                                                     std::stop_token stop = {});

// The point nearest to x within tolerance (in x units), if any.
std::optional<STracePoint> SnapTracePoint(const std::vector<STracePoint>& points, double x, double tolerance);

// "Nullstelle", "Hochpunkt", "Tiefpunkt", "Wendepunkt" or "Sattelpunkt".
std::string TracePointName(char letter);

// The one curve of f's family with constant k, as a function of its own (f itself without a
// family): its family runs from k to k.
CGraphFunction FamilyMember(const CGraphFunction& function, double k);
