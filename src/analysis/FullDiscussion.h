#pragma once

#include "analysis/DiscussOptions.h"

class CGraphFunction;
class CScaling;
class IAnalysisSink;

// The whole curve discussion ("Kurvendiskussion") of f on the scaling's x range, in the order of
// the school's list, one block per item:
//   the head (function and range), Definitionsbereich with its poles, gaps, jumps and edges,
//   Symmetrie, y-Achsenabschnitt, Nullstellen, Extrempunkte, Wendepunkte, the behaviour for
//   x toward ±infinity and at the poles, Asymptoten, Monotonie, Krümmung and Wertebereich.
// Points and intervals come from the default discussion (PieceDiscussion.h) and the places from
// the domain service (Domain.h); what lies beyond the range (the behaviour far out, oblique and
// horizontal asymptotes, symmetry) is found by evaluation and marked numerical where it is not
// proved. With a family every block lists each family value in turn, with its k.
void ComputeFullDiscussion(const CGraphFunction& function, const CScaling& scaling, int precision,
                           const SDiscussOptions& options, IAnalysisSink& sink);
