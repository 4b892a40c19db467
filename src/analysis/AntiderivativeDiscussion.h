#pragma once

#include "analysis/AnalysisTable.h"
#include "analysis/DiscussOptions.h"
#include "document/GraphFunction.h"
#include "document/Scaling.h"

class IAnalysisSink;

// The discussion of an antiderivative F with F' = f and F(x0) = y0, for every family value of f,
// on the stretch of f's domain around x0 (AntiderivativeStretch.h) within the scaling's x range.
// F has no term: its values come from the quadrature, its derivatives are f and f'. So
//   value table   F, F' = f and F'' = f' at the steps of the x axis where F exists
//   zeros         where F is 0, sign changes and touching zeros alike
//   extrema       where f changes sign: H from + to -, T from - to +
//   inflections   where f' changes sign: S where f is 0 there as well, else W
//   monotony      the sign of f, curvature the sign of f'
// The lines read as a function's; where F does not reach over the whole range a line says where
// it exists. The discussion is always the refined one: F has no raster of its own to scan.

enum class EAntiderivativeScan
{
    ValueTable,
    Zeros,
    Extrema,
    Inflections,
    Monotony,
    Curvature
};

// `integrand` is f as the list holds it: its term and family; its name is F's, which heads the
// value table's columns.
void DiscussAntiderivative(EAntiderivativeScan scan, const CGraphFunction& integrand, double x0, double y0,
                           const CScaling& scaling, int precision, const SDiscussOptions& options,
                           IAnalysisSink& sink);

// An analysis of the values dialog's selector on F: the five above; any other says in a line that
// it is not available for an antiderivative.
void RunAntiderivativeAnalysis(EAnalysis kind, const CGraphFunction& integrand, double x0, double y0,
                               const CScaling& scaling, int precision, const SDiscussOptions& options,
                               IAnalysisSink& sink);
