#pragma once

#include "document/GraphObject.h"

#include <string>
#include <vector>

// The points of a result list of the zeros, extrema or inflection scan as point objects of the
// graph, in list order, labelled with their letter and their number among the points of that
// letter: "N1", "N2", "H1", "T1", "S1", "W1". In a family the numbers count within each value of
// k and the label names it: "H1 (k=2)". Lines that are no point (messages, empty lines, intervals,
// table rows) yield nothing.
std::vector<CGraphObject> PointsFromResultLines(const std::vector<std::string>& lines);
