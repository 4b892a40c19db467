#pragma once

#include "view/DerivedCurveValues.h"

#include <QObject>

// What a drawing borrows from the curve discussion (view/DerivedCurveValues.h): the antiderivative's
// quadrature, the Ortskurven and the poles that automatic scaling looks past.
//
// An Ortskurve costs a discussion per value of k on a fine grid: each is kept per term, family
// range, precision, kind and x range, and computed again only when one of them changes. The
// precision is the values dialog's ("Settings", "Precision").

// For pictures that must be complete when drawn (printing, export, the results sheet): an Ortskurve
// not kept yet is computed before the sampler returns.
SCurveSamplers CurveSamplers();

// For the window, whose repaint must not wait for a discussion: an Ortskurve not kept yet is computed
// on a worker thread, and meanwhile drawn as last computed for the same family on another x range
// (or not at all). LocusNotifier() tells when it is ready.
SCurveSamplers WindowCurveSamplers();

class CLocusNotifier final : public QObject
{
    Q_OBJECT

signals:
    // An Ortskurve computed on a worker has been kept; the windows that draw it repaint.
    void computed();
};

// The one notifier, living on the thread that first asked for it (the window's).
CLocusNotifier& LocusNotifier();
