#pragma once

#include "document/DerivedCurve.h"
#include "document/GraphFunction.h"

#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

// A derived curve offered for discussion after the functions, as the values dialog lists it and
// --function counts it: f' and f'' as functions whose terms are the exact derivatives of their
// source's; F with its source's term and its start, from which AntiderivativeDiscussion.h makes F.
struct SDiscussedCurve
{
    CGraphFunction function; // named and coloured as the curve, with its source's family
    std::size_t source{0};
    std::size_t curve{0};                           // its place in the derived list
    std::optional<std::pair<double, double>> start; // (x0, y0) for F
};

// In the order of the derived list; an Ortskurve is no function of x, and a curve whose source has
// no derivative term (a term that does not read) is left out.
std::vector<SDiscussedCurve> DiscussedCurves(const CFunctionList& functions, const CDerivedList& derived);
