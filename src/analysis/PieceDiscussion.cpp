#include "analysis/PieceDiscussion.h"

#include "analysis/AnalysisSink.h"
#include "analysis/DerivativeAt.h"
#include "analysis/Domain.h"
#include "analysis/FamilyDomain.h"
#include "analysis/PieceGrid.h"
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

class CPieceRun
{
public:
    CPieceRun(EPieceScan scan, const CGraphFunction& function, const CScaling& scaling, int precision,
              const SDiscussOptions& options, IAnalysisSink& sink, CSeriesSamples* samples)
        : m_scan{scan}, m_function{function}, m_term{function.GetTerm()},
          m_family{function.GetUseFamilyConstant() != 0}, m_precision{precision}, m_digits{options.digits},
          m_sink{sink}, m_stop{sink.StopToken()}, m_samples{samples}
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
        SRoots roots = RootsOnPiece(at, order, piece, width, m_precision, m_stop, m_samples);
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
    CSeriesSamples* m_samples;
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
                     const SDiscussOptions& options, IAnalysisSink& sink, CSeriesSamples* samples)
{
    CPieceRun{scan, function, scaling, precision, options, sink, samples}.Run();
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
