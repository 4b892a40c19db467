#include "app/AreaShading.h"

#include "analysis/Intersections.h"
#include "document/StepLoop.h"
#include "engine/CompiledTerm.h"
#include "engine/ErrorFlags.h"
#include "view/GraphLayout.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// Light enough that a curve drawn in the same colour stays clear on it.
constexpr int kTintAlpha = 70;

// Family members shaded at most: beyond a few the tints only darken each other.
constexpr int kMaxShadedFamilyValues = 8;

} // namespace

void PaintAreaShading(QPainter& painter, const QRect& rect, const CScaling& drawn,
                      const CValuesDialog::SShownArea& area)
{
    const CGraphLayout layout{CRect{rect.left(), rect.top(), rect.right() + 1, rect.bottom() + 1},
                              DrawableXAxis(drawn), DrawableYAxis(drawn)};
    const CCompiledTerm f{area.function.GetTerm()};
    const std::optional<CCompiledTerm> g =
        area.with ? std::optional<CCompiledTerm>{std::in_place, area.with->GetTerm()} : std::nullopt;
    const CGraphFunction family = area.with ? DifferenceFunction(area.function, *area.with) : area.function;
    const double lo = std::min(area.from, area.to);
    const double hi = std::max(area.from, area.to);
    const int left = std::max(layout.X(lo), rect.left());
    const int right = std::min(layout.X(hi), rect.right());
    if (right < left) {
        return;
    }
    const std::uint32_t colour = area.function.GetColor();
    const QColor tint{static_cast<int>(colour & 0xffU), static_cast<int>((colour >> 8) & 0xffU),
                      static_cast<int>((colour >> 16) & 0xffU), kTintAlpha};
    const QBrush positive{tint};
    const QBrush negative{tint, Qt::BDiagPattern};
    painter.save();
    painter.setClipRect(rect);
    painter.setCompositionMode(QPainter::CompositionMode_Multiply);
    int shaded = 0;
    ForEachFamilyValue(family, [&](double k) {
        for (int px = left; px <= right; ++px) {
            // The x of the column's middle, held inside the limits.
            const double x = std::clamp(lo + (hi - lo) * (px - left + 0.5) / (right - left + 1), lo, hi);
            const std::optional<double> fy = f.DefinedValue(x, k);
            const std::optional<double> gy = g ? g->DefinedValue(x, k) : std::optional<double>{0.0};
            if (!fy || !gy || *fy == *gy) {
                continue;
            }
            const int yf = std::clamp(layout.Y(*fy), rect.top() - 1, rect.bottom() + 1);
            const int yg = std::clamp(layout.Y(*gy), rect.top() - 1, rect.bottom() + 1);
            const int top = std::min(yf, yg);
            const int bottom = std::max(yf, yg);
            painter.fillRect(QRect{px, top, 1, bottom - top + 1}, *fy > *gy ? positive : negative);
        }
        return ++shaded < kMaxShadedFamilyValues;
    });
    painter.restore();
}
