#include "analysis/FullDiscussion.h"

#include "analysis/AnalysisSink.h"
#include "analysis/CasLoader.h"
#include "analysis/Domain.h"
#include "analysis/ExactDiscussion.h"
#include "analysis/FamilyDomain.h"
#include "analysis/FarBehaviour.h"
#include "analysis/PieceDiscussion.h"
#include "analysis/ResultText.h"
#include "analysis/SeriesSamples.h"
#include "analysis/Symmetry.h"
#include "analysis/TermText.h"
#include "document/GraphFunction.h"
#include "document/Scaling.h"
#include "document/StepLoop.h"
#include "engine/CompiledTerm.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <tuple>
#include <vector>

namespace {

// Passes a scan's results on and keeps the extrema it saw, by family value, for the range of
// values.
class CExtremaTap final : public IAnalysisSink
{
public:
    explicit CExtremaTap(IAnalysisSink& sink) : m_sink{sink} {}

    void Add(const SAnalysisResult& result) override
    {
        if (const auto* point = std::get_if<SResultPoint>(&result.value)) {
            m_values[result.k.value_or(0.0)].push_back(point->y);
        }
        m_sink.Add(result);
    }
    void AddLine(std::string line) override { m_sink.AddLine(std::move(line)); }
    void SetProgress(int position) override { m_sink.SetProgress(position); }
    bool Stopped() const override { return m_sink.Stopped(); }
    std::stop_token StopToken() const override { return m_sink.StopToken(); }

    const std::vector<double>& ExtremaAt(double k) { return m_values[k]; }

private:
    IAnalysisSink& m_sink;
    std::map<double, std::vector<double>> m_values;
};

// Passes a scan's results on, its points with their exact forms where the module finds them.
class CExactTap final : public IAnalysisSink
{
public:
    CExactTap(IAnalysisSink& sink, std::function<void(SResultPoint&, std::optional<double>)> exact)
        : m_sink{sink}, m_exact{std::move(exact)}
    {
    }

    void Add(const SAnalysisResult& result) override
    {
        if (const auto* point = std::get_if<SResultPoint>(&result.value)) {
            SAnalysisResult withExact = result;
            {
                const std::lock_guard lock{m_mutex};
                m_exact(std::get<SResultPoint>(withExact.value), result.k);
            }
            m_sink.Add(withExact);
            static_cast<void>(point);
            return;
        }
        m_sink.Add(result);
    }
    void AddLine(std::string line) override { m_sink.AddLine(std::move(line)); }
    void SetProgress(int position) override { m_sink.SetProgress(position); }
    bool Stopped() const override { return m_sink.Stopped(); }
    std::stop_token StopToken() const override { return m_sink.StopToken(); }

private:
    IAnalysisSink& m_sink;
    std::function<void(SResultPoint&, std::optional<double>)> m_exact;
    std::mutex m_mutex;
};

EPlaceKind PlaceKind(EBorderKind kind)
{
    switch (kind) {
    case EBorderKind::Pole:
        return EPlaceKind::Pole;
    case EBorderKind::Gap:
        return EPlaceKind::Gap;
    case EBorderKind::Jump:
        return EPlaceKind::Jump;
    case EBorderKind::Edge:
        return EPlaceKind::Edge;
    case EBorderKind::NoLimit:
        break;
    }
    return EPlaceKind::NoLimit;
}

// What f tends to on one side of a pole: the domain service's one-sided limit.
SResultLimit PoleLimit(const SDomainBorder& border, int side)
{
    const double value = side < 0 ? border.leftLimit : border.rightLimit;
    SResultLimit limit;
    limit.toward = 0;
    limit.pole = border.x;
    limit.side = side;
    if (std::isnan(value)) {
        limit.limit = ELimit::Undefined;
    } else if (std::isinf(value)) {
        limit.limit = value > 0 ? ELimit::PlusInfinity : ELimit::MinusInfinity;
    } else {
        limit.value = value;
    }
    return limit;
}

// The lowest and the highest value and whether f takes them: candidates are the values at the
// ends of the pieces that belong to them, the limits at those that do not, and the extrema.
class CValueBounds
{
public:
    void Take(double value, bool attained)
    {
        if (std::isnan(value)) {
            return;
        }
        Update(m_low, value, attained, [](double a, double b) { return a < b; });
        Update(m_high, value, attained, [](double a, double b) { return a > b; });
    }

    SResultValueRange Range(double rangeFrom, double rangeTo) const
    {
        SResultValueRange range{rangeFrom, rangeTo};
        if (!m_low || !m_high) {
            range.empty = true;
            return range;
        }
        range.from = m_low->value;
        range.fromIncluded = m_low->attained && std::isfinite(m_low->value);
        range.to = m_high->value;
        range.toIncluded = m_high->attained && std::isfinite(m_high->value);
        return range;
    }

private:
    struct SBound
    {
        double value;
        bool attained;
    };

    template <class Beyond>
    static void Update(std::optional<SBound>& bound, double value, bool attained, Beyond beyond)
    {
        if (!bound || beyond(value, bound->value)) {
            bound = SBound{value, attained};
        } else if (value == bound->value) {
            bound->attained = bound->attained || attained;
        }
    }

    std::optional<SBound> m_low;
    std::optional<SBound> m_high;
};

class CFullRun
{
public:
    CFullRun(const CGraphFunction& function, const CScaling& scaling, int precision,
             const SDiscussOptions& options, IAnalysisSink& sink)
        : m_function{function}, m_scaling{scaling}, m_precision{precision}, m_options{options}, m_sink{sink},
          m_term{function.GetTerm()}, m_family{function.GetUseFamilyConstant() != 0}
    {
        double step{};
        scaling.GetXRange(m_from, m_to, step);
        m_options.exact = true;
    }

    void Run()
    {
        const std::string name = OwnFunctionName(m_function);
        Add(SResultSketchHead{m_family ? name + "_k" : name, m_function.GetTerm(), m_from, m_to});
        // The module proves what lies beyond the range and finds exact forms; without it the
        // lines stay numerical.
        ICasProver* prover = CasProver();
        // The domain of every family value first: the blocks below read it again. The members share
        // the scan for where f may break when that does not depend on k.
        CFamilyDomain domains{m_term, m_from, m_to};
        ForEachK([&](double k) {
            m_domains[k] = domains.Of(k, m_sink.StopToken());
            m_exact.try_emplace(k, prover, &m_budget, m_function.GetTerm(), k);
            m_firstK = m_firstK.value_or(k);
            return true;
        });
        ForEachK([&](double k) { return DomainLines(k); });
        // The behaviour far out before the points: the module's time goes to the proofs first,
        // and to exact forms with what is left.
        ForEachK([&](double k) {
            for (const int side : {+1, -1}) {
                SFarBehaviour& far = m_far[k][side > 0 ? 1 : 0];
                far = FarBehaviourOf(m_term, k, side);
                far.limit = Exact(k).ProveFar(far.limit);
                far.asymptote = Exact(k).ProveFarAsymptote(side, far.asymptote);
            }
            return true;
        });
        ForEachK([&](double k) {
            Add(Exact(k).ProveSymmetry(SymmetryOf(m_term, k, std::max(std::fabs(m_from), std::fabs(m_to)))),
                k);
            return true;
        });
        ForEachK([&](double k) {
            SResultYIntercept intercept{m_term.DefinedValue(0.0, k)};
            Exact(k).AddExact(intercept);
            Add(intercept, k);
            return true;
        });
        CExactTap exact{m_sink, [&](SResultPoint& point, std::optional<double> k) {
                            Exact(k.value_or(m_firstK.value_or(0.0))).AddExact(point);
                        }};
        Scan(ESketchBlock::Zeros, EPieceScan::Zeros, exact);
        CExtremaTap extrema{exact};
        Scan(ESketchBlock::Extrema, EPieceScan::Extrema, extrema);
        Scan(ESketchBlock::Inflections, EPieceScan::Inflections, exact);
        Block(ESketchBlock::Behaviour);
        ForEachK([&](double k) { return BehaviourLines(k); });
        Block(ESketchBlock::Asymptotes);
        ForEachK([&](double k) { return AsymptoteLines(k); });
        Scan(ESketchBlock::Monotony, EPieceScan::Monotony, m_sink);
        Scan(ESketchBlock::Curvature, EPieceScan::Curvature, m_sink);
        ForEachK([&](double k) {
            Add(ValueRange(k, extrema.ExtremaAt(k)), k);
            return true;
        });
    }

private:
    template <class Value> void Add(Value value, std::optional<double> k = std::nullopt)
    {
        m_sink.Add(SAnalysisResult{std::move(value), m_family ? k : std::nullopt, m_options.digits});
    }

    void Block(ESketchBlock block) { Add(SResultSketchBlock{block}); }

    CExactDiscussion& Exact(double k)
    {
        return m_exact.try_emplace(k, nullptr, nullptr, "", k).first->second;
    }

    bool Going() const { return !m_sink.Stopped() && !m_sink.StopToken().stop_requested(); }

    template <class Body> void ForEachK(Body&& body)
    {
        if (!Going()) {
            return;
        }
        ForEachFamilyValue(m_function, [&](double k) { return body(k) && Going(); });
    }

    void Scan(ESketchBlock block, EPieceScan scan, IAnalysisSink& sink)
    {
        if (!Going()) {
            return;
        }
        Block(block);
        ComputeOnPieces(scan, m_function, m_scaling, m_precision, m_options, sink, &m_samples);
    }

    // The domain's own message where it has no pieces to give.
    bool DomainLines(double k)
    {
        const SDomain& domain = m_domains[k];
        if (domain.outcome == EDomainOutcome::TooManyBorders) {
            Add(SResultMessage{EResultMessage::DomainTooFine, {m_from, m_to}}, k);
            return true;
        }
        if (domain.outcome != EDomainOutcome::Complete) {
            return domain.outcome != EDomainOutcome::Stopped;
        }
        // Where f is defined: the pieces, whose brackets say where f is continuous, joined across
        // a jump or a gap at which f has a value (sgn at 0, int at every whole number), and closed
        // at such a point, since it breaks continuity, not the domain. A pole's place has no value
        // however finite the double nearest it makes f (tan at the double nearest pi/2).
        const auto inDomain = [&](double x) {
            return m_term.DefinedValue(x, k).has_value() &&
                   std::none_of(domain.borders.begin(), domain.borders.end(),
                                [x](const SDomainBorder& border) {
                                    return border.kind == EBorderKind::Pole && border.x == x;
                                });
        };
        SResultDomain defined;
        for (const SDomainPiece& piece : domain.pieces) {
            const bool fromIncluded = piece.fromIncluded || inDomain(piece.from);
            const bool toIncluded = piece.toIncluded || inDomain(piece.to);
            if (!defined.pieces.empty() && defined.pieces.back().toIncluded && fromIncluded &&
                defined.pieces.back().to == Shown(piece.from)) {
                defined.pieces.back().to = Shown(piece.to);
                defined.pieces.back().toIncluded = toIncluded;
                continue;
            }
            defined.pieces.push_back(
                SResultInterval{Shown(piece.from), Shown(piece.to), fromIncluded, toIncluded});
        }
        Add(defined, k);
        for (const SDomainBorder& border : domain.borders) {
            SResultPlace place{PlaceKind(border.kind), Shown(border.x), 0.0, border.signChange};
            if (border.kind == EBorderKind::Gap && border.value) {
                place.y = Shown(*border.value);
                Exact(k).AddExact(place);
            }
            Add(place, k);
        }
        return true;
    }

    bool BehaviourLines(double k)
    {
        for (const int side : {+1, -1}) {
            Add(m_far[k][side > 0 ? 1 : 0].limit, k);
        }
        for (const SDomainBorder& border : m_domains[k].borders) {
            if (border.kind == EBorderKind::Pole) {
                Add(PoleLimit(border, -1), k);
                Add(PoleLimit(border, +1), k);
            } else if (border.kind == EBorderKind::Edge && Unbounded(border)) {
                // ln(x) at 0: only the side where f is defined has a limit.
                Add(PoleLimit(border, std::isinf(border.leftLimit) ? -1 : +1), k);
            }
        }
        return true;
    }

    // f grows without bound on a side of the place: a vertical asymptote.
    static bool Unbounded(const SDomainBorder& border)
    {
        return std::isinf(border.leftLimit) || std::isinf(border.rightLimit);
    }

    bool AsymptoteLines(double k)
    {
        int vertical = 0;
        for (const SDomainBorder& border : m_domains[k].borders) {
            if ((border.kind == EBorderKind::Pole || border.kind == EBorderKind::Edge) && Unbounded(border)) {
                SResultAsymptote line;
                line.position = Shown(border.x);
                Exact(k).AddExact(line);
                Add(line, k);
                ++vertical;
            }
        }
        const std::optional<SResultAsymptote>& right = m_far[k][1].asymptote;
        const std::optional<SResultAsymptote>& left = m_far[k][0].asymptote;
        // One line where both sides approach the same line, as they do for a rational f.
        if (right && left && right->kind == left->kind && SameShown(right->slope, left->slope) &&
            SameShown(right->intercept, left->intercept) && right->numerical == left->numerical &&
            right->exactSlope == left->exactSlope && right->exactIntercept == left->exactIntercept) {
            SResultAsymptote both = *right;
            both.side = 0;
            Add(both, k);
            return true;
        }
        bool any = false;
        for (const auto* asymptote : {&right, &left}) {
            if (*asymptote) {
                Add(**asymptote, k);
                any = true;
            }
        }
        if (!any && vertical == 0) {
            Add(SResultMessage{EResultMessage::NoAsymptotes, {}}, k);
        }
        return true;
    }

    SResultValueRange ValueRange(double k, const std::vector<double>& extrema)
    {
        CValueBounds bounds;
        const SDomain& domain = m_domains[k];
        for (const double y : extrema) {
            bounds.Take(y, true);
        }
        for (const SDomainPiece& piece : domain.pieces) {
            for (const auto& [x, included, side] : {std::tuple{piece.from, piece.fromIncluded, +1},
                                                    std::tuple{piece.to, piece.toIncluded, -1}}) {
                if (included) {
                    bounds.Take(m_term.DefinedValue(x, k).value_or(std::nan("")), true);
                    continue;
                }
                // An open end is a border: f comes as close to its limit there as it likes.
                for (const SDomainBorder& border : domain.borders) {
                    if (border.x == x) {
                        bounds.Take(side > 0 ? border.rightLimit : border.leftLimit, false);
                    }
                }
            }
        }
        // The pieces may also hold stretches of a constant f or ends that the scans above did
        // not see as extrema; a sample of each piece keeps the range from being too narrow there.
        for (const SDomainPiece& piece : domain.pieces) {
            for (int i = 1; i < 64; ++i) {
                const std::optional<double> y =
                    m_term.DefinedValue(piece.from + (piece.to - piece.from) * i / 64.0, k);
                if (y) {
                    bounds.Take(*y, true);
                }
            }
        }
        SResultValueRange range = bounds.Range(m_from, m_to);
        range.from = Shown(range.from);
        range.to = Shown(range.to);
        return range;
    }

    // The two sides are estimated apart, far out on each: one line where both read the same.
    bool SameShown(double a, double b) const
    {
        return TermNumber(a, m_options.digits) == TermNumber(b, m_options.digits);
    }

    double Shown(double value) const { return WithoutNegativeZero(value, m_options.digits); }

    const CGraphFunction& m_function;
    const CScaling& m_scaling;
    int m_precision;
    SDiscussOptions m_options;
    IAnalysisSink& m_sink;
    CCompiledTerm m_term;
    bool m_family;
    double m_from{};
    double m_to{};
    std::map<double, SDomain> m_domains;
    std::map<double, std::array<SFarBehaviour, 2>> m_far;
    CCasBudget m_budget{std::chrono::milliseconds{250}};
    std::map<double, CExactDiscussion> m_exact;
    // The samples the five scans share.
    CSeriesSamples m_samples;
    std::optional<double> m_firstK;
};

} // namespace

void ComputeFullDiscussion(const CGraphFunction& function, const CScaling& scaling, int precision,
                           const SDiscussOptions& options, IAnalysisSink& sink)
{
    CFullRun{function, scaling, precision, options, sink}.Run();
}
