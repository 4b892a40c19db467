#include "analysis/Domain.h"

#include "analysis/DomainCandidates.h"
#include "analysis/DomainLimits.h"
#include "analysis/DomainNumbers.h"
#include "analysis/DomainProgram.h"
#include "analysis/DomainSteps.h"
#include "engine/CompiledTerm.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct SPoint
{
    double x;
    bool defined;
};

// A stretch of neighbouring points on which f is defined throughout, or undefined throughout,
// as far as the points show.
struct SRun
{
    bool defined;
    double first;
    double last;
};

// A place inside a defined stretch where f may break: f is undefined on [u, v], or, where
// u == v == x, defined at x itself.
struct SInner
{
    double x;
    double u;
    double v;
};

struct SSegment
{
    double first{};
    double last{};
    std::optional<double> undefinedBefore; // the undefined neighbour of `first`, if any
    std::optional<double> undefinedAfter;
    std::vector<SInner> inner;
};

// Where f changes from defined to undefined between lo and hi (whose definedness differs):
// neighbouring doubles, the first with lo's definedness.
std::pair<double, double> BisectDefined(CDomainProgram& program, double lo, double hi)
{
    const bool definedLo = program.Defined(lo);
    for (int i = 0; i < 70; ++i) {
        const double mid = KeyMidpoint(lo, hi);
        if (mid == lo || mid == hi) {
            break;
        }
        (program.Defined(mid) == definedLo ? lo : hi) = mid;
    }
    return {lo, hi};
}

double HalfDistance(double from, double to)
{
    return to / 2 - from / 2;
}

std::vector<SRun> Runs(CDomainProgram& program, const SCandidateScan& scan)
{
    std::vector<SPoint> probes;
    probes.reserve(scan.grid.size() + scan.candidates.size());
    for (std::size_t i = 0; i < scan.grid.size(); ++i) {
        probes.push_back({scan.grid[i], scan.defined[i] != 0});
    }
    for (const double c : scan.candidates) {
        probes.push_back({c, program.Defined(c)});
    }
    // Both the grid and the candidates come in ascending order.
    std::inplace_merge(probes.begin(), probes.begin() + static_cast<std::ptrdiff_t>(scan.grid.size()),
                       probes.end(), [](const SPoint& p, const SPoint& q) { return p.x < q.x; });
    probes.erase(std::unique(probes.begin(), probes.end(),
                             [](const SPoint& p, const SPoint& q) { return p.x == q.x; }),
                 probes.end());

    std::vector<SRun> runs;
    const auto extend = [&runs](double x, bool defined) {
        if (!runs.empty() && runs.back().defined == defined) {
            runs.back().last = x;
        } else {
            runs.push_back({defined, x, x});
        }
    };
    for (std::size_t i = 0; i < probes.size(); ++i) {
        if (i > 0 && probes[i].defined != probes[i - 1].defined) {
            const auto [p, q] = BisectDefined(program, probes[i - 1].x, probes[i].x);
            extend(p, probes[i - 1].defined);
            extend(q, probes[i].defined);
        }
        extend(probes[i].x, probes[i].defined);
    }
    return runs;
}

// Whether no approach fits between two places: a few doubles apart.
bool FewDoublesApart(double p, double q)
{
    const double larger = std::max(std::fabs(p), std::fabs(q));
    const double unit = std::nextafter(larger, std::numeric_limits<double>::infinity()) - larger;
    return std::fabs(q - p) <= 16 * unit;
}

// Places a few doubles apart are one place: the pole of tan and the zero of the divisor tan in
// 1/tan(x) lie on neighbouring doubles, and each would leave the other no room to be approached.
// A defined place that close to an end of the segment belongs to the end.
std::vector<SInner> Clustered(const SSegment& segment)
{
    std::vector<SInner> clusters;
    for (const SInner& in : segment.inner) {
        const bool defined = in.u == in.v;
        if (defined && (FewDoublesApart(segment.first, in.u) || FewDoublesApart(in.v, segment.last))) {
            continue;
        }
        if (!clusters.empty() && FewDoublesApart(clusters.back().v, in.u)) {
            clusters.back().v = std::max(clusters.back().v, in.v);
        } else {
            clusters.push_back(in);
        }
    }
    for (SInner& cluster : clusters) {
        cluster.x = SimplestBetween(cluster.u, cluster.v);
    }
    return clusters;
}

std::vector<SSegment> Segments(const std::vector<SRun>& runs, const std::vector<double>& candidates,
                               CDomainProgram& program, double point)
{
    std::vector<SSegment> segments;
    for (std::size_t i = 0; i < runs.size(); ++i) {
        if (!runs[i].defined) {
            continue;
        }
        SSegment segment;
        segment.first = runs[i].first;
        segment.last = runs[i].last;
        if (i > 0) {
            segment.undefinedBefore = runs[i - 1].last;
        }
        // An undefined stretch too narrow to see at this range, between two defined ones, is one
        // place inside a segment, not two edges.
        while (i + 2 < runs.size() && runs[i + 1].last - runs[i + 1].first <= point) {
            const SRun& gap = runs[i + 1];
            segment.inner.push_back({SimplestBetween(gap.first, gap.last), gap.first, gap.last});
            segment.last = runs[i + 2].last;
            i += 2;
        }
        if (i + 1 < runs.size()) {
            segment.undefinedAfter = runs[i + 1].first;
        }
        segments.push_back(std::move(segment));
    }
    for (SSegment& segment : segments) {
        const auto begin = std::upper_bound(candidates.begin(), candidates.end(), segment.first);
        const auto end = std::lower_bound(candidates.begin(), candidates.end(), segment.last);
        // A segment of one point has no inside (and then begin lies past end).
        for (auto c = begin; c < end; ++c) {
            if (program.Defined(*c)) {
                segment.inner.push_back({*c, *c, *c});
            }
        }
        std::sort(segment.inner.begin(), segment.inner.end(),
                  [](const SInner& p, const SInner& q) { return p.x < q.x; });
        segment.inner = Clustered(segment);
    }
    return segments;
}

double Limit(const SSideLimit& side)
{
    return side.kind == SSideLimit::Finite || side.kind == SSideLimit::Unbounded ? side.limit : kNaN;
}

class CPieceBuilder
{
public:
    explicit CPieceBuilder(SDomain& out) : m_out{out} {}

    void Open(double from, bool included)
    {
        m_from = from;
        m_fromIncluded = included;
    }

    void Close(double to, bool included)
    {
        if (to > m_from) {
            m_out.pieces.push_back({m_from, to, m_fromIncluded, included});
        }
    }

private:
    SDomain& m_out;
    double m_from{};
    bool m_fromIncluded{false};
};

// Where an edge is reported: the simpler of the two neighbouring doubles it lies between, or 0 when
// the range cannot tell the edge from 0 while the piece is far wider: near 0 the doubles are dense
// enough for rounding to smear an edge (ln(x)/x overflows for all x below 4e-306).
double EdgeAt(double undefined, double defined, double otherEnd, double point, double a, double b)
{
    const bool nearZero = std::fabs(defined) <= point && std::fabs(otherEnd - defined) > 2 * point;
    const bool zeroOnUndefinedSide = undefined < defined ? defined >= 0 : defined <= 0;
    if (nearZero && zeroOnUndefinedSide && a <= 0 && 0 <= b) {
        return 0.0;
    }
    return SimplestBetween(std::min(undefined, defined), std::max(undefined, defined));
}

// False when the stop token or the work budget ended it early.
bool Classify(CDomainProgram& program, const SSegment& segment, double a, double b, double point,
              SDomain& out, const std::stop_token& stop)
{
    CPieceBuilder piece{out};
    const double firstInner = segment.inner.empty() ? segment.last : segment.inner.front().u;
    if (segment.undefinedBefore) {
        const double e = EdgeAt(*segment.undefinedBefore, segment.first, segment.last, point, a, b);
        const auto value = program.Value(e);
        const SSideLimit right =
            ApproachSide(program, segment.first, 1, HalfDistance(segment.first, firstInner));
        out.borders.push_back({e, EBorderKind::Edge, false, value, kNaN, Limit(right)});
        piece.Open(e, value.has_value());
    } else {
        // f(a) belongs to the first piece only if f does not jump right after it (int(x) at -5).
        const SSideLimit right = ApproachSide(program, a, 1, HalfDistance(a, firstInner));
        piece.Open(a, SameAsLimit(*program.Value(a), right));
    }

    for (std::size_t i = 0; i < segment.inner.size(); ++i) {
        if (stop.stop_requested() || program.Exhausted()) {
            return false;
        }
        const SInner& in = segment.inner[i];
        const double before = i > 0 ? segment.inner[i - 1].v : segment.first;
        const double after = i + 1 < segment.inner.size() ? segment.inner[i + 1].u : segment.last;
        const SSideLimit left = ApproachSide(program, in.u, -1, HalfDistance(before, in.u));
        const SSideLimit right = ApproachSide(program, in.v, 1, HalfDistance(in.v, after));
        const auto value = program.Value(in.x);
        SDomainBorder border{in.x, EBorderKind::Jump, false, value, Limit(left), Limit(right)};
        if (left.kind == SSideLimit::Undefined || right.kind == SSideLimit::Undefined) {
            border.kind = EBorderKind::Edge;
        } else if (left.kind == SSideLimit::Unbounded || right.kind == SSideLimit::Unbounded) {
            border.kind = EBorderKind::Pole;
            border.signChange =
                left.kind == right.kind && std::signbit(left.limit) != std::signbit(right.limit);
        } else if (left.kind == SSideLimit::Oscillating || right.kind == SSideLimit::Oscillating) {
            border.kind = EBorderKind::NoLimit;
        } else if (SameLimit(left, right)) {
            if (value && SameAsLimit(*value, left) && SameAsLimit(*value, right)) {
                continue; // a place where nothing breaks after all
            }
            border.kind = EBorderKind::Gap;
            border.value = left.limit / 2 + right.limit / 2;
        }
        out.borders.push_back(border);
        piece.Close(in.x, value && SameAsLimit(*value, left));
        piece.Open(in.x, value && SameAsLimit(*value, right));
    }

    if (segment.undefinedAfter) {
        const double e = EdgeAt(*segment.undefinedAfter, segment.last, segment.first, point, a, b);
        const auto value = program.Value(e);
        const double lastInner = segment.inner.empty() ? segment.first : segment.inner.back().v;
        const SSideLimit left =
            ApproachSide(program, segment.last, -1, HalfDistance(lastInner, segment.last));
        out.borders.push_back({e, EBorderKind::Edge, false, value, Limit(left), kNaN});
        piece.Close(e, value.has_value());
    } else {
        const double lastInner = segment.inner.empty() ? segment.first : segment.inner.back().v;
        const SSideLimit left = ApproachSide(program, b, -1, HalfDistance(lastInner, b));
        piece.Close(b, SameAsLimit(*program.Value(b), left));
    }
    return true;
}

// Whether two grids saw the same number of changes of every part, up to the few that one grid
// catches at a point and the other between points.
bool SameCounts(const std::vector<double>& p, const std::vector<double>& q)
{
    if (p.size() != q.size()) {
        return false;
    }
    for (std::size_t i = 0; i < p.size(); ++i) {
        if (std::fabs(p[i] - q[i]) > 2 + std::max(p[i], q[i]) / 64) {
            return false;
        }
    }
    return true;
}

// The first grid's places, checked against a grid four times finer and one of an unrelated step.
// Where the finer grid sees more, the first one stepped over places, and the finer one is scanned
// instead; where the finer and the unrelated grid disagree, both see false waves of a part that
// varies faster than any grid can follow.
SCandidateScan Checked(SCandidateScan scan, CDomainProgram& program, double a, double b,
                       const std::stop_token& stop)
{
    const std::vector<double> fine = CountChanges(program, a, b, kDomainFineGridIntervals, stop);
    const std::vector<double> check = CountChanges(program, a, b, kDomainCheckGridIntervals, stop);
    if (fine.empty() || check.empty()) {
        scan.outcome = SCandidateScan::Stopped;
        return scan;
    }
    if (!SameCounts(fine, check)) {
        scan.outcome = SCandidateScan::TooMany;
        return scan;
    }
    if (scan.outcome == SCandidateScan::Done) {
        // Empty when a stop came in between, like the two grids above.
        const std::vector<double> coarse = CountChanges(program, a, b, kDomainGridIntervals, stop);
        if (coarse.empty()) {
            scan.outcome = SCandidateScan::Stopped;
            return scan;
        }
        if (SameCounts(fine, coarse)) {
            return scan;
        }
    }
    // The finer grid holds a column per watched part; a long term keeps the first grid's verdict
    // rather than tens of megabytes.
    if (program.Watches().size() > 32) {
        scan.outcome = SCandidateScan::TooMany;
        return scan;
    }
    scan = ScanCandidates(program, a, b, kDomainFineGridIntervals, stop);
    if (scan.outcome == SCandidateScan::Crowded) {
        scan.outcome = SCandidateScan::TooMany;
    }
    return scan;
}

} // namespace

SCandidateScan CheckedCandidates(CDomainProgram& program, double a, double b, const std::stop_token& stop)
{
    SCandidateScan scan = ScanCandidates(program, a, b, kDomainGridIntervals, stop);
    if (scan.outcome == SCandidateScan::Done || scan.outcome == SCandidateScan::Crowded) {
        scan = Checked(std::move(scan), program, a, b, stop);
    }
    return scan;
}

SDomain DomainFromScan(CDomainProgram& program, const SCandidateScan& scan, double a, double b,
                       const std::stop_token& stop)
{
    SDomain domain;
    if (scan.outcome != SCandidateScan::Done) {
        domain.outcome = scan.outcome == SCandidateScan::Stopped ? EDomainOutcome::Stopped
                                                                 : EDomainOutcome::TooManyBorders;
        return domain;
    }
    const double point = 2e-12 * HalfDistance(a, b);
    const std::vector<SRun> runs = Runs(program, scan);
    for (const SSegment& segment : Segments(runs, scan.candidates, program, point)) {
        // A single defined point between undefined stretches is no interval to work on.
        if (segment.first == segment.last) {
            continue;
        }
        if (!Classify(program, segment, a, b, point, domain, stop)) {
            return SDomain{
                stop.stop_requested() ? EDomainOutcome::Stopped : EDomainOutcome::TooManyBorders, {}, {}};
        }
    }
    return domain;
}

std::optional<SDomain> RangeOutcome(const CCompiledTerm& term, double a, double b)
{
    SDomain domain;
    if (term.HasSyntaxError()) {
        domain.outcome = EDomainOutcome::SyntaxError;
        return domain;
    }
    if (!std::isfinite(a) || !std::isfinite(b) || a > b) {
        domain.outcome = EDomainOutcome::InvalidRange;
        return domain;
    }
    if (a == b) {
        return domain;
    }
    return std::nullopt;
}

SDomain DomainOf(const CCompiledTerm& term, double k, double a, double b, std::stop_token stop)
{
    if (std::optional<SDomain> early = RangeOutcome(term, a, b)) {
        return *early;
    }
    CDomainProgram program{term, k};
    const SCandidateScan scan = CheckedCandidates(program, a, b, stop);
    return DomainFromScan(program, scan, a, b, stop);
}
