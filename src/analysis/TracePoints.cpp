#include "analysis/TracePoints.h"

#include "analysis/AdoptedPoints.h"
#include "analysis/AnalysisSink.h"
#include "analysis/AnalysisTable.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

namespace {

class CLineSink final : public IAnalysisSink
{
public:
    explicit CLineSink(std::stop_token stop) : m_stop{std::move(stop)} {}
    void AddLine(std::string line) override { lines.push_back(std::move(line)); }
    std::stop_token StopToken() const override { return m_stop; }
    std::vector<std::string> lines;

private:
    std::stop_token m_stop;
};

bool IsNameCharacter(char c)
{
    return std::isalpha(static_cast<unsigned char>(c)) != 0 || c == '_';
}

} // namespace

std::string TermForFamilyValue(const std::string& term, double k)
{
    char number[64];
    std::snprintf(number, sizeof number, "(%.17f)", k);
    std::string result;
    for (std::size_t i = 0; i < term.size(); ++i) {
        const bool alone = (i == 0 || !IsNameCharacter(term[i - 1])) &&
                           (i + 1 == term.size() || !IsNameCharacter(term[i + 1]));
        if ((term[i] == 'k' || term[i] == 'K') && alone) {
            result += number;
        } else {
            result += term[i];
        }
    }
    return result;
}

std::vector<STracePoint> TracePointsOf(const CGraphFunction& function, double k, const CScaling& scaling,
                                       int precision, std::stop_token stop)
{
    CGraphFunction curve = function;
    if (function.GetUseFamilyConstant() != 0) {
        curve.SetTerm(TermForFamilyValue(function.GetTerm(), k));
        curve.SetUseFamilyConstant(0);
    }
    SDiscussOptions options;
    options.exact = true;
    options.digits = 15;
    CLineSink sink{stop};
    for (EAnalysis kind : {EAnalysis::Zeros, EAnalysis::Extrema, EAnalysis::Inflections}) {
        if (stop.stop_requested()) {
            break;
        }
        RunAnalysis(kind, curve, scaling, precision, options, sink);
    }
    std::vector<STracePoint> points;
    for (const CGraphObject& object : PointsFromResultLines(sink.lines)) {
        double x = 0;
        double y = 0;
        object.GetCoordinates(x, y);
        points.push_back({x, y, object.GetLabel().empty() ? 'N' : object.GetLabel().front()});
    }
    std::stable_sort(points.begin(), points.end(),
                     [](const STracePoint& a, const STracePoint& b) { return a.x < b.x; });
    return points;
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
