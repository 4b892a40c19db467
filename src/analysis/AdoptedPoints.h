#pragma once

#include "analysis/AnalysisResult.h"
#include "document/GraphObject.h"

#include <vector>

// The points among the results of the zeros, extrema, inflection or intersection scan as point
// objects of the graph, in order, labelled with their letter and their number among the points of
// that letter: "N1", "N2", "H1", "T1", "S1", "W1". In a family the numbers count within each value
// of k and the label names it: "H1 (k=2)". A point lies where the list shows it, at the decimals
// of its result. Results that are no point (messages, intervals, table rows) yield nothing.
std::vector<CGraphObject> PointObjects(const std::vector<SAnalysisResult>& results);

// Whether the results hold a point to adopt.
bool HasPoints(const std::vector<SAnalysisResult>& results);
