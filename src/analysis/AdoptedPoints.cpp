#include "analysis/AdoptedPoints.h"

#include <charconv>
#include <map>
#include <optional>
#include <string_view>
#include <utility>

namespace {

struct SPointLine
{
    std::optional<std::string> k; // as the line shows it
    char letter{};
    double x{};
    double y{};
};

bool Take(std::string_view& text, std::string_view expected)
{
    if (!text.starts_with(expected)) {
        return false;
    }
    text.remove_prefix(expected.size());
    return true;
}

// A number up to the next blank, read as the program writes it (the point, never the locale).
bool TakeNumber(std::string_view& text, double& value, std::string_view* shown = nullptr)
{
    const std::size_t end = text.find(' ');
    const std::string_view number = text.substr(0, end);
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (number.empty() || result.ec != std::errc{} || result.ptr != number.data() + number.size()) {
        return false;
    }
    if (shown != nullptr) {
        *shown = number;
    }
    text.remove_prefix(number.size());
    return true;
}

// "N ( x | y )", or with a family "k = K; N ( x | y )".
std::optional<SPointLine> ReadPointLine(std::string_view text)
{
    SPointLine point;
    if (Take(text, "k = ")) {
        const std::size_t end = text.find("; ");
        if (end == std::string_view::npos) {
            return std::nullopt;
        }
        point.k = std::string{text.substr(0, end)};
        text.remove_prefix(end + 2);
    }
    if (text.empty() || std::string_view{"NHTSW"}.find(text.front()) == std::string_view::npos) {
        return std::nullopt;
    }
    point.letter = text.front();
    text.remove_prefix(1);
    if (!Take(text, " ( ") || !TakeNumber(text, point.x) || !Take(text, " | ") ||
        !TakeNumber(text, point.y) || !Take(text, " )") || !text.empty()) {
        return std::nullopt;
    }
    return point;
}

} // namespace

std::vector<CGraphObject> PointsFromResultLines(const std::vector<std::string>& lines)
{
    std::vector<CGraphObject> points;
    std::map<std::pair<std::string, char>, int> counts;
    for (const std::string& line : lines) {
        const std::optional<SPointLine> point = ReadPointLine(line);
        if (!point) {
            continue;
        }
        const int number = ++counts[{point->k.value_or(std::string{}), point->letter}];
        std::string label = point->letter + std::to_string(number);
        if (point->k) {
            label += " (k=" + *point->k + ")";
        }
        CGraphObject object;
        object.SetKind(CGraphObject::Point);
        object.SetCoordinates(point->x, point->y);
        object.SetLabel(label);
        points.push_back(std::move(object));
    }
    return points;
}
