#pragma once

#include "analysis/DiscussOptions.h"
#include "analysis/LocusFit.h"
#include "document/GraphFunction.h"
#include "document/Scaling.h"

#include <functional>
#include <stop_token>
#include <vector>

class IAnalysisSink;

// The Ortskurve of a family: where its extrema (or inflection points) go as k runs. The exact points
// of the default discussion are found for k on a grid far finer than the family's step, and the
// points of one branch are joined from one k to the next; each branch gets its fit (LocusFit.h).

enum class ELocusOf
{
    Extrema,
    Inflections
};

struct SLocusPoint
{
    double k{};
    char letter{'H'};
    double x{};
    double y{};
    // Its number among the points of its letter for this k, from 1, as the discussion numbers them.
    int index{1};
    // k is one of the family's own values (not one of the grid's in between).
    bool familyValue{false};
};

struct SLocusBranch
{
    // H or T for extrema, W for inflection points (a saddle S among them stays on its branch).
    char kind{'H'};
    // In the order of k, one point for each k from the first to the last.
    std::vector<SLocusPoint> points;
    SLocusFit fit;
};

enum class ELocusOutcome
{
    Complete,
    NoFamily, // the function has one value of k only: there is nothing to follow
    Stopped
};

struct SLocus
{
    ELocusOutcome outcome{ELocusOutcome::Complete};
    std::vector<SLocusBranch> branches;
    // The values of k the points were computed for.
    int values{0};
    // Values of k where the discussion could not tell its points apart or f changes between defined
    // and not too often: no point is known there, so every branch through them ends.
    int unresolved{0};
};

// Values of k the grid aims at over the family's range; a family of more values keeps its own.
inline constexpr int kLocusGridValues = 400;

// The precision above which the Ortskurve looks no closer: each step of precision doubles the grid
// of every one of the hundreds of values of k, while the points are refined to full precision anyway.
inline constexpr int kLocusMaxPrecision = 3;

// The Ortskurve of f's extrema or inflection points on the scaling's x range, at the discussion's
// precision up to kLocusMaxPrecision; progress(0..100) is told after each k. A stop ends the run
// with the outcome Stopped.
// The values of k are computed on the threads of the pool (the shared one when none is given) and on
// the calling thread, which alone calls progress.
SLocus ComputeLocus(ELocusOf of, const CGraphFunction& function, const CScaling& scaling, int precision,
                    std::stop_token stop = {}, const std::function<void(int)>& progress = {},
                    CThreadPool* threads = nullptr);

// A corner of a polyline in world coordinates.
struct SLocusVertex
{
    double x{};
    double y{};
};

// The branches as polylines in the order of k, for drawing the Ortskurve as a curve of its own.
std::vector<std::vector<SLocusVertex>> LocusPolylines(const SLocus& locus);

// The lines of the Ortskurve for the values dialog and the command line: per branch a heading, the
// points at the family's own values of k and at the branch's ends, and its fit.
void ComputeLocusLines(ELocusOf of, const CGraphFunction& function, const CScaling& scaling, int precision,
                       const SDiscussOptions& options, IAnalysisSink& sink);
