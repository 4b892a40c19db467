#include "view/AreaShade.h"

#include "document/StepLoop.h"
#include "engine/CompiledTerm.h"
#include "view/GraphLayout.h"

#include <algorithm>
#include <cmath>

namespace {

// Of 255: the opacity of today's shading in the window.
constexpr std::uint32_t kTintAlpha = 70;

} // namespace

std::uint32_t AreaTint(std::uint32_t color)
{
    std::uint32_t tint = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const std::uint32_t channel = (color >> shift) & 0xFFu;
        tint |= ((channel * kTintAlpha + 255u * (255u - kTintAlpha) + 127u) / 255u) << shift;
    }
    return tint;
}

void ForEachShadeColumn(const CGraphLayout& layout, const CRect& rect, const CGraphFunction& f,
                        const CGraphFunction* g, double from, double to,
                        const std::function<void(const SShadeColumn&)>& column)
{
    const CCompiledTerm fTerm{f.GetTerm()};
    const std::optional<CCompiledTerm> gTerm =
        g != nullptr ? std::optional<CCompiledTerm>{std::in_place, g->GetTerm()} : std::nullopt;
    // The family whose values are walked: f's, or g's when only g has one.
    const CGraphFunction& family = g != nullptr && f.GetUseFamilyConstant() == 0 ? *g : f;
    const double lo = std::min(from, to);
    const double hi = std::max(from, to);
    const int left = std::max(layout.X(lo), rect.left);
    const int right = std::min(layout.X(hi), rect.right - 1);
    if (right < left || !std::isfinite(lo) || !std::isfinite(hi)) {
        return;
    }
    int shaded = 0;
    ForEachFamilyValue(family, [&](double k) {
        for (int px = left; px <= right; ++px) {
            // The x of the column's middle, held inside the limits.
            const double x = std::clamp(lo + (hi - lo) * (px - left + 0.5) / (right - left + 1), lo, hi);
            const std::optional<double> fy = fTerm.DefinedValue(x, k);
            const std::optional<double> gy = gTerm ? gTerm->DefinedValue(x, k) : std::optional<double>{0.0};
            if (!fy || !gy || *fy == *gy) {
                continue;
            }
            const int yf = std::clamp(layout.Y(*fy), rect.top - 1, rect.bottom);
            const int yg = std::clamp(layout.Y(*gy), rect.top - 1, rect.bottom);
            column(SShadeColumn{px, std::min(yf, yg), std::max(yf, yg), *fy > *gy});
        }
        return ++shaded < kMaxShadedFamilyValues;
    });
}
