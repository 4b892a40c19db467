#include "analysis/PieceDiscussion.h"

#include "analysis/AnalysisSink.h"
#include "analysis/Domain.h"
#include "analysis/FamilyDomain.h"
#include "analysis/PieceRoots.h"
#include "analysis/Refinement.h"
#include "analysis/ResultText.h"
#include "document/StepLoop.h"
#include "engine/CompiledTerm.h"
#include "engine/Derivatives.h"
#include "engine/ErrorFlags.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <optional>
#include <stop_token>
#include <vector>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The grid of the whole range at a precision: 2^(10 + p) intervals, shared among the pieces by
// their widths, with a floor per piece so that a narrow piece between two poles is looked at too.
constexpr std::size_t kMinPieceIntervals = 256;

std::size_t RangeIntervals(int precision)
{
    return std::size_t{1} << (10 + ClampPrecision(precision));
}

// f and its derivatives at one point for one k: the exact ones where the term has them, else the
// program's difference formulas. NaN where f is not defined; the math flag is left as it was.
class CDerivativeAt
{
public:
    CDerivativeAt(const CCompiledTerm& term, double k) : m_term{term}, m_k{k} {}

    double operator()(double x, int order) const
    {
        const int saved = g_mathError;
        g_mathError = 0;
        double value{};
        if (order == 0) {
            value = m_term.Evaluate(x, m_k);
        } else {
            const CCompiledTerm::SDerivatives d = m_term.EvaluateDerivatives(x, m_k, order);
            value = order == 1 ? d.first : order == 2 ? d.second : d.third;
            if (std::isnan(value) && !std::isnan(d.value)) {
                g_mathError = 0;
                value = EvaluateOrder(m_term, x, m_k, order);
            }
        }
        const bool failed = g_mathError != 0;
        g_mathError = saved;
        return failed ? kNaN : value;
    }

    QuantityAt Order(int order) const
    {
        return [this, order](double x) { return (*this)(x, order); };
    }

    // The derivative of an order and the next one, from one exact evaluation where the term has it.
    std::function<SValueAndSlope(double)> WithSlope(int order) const
    {
        return [this, order](double x) {
            const CCompiledTerm::SDerivatives d = m_term.EvaluateDerivatives(x, m_k, order + 1);
            const double all[] = {d.value, d.first, d.second, d.third};
            SValueAndSlope both{all[order], all[order + 1]};
            if (std::isnan(both.value) || std::isnan(both.slope)) {
                both = {(*this)(x, order), (*this)(x, order + 1)};
            }
            return both;
        };
    }

    // The same with the bounds of their rounding errors.
    std::function<SValueAndSlope(double)> WithBounds(int order) const
    {
        return [this, order](double x) {
            const CCompiledTerm::SBoundedDerivatives d = m_term.EvaluateDerivativesWithBounds(x, m_k);
            const double all[] = {d.value.value, d.value.first, d.value.second, d.value.third};
            const double bounds[] = {d.bound.value, d.bound.first, d.bound.second, d.bound.third};
            SValueAndSlope both{all[order], all[order + 1], bounds[order], bounds[order + 1]};
            if (std::isnan(both.value) || std::isnan(both.slope)) {
                both = {(*this)(x, order), (*this)(x, order + 1), StepBound(x, order),
                        StepBound(x, order + 1)};
            }
            return both;
        };
    }

    // What a difference formula's value is worth: how far the formula with half the step lies
    // from it. At a kink (sqrt(x^2) at 0, where the exact derivatives are infinite times 0) the
    // two differ by as much as the value itself, which then has no sign; where f is smooth they
    // agree closely. f itself (order 0) is evaluated, not differenced; the third derivative has
    // no half-step formula and is taken as it comes.
    double StepBound(double x, int order) const
    {
        if (order != 1 && order != 2) {
            return 0.0;
        }
        const double full = (*this)(x, order);
        const double half = HalfStepDerivative(m_term, x, m_k, order);
        const double bound = std::fabs(full - half);
        return std::isnan(bound) ? 0.0 : bound;
    }

private:
    const CCompiledTerm& m_term;
    double m_k;
};

// Where f is 0 on a whole stretch, its ends refined from the samples to neighbouring doubles.
std::pair<double, double> RefinedStretch(const QuantityAt& f, const std::pair<double, double>& samples,
                                         const SDomainPiece& piece, const ScanVector<double>& xs)
{
    const auto edge = [&](double zero, double beyond) {
        // f(zero) == 0, f(beyond) != 0 or beyond is the piece end: halve towards the change.
        if (zero == beyond) {
            return zero;
        }
        for (;;) {
            const double m = zero + (beyond - zero) / 2;
            if (m == zero || m == beyond) {
                return zero;
            }
            (f(m) == 0 ? zero : beyond) = m;
        }
    };
    // A stretch from the first or to the last sample reaches the end of the piece.
    const double lo = samples.first == xs.front() ? piece.from : edge(samples.first, piece.from);
    const double hi = samples.second == xs.back() ? piece.to : edge(samples.second, piece.to);
    return {lo, hi};
}

// The zeros of f (order 0), f' or f'' on a piece, on its share of the range's grid.
SRoots RootsOnPiece(const CDerivativeAt& at, int order, const SDomainPiece& piece, double width, int precision,
                    std::stop_token stop)
{
    SRootSearch search;
    search.g = at.Order(order);
    search.slope = at.Order(order + 1);
    search.both = at.WithSlope(order);
    search.bounded = at.WithBounds(order);
    search.touching = order == 0;
    const double share = width > 0 ? (piece.to - piece.from) / width : 1.0;
    const double intervals = static_cast<double>(RangeIntervals(precision)) * (std::isfinite(share) ? share : 1.0);
    search.intervals = std::max(kMinPieceIntervals, static_cast<std::size_t>(std::min(intervals, 1e9)));
    search.maxIntervals = std::max(search.intervals, std::size_t{1} << 21);
    search.stop = std::move(stop);
    return RootsOn(search, piece.from, piece.fromIncluded, piece.to, piece.toIncluded);
}

class CPieceRun
{
public:
    CPieceRun(EPieceScan scan, const CGraphFunction& function, const CScaling& scaling, int precision,
              const SDiscussOptions& options, IAnalysisSink& sink)
        : m_scan{scan}, m_function{function}, m_term{function.GetTerm()},
          m_family{function.GetUseFamilyConstant() != 0}, m_precision{precision}, m_digits{options.digits},
          m_sink{sink}, m_stop{sink.StopToken()}
    {
        double step{};
        scaling.GetXRange(m_from, m_to, step);
        m_domains.emplace(m_term, m_from, m_to);
    }

    void Run()
    {
        m_sink.SetProgress(0);
        const int values = CountFamilyValues(m_function);
        int done = 0;
        ForEachFamilyValue(m_function, [&](double k) {
            const bool more = RunFor(k);
            m_sink.SetProgress(std::min(100, ++done * 100 / std::max(values, 1)));
            return more && !m_sink.Stopped() && !m_stop.stop_requested();
        });
        if (m_total == 0 && !m_stop.stop_requested() && m_scan != EPieceScan::Monotony &&
            m_scan != EPieceScan::Curvature) {
            Add(SResultMessage{m_scan == EPieceScan::Zeros     ? EResultMessage::NoZeros
                               : m_scan == EPieceScan::Extrema ? EResultMessage::NoExtrema
                                                               : EResultMessage::NoInflections,
                               {}});
        }
        m_sink.SetProgress(0);
    }

private:
    template <class Value> void Add(Value value, std::optional<double> k = std::nullopt)
    {
        m_sink.Add(SAnalysisResult{std::move(value), m_family ? k : std::nullopt, m_digits});
    }

    // The pieces of the range for k; the whole range where the term does not read, since the
    // program computes such a term with its substitutes as it stands.
    std::optional<std::vector<SDomainPiece>> Pieces(double k)
    {
        const SDomain domain = m_domains->Of(k, m_stop);
        switch (domain.outcome) {
        case EDomainOutcome::Complete:
            return domain.pieces;
        case EDomainOutcome::SyntaxError:
            return std::vector<SDomainPiece>{{m_from, m_to, true, true}};
        case EDomainOutcome::InvalidRange:
            return std::vector<SDomainPiece>{};
        case EDomainOutcome::TooManyBorders:
            Add(SResultMessage{EResultMessage::DomainTooFine, {m_from, m_to}}, k);
            ++m_total;
            return std::vector<SDomainPiece>{};
        case EDomainOutcome::Stopped:
            break;
        }
        return std::nullopt;
    }

    // Nothing where the places crowd too densely to be told apart; a line says so after the piece.
    std::optional<SRoots> Roots(const CDerivativeAt& at, int order, const SDomainPiece& piece, double width)
    {
        SRoots roots = RootsOnPiece(at, order, piece, width, m_precision, m_stop);
        if (roots.outcome != ERootsOutcome::Complete) {
            m_tooDense = m_tooDense || roots.outcome == ERootsOutcome::TooDense;
            return std::nullopt;
        }
        return roots;
    }

    bool RunFor(double k)
    {
        const std::optional<std::vector<SDomainPiece>> pieces = Pieces(k);
        if (!pieces) {
            return false;
        }
        const CDerivativeAt at{m_term, k};
        // The width the grid is shared by; half of each end, so that ±1e308 does not overflow.
        const double width = 2 * (m_to / 2 - m_from / 2);
        m_counts.clear();
        m_tooDense = false;
        const int before = m_total;
        for (const SDomainPiece& piece : *pieces) {
            if (m_stop.stop_requested() || m_sink.Stopped()) {
                return false;
            }
            switch (m_scan) {
            case EPieceScan::Zeros:
                Zeros(at, piece, width, k);
                break;
            case EPieceScan::Extrema:
                Extrema(at, piece, width, k);
                break;
            case EPieceScan::Inflections:
                Inflections(at, piece, width, k);
                break;
            case EPieceScan::Monotony:
                SignIntervals(at, 1, piece, width, k);
                break;
            case EPieceScan::Curvature:
                SignIntervals(at, 2, piece, width, k);
                break;
            }
        }
        if (m_stop.stop_requested()) {
            return false;
        }
        if (m_tooDense) {
            Add(SResultMessage{EResultMessage::TooDense, {m_from, m_to}}, k);
            ++m_total;
        }
        if (m_family && (m_total > before || m_scan == EPieceScan::Monotony || m_scan == EPieceScan::Curvature)) {
            Add(SResultMessage{EResultMessage::GroupEnd, {}});
        }
        return true;
    }

    void Point(char letter, double x, double y, double k)
    {
        Add(SResultPoint{letter, ++m_counts[letter], WithoutNegativeZero(x, m_digits), WithoutNegativeZero(y, m_digits), false}, k);
        ++m_total;
    }

    void Zeros(const CDerivativeAt& at, const SDomainPiece& piece, double width, double k)
    {
        const std::optional<SRoots> found = Roots(at, 0, piece, width);
        if (!found) {
            return;
        }
        const SRoots& roots = *found;
        const QuantityAt f = at.Order(0);
        // The stretches and the single zeros in the order of x.
        std::vector<std::pair<double, double>> stretches;
        for (const auto& samples : roots.zeroStretches) {
            stretches.push_back(RefinedStretch(f, samples, piece, roots.xs));
        }
        std::size_t next = 0;
        for (const SRoot& root : roots.roots) {
            while (next < stretches.size() && stretches[next].first < root.x) {
                Stretch(stretches[next++], piece, k);
            }
            if (next > 0 && root.x <= stretches[next - 1].second) {
                continue;
            }
            Point('N', root.x, 0.0, k);
        }
        while (next < stretches.size()) {
            Stretch(stretches[next++], piece, k);
        }
    }

    void Stretch(const std::pair<double, double>& stretch, const SDomainPiece& piece, double k)
    {
        const bool fromIncluded = stretch.first != piece.from || piece.fromIncluded;
        const bool toIncluded = stretch.second != piece.to || piece.toIncluded;
        Add(SResultMessage{EResultMessage::ZeroStretch,
                           {WithoutNegativeZero(stretch.first, m_digits), WithoutNegativeZero(stretch.second, m_digits),
                            fromIncluded ? 1.0 : 0.0, toIncluded ? 1.0 : 0.0}},
            k);
        ++m_total;
    }

    // The sign changes of f' inside the piece: never its ends, where the range or the domain ends.
    std::vector<SRoot> TurningPoints(const SRoots& roots, const SDomainPiece& piece) const
    {
        std::vector<SRoot> turning;
        for (const SRoot& root : roots.roots) {
            if (root.crossing && root.x > piece.from && root.x < piece.to) {
                turning.push_back(root);
            }
        }
        return turning;
    }

    void Extrema(const CDerivativeAt& at, const SDomainPiece& piece, double width, double k)
    {
        const std::optional<SRoots> found = Roots(at, 1, piece, width);
        if (!found) {
            return;
        }
        const SRoots& roots = *found;
        for (const SRoot& root : TurningPoints(roots, piece)) {
            Point(root.leftSign > 0 ? 'H' : 'T', root.x, at(root.x, 0), k);
        }
    }

    void Inflections(const CDerivativeAt& at, const SDomainPiece& piece, double width, double k)
    {
        const std::optional<SRoots> found = Roots(at, 2, piece, width);
        if (!found) {
            return;
        }
        const SRoots& roots = *found;
        // A slope that small beside the typical slope of the piece is a flat one: the point is a
        // saddle. The median, because the slopes beside a pole at an end of the piece are any size.
        std::vector<double> slopes;
        for (int i = 1; i < 64; ++i) {
            const double slope = std::fabs(at(piece.from + (piece.to - piece.from) * i / 64.0, 1));
            if (std::isfinite(slope)) {
                slopes.push_back(slope);
            }
        }
        const auto middle = slopes.begin() + static_cast<std::ptrdiff_t>(slopes.size() / 2);
        std::nth_element(slopes.begin(), middle, slopes.end());
        const double typical = slopes.empty() ? 0.0 : *middle;
        for (const SRoot& root : TurningPoints(roots, piece)) {
            const double slope = at(root.x, 1);
            const char letter = std::fabs(slope) <= 1e-10 * typical ? 'S' : 'W';
            Point(letter, root.x, at(root.x, 0), k);
        }
    }

    // The largest intervals on which f' (order 1: monotony) or f'' (order 2: curvature) keeps its
    // sign, split where it changes sign and at the ends of the piece.
    void SignIntervals(const CDerivativeAt& at, int order, const SDomainPiece& piece, double width, double k)
    {
        if (!(piece.from < piece.to)) {
            return;
        }
        const std::optional<SRoots> found = Roots(at, order, piece, width);
        if (!found) {
            return;
        }
        const SRoots& roots = *found;
        const QuantityAt slope = at.Order(order);
        std::vector<double> cuts{piece.from};
        for (const SRoot& root : TurningPoints(roots, piece)) {
            cuts.push_back(root.x);
        }
        cuts.push_back(piece.to);
        struct SStretch
        {
            double from;
            double to;
            int sign;
        };
        std::vector<SStretch> stretches;
        for (std::size_t i = 0; i + 1 < cuts.size(); ++i) {
            const int sign = SignBetween(roots, slope, cuts[i], cuts[i + 1]);
            if (!stretches.empty() && stretches.back().sign == sign) {
                stretches.back().to = cuts[i + 1];
            } else {
                stretches.push_back({cuts[i], cuts[i + 1], sign});
            }
        }
        for (const SStretch& s : stretches) {
            SResultInterval interval{WithoutNegativeZero(s.from, m_digits), WithoutNegativeZero(s.to, m_digits),
                                     s.from != piece.from || piece.fromIncluded,
                                     s.to != piece.to || piece.toIncluded, s.sign >= 0};
            interval.constant = s.sign == 0;
            interval.curvature = order == 2;
            Add(interval, k);
            ++m_total;
        }
    }

    EPieceScan m_scan;
    const CGraphFunction& m_function;
    CCompiledTerm m_term;
    bool m_family;
    int m_precision;
    int m_digits;
    IAnalysisSink& m_sink;
    std::stop_token m_stop;
    double m_from{};
    double m_to{};
    // Holds m_term, so it comes after it.
    std::optional<CFamilyDomain> m_domains;
    int m_total{0};
    bool m_tooDense{false};
    // The points of each letter found so far for this k, which number them.
    std::map<char, int> m_counts;
};

} // namespace

void ComputeOnPieces(EPieceScan scan, const CGraphFunction& function, const CScaling& scaling, int precision,
                     const SDiscussOptions& options, IAnalysisSink& sink)
{
    CPieceRun{scan, function, scaling, precision, options, sink}.Run();
}

void ScanExactZeros(const CGraphFunction& function, const CScaling& scaling, int precision,
                    IAnalysisSink& sink, const SZeroVisitor& visitor)
{
    const CCompiledTerm term{function.GetTerm()};
    const std::stop_token stop = sink.StopToken();
    double from{};
    double to{};
    double step{};
    scaling.GetXRange(from, to, step);
    const double width = 2 * (to / 2 - from / 2);
    CFamilyDomain domains{term, from, to};
    ForEachFamilyValue(function, [&](double k) {
        visitor.groupStart(k);
        const SDomain domain = domains.Of(k, stop);
        std::vector<SDomainPiece> pieces = domain.pieces;
        if (domain.outcome == EDomainOutcome::SyntaxError) {
            pieces = {{from, to, true, true}};
        }
        const CDerivativeAt at{term, k};
        for (const SDomainPiece& piece : pieces) {
            if (stop.stop_requested() || sink.Stopped()) {
                return false;
            }
            const SRoots roots = RootsOnPiece(at, 0, piece, width, precision, stop);
            std::vector<double> zeros;
            for (const SRoot& root : roots.roots) {
                zeros.push_back(root.x);
            }
            for (const auto& stretch : roots.zeroStretches) {
                zeros.push_back(stretch.first);
            }
            std::sort(zeros.begin(), zeros.end());
            for (const double x : zeros) {
                visitor.found(k, x);
            }
        }
        if (stop.stop_requested()) {
            return false;
        }
        visitor.groupEnd(k);
        return !sink.Stopped();
    });
}
