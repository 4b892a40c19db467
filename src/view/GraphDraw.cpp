// The drawing of a graph: frame, axes, ticks, labels, grid, objects, legend and curves.
#include "view/Graph.h"

#include "engine/CompiledTerm.h"
#include "engine/ErrorFlags.h"
#include "engine/NumberText.h"

#include "document/StepLoop.h"
#include "view/AxisLabels.h"
#include "view/CurvePolyline.h"
#include "view/DrawContext.h"
#include "view/AreaShade.h"
#include "view/DrawLimits.h"
#include "view/EqualUnits.h"
#include "view/GraphLayout.h"
#include "view/PointLabels.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace {

constexpr std::uint32_t kBlack = 0;

// Marks of an axis closer than one device unit cannot be told apart, and a step tiny against its
// range would mean billions of them: such an axis gets no ticks, labels or grid lines.
bool ShowsMarks(double step, double unitsPerWorld)
{
    return step * unitsPerWorld >= 1.0;
}

double CountOfSteps(const CAxisRange& axis, double step)
{
    return std::floor((axis.to - axis.from) / step) + 1;
}

// Runs body(v) for the marks of an axis: ticks, labels and grid lines. A range that starts on a
// multiple of its step (as typed ranges do, and the defaults) is walked from its start by repeated
// addition. A range that starts between two multiples, as zooming and panning leave it, gets its
// marks at the multiples of the step inside it: labels of 2.5 and 3 read better than 2.54545 and
// 3.54545, and 0 is written as 0.
template <class Body> void ForEachMark(double from, double to, double step, Body&& body)
{
    const double n = from / step;
    if (!std::isfinite(n) || std::abs(n - std::round(n)) <= 1e-9 * std::max(1.0, std::abs(n))) {
        ForEachStep(from, to, step, body);
        return;
    }
    // Far out, where doubles are whole numbers only, i + 1 may equal i: the loop stops there.
    for (double i = std::ceil(n); i * step <= to && i + 1 > i; ++i) {
        body(i * step + 0.0); // -0 becomes 0
    }
}

// A length given in pixels of the screen, in the device's units: the same on paper.
int Dots(const CDrawContext& dc, int screenPixels)
{
    return static_cast<int>(std::lround(screenPixels * dc.DotsPerInch() / CDrawContext::kScreenDotsPerInch));
}

void DrawPointLabel(CDrawContext& dc, CLabelPlacer& placer, const std::string& label, int x, int y,
                    int position)
{
    if (label.empty()) {
        return;
    }
    const CRect box = placer.Place(dc.GetTextExtent(label), x, y, position);
    dc.TextOut(box.left, box.top, label);
}

// The other members of a slider's family: the curve's colour three quarters of the way to white.
std::uint32_t FaintColor(std::uint32_t color)
{
    std::uint32_t faint = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const std::uint32_t channel = (color >> shift) & 0xFFu;
        faint |= (channel + (255u - channel) * 3u / 4u) << shift;
    }
    return faint;
}

// The ranges a drawing into rect takes for equal units; each keeps its step as stored.
void ApplyEqualUnits(CScaling& scaling, const CRect& rect)
{
    const SEqualUnitRanges equal =
        EqualUnitRanges(DrawableXAxis(scaling), DrawableYAxis(scaling), rect.Width(), rect.Height());
    double from{}, to{}, xStep{}, yStep{};
    scaling.GetXRange(from, to, xStep);
    scaling.GetYRange(from, to, yStep);
    scaling.SetXRange(equal.x.from, equal.x.to, xStep);
    scaling.SetYRange(equal.y.from, equal.y.to, yStep);
}

// First on the white, so that grid, axes, labels and curves all lie on top of the tint.
void DrawKeptAreas(CDrawContext& dc, const CRect& rect, const CGraphLayout& map, const CFunctionList& functions,
                   const CAreaList& areas)
{
    for (const CKeptArea& area : areas) {
        if (area.function >= functions.size() || (area.with && *area.with >= functions.size()) ||
            functions[area.function].GetTerm().empty() || (area.with && functions[*area.with].GetTerm().empty())) {
            continue;
        }
        const std::uint32_t tint = AreaTint(area.color);
        ForEachShadeColumn(map, rect, functions[area.function], area.with ? &functions[*area.with] : nullptr,
                           area.from, area.to, [&](const SShadeColumn& column) {
                               // The frame's outline stays as it is.
                               const int top = std::max(column.top, rect.top + 1);
                               const int bottom = std::min(column.bottom, rect.bottom - 2);
                               if (column.x <= rect.left || column.x >= rect.right - 1 || top > bottom) {
                                   return;
                               }
                               dc.FillRect(CRect{column.x, top, column.x + 1, bottom + 1}, tint);
                           });
    }
}

} // namespace

void CGraph::Draw(CDrawContext& dc, const CRect& rect, int minimumFontHeight)
{
    const bool previousTransparent = dc.SetTransparentBackground(true);
    // At least one unit, so that the interval count for automatic scaling never divides by 0.
    const int fh = std::max({rect.Height() / 30, minimumFontHeight, 1});

    if (m_scaling.GetAutoScaleY() != 0) {
        AutoScaleY(rect.Height() / (2 * fh));
    }
    if (m_scaling.GetEqualUnits()) {
        ApplyEqualUnits(m_scaling, rect);
    }

    const CAxisRange xr = DrawableXAxis(m_scaling);
    const CAxisRange yr = DrawableYAxis(m_scaling);
    const CGraphLayout map{rect, xr, yr};
    const bool labelAxes = m_scaling.GetLabelAxes() != 0;
    const bool showTerms = m_scaling.GetShowTerms() != 0;

    const CPen previousPen = dc.SelectPen(CPen{CPen::Solid, kBlack});
    const CFont previousFont = dc.SelectFont(CFont{fh});
    const int cw = dc.GetAverageCharWidth();

    dc.Rectangle(rect);
    DrawKeptAreas(dc, rect, map, m_functions, m_areas);

    const CDevicePoint origin = map.Origin(cw, fh);

    // The axes, each ending in a closed arrow head.
    const int one = Dots(dc, 1);
    const int arrowLength = Dots(dc, 4);
    const int arrowHalf = Dots(dc, 3);
    dc.MoveTo(rect.left, origin.y);
    dc.LineTo(rect.right - one, origin.y);
    dc.LineTo(rect.right - arrowLength, origin.y - arrowHalf);
    dc.LineTo(rect.right - arrowLength, origin.y + arrowHalf);
    dc.LineTo(rect.right - one, origin.y);

    dc.MoveTo(origin.x, rect.bottom);
    dc.LineTo(origin.x, rect.top + one);
    dc.LineTo(origin.x - arrowHalf, rect.top + arrowLength);
    dc.LineTo(origin.x + arrowHalf, rect.top + arrowLength);
    dc.LineTo(origin.x, rect.top + one);

    const bool xMarks = ShowsMarks(xr.step, map.Sx());
    const bool yMarks = ShowsMarks(yr.step, map.Sy());

    // Labels too wide for the space between two marks go to every second, fifth, tenth... mark.
    // Only labels that need more than five decimals or a power of ten are thinned: those of the
    // ranges a picture has always shown are drawn as they always were, pixel for pixel.
    const auto strideOf = [&](const CAxisRange& axis, double spacing, bool horizontal) -> long long {
        if (!labelAxes) {
            return 1;
        }
        int extent = 0;
        bool plain = true;
        ForEachMark(axis.from, axis.to, axis.step, [&](double v) {
            const std::string text = TickLabel(v, axis.step, m_separator);
            plain = plain && text == FormatNumber(v, 5, m_separator);
            const CSize size = dc.GetTextExtent(text);
            extent = std::max(extent, horizontal ? size.cx : size.cy);
        });
        return plain ? 1 : LabelStride(spacing, extent, horizontal ? cw / 2 : 0);
    };
    const auto labelled = [](double v, double step, long long stride) {
        return stride == 1 || std::fmod(std::round(v / step), static_cast<double>(stride)) == 0;
    };
    const int xTick = Dots(dc, 2);
    const int yTick = Dots(dc, 3);

    if (xMarks) {
        const long long stride = strideOf(xr, xr.step * map.Sx(), true);
        ForEachMark(xr.from, xr.to, xr.step, [&](double x) {
            const int px = map.X(x);
            dc.MoveTo(px, origin.y - xTick);
            dc.LineTo(px, origin.y + xTick);
            if (labelAxes && labelled(x, xr.step, stride)) {
                const std::string text = TickLabel(x, xr.step, m_separator);
                int left = px - static_cast<int>(text.size() / 2) * cw;
                // The label of 0 steps aside so that the y axis does not cross it.
                if (IsZeroMark(x, xr.step)) {
                    left -= static_cast<int>(2.5 * cw);
                }
                dc.TextOut(left, origin.y + fh / 2, text);
            }
        });
    }
    if (labelAxes) {
        dc.TextOut(rect.right - cw - 5, origin.y + fh / 2, "x");
    }

    if (yMarks) {
        const long long stride = strideOf(yr, yr.step * map.Sy(), false);
        ForEachMark(yr.from, yr.to, yr.step, [&](double y) {
            const int py = map.Y(y);
            dc.MoveTo(origin.x - yTick, py);
            dc.LineTo(origin.x + yTick, py);
            // 0 is already written under the x axis.
            if (labelAxes && !IsZeroMark(y, yr.step) && labelled(y, yr.step, stride)) {
                const std::string text = TickLabel(y, yr.step, m_separator);
                dc.TextOut(origin.x - static_cast<int>(text.size()) * cw - 5, py - fh / 2, text);
            }
        });
    }
    if (labelAxes) {
        dc.TextOut(origin.x - cw - 2, rect.top + 1, "y");
    }

    switch (m_scaling.GetGridType()) {
    case CScaling::DashedLines:
        dc.SelectPen(CPen{CPen::Dotted, kBlack});
        if (yMarks) {
            const int right = map.X(xr.to);
            ForEachMark(yr.from, yr.to, yr.step, [&](double y) {
                dc.MoveTo(map.Mx(), map.Y(y));
                dc.LineTo(right, map.Y(y));
            });
        }
        if (xMarks) {
            const int top = map.Y(yr.to);
            ForEachMark(xr.from, xr.to, xr.step, [&](double x) {
                dc.MoveTo(map.X(x), map.By());
                dc.LineTo(map.X(x), top);
            });
        }
        break;
    case CScaling::Dots: {
        const double xHalf = xr.step / 2;
        const double yHalf = yr.step / 2;
        if (ShowsMarks(xHalf, map.Sx()) && ShowsMarks(yHalf, map.Sy()) &&
            CountOfSteps(xr, xHalf) * CountOfSteps(yr, yHalf) <= kMaxGridDots) {
            ForEachMark(xr.from, xr.to, xHalf, [&](double x) {
                const int px = map.XReal(x);
                ForEachMark(yr.from, yr.to, yHalf, [&](double y) { dc.SetPixel(px, map.YReal(y), kBlack); });
            });
        }
        break;
    }
    default:
        break;
    }

    CLabelPlacer placer{Dots(dc, 5)};
    const int crossNear = Dots(dc, 3);
    const int crossFar = Dots(dc, 4);
    for (const CGraphObject& object : m_objects) {
        const std::uint32_t color = object.GetColor();
        dc.SetTextColor(color);
        const SLineStroke& stroke = object.GetStroke();
        if (object.IsPoint()) {
            // A cross is too short for a dash pattern, and thinner than the axes it is lost on paper.
            dc.SelectPen(CPen{CPen::Solid, color, std::max(stroke.width, kDefaultLineWidth)});
            double x{};
            double y{};
            object.GetCoordinates(x, y);
            if (x >= xr.from && x <= xr.to && y >= yr.from && y <= yr.to) {
                const int px = map.XReal(x);
                const int py = map.YReal(y);
                dc.MoveTo(px - crossNear, py - crossNear);
                dc.LineTo(px + crossFar, py + crossFar);
                dc.MoveTo(px - crossNear, py + crossNear);
                dc.LineTo(px + crossFar, py - crossFar);
                DrawPointLabel(dc, placer, object.GetLabel(), px, py, object.GetTextPosition());
            }
        } else {
            // A vertical line is drawn wherever it lies; off the range it simply misses the area.
            dc.SelectPen(PenOfStroke(stroke, color));
            const double position = object.GetPosition();
            const int px = map.XReal(position);
            dc.MoveTo(px, map.By());
            dc.LineTo(px, map.Y(yr.to));
            if (showTerms) {
                dc.TextOut(px, map.By() + (rect.bottom - map.By()) / 2,
                           "x=" + FormatNumber(position, 5, m_separator));
            }
        }
    }

    // One sample per device unit; the same x values, the running sum of dx, serve every curve.
    const double dx = 1 / map.Sx();
    std::vector<double> xs;
    ForEachStep(xr.from, xr.to, dx, [&](double x) { xs.push_back(x); });
    std::vector<double> values(xs.size());
    std::vector<std::uint8_t> mathErrors(xs.size());
    for (std::size_t i = 0; i < m_functions.size(); ++i) {
        const CGraphFunction& function = m_functions[i];
        const std::string& term = function.GetTerm();
        // Its legend line stays empty, so the legend keeps matching the list.
        if (term.empty()) {
            continue;
        }
        g_mathError = 0;
        dc.SetTextColor(function.GetColor());
        dc.SelectPen(PenOfStroke(function.GetStroke(), function.GetColor()));
        if (showTerms) {
            // A family is one name with the constant as its index: h_k(x).
            // The member a slider picked says its k, so that a picture of the moment tells it.
            const std::string member =
                m_focus && m_focus->function == i ? "   k = " + FormatNumber(m_focus->k) : std::string{};
            dc.TextOut(map.Mx(), rect.top + 5 + static_cast<int>(i) * (fh + 2),
                       FunctionHead(m_functions, i) + "(x)=" + term + member);
        }

        const CCompiledTerm compiled{term};
        // Drawn once per offset: two or three offsets of one unit make a bold line with the one
        // pen width every device has.
        const auto drawMember = [&](double k, std::span<const CDevicePoint> offsets) {
            compiled.EvaluateBatch(xs, k, values, mathErrors);
            // What the samples leave behind: the syntax flag of a faulty term.
            if (!xs.empty() && compiled.HasSyntaxError()) {
                g_syntaxError = 1;
            }
            for (const CDevicePoint offset : offsets) {
                DrawCurvePolyline(dc, map, rect, xs, values, mathErrors, offset);
            }
        };
        static constexpr CDevicePoint kThin[] = {{0, 0}};
        static constexpr CDevicePoint kBold[] = {{0, 0}, {1, 0}, {0, 1}};
        int curves = 0;
        const bool focused = m_focus && m_focus->function == i;
        if (focused) {
            dc.SelectPen(PenOfStroke(function.GetStroke(), FaintColor(function.GetColor())));
        }
        if (!focused || !m_focus->hideOthers) {
            ForEachFamilyValue(function, [&](double k) {
                drawMember(k, kThin);
                return ++curves < kMaxFamilyCurves;
            });
        }
        if (focused) {
            dc.SelectPen(PenOfStroke(function.GetStroke(), function.GetColor()));
            drawMember(m_focus->k, kBold);
        }
    }

    DrawDerivedCurves(dc, map, rect, xs, fh, showTerms);

    dc.SelectPen(previousPen);
    dc.SelectFont(previousFont);
    dc.SetTransparentBackground(previousTransparent);
}
