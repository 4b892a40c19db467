#include "analysis/TracePoints.h"

#include "analysis/AnalysisSink.h"
#include "analysis/AnalysisTable.h"
#include "analysis/AntiderivativeDiscussion.h"

#include <algorithm>
#include <cmath>
#include <variant>

namespace {

// Keeps the points the scans find, at full precision; their lines are not needed.
class CPointSink final : public IAnalysisSink
{
public:
    explicit CPointSink(std::stop_token stop) : m_stop{std::move(stop)} {}
    void Add(const SAnalysisResult& result) override
    {
        if (const auto* point = std::get_if<SResultPoint>(&result.value)) {
            points.push_back({point->x, point->y, point->letter});
        }
    }
    void AddLine(std::string) override {}
    std::stop_token StopToken() const override { return m_stop; }
    std::vector<STracePoint> points;

private:
    std::stop_token m_stop;
};

} // namespace

CGraphFunction FamilyMember(const CGraphFunction& function, double k)
{
    CGraphFunction member = function;
    if (function.GetUseFamilyConstant() != 0) {
        // A family that runs from k to k has exactly one member; the term sees k as a value.
        member.SetRange(k, k, 0);
    }
    return member;
}

namespace {

// The points the zeros, extrema and inflection scans of `run` find, ordered by x.
template <class Run> std::vector<STracePoint> PointsOf(std::stop_token stop, Run&& run)
{
    SDiscussOptions options;
    options.exact = true;
    options.digits = 15;
    CPointSink sink{stop};
    for (EAnalysis kind : {EAnalysis::Zeros, EAnalysis::Extrema, EAnalysis::Inflections}) {
        if (stop.stop_requested()) {
            break;
        }
        run(kind, options, sink);
    }
    std::vector<STracePoint> points = std::move(sink.points);
    std::stable_sort(points.begin(), points.end(),
                     [](const STracePoint& a, const STracePoint& b) { return a.x < b.x; });
    return points;
}

} // namespace

std::vector<STracePoint> TracePointsOf(const CGraphFunction& function, double k, const CScaling& scaling,
                                       int precision, std::stop_token stop)
{
    const CGraphFunction curve = FamilyMember(function, k);
    return PointsOf(stop, [&](EAnalysis kind, const SDiscussOptions& options, IAnalysisSink& sink) {
        RunAnalysis(kind, curve, scaling, precision, options, sink);
    });
}

std::vector<STracePoint> AntiderivativeTracePointsOf(const CGraphFunction& function, double k, double x0,
                                                     double y0, const CScaling& scaling, int precision,
                                                     std::stop_token stop)
{
    const CGraphFunction curve = FamilyMember(function, k);
    return PointsOf(stop, [&](EAnalysis kind, const SDiscussOptions& options, IAnalysisSink& sink) {
        RunAntiderivativeAnalysis(kind, curve, x0, y0, scaling, precision, options, sink);
    });
}

std::optional<STracePoint> SnapTracePoint(const std::vector<STracePoint>& points, double x, double tolerance)
{
    std::optional<STracePoint> best;
    for (const STracePoint& point : points) {
        const double distance = std::abs(point.x - x);
        if (distance <= tolerance && (!best || distance < std::abs(best->x - x))) {
            best = point;
        }
    }
    return best;
}

std::string TracePointName(char letter)
{
    switch (letter) {
    case 'N':
        return "Nullstelle";
    case 'H':
        return "Hochpunkt";
    case 'T':
        return "Tiefpunkt";
    case 'S':
        return "Sattelpunkt";
    default:
        return "Wendepunkt";
    }
}
