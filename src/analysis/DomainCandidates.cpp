#include "analysis/DomainCandidates.h"

#include "analysis/DomainNumbers.h"
#include "analysis/DomainProgram.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace {

// Changes in two neighbouring intervals of the grid are the mark of a part that varies about as
// fast as the grid steps (1/sin(x) on ±1e300, where the grid sees signs at random). A few are a
// close pair of places or a lone point where f fails; more mean that the grid cannot follow.
constexpr int kCrowded = 16;

bool OppositeSigns(double p, double q)
{
    return (p < 0 && q > 0) || (p > 0 && q < 0);
}

// Equal steps over [a, b], and beside them points spaced by ratio around 0 at every scale: on a
// range of ±1e300 the steps are 5e296 wide and would step over everything that happens between
// -1e296 and 1e296, a pole at 2 or the stretch where 1/x^2 is defined.
std::vector<double> Grid(double a, double b, int intervals)
{
    // The step from the halves' difference, so that b - a cannot overflow on the widest ranges.
    const double step = b / intervals - a / intervals;
    std::vector<double> grid;
    grid.reserve(static_cast<std::size_t>(intervals) + 2048);
    for (int i = 0; i < intervals; ++i) {
        grid.push_back(std::min(a + i * step, b));
    }
    grid.push_back(b);
    // The points by ratio, made in ascending order of magnitude and merged in, not sorted in:
    // sorting would cost more than evaluating a short term at every point.
    std::vector<double> magnitudes;
    for (int e = std::numeric_limits<double>::min_exponent - 53; e < -20; e += 4) {
        magnitudes.push_back(std::ldexp(1.0, e));
    }
    for (int i = -20 * 16; i <= 20 * 16; ++i) {
        magnitudes.push_back(std::exp2(i / 16.0));
    }
    for (int e = 24; e < std::numeric_limits<double>::max_exponent; e += 4) {
        magnitudes.push_back(std::ldexp(1.0, e));
    }
    std::vector<double> ratio;
    for (auto m = magnitudes.rbegin(); m != magnitudes.rend(); ++m) {
        if (a < -*m && -*m < b) {
            ratio.push_back(-*m);
        }
    }
    for (const double m : magnitudes) {
        if (a < m && m < b) {
            ratio.push_back(m);
        }
    }
    const auto middle = grid.insert(grid.end(), ratio.begin(), ratio.end());
    std::inplace_merge(grid.begin(), middle, grid.end());
    grid.erase(std::unique(grid.begin(), grid.end()), grid.end());
    return grid;
}

std::optional<SCandidateScan::EOutcome> Interrupted(const CDomainProgram& program,
                                                    const std::stop_token& stop)
{
    if (stop.stop_requested()) {
        return SCandidateScan::Stopped;
    }
    if (program.Exhausted()) {
        return SCandidateScan::TooMany;
    }
    return std::nullopt;
}

class CWatchScan
{
public:
    CWatchScan(CDomainProgram& program, std::size_t watch, std::vector<double>& out)
        : m_program{program}, m_watch{watch}, m_kind{program.Watches()[watch].kind}, m_out{out}
    {
    }

    double Margin(double x) { return WatchMargin(m_kind, m_program.Part(m_watch, x)); }
    double Index(double x) { return WatchIndex(m_kind, m_program.Part(m_watch, x)); }

    // A sign change between lo and hi, down to neighbouring doubles or an exact zero.
    void BisectSign(double lo, double mLo, double hi, double mHi)
    {
        for (int i = 0; i < 70; ++i) {
            const double mid = KeyMidpoint(lo, hi);
            if (mid == lo || mid == hi) {
                break;
            }
            const double m = Margin(mid);
            if (m == 0 || std::isnan(m)) {
                m_out.push_back(mid);
                return;
            }
            if ((m < 0) == (mLo < 0)) {
                lo = mid;
                mLo = m;
            } else {
                hi = mid;
                mHi = m;
            }
        }
        m_out.push_back(std::fabs(mLo) <= std::fabs(mHi) ? lo : hi);
    }

    // The least |margin| on [lo, hi] by golden section over the keys (|margin| has one dip there
    // when it has one in x, the keys running the same way as x), kept only when it is a zero or
    // nearly one next to the grid's values.
    void Touch(double lo, double hi, double scale)
    {
        std::int64_t l = DoubleKey(lo);
        std::int64_t r = DoubleKey(hi);
        const auto magnitude = [&](std::int64_t key) { return std::fabs(Margin(KeyDouble(key))); };
        for (int i = 0; i < 200 && static_cast<std::uint64_t>(r) - static_cast<std::uint64_t>(l) > 8; ++i) {
            const double span =
                static_cast<double>(static_cast<std::uint64_t>(r) - static_cast<std::uint64_t>(l));
            const auto offset = static_cast<std::uint64_t>(span * 0.3819660112501051);
            const auto k1 = static_cast<std::int64_t>(static_cast<std::uint64_t>(l) + offset);
            const auto k2 = static_cast<std::int64_t>(static_cast<std::uint64_t>(r) - offset);
            if (magnitude(k1) <= magnitude(k2)) {
                r = k2;
            } else {
                l = k1;
            }
        }
        std::int64_t best = l;
        double bestMagnitude = magnitude(l);
        for (std::int64_t key = l + 1; key <= r; ++key) {
            const double m = magnitude(key);
            if (m < bestMagnitude) {
                best = key;
                bestMagnitude = m;
            }
        }
        if (bestMagnitude == 0 || bestMagnitude <= 1e-8 * scale) {
            m_out.push_back(KeyDouble(best));
        }
    }

    // Every change of the index between lo and hi, each down to neighbouring doubles; false when
    // the budget of steps runs out.
    bool IndexSteps(double lo, double iLo, double hi, double iHi, long& budget)
    {
        struct SSpan
        {
            double lo, iLo, hi, iHi;
        };
        std::vector<SSpan> open{{lo, iLo, hi, iHi}};
        while (!open.empty()) {
            const SSpan s = open.back();
            open.pop_back();
            if (s.iLo == s.iHi || std::isnan(s.iLo) || std::isnan(s.iHi)) {
                continue;
            }
            if (--budget < 0) {
                return false;
            }
            const double mid = KeyMidpoint(s.lo, s.hi);
            if (mid == s.lo || mid == s.hi) {
                m_out.push_back(Settle(s.lo, s.hi));
                continue;
            }
            const double iMid = Index(mid);
            if (std::isnan(iMid)) {
                m_out.push_back(mid);
                continue;
            }
            open.push_back({s.lo, s.iLo, mid, iMid});
            open.push_back({mid, iMid, s.hi, s.iHi});
        }
        return true;
    }

private:
    // The double that stands for a change of index between the neighbours lo and hi: for tan the
    // one, among a few doubles around, where cos of the argument is least (the index rounds pi/2
    // slightly differently than cos does); for the integer functions the simpler of the two.
    double Settle(double lo, double hi)
    {
        if (m_kind != EWatchKind::TanFloor) {
            return SimplestBetween(lo, hi);
        }
        const std::int64_t centre = DoubleKey(lo);
        double best = lo;
        double bestCos = std::fabs(std::cos(m_program.Part(m_watch, lo)));
        for (std::int64_t key = centre - 4; key <= centre + 5; ++key) {
            const double x = KeyDouble(key);
            const double c = std::fabs(std::cos(m_program.Part(m_watch, x)));
            if (c < bestCos) {
                best = x;
                bestCos = c;
            }
        }
        return best;
    }

    CDomainProgram& m_program;
    std::size_t m_watch;
    EWatchKind m_kind;
    std::vector<double>& m_out;
};

} // namespace

SCandidateScan ScanCandidates(CDomainProgram& program, double a, double b, int intervals,
                              const std::stop_token& stop)
{
    SCandidateScan scan;
    scan.grid = Grid(a, b, intervals);
    const std::vector<double>& grid = scan.grid;
    const std::size_t n = grid.size();
    const std::size_t watches = program.Watches().size();
    if (watches > static_cast<std::size_t>(kDomainMaxWatches)) {
        scan.outcome = SCandidateScan::TooMany;
        return scan;
    }
    std::vector<double> parts(n * watches);
    std::vector<double> row(watches);
    scan.defined.resize(n);
    int changes = 0;
    int crowded = 0;
    for (std::size_t i = 0; i < n; ++i) {
        if (i % 256 == 0 && stop.stop_requested()) {
            scan.outcome = SCandidateScan::Stopped;
            return scan;
        }
        scan.defined[i] = program.Sample(grid[i], row.data()) ? 1 : 0;
        for (std::size_t w = 0; w < watches; ++w) {
            parts[w * n + i] = row[w];
        }
        if (i > 0 && scan.defined[i] != scan.defined[i - 1]) {
            ++changes;
            crowded += i > 1 && scan.defined[i - 1] != scan.defined[i - 2] ? 1 : 0;
        }
    }
    const auto unresolvable = static_cast<int>(n / 4);
    if (changes > unresolvable || crowded > kCrowded) {
        scan.outcome = SCandidateScan::Crowded;
        return scan;
    }

    std::vector<double>& out = scan.candidates;
    long indexBudget = 80L * kDomainMaxCandidates;
    for (std::size_t w = 0; w < watches; ++w) {
        if (stop.stop_requested()) {
            scan.outcome = SCandidateScan::Stopped;
            return scan;
        }
        CWatchScan watch{program, w, out};
        const EWatchKind kind = program.Watches()[w].kind;
        const double* part = parts.data() + w * n;
        if (kind == EWatchKind::Floor || kind == EWatchKind::TanFloor) {
            // Steps through the integers in one direction can be counted however close they are
            // (int(1000x)); steps back and forth in neighbouring intervals are a part that the grid
            // cannot follow (floor(cos(x)) on ±1e300).
            double steps = 0;
            double previous = 0;
            int reversals = 0;
            for (std::size_t i = 0; i + 1 < n; ++i) {
                const double i0 = WatchIndex(kind, part[i]);
                const double i1 = WatchIndex(kind, part[i + 1]);
                const double step = std::isfinite(i0) && std::isfinite(i1) ? i1 - i0 : 0;
                steps += std::fabs(step);
                reversals += OppositeSigns(step, previous) ? 1 : 0;
                previous = step;
            }
            if (steps > kDomainMaxCandidates || reversals > kCrowded) {
                scan.outcome =
                    steps > kDomainMaxCandidates ? SCandidateScan::TooMany : SCandidateScan::Crowded;
                return scan;
            }
            for (std::size_t i = 0; i + 1 < n; ++i) {
                if (const auto end = Interrupted(program, stop)) {
                    scan.outcome = *end;
                    return scan;
                }
                if (!watch.IndexSteps(grid[i], WatchIndex(kind, part[i]), grid[i + 1],
                                      WatchIndex(kind, part[i + 1]), indexBudget)) {
                    scan.outcome = SCandidateScan::TooMany;
                    return scan;
                }
            }
            continue;
        }
        std::vector<double> m(n);
        for (std::size_t i = 0; i < n; ++i) {
            m[i] = WatchMargin(kind, part[i]);
        }
        int signChanges = 0;
        int crowdedChanges = 0;
        for (std::size_t i = 0; i < n; ++i) {
            // Of a stretch of zeros (x^2 underflows to 0 below 1.1e-162) only the ends can matter.
            const bool zeroStretch = i > 0 && i + 1 < n && m[i - 1] == 0 && m[i + 1] == 0;
            if (m[i] == 0 && !zeroStretch) {
                out.push_back(grid[i]);
            }
            if (i + 1 < n && OppositeSigns(m[i], m[i + 1])) {
                crowdedChanges += i > 0 && OppositeSigns(m[i - 1], m[i]) ? 1 : 0;
                if (++signChanges > unresolvable || crowdedChanges > kCrowded) {
                    scan.outcome = SCandidateScan::Crowded;
                    return scan;
                }
                if (const auto end = Interrupted(program, stop)) {
                    scan.outcome = *end;
                    return scan;
                }
                watch.BisectSign(grid[i], m[i], grid[i + 1], m[i + 1]);
            }
        }
        // A zero that is touched, not crossed (the divisor x^2 or (3x-1)^2): a dip of |margin|
        // between two grid points of the same sign.
        for (std::size_t i = 1; i + 1 < n; ++i) {
            const double l = std::fabs(m[i - 1]);
            const double c = std::fabs(m[i]);
            const double r = std::fabs(m[i + 1]);
            const bool sameSign =
                (m[i - 1] > 0 && m[i] > 0 && m[i + 1] > 0) || (m[i - 1] < 0 && m[i] < 0 && m[i + 1] < 0);
            if (sameSign && std::isfinite(l) && std::isfinite(r) && c < l && c <= r) {
                if (const auto end = Interrupted(program, stop)) {
                    scan.outcome = *end;
                    return scan;
                }
                watch.Touch(grid[i - 1], grid[i + 1], std::min(l, r));
            }
        }
        if (out.size() > static_cast<std::size_t>(kDomainMaxCandidates)) {
            scan.outcome = SCandidateScan::TooMany;
            return scan;
        }
    }
    // Settling a step of tan looks a few doubles to either side, which may lie past an end.
    std::erase_if(out, [a, b](double x) { return !(a <= x && x <= b); });
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    if (out.size() > static_cast<std::size_t>(kDomainMaxCandidates)) {
        scan.outcome = SCandidateScan::TooMany;
    }
    return scan;
}

std::vector<double> CountChanges(CDomainProgram& program, double a, double b, int intervals,
                                 const std::stop_token& stop)
{
    // Counted so that a grid that happens to hit a place exactly counts as one that does not: a
    // sign against the last sign that was not 0 (a zero that is only touched counts nothing), and
    // undefined stretches of at least two points (1/x at a grid point 0 is one point).
    const std::vector<double> grid = Grid(a, b, intervals);
    const std::size_t watches = program.Watches().size();
    std::vector<double> counts(watches + 1);
    std::vector<double> row(watches);
    std::vector<double> lastIndex(watches, std::numeric_limits<double>::quiet_NaN());
    std::vector<double> lastSign(watches, 0);
    std::vector<std::uint8_t> defined(grid.size());
    for (std::size_t i = 0; i < grid.size(); ++i) {
        if (i % 256 == 0 && stop.stop_requested()) {
            return {};
        }
        defined[i] = program.Sample(grid[i], row.data()) ? 1 : 0;
        for (std::size_t w = 0; w < watches; ++w) {
            const EWatchKind kind = program.Watches()[w].kind;
            if (kind == EWatchKind::Floor || kind == EWatchKind::TanFloor) {
                const double index = WatchIndex(kind, row[w]);
                const double step = index - lastIndex[w];
                counts[w] += std::isfinite(step) ? std::fabs(step) : 0;
                lastIndex[w] = index;
            } else {
                const double m = WatchMargin(kind, row[w]);
                counts[w] += OppositeSigns(lastSign[w], m) ? 1 : 0;
                lastSign[w] = m != 0 && !std::isnan(m) ? m : lastSign[w];
            }
        }
        // Point i - 1 began an undefined stretch; it counts once it has a second point.
        if (i > 0 && defined[i - 1] == 0 && (i < 2 || defined[i - 2] != 0)) {
            counts[watches] += defined[i] == 0 ? 1 : 0;
        }
    }
    return counts;
}
