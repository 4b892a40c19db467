#include "analysis/AdoptedPoints.h"

#include "engine/NumberText.h"

#include <charconv>
#include <string>
#include <utility>

namespace {

// The number as the list shows it: the user adopts what they read.
double Shown(double value, int digits)
{
    const std::string text = FormatNumber(value, digits);
    double shown = value;
    std::from_chars(text.data(), text.data() + text.size(), shown);
    return shown;
}

} // namespace

std::vector<CGraphObject> PointObjects(const std::vector<SAnalysisResult>& results)
{
    std::vector<CGraphObject> points;
    for (const SAnalysisResult& result : results) {
        const auto* point = std::get_if<SResultPoint>(&result.value);
        if (point == nullptr) {
            continue;
        }
        std::string label = point->letter + std::to_string(point->index);
        if (result.k) {
            label += " (k=" + FormatNumber(*result.k, result.digits) + ")";
        }
        CGraphObject object;
        object.SetKind(CGraphObject::Point);
        object.SetCoordinates(Shown(point->x, result.digits), Shown(point->y, result.digits));
        object.SetLabel(label);
        points.push_back(std::move(object));
    }
    return points;
}

bool HasPoints(const std::vector<SAnalysisResult>& results)
{
    for (const SAnalysisResult& result : results) {
        if (std::holds_alternative<SResultPoint>(result.value)) {
            return true;
        }
    }
    return false;
}
