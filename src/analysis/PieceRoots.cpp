#include "analysis/PieceRoots.h"

#include "analysis/PoolChunks.h"
#include "analysis/TypicalSize.h"
#include "engine/ErrorFlags.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <optional>

namespace {

constexpr double kEps = std::numeric_limits<double>::epsilon();

// Sign changes in more than a quarter of the intervals of any window of this many mean the grid is
// too coarse for g: sin on a wide range sampled once per period changes sign at random.
constexpr std::size_t kWindow = 256;
constexpr std::size_t kCrowded = kWindow / 4;

// More lost samples than a narrow band beside an open end or around a flat zero gives.
constexpr std::ptrdiff_t kManyLost = 32;

int SignOf(double value)
{
    return value > 0 ? 1 : value < 0 ? -1 : 0;
}

// A value with no larger a bound on its rounding error has no sign: 0. The noise of a cancellation
// would otherwise change sign at random and make roots of its own ((x^2-1)/(x-1) has f'' = 0).
double Significant(double value, double bound)
{
    return std::fabs(value) <= bound ? 0.0 : value;
}

// Whether rounding swallowed the value; an exact 0 with no error to it (int(x) on [0, 1[) is a true 0.
bool Lost(double value, double bound)
{
    return bound > 0 && std::fabs(value) <= bound;
}

// values[i] and slopes[i] at xs[i], in chunks on the shared pool and on the calling thread.
// Returns false when stopped; the values are then incomplete.
bool Fill(const std::function<SValueAndSlope(double)>& g, const ScanVector<double>& xs,
          ScanVector<double>& values, ScanVector<double>& slopes, std::stop_token stop)
{
    // Not zeroed: every element is written before it is read, and the threads that write them touch
    // their pages first.
    values.resize(xs.size());
    slopes.resize(xs.size());
    return RunOnPool(
        xs.size(), 4096,
        [&](std::size_t begin, std::size_t end) {
            for (std::size_t i = begin; i < end; ++i) {
                const SValueAndSlope both = g(xs[i]);
                values[i] = both.value;
                slopes[i] = both.slope;
            }
        },
        stop);
}

// The same from the samples of the whole series, which the first scan of a grid evaluates and
// the others read. Returns false when stopped.
bool FillFromSeries(const SRootSearch& search, double lo, double hi, std::size_t n,
                    const ScanVector<double>& xs, ScanVector<double>& values, ScanVector<double>& slopes)
{
    CSeriesSamples& samples = *search.samples;
    const CSeriesSamples::Orders* kept = samples.Find(search.k, lo, hi, n);
    if (kept == nullptr) {
        if (!samples.HasRoomFor(xs.size())) {
            return Fill(search.both, xs, values, slopes, search.stop);
        }
        CSeriesSamples::Orders& orders = samples.Add(search.k, lo, hi, n, xs.size());
        const bool complete = RunOnPool(
            xs.size(), 4096,
            [&](std::size_t begin, std::size_t end) {
                for (std::size_t i = begin; i < end; ++i) {
                    double all[4];
                    search.series(xs[i], all);
                    for (std::size_t o = 0; o < 4; ++o) {
                        orders[o][i] = all[o];
                    }
                }
            },
            search.stop);
        if (!complete) {
            samples.DropLast();
            return false;
        }
        kept = &orders;
    }
    values.resize(xs.size());
    slopes.resize(xs.size());
    const ScanVector<double>& g = (*kept)[static_cast<std::size_t>(search.order)];
    const ScanVector<double>& slope = (*kept)[static_cast<std::size_t>(search.order) + 1];
    return RunOnPool(
        xs.size(), 4096,
        [&](std::size_t begin, std::size_t end) {
            for (std::size_t i = begin; i < end; ++i) {
                if (std::isnan(g[i]) || std::isnan(slope[i])) {
                    const SValueAndSlope both = search.both(xs[i]);
                    values[i] = both.value;
                    slopes[i] = both.slope;
                } else {
                    values[i] = g[i];
                    slopes[i] = slope[i];
                }
            }
        },
        search.stop);
}

// Whether rounding could matter at sample i: where g changes sign or is 0 beside it, where |g| is
// least among its neighbours (a dip that may reach 0), and at the ends. Elsewhere a value larger
// than its neighbours' of the same sign is no noise that could make or hide a root, and its bound,
// which costs more than the value, is not needed.
bool NearZero(const ScanVector<double>& v, std::size_t i)
{
    if (i == 0 || i + 1 >= v.size() || v[i] == 0 || OppositeSigns(v[i - 1], v[i]) ||
        OppositeSigns(v[i], v[i + 1])) {
        return true;
    }
    const double here = std::fabs(v[i]);
    return here <= std::fabs(v[i - 1]) && here <= std::fabs(v[i + 1]);
}

// The values whose size rounding may have swallowed are set to 0, and marked in lost. Returns
// false when stopped.
bool Clean(const std::function<SValueAndSlope(double)>& bounded, const ScanVector<double>& xs,
           ScanVector<double>& values, ScanVector<double>& slopes, ScanVector<std::uint8_t>& lost,
           std::stop_token stop)
{
    lost.assign(xs.size(), 0);
    if (!bounded) {
        return true;
    }
    ScanVector<std::uint8_t> checked(xs.size(), 0);
    const auto check = [&](const std::vector<std::size_t>& indices) {
        return RunOnPool(
            indices.size(), 1024,
            [&](std::size_t begin, std::size_t end) {
                for (std::size_t s = begin; s < end; ++s) {
                    const std::size_t i = indices[s];
                    const SValueAndSlope both = bounded(xs[i]);
                    lost[i] = Lost(both.value, both.valueBound) ? 1 : 0;
                    values[i] = Significant(values[i], both.valueBound);
                    slopes[i] = Significant(slopes[i], both.slopeBound);
                    checked[i] = 1;
                }
            },
            stop);
    };
    std::vector<std::size_t> suspects;
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (NearZero(values, i)) {
            suspects.push_back(i);
        }
    }
    if (!check(suspects)) {
        return false;
    }
    // Many values lost: g is noise on a stretch (f'' of (x^2-1)/(x-1) everywhere), where a
    // sample's slope says as little as its value, so every sample is looked at.
    if (std::count(lost.begin(), lost.end(), 1) < kManyLost) {
        return true;
    }
    std::vector<std::size_t> rest;
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (checked[i] == 0) {
            rest.push_back(i);
        }
    }
    return check(rest);
}

// Beside an end that does not belong to the piece, a value lost in rounding says nothing: f'' of
// (x^3-x)/(x-1) next to its gap at 1 is noise of any size, and a 0 there would make a point of f
// where f has none. Those samples become unknown (NaN), as far as they reach from the end.
// Returns whether any sample became unknown.
bool ForgetLostAtEnds(ScanVector<double>& values, const ScanVector<std::uint8_t>& lost, bool fromIncluded,
                      bool toIncluded)
{
    bool forgot = false;
    if (!fromIncluded) {
        for (std::size_t i = 0; i < values.size() && lost[i] != 0; ++i) {
            forgot = forgot || std::isfinite(values[i]);
            values[i] = std::numeric_limits<double>::quiet_NaN();
        }
    }
    if (!toIncluded) {
        for (std::size_t i = values.size(); i > 0 && lost[i - 1] != 0; --i) {
            forgot = forgot || std::isfinite(values[i - 1]);
            values[i - 1] = std::numeric_limits<double>::quiet_NaN();
        }
    }
    return forgot;
}

// g at x where it is defined and a number, NaN elsewhere; the math flag is left as it was.
double Probe(const QuantityAt& g, double x)
{
    const int saved = g_mathError;
    g_mathError = 0;
    const double value = g(x);
    const bool failed = g_mathError != 0;
    g_mathError = saved;
    return failed ? std::numeric_limits<double>::quiet_NaN() : value;
}

// The grid: from + i * (to - from) / n, each x once (a range a few doubles wide has fewer). The
// points are worked out on the pool, so that its threads, not the caller alone, first touch the pages.
ScanVector<double> Grid(double from, double to, std::size_t n)
{
    ScanVector<double> xs(n + 1);
    const double width = to - from;
    RunOnPool(xs.size(), std::size_t{1} << 14,
              [&](std::size_t begin, std::size_t end) {
                  for (std::size_t i = begin; i < end; ++i) {
                      // Half the range from each end, so that a range of ±1e308 does not overflow.
                      const double x =
                          std::isfinite(width)
                              ? from + width * (static_cast<double>(i) / static_cast<double>(n))
                              : from / 2 + to / 2 +
                                    (to / 2 - from / 2) *
                                        (2 * static_cast<double>(i) / static_cast<double>(n) - 1);
                      xs[i] = std::clamp(x, from, to);
                  }
              },
              {});
    // Where the range holds fewer doubles than the grid has points, neighbours coincide: each x is
    // kept once.
    std::size_t kept = 1;
    for (std::size_t i = 1; i < xs.size(); ++i) {
        if (xs[i] > xs[kept - 1]) {
            xs[kept++] = xs[i];
        }
    }
    xs.resize(kept);
    xs.back() = to;
    return xs;
}

// Whether the grid misses what g does between its samples: sign changes crowd in some window, or
// there the slopes at the ends of many intervals do not account for the step of g across them
// (the trapezoid rule on g' misses the change of g by more than a quarter). Steps that are tiny
// beside the values of g are rounding and say nothing.
enum class EResolution
{
    Resolved,
    Unresolved,
    Hopeless // the slopes miss on most intervals: g varies on a scale far below the step
};

// typical is TypicalSize of the values.
EResolution Resolution(const ScanVector<double>& xs, const ScanVector<double>& values,
                       const ScanVector<double>& slopes, std::optional<double> typical)
{
    if (!typical) {
        return EResolution::Resolved;
    }
    const double noise = 1e-8 * *typical;
    std::size_t changes = 0;
    std::size_t misses = 0;
    std::size_t allMisses = 0;
    bool unresolved = false;
    for (std::size_t i = 1; i < values.size(); ++i) {
        if (i % kWindow == 0) {
            changes = 0;
            misses = 0;
        }
        if (OppositeSigns(values[i - 1], values[i]) && ++changes > kCrowded) {
            unresolved = true;
        }
        const double step = values[i] - values[i - 1];
        const double predicted = (xs[i] - xs[i - 1]) * (slopes[i - 1] + slopes[i]) / 2;
        const double size = std::max(std::fabs(step), std::fabs(predicted));
        if (std::isfinite(step) && std::isfinite(predicted) && size > noise && std::fabs(step - predicted) > size / 4) {
            ++allMisses;
            if (++misses > kWindow / 8) {
                unresolved = true;
            }
        }
    }
    if (2 * allMisses > values.size()) {
        return EResolution::Hopeless;
    }
    return unresolved ? EResolution::Unresolved : EResolution::Resolved;
}

// What is looked for beside the sign changes: the sizes that tell a touching zero from a near miss.
class CRootCollector
{
public:
    // The ends that do not belong to the piece: the samples there stand in for a pole, a gap or an
    // edge, whose x is no point of f, so nothing found at them is a zero.
    // typical is TypicalSize of the values.
    CRootCollector(const SRootSearch& search, SRoots& out, bool fromOpen, bool toOpen,
                   std::optional<double> typical)
        : m_search{search}, m_out{out}, m_fromOpen{fromOpen}, m_toOpen{toOpen}
    {
        // Rounding in a term's parts is of the size of its larger values: a touching zero of the
        // expanded (x-1)^2 leaves about eps times them.
        if (typical) {
            m_tolerance = 64 * kEps * *typical;
        }
    }

    void Collect()
    {
        const ScanVector<double>& xs = m_out.xs;
        const ScanVector<double>& v = m_out.values;
        const std::size_t n = xs.size();
        for (std::size_t i = 0; i + 1 < n; ++i) {
            if (OppositeSigns(v[i], v[i + 1])) {
                Bisect(xs[i], v[i], xs[i + 1], v[i + 1]);
            }
        }
        for (std::size_t i = 0; i < n; ++i) {
            if (v[i] == 0) {
                std::size_t j = i;
                while (j + 1 < n && v[j + 1] == 0) {
                    ++j;
                }
                if (LostBetweenValues(i, j)) {
                    LostSamples(i, j);
                } else {
                    ZeroSamples(i, j);
                }
                i = j;
            } else if (i > 0 && i + 1 < n) {
                const bool sameSign = SignOf(v[i - 1]) == SignOf(v[i]) && SignOf(v[i]) == SignOf(v[i + 1]);
                const double here = std::fabs(v[i]);
                if (sameSign && here < std::fabs(v[i - 1]) && here <= std::fabs(v[i + 1]) &&
                    m_closerLooks++ < kMaxCloserLooks) {
                    LeastMagnitude(xs[i - 1], xs[i + 1], v[i]);
                }
            }
        }
        if (m_search.touching && n >= 2) {
            // A zero that lies on an end within rounding (sin(x) at the double nearest pi).
            if (!m_fromOpen && v[0] != 0 && std::fabs(v[0]) <= m_tolerance &&
                std::fabs(v[0]) < std::fabs(v[1])) {
                Add({xs[0], false, 0});
            }
            if (!m_toOpen && v[n - 1] != 0 && std::fabs(v[n - 1]) <= m_tolerance &&
                std::fabs(v[n - 1]) < std::fabs(v[n - 2])) {
                Add({xs[n - 1], false, SignOf(v[n - 1])});
            }
        }
        std::sort(m_out.roots.begin(), m_out.roots.end(), [](const SRoot& a, const SRoot& b) { return a.x < b.x; });
        m_out.roots.erase(std::unique(m_out.roots.begin(), m_out.roots.end(),
                                      [](const SRoot& a, const SRoot& b) { return a.x == b.x; }),
                          m_out.roots.end());
    }

private:
    void Add(SRoot root) { m_out.roots.push_back(root); }

    void Bisect(double lo, double gLo, double hi, double gHi)
    {
        const SBisection end = BisectSignChange(m_search.g, lo, gLo, hi, gHi);
        if (end.settled) {
            Add({end.x, true, SignOf(gLo)});
        }
    }

    // Samples i..j are exactly 0: one zero, crossing or touching, or a stretch of them.
    void ZeroSamples(std::size_t i, std::size_t j)
    {
        const ScanVector<double>& xs = m_out.xs;
        const ScanVector<double>& v = m_out.values;
        if (j > i) {
            m_out.zeroStretches.emplace_back(xs[i], xs[j]);
            return;
        }
        if ((i == 0 && m_fromOpen) || (i + 1 == v.size() && m_toOpen)) {
            return;
        }
        const int left = i > 0 ? SignOf(v[i - 1]) : 0;
        const int right = i + 1 < v.size() ? SignOf(v[i + 1]) : 0;
        const bool crossing = left != 0 && right != 0 && left != right;
        if (crossing || m_search.touching) {
            Add({xs[i], crossing, left});
        }
    }

    // Samples i..j all lost in rounding, with values of a sign on either side: the one place
    // where g passes or touches 0 lies somewhere in that band, not on a stretch. (x-1)^4 written
    // out is lost within 2e-4 of 1.
    bool LostBetweenValues(std::size_t i, std::size_t j) const
    {
        const ScanVector<double>& v = m_out.values;
        if (i == 0 || j + 1 >= v.size() || SignOf(v[i - 1]) == 0 || SignOf(v[j + 1]) == 0) {
            return false;
        }
        for (std::size_t s = i; s <= j; ++s) {
            if (m_out.lost[s] == 0) {
                return false;
            }
        }
        return true;
    }

    void LostSamples(std::size_t i, std::size_t j)
    {
        const ScanVector<double>& xs = m_out.xs;
        const ScanVector<double>& v = m_out.values;
        if (OppositeSigns(v[i - 1], v[j + 1])) {
            Bisect(xs[i - 1], v[i - 1], xs[j + 1], v[j + 1]);
        } else if (m_search.touching) {
            Add({MinimiseMagnitude(m_search.g, m_search.slope, xs[i - 1], xs[j + 1]), false,
                 SignOf(v[i - 1])});
        }
    }

    // |g| is least at a sample between lo and hi: where g' turns, g may dip to 0 and back (two
    // zeros within a step), or touch 0.
    void LeastMagnitude(double lo, double hi, double sample)
    {
        const double c = MinimiseMagnitude(m_search.g, m_search.slope, lo, hi);
        double value = Probe(m_search.g, c);
        if (m_search.bounded && !std::isnan(value)) {
            const SValueAndSlope both = m_search.bounded(c);
            value = Significant(value, both.valueBound);
        }
        if (std::isnan(value)) {
            return;
        }
        if (OppositeSigns(value, sample)) {
            Bisect(lo, sample, c, value);
            Bisect(c, value, hi, sample);
            return;
        }
        if (m_search.touching && std::fabs(value) <= m_tolerance) {
            Add({c, false, SignOf(sample)});
        }
    }

    // Rounding noise on a flat stretch makes a dip at every other sample; each closer look costs a
    // hundred evaluations, so their number is bounded.
    static constexpr std::size_t kMaxCloserLooks = 1 << 14;

    const SRootSearch& m_search;
    SRoots& m_out;
    bool m_fromOpen;
    bool m_toOpen;
    double m_tolerance{0};
    std::size_t m_closerLooks{0};
};

} // namespace

SRoots RootsOn(const SRootSearch& search, double from, bool fromIncluded, double to, bool toIncluded)
{
    SRoots out;
    // An end that does not belong to the piece is a pole, a jump or an edge: right beside it the
    // derivatives are overflow and rounding, so the grid keeps a small distance.
    const double inset = 1e-9 * (to / 2 - from / 2);
    const double lo = fromIncluded ? from : std::min(to, from + inset);
    const double hi = toIncluded ? to : std::max(lo, to - inset);
    if (!(lo <= hi)) {
        return out;
    }
    std::size_t n = std::max<std::size_t>(search.intervals, 2);
    ScanVector<double> slopes;
    std::optional<double> typical;
    for (;;) {
        out.xs = Grid(lo, hi, n);
        const bool filled = search.samples != nullptr && search.series
                                ? FillFromSeries(search, lo, hi, n, out.xs, out.values, slopes)
                                : Fill(search.both, out.xs, out.values, slopes, search.stop);
        if (!filled || !Clean(search.bounded, out.xs, out.values, slopes, out.lost, search.stop)) {
            out.outcome = ERootsOutcome::Stopped;
            return out;
        }
        typical = TypicalSize(out.values);
        const EResolution resolution = Resolution(out.xs, out.values, slopes, typical);
        // A grid that already holds every double of the range cannot get finer.
        if (resolution == EResolution::Resolved || out.xs.size() <= n) {
            break;
        }
        if (n >= search.maxIntervals) {
            out.outcome = ERootsOutcome::TooDense;
            break;
        }
        // Where a few doublings will not do, the finest grid is tried at once.
        n = resolution == EResolution::Hopeless ? search.maxIntervals : std::min(2 * n, search.maxIntervals);
    }
    // Zeros picked from a grid that cannot tell them apart would be as wrong as they are many.
    if (out.outcome == ERootsOutcome::TooDense) {
        return out;
    }
    if (ForgetLostAtEnds(out.values, out.lost, fromIncluded, toIncluded)) {
        typical = TypicalSize(out.values);
    }
    CRootCollector{search, out, !fromIncluded, !toIncluded, typical}.Collect();
    if (search.stop.stop_requested()) {
        out.outcome = ERootsOutcome::Stopped;
    }
    return out;
}

int SignBetween(const SRoots& roots, const QuantityAt& g, double from, double to)
{
    const auto begin = std::upper_bound(roots.xs.begin(), roots.xs.end(), from);
    const auto end = std::lower_bound(roots.xs.begin(), roots.xs.end(), to);
    int balance = 0;
    bool any = false;
    for (auto it = begin; it < end; ++it) {
        const double value = roots.values[static_cast<std::size_t>(it - roots.xs.begin())];
        if (!std::isnan(value)) {
            any = true;
            balance += SignOf(value);
        }
    }
    if (!any) {
        return SignOf(Probe(g, from + (to - from) / 2));
    }
    return SignOf(static_cast<double>(balance));
}
