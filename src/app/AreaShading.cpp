#include "app/AreaShading.h"

#include "view/AreaShade.h"
#include "view/GraphLayout.h"

#include <QPainter>

namespace {

// Light enough that a curve drawn in the same colour stays clear on it.
constexpr int kTintAlpha = 70;

} // namespace

void PaintAreaShading(QPainter& painter, const QRect& rect, const CScaling& drawn,
                      const CValuesDialog::SShownArea& area)
{
    const CRect device{rect.left(), rect.top(), rect.right() + 1, rect.bottom() + 1};
    const CGraphLayout layout{device, DrawableXAxis(drawn), DrawableYAxis(drawn)};
    const std::uint32_t colour = area.function.GetColor();
    const QColor tint{static_cast<int>(colour & 0xffU), static_cast<int>((colour >> 8) & 0xffU),
                      static_cast<int>((colour >> 16) & 0xffU), kTintAlpha};
    const QBrush positive{tint};
    const QBrush negative{tint, Qt::BDiagPattern};
    painter.save();
    painter.setClipRect(rect);
    painter.setCompositionMode(QPainter::CompositionMode_Multiply);
    ForEachShadeColumn(layout, device, area.function, area.with ? &*area.with : nullptr, area.from, area.to,
                       [&](const SShadeColumn& column) {
                           painter.fillRect(QRect{column.x, column.top, 1, column.bottom - column.top + 1},
                                            column.fAbove ? positive : negative);
                       });
    painter.restore();
}
