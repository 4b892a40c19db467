#pragma once

#include "document/GraphFunction.h"
#include "document/Scaling.h"

#include <functional>

class IAnalysisSink;

// What the analyses of two functions stand on: the exact zeros and the scan step. They stay out of
// the headers of the scans of one function so that the intersections and the integral see nothing
// above themselves.

// The zeros of the default discussion (PieceDiscussion.cpp), only where f is defined, one call of
// found(k, x) per point in order, for every family value between groupStart(k) and groupEnd(k); the
// sink may stop the scan but gets no lines. The intersections and the pieces of an integral stand
// on it.
struct SZeroVisitor
{
    std::function<void(double k)> groupStart;
    std::function<void(double k, double x)> found;
    std::function<void(double k)> groupEnd;
};
void ScanExactZeros(const CGraphFunction& function, const CScaling& scaling, int precision,
                    IAnalysisSink& sink, const SZeroVisitor& visitor);

// The precision limited to 1..10: 11 would make the scan step 0 and the scan endless.
int ClampPrecision(int precision);

// The scan step of a precision, (11 - p) * 10^10 * 2^-52 with 11 - p formed as an integer; the
// precision is clamped first.
double ScanStep(int precision);
