#include "analysis/CurveAnalysis.h"

#include "analysis/AnalysisSink.h"
#include "document/StepLoop.h"
#include "engine/CompiledTerm.h"
#include "engine/Derivatives.h"
#include "engine/Graph.h"
#include "engine/ParallelBatch.h"

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace {

// 10^10 * 2^-52: the scan step of the finest precision.
constexpr double kStepUnit = 2.220446049250313e-06;

std::string Num(double value)
{
    return CGraph::FormatNumber(value);
}

// Strictly inside (-t, t). A value that is not a number is never inside.
bool InBand(double value, double t)
{
    return -t < value && value < t;
}

// Strictly outside [-t, t], or not a number. Not the negation of InBand: a value of exactly t is
// neither inside the band nor beyond it.
bool BeyondBand(double value, double t)
{
    return value > t || value < -t || std::isnan(value);
}

// The progress of one run. The work estimate counts intervals while the loops visit both ends, and
// with a family it runs ahead of the real work, so the position is held to 0..100; without a
// usable estimate (0, negative, infinite, not a number) the indicator stays at 0.
class CProgress
{
public:
    CProgress(IAnalysisSink& sink, double estimate)
        : m_sink{sink}, m_estimate{estimate}, m_shown{std::isfinite(estimate) && estimate > 0}
    {
        m_sink.SetProgress(0);
    }

    void PointDone()
    {
        ++m_points;
        if (!m_shown) {
            return;
        }
        const double share = (static_cast<double>(m_points) / m_estimate) * 100;
        const int position = share >= 100 ? 100 : static_cast<int>(share);
        if (position != m_position) {
            m_position = position;
            m_sink.SetProgress(position);
        }
    }

    void Finish() { m_sink.SetProgress(0); }

private:
    IAnalysisSink& m_sink;
    double m_estimate;
    bool m_shown;
    // Counted over all family values of the run, never reset between them.
    std::int64_t m_points{0};
    int m_position{0};
};

// The frame every scan shares: the k loop over the family, the x loop over the axis by repeated
// addition of the scan step, one compiled term for the whole run, and the progress.
//
// Each scan point starts with one quantity (f, f' or f'') that decides whether the point needs
// more. That quantity is computed ahead for a chunk of points on every core; the points are then
// visited in order on the calling thread, which computes whatever else a point needs and emits
// the lines and the progress, exactly as a point-by-point run would.
class CScan
{
public:
    CScan(const CGraphFunction& function, const CScaling& scaling, double step, IAnalysisSink& sink)
        : m_function{function}, m_term{function.GetTerm()}, m_family{function.GetUseFamilyConstant() != 0},
          m_step{step}, m_sink{sink}, m_progress{sink, Estimate(function, scaling, step)}
    {
        double xStep{};
        scaling.GetXRange(m_xFrom, m_xTo, xStep);
    }

    bool Family() const { return m_family; }
    double XFrom() const { return m_xFrom; }
    double XTo() const { return m_xTo; }
    IAnalysisSink& Sink() { return m_sink; }

    double Value(double x, double k, int order) { return EvaluateOrder(m_term, x, k, order); }

    // "k = 2; " in front of every result of a family, nothing otherwise.
    std::string Prefix(double k) const { return m_family ? "k = " + Num(k) + "; " : std::string{}; }

    // point(x, k, first) gets the value of the given order at (x, k) as `first`.
    template <class GroupStart, class Point, class GroupEnd>
    void Run(int firstOrder, GroupStart&& groupStart, Point&& point, GroupEnd&& groupEnd)
    {
        std::vector<double> xs;
        std::vector<double> first;
        ForEachFamilyValue(m_function, [&](double k) {
            groupStart(k);
            // The x values are the running sum of the steps, taken in order; only their chunking
            // is new.
            double x = m_xFrom;
            bool more = x <= m_xTo;
            while (more) {
                xs.clear();
                while (more && xs.size() < kChunk) {
                    xs.push_back(x);
                    const double next = x + m_step;
                    more = next > x && next <= m_xTo;
                    x = next;
                }
                first.resize(xs.size());
                EvaluateOrderInParallel(m_term, xs, k, firstOrder, first);
                for (std::size_t i = 0; i < xs.size(); ++i) {
                    point(xs[i], k, first[i]);
                    m_progress.PointDone();
                    if (m_sink.Stopped()) {
                        return false;
                    }
                }
            }
            groupEnd(k);
            return !m_sink.Stopped();
        });
    }

    void Finish() { m_progress.Finish(); }

private:
    // Points computed ahead at a time: enough to keep every core busy, few enough that the
    // progress moves often.
    static constexpr std::size_t kChunk = 1 << 15;

    // Taken with the stored k step, before a step of 0 is replaced for the loop.
    static double Estimate(const CGraphFunction& function, const CScaling& scaling, double step)
    {
        double xFrom{};
        double xTo{};
        double xStep{};
        scaling.GetXRange(xFrom, xTo, xStep);
        double estimate = (xTo - xFrom) / step;
        if (function.GetUseFamilyConstant() != 0) {
            double kFrom{};
            double kTo{};
            double kStep{};
            function.GetRange(kFrom, kTo, kStep);
            estimate = estimate * ((kTo - kFrom) / kStep);
        }
        return estimate;
    }

    const CGraphFunction& m_function;
    CCompiledTerm m_term;
    bool m_family;
    double m_xFrom{};
    double m_xTo{};
    double m_step;
    IAnalysisSink& m_sink;
    CProgress m_progress;
};

// Zeros, extrema and inflection points: every scan point for which classify() gives a letter
// yields its own line; nothing is merged. A family separates its groups by an empty line, but
// only after a group that found something.
template <class Classify>
void ScanForPoints(CScan& scan, int firstOrder, Classify&& classify, const char* nothingFound)
{
    IAnalysisSink& sink = scan.Sink();
    std::int64_t total = 0;
    std::int64_t inGroup = 0;
    scan.Run(firstOrder, [&](double) { inGroup = 0; },
             [&](double x, double k, double first) {
                 const char letter = classify(x, k, first);
                 if (letter == 0) {
                     return;
                 }
                 const double y = scan.Value(x, k, 0);
                 sink.AddLine(scan.Prefix(k) + letter + " ( " + Num(x) + " | " + Num(y) + " )");
                 ++inGroup;
                 ++total;
             },
             [&](double) {
                 if (scan.Family() && inGroup > 0) {
                     sink.AddLine(std::string{});
                 }
             });
    if (total == 0) {
        sink.AddLine(nothingFound);
    }
    scan.Finish();
}

} // namespace

int ClampPrecision(int precision)
{
    return precision < 1 ? 1 : precision > 10 ? 10 : precision;
}

double ScanStep(int precision)
{
    return static_cast<double>(11 - ClampPrecision(precision)) * kStepUnit;
}

void ComputeValueTable(const CGraphFunction& function, const CScaling& scaling, IAnalysisSink& sink)
{
    double xFrom{};
    double xTo{};
    double xStep{};
    scaling.GetXRange(xFrom, xTo, xStep);
    CScan scan{function, scaling, xStep, sink};
    const bool family = scan.Family();
    sink.SetTableColumns(family ? 5 : 4);
    sink.AddLine(family ? "x\tf(x)\tf'(x)\tf''(x)\tk" : "x\tf(x)\tf'(x)\tf''(x)");
    sink.AddLine(std::string{});
    scan.Run(0, [](double) {},
             [&](double x, double k, double y) {
                 const double d1 = scan.Value(x, k, 1);
                 const double d2 = scan.Value(x, k, 2);
                 std::string line = Num(x) + '\t' + Num(y) + '\t' + Num(d1) + '\t' + Num(d2);
                 if (family) {
                     line += '\t' + Num(k);
                 }
                 sink.AddLine(std::move(line));
             },
             [&](double) {
                 if (family) {
                     sink.AddLine(std::string{});
                 }
             });
    scan.Finish();
}

void ComputeZeros(const CGraphFunction& function, const CScaling& scaling, int precision, IAnalysisSink& sink)
{
    const double h = ScanStep(precision);
    CScan scan{function, scaling, h, sink};
    ScanForPoints(
        scan, 0,
        [&](double, double, double y) -> char {
            const double t = h / 2.0;
            return InBand(y, t) ? 'N' : 0;
        },
        kNoZerosText);
}

void ComputeExtrema(const CGraphFunction& function, const CScaling& scaling, int precision,
                    IAnalysisSink& sink)
{
    const double h = ScanStep(precision);
    CScan scan{function, scaling, h, sink};
    ScanForPoints(
        scan, 1,
        [&](double x, double k, double d1) -> char {
            const double t = h / 2.0;
            if (!InBand(d1, t)) {
                return 0;
            }
            const double d2 = scan.Value(x, k, 2);
            // Taken even when the second derivative decides, so that every point in the band
            // costs the same.
            const double d3 = scan.Value(x, k, 3);
            if (d2 < 0 || std::isnan(d2)) {
                return 'H';
            }
            if (d2 > 0) {
                return 'T';
            }
            return BeyondBand(d3, t) ? 'S' : 0;
        },
        kNoExtremaText);
}

void ComputeInflections(const CGraphFunction& function, const CScaling& scaling, int precision,
                        IAnalysisSink& sink)
{
    const double h = ScanStep(precision);
    CScan scan{function, scaling, h, sink};
    ScanForPoints(
        scan, 2,
        [&](double x, double k, double d2) -> char {
            const double t = h / 2.0;
            if (!InBand(d2, t)) {
                return 0;
            }
            const double d1 = scan.Value(x, k, 1);
            const double d3 = scan.Value(x, k, 3);
            if (!BeyondBand(d3, t)) {
                return 0;
            }
            return InBand(d1, t) ? 'S' : 'W';
        },
        kNoInflectionsText);
}

void ComputeMonotony(const CGraphFunction& function, const CScaling& scaling, int precision,
                     IAnalysisSink& sink)
{
    const double h = ScanStep(precision);
    CScan scan{function, scaling, h, sink};
    std::string pending;
    const auto open = [&](double x, double k) { pending = scan.Prefix(k) + "[ " + Num(x) + "; "; };
    scan.Run(1, [&](double k) { open(scan.XFrom(), k); },
             [&](double x, double k, double d1) {
                 const double t = h / 2.0;
                 if (!InBand(d1, t)) {
                     return;
                 }
                 // A flat point closes the interval before it: rising into a maximum (f'' < 0),
                 // falling otherwise.
                 const double d2 = scan.Value(x, k, 2);
                 const char* word = (d2 < 0 || std::isnan(d2)) ? kRisingText : kFallingText;
                 sink.AddLine(pending + Num(x) + " ] monoton " + word);
                 open(x, k);
             },
             [&](double k) {
                 // The last interval takes its direction from the slope at the axis end itself,
                 // not at the last scan point, which may fall short of it.
                 const double d1 = scan.Value(scan.XTo(), k, 1);
                 const char* word = (d1 < 0 || std::isnan(d1)) ? kFallingText : kRisingText;
                 sink.AddLine(pending + Num(scan.XTo()) + " ] monoton " + word);
                 if (scan.Family()) {
                     sink.AddLine(std::string{});
                 }
             });
    scan.Finish();
}

void RunAnalysis(EAnalysis kind, const CGraphFunction& function, const CScaling& scaling, int precision,
                 IAnalysisSink& sink)
{
    switch (kind) {
    case EAnalysis::ValueTable:
        ComputeValueTable(function, scaling, sink);
        break;
    case EAnalysis::Zeros:
        ComputeZeros(function, scaling, precision, sink);
        break;
    case EAnalysis::Extrema:
        ComputeExtrema(function, scaling, precision, sink);
        break;
    case EAnalysis::Inflections:
        ComputeInflections(function, scaling, precision, sink);
        break;
    case EAnalysis::Monotony:
        ComputeMonotony(function, scaling, precision, sink);
        break;
    }
}
