#pragma once

#include "document/GraphFunction.h"
#include "document/Scaling.h"

class CThreadPool;
#include <functional>
#include <optional>

class IAnalysisSink;

// The five scans of the curve discussion. Each runs over the scaling's x range, repeats for every
// family value of the function, appends its lines to the sink and reports progress there. They
// write nothing back and keep nothing between runs.
//
// The precision (1 to 10; anything else is taken as the nearer end) sets the scan step of the
// zeros, extrema, inflection and monotony scans; the value table steps by the x-axis step.

// The order is the order of the values dialog's selector and of the command line's names.
enum class EAnalysis : int
{
    ValueTable = 0,
    Zeros = 1,
    Extrema = 2,
    Inflections = 3,
    Monotony = 4,
    Intersections = 5,
    Tangent = 6,
    Integral = 7
};

// What the analyses after the monotony need beyond one function. The intersections need `with`,
// the integral may have it (it then integrates f - g); the tangent takes `at`. Limits that are
// not given are the ends of the scaling's x range.
struct SAnalysisInputs
{
    const CGraphFunction* with{nullptr};
    // The second function is the first one itself (picked twice in the dialog).
    bool withItself{false};
    double at{0.0};
    std::optional<double> from;
    std::optional<double> to;
};

// How a discussion is shown. In the exact mode each point (a run of band hits, a crossing that
// lies between two scan points, a touching point) yields one line, at the point refined to full
// double precision; otherwise every scan point that passes yields its own line. digits is the
// number of decimals every number is shown with at most (1 to 15).
struct SDiscussOptions
{
    bool exact{false};
    int digits{5};
    // The threads the scan computes on; the shared pool when not given. The lines are the same
    // whatever the pool.
    CThreadPool* threads{nullptr};
};

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

// Runs the scan of the given kind (the precision is not used by the value table).
void RunAnalysis(EAnalysis kind, const CGraphFunction& function, const CScaling& scaling, int precision,
                 IAnalysisSink& sink);
void RunAnalysis(EAnalysis kind, const CGraphFunction& function, const CScaling& scaling, int precision,
                 const SDiscussOptions& options, IAnalysisSink& sink);

// Every analysis, the three after the monotony with their inputs (a missing second function for
// the intersections yields nothing).
void RunAnalysis(EAnalysis kind, const CGraphFunction& function, const CScaling& scaling, int precision,
                 const SDiscussOptions& options, const SAnalysisInputs& inputs, IAnalysisSink& sink);

// The zeros of the exact mode, one call of found(k, x) per point in order, for every family value
// between groupStart(k) and groupEnd(k); the sink gets the progress and may stop the scan but no
// lines. The intersections and the pieces of an integral stand on it.
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

// The result texts of the scans, as the string table holds them.
inline constexpr const char* kNoZerosText = "Es wurden keine Nullstellen gefunden.";        // 1204
inline constexpr const char* kNoExtremaText = "Es wurden keine Extremwerte gefunden.";      // 1205
inline constexpr const char* kNoInflectionsText = "Es wurden keine Wendestellen gefunden."; // 1206
inline constexpr const char* kRisingText = "steigend";                                      // 1207
inline constexpr const char* kFallingText = "fallend";                                      // 1208
