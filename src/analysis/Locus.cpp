#include "analysis/Locus.h"

#include "analysis/AnalysisSink.h"
#include "analysis/PieceDiscussion.h"
#include "analysis/PoolChunks.h"
#include "analysis/ResultText.h"
#include "analysis/ThreadPool.h"
#include "document/StepLoop.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstddef>
#include <memory>
#include <thread>
#include <utility>
#include <variant>

namespace {

// Keeps the points that the default discussion finds for one k.
class CPointCollector final : public IAnalysisSink
{
public:
    explicit CPointCollector(std::stop_token stop) : m_stop{std::move(stop)} {}

    void Add(const SAnalysisResult& result) override
    {
        if (const auto* point = std::get_if<SResultPoint>(&result.value)) {
            points.push_back(*point);
        } else if (const auto* message = std::get_if<SResultMessage>(&result.value)) {
            unresolved = unresolved || message->id == EResultMessage::TooDense ||
                         message->id == EResultMessage::DomainTooFine;
        }
    }

    void AddLine(std::string /*line*/) override {}

    std::stop_token StopToken() const override { return m_stop; }

    std::vector<SResultPoint> points;
    bool unresolved{false};

private:
    std::stop_token m_stop;
};

struct SGridValue
{
    double k;
    bool familyValue;
};

// The family's own values of k with the same number of evenly spaced values between each two, so
// that the grid is about kLocusGridValues long; nothing for a function with one value of k.
std::vector<SGridValue> LocusGrid(const CGraphFunction& function)
{
    std::vector<double> own;
    ForEachFamilyValue(function, [&](double k) { own.push_back(k); });
    if (own.size() < 2) {
        return {};
    }
    const std::size_t steps = own.size() - 1;
    const std::size_t parts = std::max<std::size_t>(1, (kLocusGridValues + steps - 1) / steps);
    std::vector<SGridValue> grid;
    grid.reserve(steps * parts + 1);
    for (std::size_t i = 0; i < steps; ++i) {
        for (std::size_t p = 0; p < parts; ++p) {
            const double share = static_cast<double>(p) / static_cast<double>(parts);
            grid.push_back({own[i] + (own[i + 1] - own[i]) * share, p == 0});
        }
    }
    grid.push_back({own.back(), true});
    return grid;
}

char KindOf(ELocusOf of, char letter)
{
    return of == ELocusOf::Inflections ? 'W' : letter;
}

// Joins the points of each k to those of the k before: nearest pairs of the same kind first, so
// that two branches that come close are not swapped. A pair further apart than a quarter of the
// diagonal of all the points is no step of one branch but one branch leaving the range as another
// enters it.
std::vector<SLocusBranch> JoinBranches(ELocusOf of, const std::vector<std::vector<SLocusPoint>>& perK)
{
    double minX = HUGE_VAL;
    double maxX = -HUGE_VAL;
    double minY = HUGE_VAL;
    double maxY = -HUGE_VAL;
    for (const auto& points : perK) {
        for (const SLocusPoint& p : points) {
            minX = std::min(minX, p.x);
            maxX = std::max(maxX, p.x);
            minY = std::min(minY, p.y);
            maxY = std::max(maxY, p.y);
        }
    }
    const double gate = maxX >= minX ? std::hypot(maxX - minX, maxY - minY) / 4 : 0.0;

    std::vector<SLocusBranch> branches;
    std::vector<std::size_t> open;
    for (const auto& points : perK) {
        struct SPair
        {
            double distance;
            std::size_t branch;
            std::size_t point;
        };
        std::vector<SPair> pairs;
        for (const std::size_t b : open) {
            const SLocusPoint& last = branches[b].points.back();
            for (std::size_t j = 0; j < points.size(); ++j) {
                if (KindOf(of, points[j].letter) == branches[b].kind) {
                    const double distance = std::hypot(points[j].x - last.x, points[j].y - last.y);
                    if (distance <= gate) {
                        pairs.push_back({distance, b, j});
                    }
                }
            }
        }
        std::stable_sort(pairs.begin(), pairs.end(),
                         [](const SPair& a, const SPair& b) { return a.distance < b.distance; });
        std::vector<bool> pointTaken(points.size(), false);
        std::vector<std::size_t> next;
        for (const SPair& pair : pairs) {
            if (pointTaken[pair.point] || std::find(next.begin(), next.end(), pair.branch) != next.end()) {
                continue;
            }
            pointTaken[pair.point] = true;
            branches[pair.branch].points.push_back(points[pair.point]);
            next.push_back(pair.branch);
        }
        for (std::size_t j = 0; j < points.size(); ++j) {
            if (!pointTaken[j]) {
                next.push_back(branches.size());
                branches.push_back({KindOf(of, points[j].letter), {points[j]}, {}});
            }
        }
        open = std::move(next);
    }
    return branches;
}

// The points of one value of k; none where the discussion could not resolve them.
struct SValueResult
{
    std::vector<SLocusPoint> points;
    bool unresolved{false};
};

// One run over the grid of k, whose values the threads of the pool take one by one.
struct SGridRun
{
    SGridRun(ELocusOf of, CGraphFunction function, CScaling scaling, int precision, std::stop_token stop)
        : of{of}, function{std::move(function)}, scaling{std::move(scaling)}, precision{precision},
          stop{std::move(stop)}, grid{LocusGrid(this->function)}, results(grid.size())
    {
    }

    // The points of the value of k at i.
    void Discuss(std::size_t i)
    {
        // Each k is discussed as a function of its own; the digits only keep the points from being
        // rounded to 0 near it.
        SDiscussOptions options;
        options.exact = true;
        options.digits = 15;
        CGraphFunction member = function;
        member.SetRange(grid[i].k, grid[i].k, 0);
        CPointCollector collector{stop};
        ComputeOnPieces(of == ELocusOf::Extrema ? EPieceScan::Extrema : EPieceScan::Inflections, member,
                        scaling, precision, options, collector);
        results[i].unresolved = collector.unresolved;
        if (!collector.unresolved) {
            for (const SResultPoint& p : collector.points) {
                results[i].points.push_back({grid[i].k, p.letter, p.x, p.y, p.index, grid[i].familyValue});
            }
        }
    }

    const ELocusOf of;
    const CGraphFunction function;
    const CScaling scaling;
    const int precision;
    const std::stop_token stop;
    const std::vector<SGridValue> grid;
    std::vector<SValueResult> results;
};

} // namespace

SLocus ComputeLocus(ELocusOf of, const CGraphFunction& function, const CScaling& scaling, int precision,
                    std::stop_token stop, const std::function<void(int)>& progress, CThreadPool* threads)
{
    SLocus locus;
    SGridRun run{of, function, scaling, std::min(precision, kLocusMaxPrecision), stop};
    if (run.grid.empty()) {
        locus.outcome = ELocusOutcome::NoFamily;
        return locus;
    }
    // The values of k are shared out among the pool's threads and this one; the progress is told
    // on this thread only.
    const std::thread::id caller = std::this_thread::get_id();
    std::atomic<std::size_t> finished{0};
    RunOnPool(
        run.grid.size(), 1,
        [&](std::size_t begin, std::size_t end) {
            for (std::size_t i = begin; i < end; ++i) {
                run.Discuss(i);
            }
            const std::size_t count = finished += end - begin;
            if (progress && std::this_thread::get_id() == caller) {
                progress(static_cast<int>(count * 100 / run.grid.size()));
            }
        },
        stop, threads);
    if (stop.stop_requested()) {
        locus.outcome = ELocusOutcome::Stopped;
        return locus;
    }
    std::vector<std::vector<SLocusPoint>> perK;
    for (SValueResult& result : run.results) {
        locus.unresolved += result.unresolved ? 1 : 0;
        perK.push_back(std::move(result.points));
    }
    locus.values = static_cast<int>(perK.size());
    locus.branches = JoinBranches(of, perK);
    for (SLocusBranch& branch : locus.branches) {
        std::vector<double> xs;
        std::vector<double> ys;
        for (const SLocusPoint& p : branch.points) {
            xs.push_back(p.x);
            ys.push_back(p.y);
        }
        branch.fit = FitLocus(xs, ys);
    }
    return locus;
}

std::vector<std::vector<SLocusVertex>> LocusPolylines(const SLocus& locus)
{
    std::vector<std::vector<SLocusVertex>> lines;
    for (const SLocusBranch& branch : locus.branches) {
        std::vector<SLocusVertex>& line = lines.emplace_back();
        for (const SLocusPoint& p : branch.points) {
            line.push_back({p.x, p.y});
        }
    }
    return lines;
}

void ComputeLocusLines(ELocusOf of, const CGraphFunction& function, const CScaling& scaling, int precision,
                       const SDiscussOptions& options, IAnalysisSink& sink)
{
    sink.SetProgress(0);
    const SLocus locus = ComputeLocus(
        of, function, scaling, precision, sink.StopToken(), [&](int position) { sink.SetProgress(position); },
        options.threads);
    sink.SetProgress(0);
    const int digits = options.digits;
    const auto add = [&](auto value, std::optional<double> k = std::nullopt) {
        sink.Add(SAnalysisResult{std::move(value), k, digits});
    };
    switch (locus.outcome) {
    case ELocusOutcome::Stopped:
        return;
    case ELocusOutcome::NoFamily:
        add(SResultMessage{EResultMessage::LocusNeedsFamily, {}});
        return;
    case ELocusOutcome::Complete:
        break;
    }
    if (locus.branches.empty() && locus.unresolved == 0) {
        add(SResultMessage{
            of == ELocusOf::Extrema ? EResultMessage::NoExtrema : EResultMessage::NoInflections, {}});
    }
    int number = 0;
    for (const SLocusBranch& branch : locus.branches) {
        if (sink.Stopped()) {
            return;
        }
        const SLocusPoint& first = branch.points.front();
        const SLocusPoint& last = branch.points.back();
        add(SResultLocusBranch{++number, branch.kind, first.k, last.k,
                               static_cast<int>(branch.points.size())});
        // The family's own values, which the graph draws, and where the branch begins and ends.
        for (const SLocusPoint& p : branch.points) {
            if (p.familyValue || &p == &first || &p == &last) {
                add(SResultPoint{p.letter, p.index, WithoutNegativeZero(p.x, digits),
                                 WithoutNegativeZero(p.y, digits), false},
                    p.k);
            }
        }
        add(SResultLocusFit{branch.fit});
        add(SResultMessage{EResultMessage::GroupEnd, {}});
    }
    if (locus.unresolved > 0) {
        add(SResultMessage{EResultMessage::LocusUnresolved, {static_cast<double>(locus.unresolved)}});
    }
}
