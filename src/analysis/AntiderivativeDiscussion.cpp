#include "analysis/AntiderivativeDiscussion.h"

#include "analysis/AnalysisSink.h"
#include "analysis/Antiderivative.h"
#include "analysis/AntiderivativeStretch.h"
#include "analysis/DerivativeAt.h"
#include "analysis/FamilyDomain.h"
#include "analysis/PieceGrid.h"
#include "analysis/PieceRoots.h"
#include "analysis/ResultText.h"
#include "document/StepLoop.h"
#include "engine/CompiledTerm.h"
#include "engine/Derivatives.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <map>
#include <optional>
#include <stop_token>
#include <vector>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// As many rows as the value table of a function takes at most.
constexpr double kMaxTableRows = 1 << 20;

// Every sample of F costs a quadrature, so its grid gets finer than a function's only so far.
constexpr std::size_t kMaxZeroIntervals = std::size_t{1} << 18;

// Parts the quadrature from a node to a point may use: the nodes lie a grid step apart.
constexpr int kMaxPartsPerStep = 64;

bool Empty(const SDomainPiece& piece)
{
    return piece.from > piece.to || (piece.from == piece.to && !(piece.fromIncluded && piece.toIncluded));
}

SDomainPiece Clip(SDomainPiece piece, double from, double to)
{
    if (piece.from < from) {
        piece.from = from;
        piece.fromIncluded = true;
    }
    if (piece.to > to) {
        piece.to = to;
        piece.toIncluded = true;
    }
    return piece;
}

// F anywhere on the window: the value accumulated from x0 at the grid node left of x, plus the
// quadrature from that node to x. The nodes are fixed, so between two of them F is one smooth
// quadrature of x: a bisection of a sign change runs to neighbouring doubles there, and the zero
// it ends at is as accurate as F at the node, about 1e-11 of F's size after the accumulation,
// rather than as the last bit of x.
class CAntiderivativeValues
{
public:
    CAntiderivativeValues(const CCompiledTerm& f, double k, const SAntiderivativeStretch& stretch,
                          const SDomainPiece& window, double x0, double y0, std::size_t intervals)
        : m_integral{f, k, stretch}
    {
        // Off an open end by as much as the root search keeps off it.
        const double inset = 1e-9 * (window.to / 2 - window.from / 2);
        const double lo = window.fromIncluded ? window.from : std::min(window.to, window.from + inset);
        const double hi = window.toIncluded ? window.to : std::max(lo, window.to - inset);
        const std::size_t n = std::max<std::size_t>(intervals, 1);
        for (std::size_t i = 0; i < n; ++i) {
            const double x = lo + (hi - lo) * (static_cast<double>(i) / static_cast<double>(n));
            if (m_nodes.empty() || x > m_nodes.back()) {
                m_nodes.push_back(x);
            }
        }
        if (hi > m_nodes.back()) {
            m_nodes.push_back(hi);
        }
        m_values.resize(m_nodes.size());
        m_undefined.resize(m_nodes.size());
        SampleAntiderivative(f, k, x0, y0, m_nodes, m_values, m_undefined);
    }

    double operator()(double x) const
    {
        auto at = std::upper_bound(m_nodes.begin(), m_nodes.end(), x);
        std::size_t i = at == m_nodes.begin() ? 0 : static_cast<std::size_t>(at - m_nodes.begin()) - 1;
        // Left of the first node F is reached from it; beside a pole from the known neighbour.
        if (m_undefined[i] != 0 && i + 1 < m_nodes.size() && m_undefined[i + 1] == 0) {
            ++i;
        }
        if (m_undefined[i] != 0) {
            return kNaN;
        }
        if (x == m_nodes[i]) {
            return m_values[i];
        }
        const std::optional<double> step =
            m_integral.Step(m_nodes[i], x, std::max(std::fabs(m_values[i]), 1.0), 1, kMaxPartsPerStep);
        return step ? m_values[i] + *step : kNaN;
    }

private:
    CStretchIntegral m_integral;
    std::vector<double> m_nodes;
    std::vector<double> m_values;
    std::vector<std::uint8_t> m_undefined;
};

// The places inside the window where f (order 0) or f' (order 1) changes sign: inside a piece of
// f, or across a border between two (a gap or a jump, which F passes without a break).
struct STurn
{
    double x{};
    int leftSign{};
    // A border where f jumps: F has a corner there, so its curvature is not carried across.
    bool jump{false};
};

struct SPieceSigns
{
    SDomainPiece piece;
    SRoots roots;
    std::vector<double> turning;
    std::vector<int> turningLeftSigns;
    int firstSign{0};
    int lastSign{0};
};

class CAntiderivativeRun
{
public:
    CAntiderivativeRun(EAntiderivativeScan scan, const CGraphFunction& integrand, double x0, double y0,
                       const CScaling& scaling, int precision, const SDiscussOptions& options,
                       IAnalysisSink& sink)
        : m_scan{scan}, m_function{integrand}, m_term{integrand.GetTerm()},
          m_family{integrand.GetUseFamilyConstant() != 0}, m_x0{x0}, m_y0{y0},
          m_precision{precision}, m_digits{options.digits}, m_sink{sink}, m_stop{sink.StopToken()}
    {
        scaling.GetXRange(m_from, m_to, m_step);
        m_lo = std::isfinite(x0) ? std::min(x0, m_from) : m_from;
        m_hi = std::isfinite(x0) ? std::max(x0, m_to) : m_to;
        m_domains.emplace(m_term, m_lo, m_hi);
    }

    void Run()
    {
        m_sink.SetProgress(0);
        if (m_scan == EAntiderivativeScan::ValueTable) {
            if ((m_to / 2 - m_from / 2) / (m_step / 2) > kMaxTableRows) {
                Add(SResultMessage{EResultMessage::TooManyRows, {kMaxTableRows}});
                return;
            }
            m_sink.SetTableColumns(m_family ? 5 : 4);
            Add(SResultTableHeader{m_family, OwnFunctionName(m_function)});
        }
        const int values = CountFamilyValues(m_function);
        int done = 0;
        ForEachFamilyValue(m_function, [&](double k) {
            const bool more = RunFor(k);
            m_sink.SetProgress(std::min(100, ++done * 100 / std::max(values, 1)));
            return more && !m_sink.Stopped() && !m_stop.stop_requested();
        });
        if (m_total == 0 && !m_stop.stop_requested()) {
            switch (m_scan) {
            case EAntiderivativeScan::Zeros:
                Add(SResultMessage{EResultMessage::NoZeros, {}});
                break;
            case EAntiderivativeScan::Extrema:
                Add(SResultMessage{EResultMessage::NoExtrema, {}});
                break;
            case EAntiderivativeScan::Inflections:
                Add(SResultMessage{EResultMessage::NoInflections, {}});
                break;
            default:
                break;
            }
        }
        m_sink.SetProgress(0);
    }

private:
    template <class Value> void Add(Value value, std::optional<double> k = std::nullopt)
    {
        m_sink.Add(SAnalysisResult{std::move(value), m_family ? k : std::nullopt, m_digits});
    }

    void Point(char letter, double x, double y, double k)
    {
        Add(SResultPoint{letter, ++m_counts[letter], WithoutNegativeZero(x, m_digits),
                         WithoutNegativeZero(y, m_digits), false},
            k);
        ++m_total;
    }

    void Note(const SDomainPiece& piece, double k)
    {
        Add(SResultMessage{EResultMessage::AntiderivativeOnlyOn,
                           {WithoutNegativeZero(piece.from, m_digits),
                            WithoutNegativeZero(piece.to, m_digits), piece.fromIncluded ? 1.0 : 0.0,
                            piece.toIncluded ? 1.0 : 0.0}},
            k);
    }

    bool RunFor(double k)
    {
        m_counts.clear();
        m_tooDense = false;
        const int before = m_total;
        const bool done = RunStretch(k);
        if (!done) {
            return false;
        }
        if (m_tooDense) {
            Add(SResultMessage{EResultMessage::TooDense, {m_from, m_to}}, k);
            ++m_total;
        }
        const bool always = m_scan == EAntiderivativeScan::ValueTable ||
                            m_scan == EAntiderivativeScan::Monotony ||
                            m_scan == EAntiderivativeScan::Curvature;
        if (m_family && (m_total > before || always)) {
            Add(SResultMessage{EResultMessage::GroupEnd, {}});
        }
        return true;
    }

    // False when the run was stopped.
    bool RunStretch(double k)
    {
        SDomain domain = m_domains->Of(k, m_stop);
        switch (domain.outcome) {
        case EDomainOutcome::Complete:
            break;
        case EDomainOutcome::Stopped:
            return false;
        case EDomainOutcome::TooManyBorders:
            Add(SResultMessage{EResultMessage::DomainTooFine, {m_from, m_to}}, k);
            ++m_total;
            return true;
        case EDomainOutcome::InvalidRange:
        case EDomainOutcome::SyntaxError:
            domain.pieces.clear();
            break;
        }
        if (m_lo == m_hi && m_term.DefinedValue(m_lo, k)) {
            domain.pieces = {{m_lo, m_hi, true, true}};
        }
        const SAntiderivativeStretch stretch = StretchAround(domain, m_x0);
        if (Empty(stretch.outer)) {
            Add(SResultMessage{EResultMessage::AntiderivativeUndefined,
                               {WithoutNegativeZero(m_x0, m_digits)}},
                k);
            ++m_total;
            return true;
        }
        const SDomainPiece window = Clip(stretch.outer, m_from, m_to);
        if (Empty(window)) {
            Note(stretch.outer, k);
            return true;
        }
        const bool whole =
            window.from == m_from && window.to == m_to && window.fromIncluded && window.toIncluded;
        if (!whole && m_scan != EAntiderivativeScan::ValueTable) {
            Note(window, k);
        }
        std::vector<SDomainPiece> pieces;
        for (const SDomainPiece& piece : domain.pieces) {
            if (piece.from >= stretch.outer.from && piece.to <= stretch.outer.to) {
                const SDomainPiece clipped = Clip(piece, m_from, m_to);
                if (!Empty(clipped)) {
                    pieces.push_back(clipped);
                }
            }
        }
        const CDerivativeAt at{m_term, k};
        bool complete = true;
        switch (m_scan) {
        case EAntiderivativeScan::ValueTable:
            Table(k);
            break;
        case EAntiderivativeScan::Zeros:
            complete = Zeros(at, stretch, window, k);
            break;
        case EAntiderivativeScan::Extrema:
        case EAntiderivativeScan::Inflections:
            complete = Points(at, stretch, window, domain, pieces, k);
            break;
        case EAntiderivativeScan::Monotony:
        case EAntiderivativeScan::Curvature:
            complete = Intervals(at, window, domain, pieces, k);
            break;
        }
        if (!whole && m_scan == EAntiderivativeScan::ValueTable) {
            Note(window, k);
        }
        return complete && !m_stop.stop_requested();
    }

    // The grid of the window: the range's, shared by its width as a function's pieces share it.
    std::size_t Intervals(const SDomainPiece& window) const
    {
        const double width = 2 * (m_to / 2 - m_from / 2);
        const double share = width > 0 ? (window.to - window.from) / width : 1.0;
        const double intervals =
            static_cast<double>(RangeIntervals(m_precision)) * (std::isfinite(share) ? share : 1.0);
        return std::max(kMinPieceIntervals, static_cast<std::size_t>(std::min(intervals, 1e9)));
    }

    void Table(double k)
    {
        std::vector<double> xs;
        ForEachStep(m_from, m_to, m_step, [&](double x) { xs.push_back(x); });
        std::vector<double> values(xs.size());
        std::vector<std::uint8_t> undefined(xs.size());
        SampleAntiderivative(m_term, k, m_x0, m_y0, xs, values, undefined);
        // F' and F'' are evaluated as f and f' are in f's own table, so that the columns agree.
        for (std::size_t i = 0; i < xs.size(); ++i) {
            if (undefined[i] == 0) {
                Add(SResultTableRow{xs[i], values[i], EvaluateOrder(m_term, xs[i], k, 0),
                                    EvaluateOrder(m_term, xs[i], k, 1)},
                    k);
            }
        }
    }

    bool Zeros(const CDerivativeAt& at, const SAntiderivativeStretch& stretch, const SDomainPiece& window,
               double k)
    {
        const std::size_t intervals = std::min(Intervals(window), kMaxZeroIntervals);
        const CAntiderivativeValues F{m_term, k, stretch, window, m_x0, m_y0, intervals};
        SRootSearch search;
        search.g = [&F](double x) { return F(x); };
        search.slope = at.Order(0);
        search.both = [&F, &at](double x) { return SValueAndSlope{F(x), at(x, 0)}; };
        search.touching = true;
        search.intervals = intervals;
        search.maxIntervals = kMaxZeroIntervals;
        search.stop = m_stop;
        const SRoots roots = RootsOn(search, window.from, window.fromIncluded, window.to, window.toIncluded);
        if (roots.outcome != ERootsOutcome::Complete) {
            m_tooDense = m_tooDense || roots.outcome == ERootsOutcome::TooDense;
            return roots.outcome != ERootsOutcome::Stopped;
        }
        std::vector<std::pair<double, double>> stretches;
        for (const auto& samples : roots.zeroStretches) {
            stretches.push_back(RefinedStretch(search.g, samples, window, roots.xs));
        }
        std::size_t next = 0;
        const auto flush = [&](double upTo) {
            while (next < stretches.size() && stretches[next].first < upTo) {
                const auto& s = stretches[next++];
                Add(SResultMessage{EResultMessage::AntiderivativeZeroStretch,
                                   {WithoutNegativeZero(s.first, m_digits),
                                    WithoutNegativeZero(s.second, m_digits),
                                    s.first != window.from || window.fromIncluded ? 1.0 : 0.0,
                                    s.second != window.to || window.toIncluded ? 1.0 : 0.0}},
                    k);
                ++m_total;
            }
        };
        for (const SRoot& root : roots.roots) {
            flush(root.x);
            if (next > 0 && root.x <= stretches[next - 1].second) {
                continue;
            }
            Point('N', root.x, 0.0, k);
        }
        flush(std::numeric_limits<double>::infinity());
        return true;
    }

    // The zeros of f (order 0) or f' (order 1) on every piece, and the signs at the pieces' ends;
    // nothing when they crowd too densely or the run was stopped.
    std::optional<std::vector<SPieceSigns>> Signs(const CDerivativeAt& at, int order,
                                                  const std::vector<SDomainPiece>& pieces)
    {
        const double width = 2 * (m_to / 2 - m_from / 2);
        const QuantityAt q = at.Order(order);
        std::vector<SPieceSigns> signs;
        for (const SDomainPiece& piece : pieces) {
            if (m_stop.stop_requested() || m_sink.Stopped()) {
                return std::nullopt;
            }
            SPieceSigns s{piece, RootsOnPiece(at, order, piece, width, m_precision, m_stop), {}, {}, 0, 0};
            if (s.roots.outcome != ERootsOutcome::Complete) {
                m_tooDense = m_tooDense || s.roots.outcome == ERootsOutcome::TooDense;
                return std::nullopt;
            }
            for (const SRoot& root : s.roots.roots) {
                if (root.crossing && root.x > piece.from && root.x < piece.to) {
                    s.turning.push_back(root.x);
                    s.turningLeftSigns.push_back(root.leftSign);
                }
            }
            if (piece.from < piece.to) {
                s.firstSign =
                    SignBetween(s.roots, q, piece.from, s.turning.empty() ? piece.to : s.turning.front());
                s.lastSign =
                    SignBetween(s.roots, q, s.turning.empty() ? piece.from : s.turning.back(), piece.to);
            }
            signs.push_back(std::move(s));
        }
        return signs;
    }

    static EBorderKind KindAt(const SDomain& domain, double x)
    {
        for (const SDomainBorder& border : domain.borders) {
            if (border.x == x) {
                return border.kind;
            }
        }
        return EBorderKind::Edge;
    }

    // The sign changes in order of x. Across a border f (order 0) may change sign at a gap or a
    // jump, and F turns there all the same; f' is carried only across a gap, since F has a corner
    // where f jumps. For intervals every border where the sign differs on its two sides cuts, 0
    // included (int(x) is 0 on ]-1; 1[), and for the curvature every jump.
    static std::vector<STurn> Turns(const std::vector<SPieceSigns>& signs, const SDomain& domain, int order,
                                    bool intervals)
    {
        std::vector<STurn> turns;
        for (std::size_t i = 0; i < signs.size(); ++i) {
            if (i > 0) {
                const double border = signs[i].piece.from;
                const EBorderKind kind = KindAt(domain, border);
                const bool jump = kind == EBorderKind::Jump;
                const int left = signs[i - 1].lastSign;
                const int right = signs[i].firstSign;
                if (intervals) {
                    if (left != right || (order == 1 && jump)) {
                        turns.push_back({border, left, order == 1 && jump});
                    }
                } else if ((kind == EBorderKind::Gap || (order == 0 && jump)) && OppositeSigns(left, right)) {
                    turns.push_back({border, left, jump});
                }
            }
            for (std::size_t j = 0; j < signs[i].turning.size(); ++j) {
                turns.push_back({signs[i].turning[j], signs[i].turningLeftSigns[j], false});
            }
        }
        return turns;
    }

    bool Points(const CDerivativeAt& at, const SAntiderivativeStretch& stretch, const SDomainPiece& window,
                const SDomain& domain, const std::vector<SDomainPiece>& pieces, double k)
    {
        const bool extrema = m_scan == EAntiderivativeScan::Extrema;
        const int order = extrema ? 0 : 1;
        const std::optional<std::vector<SPieceSigns>> signs = Signs(at, order, pieces);
        if (!signs) {
            return !m_stop.stop_requested();
        }
        const std::vector<STurn> turns = Turns(*signs, domain, order, false);
        if (turns.empty()) {
            return true;
        }
        // Only the few points found need F, so a coarse grid of nodes will do.
        const CAntiderivativeValues F{m_term, k, stretch, window, m_x0, m_y0, kMinPieceIntervals};
        // As for a function: a slope that small beside the typical slope of F (that is, f) makes
        // the inflection a saddle. The median, because f beside a pole is any size.
        std::vector<double> slopes;
        for (int i = 1; i < 64 && !extrema; ++i) {
            const double slope = std::fabs(at(window.from + (window.to - window.from) * i / 64.0, 0));
            if (std::isfinite(slope)) {
                slopes.push_back(slope);
            }
        }
        const auto middle = slopes.begin() + static_cast<std::ptrdiff_t>(slopes.size() / 2);
        std::nth_element(slopes.begin(), middle, slopes.end());
        const double typical = slopes.empty() ? 0.0 : *middle;
        for (const STurn& turn : turns) {
            const char letter = extrema ? (turn.leftSign > 0 ? 'H' : 'T')
                                        : (std::fabs(at(turn.x, 0)) <= 1e-10 * typical ? 'S' : 'W');
            Point(letter, turn.x, F(turn.x), k);
        }
        return true;
    }

    // The largest intervals on which f (monotony) or f' (curvature) keeps its sign.
    bool Intervals(const CDerivativeAt& at, const SDomainPiece& window, const SDomain& domain,
                   const std::vector<SDomainPiece>& pieces, double k)
    {
        if (!(window.from < window.to)) {
            return true;
        }
        const bool curvature = m_scan == EAntiderivativeScan::Curvature;
        const int order = curvature ? 1 : 0;
        const std::optional<std::vector<SPieceSigns>> signs = Signs(at, order, pieces);
        if (!signs) {
            return !m_stop.stop_requested();
        }
        const QuantityAt q = at.Order(order);
        std::vector<STurn> cuts{{window.from, 0, false}};
        for (const STurn& turn : Turns(*signs, domain, order, true)) {
            cuts.push_back(turn);
        }
        cuts.push_back({window.to, 0, false});
        struct SStretch
        {
            double from;
            double to;
            int sign;
        };
        std::vector<SStretch> stretches;
        for (std::size_t i = 0; i + 1 < cuts.size(); ++i) {
            const double from = cuts[i].x;
            const double to = cuts[i + 1].x;
            // The sign on the piece that holds the middle of the stretch.
            const double middle = from + (to - from) / 2;
            int sign = 0;
            for (const SPieceSigns& s : *signs) {
                if (s.piece.from <= middle && middle <= s.piece.to) {
                    sign = SignBetween(s.roots, q, std::max(from, s.piece.from), std::min(to, s.piece.to));
                    break;
                }
            }
            if (!stretches.empty() && stretches.back().sign == sign && !cuts[i].jump) {
                stretches.back().to = to;
            } else {
                stretches.push_back({from, to, sign});
            }
        }
        for (const SStretch& s : stretches) {
            SResultInterval interval{WithoutNegativeZero(s.from, m_digits),
                                     WithoutNegativeZero(s.to, m_digits),
                                     s.from != window.from || window.fromIncluded,
                                     s.to != window.to || window.toIncluded, s.sign >= 0};
            interval.constant = s.sign == 0;
            interval.curvature = curvature;
            Add(interval, k);
            ++m_total;
        }
        return true;
    }

    EAntiderivativeScan m_scan;
    const CGraphFunction& m_function;
    CCompiledTerm m_term;
    bool m_family;
    double m_x0;
    double m_y0;
    int m_precision;
    int m_digits;
    IAnalysisSink& m_sink;
    std::stop_token m_stop;
    double m_from{};
    double m_to{};
    double m_step{};
    // The range the domain is read on: the x range and x0.
    double m_lo{};
    double m_hi{};
    // Holds m_term, so it comes after it.
    std::optional<CFamilyDomain> m_domains;
    int m_total{0};
    bool m_tooDense{false};
    std::map<char, int> m_counts;
};

} // namespace

void DiscussAntiderivative(EAntiderivativeScan scan, const CGraphFunction& integrand, double x0, double y0,
                           const CScaling& scaling, int precision, const SDiscussOptions& options,
                           IAnalysisSink& sink)
{
    CAntiderivativeRun{scan, integrand, x0, y0, scaling, precision, options, sink}.Run();
}

void RunAntiderivativeAnalysis(EAnalysis kind, const CGraphFunction& integrand, double x0, double y0,
                               const CScaling& scaling, int precision, const SDiscussOptions& options,
                               IAnalysisSink& sink)
{
    std::optional<EAntiderivativeScan> scan;
    switch (kind) {
    case EAnalysis::ValueTable:
        scan = EAntiderivativeScan::ValueTable;
        break;
    case EAnalysis::Zeros:
        scan = EAntiderivativeScan::Zeros;
        break;
    case EAnalysis::Extrema:
        scan = EAntiderivativeScan::Extrema;
        break;
    case EAnalysis::Inflections:
        scan = EAntiderivativeScan::Inflections;
        break;
    case EAnalysis::Monotony:
        scan = EAntiderivativeScan::Monotony;
        break;
    default:
        break;
    }
    if (scan) {
        DiscussAntiderivative(*scan, integrand, x0, y0, scaling, precision, options, sink);
    } else {
        sink.Add(SAnalysisResult{SResultMessage{EResultMessage::NotForAntiderivative, {}}, std::nullopt,
                                 options.digits});
    }
}
