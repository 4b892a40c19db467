#pragma once

#include "view/DerivedCurveValues.h"

#include <functional>

// What a drawing borrows from the curve discussion (view/DerivedCurveValues.h): the antiderivative's
// quadrature, the Ortskurven and the poles that automatic scaling looks past.
//
// The poles are kept too (framework/KeptPoles.h), per term, range and k.
//
// An Ortskurve costs a discussion per value of k on a fine grid: each is kept per term, family
// range, precision, kind and x range, and computed again only when one of them changes. The
// precision is the values dialog's ("Settings", "Precision").

// For pictures that must be complete when drawn (printing, export, the results sheet): an Ortskurve
// not kept yet is computed before the sampler returns.
SCurveSamplers CurveSamplers();

// For the window, whose repaint must not wait for a discussion: an Ortskurve not kept yet is computed
// on a worker thread, and meanwhile drawn as last computed for the same family on another x range
// (or not at all). WhenLocusComputed's handler tells when it is ready.
SCurveSamplers WindowCurveSamplers();

// Called on the worker when an Ortskurve computed there has been kept. The window sets it once; it
// must be safe to call from any thread. Plain C++ rather than a signal, so that the export programs,
// which link this file, need nothing of the window's.
void WhenLocusComputed(std::function<void()> handler);
