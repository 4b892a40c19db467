#pragma once

#include "analysis/DiscussOptions.h"
#include "analysis/ExactZeros.h"
#include "document/GraphFunction.h"
#include "document/Scaling.h"

class IAnalysisSink;

// The five scans of the curve discussion. Each runs over the scaling's x range, repeats for every
// family value of the function, appends its lines to the sink and reports progress there. They
// write nothing back and keep nothing between runs.
//
// The precision (1 to 10; anything else is taken as the nearer end) sets the scan step of the
// zeros, extrema, inflection and monotony scans; the value table steps by the x-axis step. With
// options.exact (the program's default) those four are the discussion piece by piece of
// PieceDiscussion.h; without it they are the raster scan, unchanged.

void ComputeValueTable(const CGraphFunction& function, const CScaling& scaling, IAnalysisSink& sink);
void ComputeValueTable(const CGraphFunction& function, const CScaling& scaling,
                       const SDiscussOptions& options, IAnalysisSink& sink);
void ComputeZeros(const CGraphFunction& function, const CScaling& scaling, int precision,
                  const SDiscussOptions& options, IAnalysisSink& sink);
void ComputeZeros(const CGraphFunction& function, const CScaling& scaling, int precision,
                  IAnalysisSink& sink);
void ComputeExtrema(const CGraphFunction& function, const CScaling& scaling, int precision,
                    const SDiscussOptions& options, IAnalysisSink& sink);
void ComputeExtrema(const CGraphFunction& function, const CScaling& scaling, int precision,
                    IAnalysisSink& sink);
void ComputeInflections(const CGraphFunction& function, const CScaling& scaling, int precision,
                        const SDiscussOptions& options, IAnalysisSink& sink);
void ComputeInflections(const CGraphFunction& function, const CScaling& scaling, int precision,
                        IAnalysisSink& sink);
void ComputeMonotony(const CGraphFunction& function, const CScaling& scaling, int precision,
                     const SDiscussOptions& options, IAnalysisSink& sink);
void ComputeMonotony(const CGraphFunction& function, const CScaling& scaling, int precision,
                     IAnalysisSink& sink);
