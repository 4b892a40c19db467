#include "analysis/CurveAnalysis.h"

#include "analysis/AnalysisSink.h"
#include "analysis/ChunkedRun.h"
#include "analysis/PieceDiscussion.h"
#include "analysis/Refinement.h"
#include "document/StepLoop.h"
#include "engine/CompiledTerm.h"
#include "engine/Derivatives.h"
#include "engine/ErrorFlags.h"
#include "engine/NumberText.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <map>
#include <optional>
#include <span>
#include <stop_token>
#include <string>
#include <vector>

namespace {

// 10^10 * 2^-52: the scan step of the finest precision.
constexpr double kStepUnit = 2.220446049250313e-06;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The most points a raster run and rows a value table visit: a few seconds of work on one core.
constexpr double kMaxRasterPoints = 1 << 25;
constexpr double kMaxTableRows = 1 << 20;

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

// A scan point that yields something: its place in the chunk (-1 for the last point of the chunk
// before), its x, the deciding quantity there and what the scan found there.
template <class Found> struct SHit
{
    std::int64_t index{};
    double x{};
    double value{};
    std::optional<Found> found;
    // The nearer end of a sign change that the band missed.
    bool crossing{false};
    // The neighbouring scan points, NaN where the run has none.
    double beforeX{kNaN};
    double beforeValue{kNaN};
    double afterX{kNaN};
    double afterValue{kNaN};
};

// The frame every scan shares: the k loop over the family, the x loop over the axis by repeated
// addition of the scan step, one compiled term for the whole run, and the progress.
//
// Each scan point starts with one quantity (f, f' or f'') that decides whether the point yields
// anything. With a band, a point yields when that quantity lies in the band, and so does the
// nearer end of a pair of points whose values change sign continuously across the band without
// either landing in it: a steep crossing jumps over a band as narrow as half a step. Without a
// band (the value table) every point is looked at.
//
// The points are visited in chunks on every core: there the deciding quantity is computed in a
// batch, sign changes are bisected, and describe(x, k, first) tells what a point yields, if
// anything. The calling thread then takes the chunks in order and hands each finding to
// emit(hit, k), moving the progress and asking the sink whether to go on exactly where a
// point-by-point run would.
class CScan
{
public:
    CScan(const CGraphFunction& function, const CScaling& scaling, double step,
          const SDiscussOptions& options, IAnalysisSink& sink)
        : m_function{function}, m_term{function.GetTerm()}, m_family{function.GetUseFamilyConstant() != 0},
          m_step{step}, m_digits{options.digits}, m_sink{sink},
          m_pool{options.threads != nullptr ? *options.threads : CThreadPool::Shared()},
          m_stop{sink.StopToken()}, m_progress{sink, Estimate(function, scaling, step)}
    {
        double xStep{};
        scaling.GetXRange(m_xFrom, m_xTo, xStep);
    }

    bool Family() const { return m_family; }
    double XFrom() const { return m_xFrom; }
    double XTo() const { return m_xTo; }

    // Safe on any thread.
    double Value(double x, double k, int order) const { return EvaluateOrder(m_term, x, k, order); }

    // A result found for k, which it names only in a family.
    template <class Value> void Add(Value value, double k)
    {
        m_sink.Add(
            SAnalysisResult{std::move(value), m_family ? std::optional<double>{k} : std::nullopt, m_digits});
    }

    // A result of the whole run.
    template <class Value> void Add(Value value)
    {
        m_sink.Add(SAnalysisResult{std::move(value), std::nullopt, m_digits});
    }

    // describe(x, k, first) returns std::optional<Found> and runs on any thread; groupStart(k),
    // emit(const SHit<Found>&, k) and groupEnd(k) run on the calling thread. band is the half-width
    // t of the band, or nothing for a scan that looks at every point.
    template <class Found, class GroupStart, class Describe, class Emit, class GroupEnd>
    void Run(int firstOrder, std::optional<double> band, GroupStart&& groupStart, Describe&& describe,
             Emit&& emit, GroupEnd&& groupEnd)
    {
        using Hits = std::vector<SHit<Found>>;
        ForEachFamilyValue(m_function, [&](double k) {
            groupStart(k);
            const QuantityAt quantity = [&, k](double at) { return Value(at, k, firstOrder); };
            CChunkCursor cursor{m_xFrom, m_xTo, m_step};
            const auto compute = [&](const SChunk& chunk, Hits& hits) {
                FindHits<Found>(chunk, k, firstOrder, band, quantity, describe, hits);
            };
            // Points counted over the chunks of this k, and the last one that yielded a line: two
            // neighbouring crossings may both end at their shared point, which yields once.
            std::int64_t base = 0;
            std::int64_t lastYield = -1;
            const auto consume = [&](const SChunk& chunk, const Hits& hits) {
                // A chunk cut short by a stop is incomplete and must not count.
                if (m_stop.stop_requested()) {
                    return false;
                }
                const bool more =
                    Deliver(chunk, hits, base, lastYield, [&](const SHit<Found>& hit) { emit(hit, k); });
                base += static_cast<std::int64_t>(chunk.count);
                return more;
            };
            if (!RunInChunks<Hits>(cursor, kChunk, compute, consume, m_pool) || m_stop.stop_requested()) {
                return false;
            }
            groupEnd(k);
            return !m_sink.Stopped();
        });
    }

    void Finish() { m_progress.Finish(); }

    // Whether the run visits at most `limit` points per family value. A wider range would keep the
    // window busy for hours (x on 0..1e6 is 4.5e10 points) and its count would not fit an integer;
    // the run then says so in one line and visits nothing.
    bool Feasible(double limit, EResultMessage tooMany)
    {
        const double points = (m_xTo / 2 - m_xFrom / 2) / (m_step / 2);
        if (!(points > limit)) {
            return true;
        }
        Add(SResultMessage{tooMany, {limit}});
        Finish();
        return false;
    }

private:
    // Enough points per chunk that handing them between threads costs nothing to speak of, few
    // enough that the progress moves often and the last chunk does not keep one core alone long.
    static constexpr std::size_t kChunk = 1 << 14;
    static constexpr std::size_t kStopSlice = 1 << 10;

    template <class Found, class Describe>
    void FindHits(const SChunk& chunk, double k, int firstOrder, std::optional<double> band,
                  const QuantityAt& quantity, Describe& describe,
                  std::vector<SHit<Found>>& hits) const
    {
        // The neighbours of the chunk matter only to a band scan, for the pairs cut at its ends.
        const bool before = band && !std::isnan(chunk.before);
        const bool after = band && !std::isnan(chunk.after);
        const std::size_t offset = before ? 1 : 0;
        std::vector<double> xs(chunk.count + offset + (after ? 1 : 0));
        std::vector<double> values(xs.size());
        if (before) {
            xs.front() = chunk.before;
        }
        if (after) {
            xs.back() = chunk.after;
        }
        FillChunk(chunk, m_step, std::span{xs}.subspan(offset, chunk.count));
        // In slices, so that a stop is noticed within a small part of a chunk even for a term that
        // takes long; what was left undone is thrown away by the consuming side.
        for (std::size_t begin = 0; begin < xs.size(); begin += kStopSlice) {
            if (m_stop.stop_requested()) {
                return;
            }
            const std::size_t length = std::min(kStopSlice, xs.size() - begin);
            EvaluateOrderBatch(m_term, std::span<const double>{xs}.subspan(begin, length), k, firstOrder,
                               std::span{values}.subspan(begin, length));
        }
        const auto count = static_cast<std::int64_t>(chunk.count);
        const std::int64_t lowest = before ? -1 : 0;
        const std::int64_t highest = after ? count : count - 1;
        const auto at = [&](std::int64_t i) {
            return static_cast<std::size_t>(i + static_cast<std::int64_t>(offset));
        };
        const auto hitAt = [&](std::int64_t i, bool crossing) {
            SHit<Found> hit;
            hit.index = i;
            hit.x = xs[at(i)];
            hit.value = values[at(i)];
            hit.found = describe(hit.x, k, hit.value);
            hit.crossing = crossing;
            if (i - 1 >= lowest) {
                hit.beforeX = xs[at(i - 1)];
                hit.beforeValue = values[at(i - 1)];
            }
            if (i + 1 <= highest) {
                hit.afterX = xs[at(i + 1)];
                hit.afterValue = values[at(i + 1)];
            }
            return hit;
        };
        for (std::int64_t i = 0; i < count; ++i) {
            // The value table describes every point with two derivatives more.
            if (i % 256 == 0 && m_stop.stop_requested()) {
                return;
            }
            const double value = values[at(i)];
            if (!band) {
                if (std::optional<Found> found = describe(xs[at(i)], k, value)) {
                    SHit<Found> hit;
                    hit.index = i;
                    hit.x = xs[at(i)];
                    hit.value = value;
                    hit.found = std::move(found);
                    hits.push_back(std::move(hit));
                }
                continue;
            }
            const double t = *band;
            if (i - 1 >= lowest) {
                const double previous = values[at(i - 1)];
                if (!InBand(previous, t) && !InBand(value, t) && OppositeSigns(previous, value)) {
                    const SBisection end =
                        BisectSignChange(quantity, xs[at(i - 1)], previous, xs[at(i)], value);
                    if (end.settled && end.residual < t &&
                        (firstOrder == 0 ||
                         OppositeSigns(HalfStepDerivative(m_term, xs[at(i - 1)], k, firstOrder),
                                       HalfStepDerivative(m_term, xs[at(i)], k, firstOrder)))) {
                        const std::int64_t nearer = std::fabs(value) < std::fabs(previous) ? i : i - 1;
                        if (hits.empty() || hits.back().index != nearer) {
                            hits.push_back(hitAt(nearer, true));
                        }
                    }
                }
            }
            if (InBand(value, t)) {
                hits.push_back(hitAt(i, false));
            }
        }
    }

    // A point-by-point run asks the sink after every point and ends after the first point at
    // which it has stopped. Only a result can stop a sink, so it is enough to ask after each result,
    // and before each chunk for a sink stopped from the start.
    template <class Hits, class EmitOne>
    bool Deliver(const SChunk& chunk, const Hits& hits, std::int64_t base, std::int64_t& lastYield,
                 EmitOne&& emitOne)
    {
        const auto yields = [&](const auto& hit) { return hit.found && base + hit.index != lastYield; };
        if (m_sink.Stopped()) {
            for (const auto& hit : hits) {
                if (hit.index > 0) {
                    break;
                }
                if (yields(hit)) {
                    emitOne(hit);
                }
            }
            m_progress.Advance(1);
            return false;
        }
        std::int64_t done = 0;
        for (const auto& hit : hits) {
            if (!yields(hit)) {
                continue;
            }
            lastYield = base + hit.index;
            // The point before the chunk has been counted with the chunk before.
            if (hit.index >= 0) {
                m_progress.Advance(hit.index - done);
            }
            emitOne(hit);
            if (hit.index >= 0) {
                m_progress.Advance(1);
                done = hit.index + 1;
            }
            if (m_sink.Stopped()) {
                return false;
            }
        }
        m_progress.Advance(static_cast<std::int64_t>(chunk.count) - done);
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
    int m_digits;
    IAnalysisSink& m_sink;
    CThreadPool& m_pool;
    std::stop_token m_stop;
    CProgress m_progress;
};

// What the point scans write for a point: its letter and f(x).
struct SPointFound
{
    char letter;
    double y;
};

// Zeros, extrema and inflection points: every point for which classify() gives a letter yields
// its own line. A family separates its groups by an empty line, but only after a group that found
// something. classify(x, k, first) is asked only about points that count as lying in the band,
// and runs on any thread.
template <class Classify>
void ScanForPoints(CScan& scan, int firstOrder, double t, Classify&& classify, EResultMessage nothingFound)
{
    std::int64_t total = 0;
    std::int64_t inGroup = 0;
    // The points of each letter found so far for this k, which number them.
    std::map<char, int> counts;
    scan.Run<SPointFound>(
        firstOrder, t,
        [&](double) {
            inGroup = 0;
            counts.clear();
        },
        [&](double x, double k, double first) -> std::optional<SPointFound> {
            const char letter = classify(x, k, first);
            if (letter == 0) {
                return std::nullopt;
            }
            return SPointFound{letter, scan.Value(x, k, 0)};
        },
        [&](const SHit<SPointFound>& hit, double k) {
            const double y = hit.found->y;
            const char letter = hit.found->letter;
            scan.Add(SResultPoint{letter, ++counts[letter], hit.x, y, false}, k);
            ++inGroup;
            ++total;
        },
        [&](double) {
            if (scan.Family() && inGroup > 0) {
                scan.Add(SResultMessage{EResultMessage::GroupEnd, {}});
            }
        });
    if (total == 0) {
        scan.Add(SResultMessage{nothingFound, {}});
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
    ComputeValueTable(function, scaling, SDiscussOptions{}, sink);
}

void ComputeValueTable(const CGraphFunction& function, const CScaling& scaling,
                       const SDiscussOptions& options, IAnalysisSink& sink)
{
    double xFrom{};
    double xTo{};
    double xStep{};
    scaling.GetXRange(xFrom, xTo, xStep);
    CScan scan{function, scaling, xStep, options, sink};
    if (!scan.Feasible(kMaxTableRows, EResultMessage::TooManyRows)) {
        return;
    }
    const bool family = scan.Family();
    sink.SetTableColumns(family ? 5 : 4);
    scan.Add(SResultTableHeader{family, OwnFunctionName(function)});
    struct SRow
    {
        double y;
        double d1;
        double d2;
    };
    scan.Run<SRow>(
        0, std::nullopt, [](double) {},
        [&](double x, double k, double y) -> std::optional<SRow> {
            return SRow{y, scan.Value(x, k, 1), scan.Value(x, k, 2)};
        },
        [&](const SHit<SRow>& hit, double k) {
            const SRow& row = *hit.found;
            scan.Add(SResultTableRow{hit.x, row.y, row.d1, row.d2}, k);
        },
        [&](double) {
            if (family) {
                scan.Add(SResultMessage{EResultMessage::GroupEnd, {}});
            }
        });
    scan.Finish();
}

void ComputeZeros(const CGraphFunction& function, const CScaling& scaling, int precision, IAnalysisSink& sink)
{
    ComputeZeros(function, scaling, precision, SDiscussOptions{}, sink);
}

void ComputeZeros(const CGraphFunction& function, const CScaling& scaling, int precision,
                  const SDiscussOptions& options, IAnalysisSink& sink)
{
    if (options.exact) {
        ComputeOnPieces(EPieceScan::Zeros, function, scaling, precision, options, sink);
        return;
    }
    const double h = ScanStep(precision);
    CScan scan{function, scaling, h, options, sink};
    if (!scan.Feasible(kMaxRasterPoints, EResultMessage::TooManyRasterPoints)) {
        return;
    }
    ScanForPoints(
        scan, 0, h / 2.0, [](double, double, double) -> char { return 'N'; }, EResultMessage::NoZeros);
}

void ComputeExtrema(const CGraphFunction& function, const CScaling& scaling, int precision,
                    IAnalysisSink& sink)
{
    ComputeExtrema(function, scaling, precision, SDiscussOptions{}, sink);
}

void ComputeExtrema(const CGraphFunction& function, const CScaling& scaling, int precision,
                    const SDiscussOptions& options, IAnalysisSink& sink)
{
    if (options.exact) {
        ComputeOnPieces(EPieceScan::Extrema, function, scaling, precision, options, sink);
        return;
    }
    const double h = ScanStep(precision);
    const double t = h / 2.0;
    CScan scan{function, scaling, h, options, sink};
    if (!scan.Feasible(kMaxRasterPoints, EResultMessage::TooManyRasterPoints)) {
        return;
    }
    ScanForPoints(
        scan, 1, t,
        [&](double x, double k, double) -> char {
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
        EResultMessage::NoExtrema);
}

void ComputeInflections(const CGraphFunction& function, const CScaling& scaling, int precision,
                        IAnalysisSink& sink)
{
    ComputeInflections(function, scaling, precision, SDiscussOptions{}, sink);
}

void ComputeInflections(const CGraphFunction& function, const CScaling& scaling, int precision,
                        const SDiscussOptions& options, IAnalysisSink& sink)
{
    if (options.exact) {
        ComputeOnPieces(EPieceScan::Inflections, function, scaling, precision, options, sink);
        return;
    }
    const double h = ScanStep(precision);
    const double t = h / 2.0;
    CScan scan{function, scaling, h, options, sink};
    if (!scan.Feasible(kMaxRasterPoints, EResultMessage::TooManyRasterPoints)) {
        return;
    }
    ScanForPoints(
        scan, 2, t,
        [&](double x, double k, double) -> char {
            const double d1 = scan.Value(x, k, 1);
            const double d3 = scan.Value(x, k, 3);
            if (!BeyondBand(d3, t)) {
                return 0;
            }
            return InBand(d1, t) ? 'S' : 'W';
        },
        EResultMessage::NoInflections);
}

void ComputeMonotony(const CGraphFunction& function, const CScaling& scaling, int precision,
                     IAnalysisSink& sink)
{
    ComputeMonotony(function, scaling, precision, SDiscussOptions{}, sink);
}

void ComputeMonotony(const CGraphFunction& function, const CScaling& scaling, int precision,
                     const SDiscussOptions& options, IAnalysisSink& sink)
{
    if (options.exact) {
        ComputeOnPieces(EPieceScan::Monotony, function, scaling, precision, options, sink);
        return;
    }
    const double h = ScanStep(precision);
    CScan scan{function, scaling, h, options, sink};
    if (!scan.Feasible(kMaxRasterPoints, EResultMessage::TooManyRasterPoints)) {
        return;
    }
    // Where the interval under way began.
    double start = 0;
    scan.Run<bool>(
        1, h / 2.0, [&](double) { start = scan.XFrom(); },
        [&](double x, double k, double) -> std::optional<bool> {
            // A flat point closes the interval before it: rising into a maximum (f'' < 0),
            // falling otherwise.
            const double d2 = scan.Value(x, k, 2);
            return d2 < 0 || std::isnan(d2);
        },
        [&](const SHit<bool>& hit, double k) {
            scan.Add(SResultInterval{start, hit.x, true, true, *hit.found}, k);
            start = hit.x;
        },
        [&](double k) {
            // The last interval takes its direction from the slope at the axis end itself,
            // not at the last scan point, which may fall short of it.
            const double d1 = scan.Value(scan.XTo(), k, 1);
            const bool rising = !(d1 < 0 || std::isnan(d1));
            scan.Add(SResultInterval{start, scan.XTo(), true, true, rising}, k);
            if (scan.Family()) {
                scan.Add(SResultMessage{EResultMessage::GroupEnd, {}});
            }
        });
    scan.Finish();
}
