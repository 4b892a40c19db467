#pragma once

#include "analysis/DiscussOptions.h"
#include "analysis/ExactZeros.h"
#include "document/GraphFunction.h"
#include "document/Scaling.h"

class CSeriesSamples;
class IAnalysisSink;

// The default discussion: for every family value, the pieces of the x range on which f is defined
// and continuous (Domain.h), and on each piece the true points, one line each.
//   zeros        every x where f is 0, touching zeros and defined ends included
//   extrema      H or T only where f' changes sign, so never at a saddle or an end of the range
//   inflections  where f'' changes sign; S where f' is 0 there as well
//   monotony     the largest intervals on which f rises, falls or stays constant, split at the
//                extrema and at the borders of the pieces, whose brackets say whether the end
//                belongs to the interval
//   curvature    the same for the sign of f'': left and right bends, split at the inflections
// The precision sets the grid the sign changes are looked for on: 2^(10 + p) points over the range
// at first, more where they crowd. Every run is bounded; what cannot be resolved is said in a line.

enum class EPieceScan
{
    Zeros,
    Extrema,
    Inflections,
    Monotony,
    Curvature
};

// With samples, the scans given the same store share the samples of their grids: the scans of one
// discussion of one function on one range.
void ComputeOnPieces(EPieceScan scan, const CGraphFunction& function, const CScaling& scaling, int precision,
                     const SDiscussOptions& options, IAnalysisSink& sink, CSeriesSamples* samples = nullptr);
