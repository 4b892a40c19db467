#include "analysis/CurveAnalysis.h"

#include "analysis/AnalysisSink.h"
#include "analysis/ChunkedRun.h"
#include "document/StepLoop.h"
#include "engine/CompiledTerm.h"
#include "engine/Derivatives.h"
#include "engine/Graph.h"

#include <cmath>
#include <cstdint>
#include <optional>
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

    // `points` more points done. The position moves exactly as it would point by point: it only
    // grows with the count, so between two counts of the same position there is no other.
    void Advance(std::int64_t points)
    {
        const std::int64_t target = m_points + points;
        if (!m_shown) {
            m_points = target;
            return;
        }
        while (m_points < target) {
            if (Position(target) == m_position) {
                m_points = target;
                return;
            }
            // The first count in (m_points, target] at a new position.
            std::int64_t same = m_points;
            std::int64_t moved = target;
            while (moved - same > 1) {
                const std::int64_t middle = same + (moved - same) / 2;
                (Position(middle) == m_position ? same : moved) = middle;
            }
            m_points = moved;
            m_position = Position(moved);
            m_sink.SetProgress(m_position);
        }
    }

    void Finish() { m_sink.SetProgress(0); }

private:
    int Position(std::int64_t points) const
    {
        const double share = (static_cast<double>(points) / m_estimate) * 100;
        return share >= 100 ? 100 : static_cast<int>(share);
    }

    IAnalysisSink& m_sink;
    double m_estimate;
    bool m_shown;
    // Counted over all family values of the run, never reset between them.
    std::int64_t m_points{0};
    int m_position{0};
};

// A scan point that yields something: its place in the chunk, its x and what the scan found there.
template <class Found> struct SHit
{
    std::size_t index;
    double x;
    Found found;
};

// The frame every scan shares: the k loop over the family, the x loop over the axis by repeated
// addition of the scan step, one compiled term for the whole run, and the progress.
//
// Each scan point starts with one quantity (f, f' or f'') that decides whether the point yields
// anything; only a few points do. The points are visited in chunks on every core: there the
// deciding quantity is computed in a batch and inspect(x, k, first) tells what a point yields, if
// anything. The calling thread then takes the chunks in order and hands each finding to
// emit(hit, k), moving the progress and asking the sink whether to go on exactly where a
// point-by-point run would: lines, progress positions and the point at which a stopped sink ends
// the scan are the same.
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

    // Safe on any thread.
    double Value(double x, double k, int order) const { return EvaluateOrder(m_term, x, k, order); }

    // "k = 2; " in front of every result of a family, nothing otherwise.
    std::string Prefix(double k) const { return m_family ? "k = " + Num(k) + "; " : std::string{}; }

    // inspect(x, k, first) returns std::optional<Found> and runs on any thread; groupStart(k),
    // emit(const SHit<Found>&, k) and groupEnd(k) run on the calling thread.
    template <class Found, class GroupStart, class Inspect, class Emit, class GroupEnd>
    void Run(int firstOrder, GroupStart&& groupStart, Inspect&& inspect, Emit&& emit, GroupEnd&& groupEnd)
    {
        using Hits = std::vector<SHit<Found>>;
        ForEachFamilyValue(m_function, [&](double k) {
            groupStart(k);
            CChunkCursor cursor{m_xFrom, m_xTo, m_step};
            const auto compute = [&](const SChunk& chunk, Hits& hits) {
                std::vector<double> xs(chunk.count);
                std::vector<double> first(chunk.count);
                FillChunk(chunk, m_step, xs);
                EvaluateOrderBatch(m_term, xs, k, firstOrder, first);
                for (std::size_t i = 0; i < xs.size(); ++i) {
                    if (std::optional<Found> found = inspect(xs[i], k, first[i])) {
                        hits.push_back(SHit<Found>{i, xs[i], std::move(*found)});
                    }
                }
            };
            const auto consume = [&](const SChunk& chunk, const Hits& hits) {
                return Deliver(chunk, hits, [&](const SHit<Found>& hit) { emit(hit, k); });
            };
            if (!RunInChunks<Hits>(cursor, kChunk, compute, consume)) {
                return false;
            }
            groupEnd(k);
            return !m_sink.Stopped();
        });
    }

    void Finish() { m_progress.Finish(); }

private:
    // Enough points per chunk that handing them between threads costs nothing to speak of, few
    // enough that the progress moves often and the last chunk does not keep one core alone long.
    static constexpr std::size_t kChunk = 1 << 14;

    // A point-by-point run asks the sink after every point and ends after the first point at
    // which it has stopped. Only a line can stop a sink, so it is enough to ask after each line,
    // and before each chunk for a sink stopped from the start.
    template <class Hits, class EmitOne>
    bool Deliver(const SChunk& chunk, const Hits& hits, EmitOne&& emitOne)
    {
        if (m_sink.Stopped()) {
            if (!hits.empty() && hits.front().index == 0) {
                emitOne(hits.front());
            }
            m_progress.Advance(1);
            return false;
        }
        std::size_t done = 0;
        for (const auto& hit : hits) {
            m_progress.Advance(static_cast<std::int64_t>(hit.index - done));
            emitOne(hit);
            m_progress.Advance(1);
            done = hit.index + 1;
            if (m_sink.Stopped()) {
                return false;
            }
        }
        m_progress.Advance(static_cast<std::int64_t>(chunk.count - done));
        return true;
    }

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

// What the point scans write for a point: its letter and f(x).
struct SPointFound
{
    char letter;
    double y;
};

// Zeros, extrema and inflection points: every scan point for which classify() gives a letter
// yields its own line; nothing is merged. A family separates its groups by an empty line, but
// only after a group that found something. classify runs on any thread.
template <class Classify>
void ScanForPoints(CScan& scan, int firstOrder, Classify&& classify, const char* nothingFound)
{
    IAnalysisSink& sink = scan.Sink();
    std::int64_t total = 0;
    std::int64_t inGroup = 0;
    scan.Run<SPointFound>(
        firstOrder, [&](double) { inGroup = 0; },
        [&](double x, double k, double first) -> std::optional<SPointFound> {
            const char letter = classify(x, k, first);
            if (letter == 0) {
                return std::nullopt;
            }
            return SPointFound{letter, scan.Value(x, k, 0)};
        },
        [&](const SHit<SPointFound>& hit, double k) {
            sink.AddLine(scan.Prefix(k) + hit.found.letter + " ( " + Num(hit.x) + " | " + Num(hit.found.y) +
                         " )");
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
    struct SRow
    {
        double y;
        double d1;
        double d2;
    };
    scan.Run<SRow>(
        0, [](double) {},
        [&](double x, double k, double y) -> std::optional<SRow> {
            return SRow{y, scan.Value(x, k, 1), scan.Value(x, k, 2)};
        },
        [&](const SHit<SRow>& hit, double k) {
            const SRow& row = hit.found;
            std::string line = Num(hit.x) + '\t' + Num(row.y) + '\t' + Num(row.d1) + '\t' + Num(row.d2);
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
    scan.Run<const char*>(
        1, [&](double k) { open(scan.XFrom(), k); },
        [&](double x, double k, double d1) -> std::optional<const char*> {
            const double t = h / 2.0;
            if (!InBand(d1, t)) {
                return std::nullopt;
            }
            // A flat point closes the interval before it: rising into a maximum (f'' < 0),
            // falling otherwise.
            const double d2 = scan.Value(x, k, 2);
            return (d2 < 0 || std::isnan(d2)) ? kRisingText : kFallingText;
        },
        [&](const SHit<const char*>& hit, double k) {
            sink.AddLine(pending + Num(hit.x) + " ] monoton " + hit.found);
            open(hit.x, k);
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
