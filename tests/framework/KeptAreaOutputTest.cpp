// Kept areas as an export draws them: the tint lies between the curves and the bounds, and with
// equal units a square of the graph is a square of pixels.
#include "framework/GraphOutput.h"
#include "view/AreaShade.h"
#include "view/GraphLayout.h"

#include <QBuffer>
#include <QImage>

#include <gtest/gtest.h>

namespace {

CGraphFunction Constant(const char* term, std::uint32_t color)
{
    CGraphFunction f;
    f.SetTerm(term);
    f.SetColor(color);
    return f;
}

TEST(KeptAreaOutput, PngShadesBetweenTheCurvesAndTheBoundsOnly)
{
    const struct
    {
        CKeptArea area;
        double top, bottom; // the values of the two curves over the area
        bool equalUnits;
        QSize size;
    } cases[] = {
        {{0, std::nullopt, 1, 3, 0x0000FF}, 2, 0, false, {400, 300}},
        {{0, 1, -4, -2, 0x0000FF}, 2, -1, true, {600, 300}},
        {{1, 0, 0.5, 4.5, 0x00A000}, 2, -1, true, {300, 600}},
    };
    const CFunctionList functions{Constant("2", 0x0000FF), Constant("-1", 0x00A000)};
    const CObjectList objects;
    for (const auto& c : cases) {
        CScaling scaling;
        scaling.SetAutoScaleY(0);
        scaling.SetGridType(0);
        scaling.SetLabelAxes(0);
        scaling.SetShowTerms(0);
        scaling.SetEqualUnits(c.equalUnits);
        CGraphOutput output{functions, objects, scaling};
        output.SetAreas({c.area});
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        ASSERT_TRUE(output.Write(EGraphFormat::Png, c.size, buffer));
        const QImage image = QImage::fromData(buffer.data(), "PNG").convertToFormat(QImage::Format_RGB32);

        const std::uint32_t tint = AreaTint(c.area.color);
        const QRgb wanted = qRgb(tint & 0xFF, (tint >> 8) & 0xFF, (tint >> 16) & 0xFF);
        QRect shaded;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                shaded |= image.pixel(x, y) == wanted ? QRect{x, y, 1, 1} : QRect{};
            }
        }
        const int left = shaded.left(), right = shaded.right(), top = shaded.top(), bottom = shaded.bottom();
        const CScaling& drawn = output.DrawnScaling();
        const CGraphLayout map{CRect{0, 0, c.size.width(), c.size.height()}, DrawableXAxis(drawn),
                               DrawableYAxis(drawn)};
        // The curves and the bounds themselves may take the edge rows and columns.
        ASSERT_FALSE(shaded.isEmpty());
        EXPECT_NEAR(left, map.X(c.area.from), 1);
        EXPECT_NEAR(right, map.X(c.area.to), 1);
        EXPECT_NEAR(top, map.Y(c.top), 1);
        EXPECT_NEAR(bottom, map.Y(c.bottom), 1);
        if (c.equalUnits) {
            const double world = (c.area.to - c.area.from) / (c.top - c.bottom);
            EXPECT_NEAR(static_cast<double>(right - left) / (bottom - top), world, 0.03 * world);
        }
    }
}

} // namespace
