#include "framework/GraphPicture.h"

#include "document/ZelDoc.h"
#include "view/GraphLayout.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMimeData>
#include <QSvgRenderer>

#include <gtest/gtest.h>

namespace {

CZelDoc Parabola()
{
    CZelDoc doc;
    CGraphFunction f;
    f.SetTerm("x^2");
    doc.SetFunctions({f});
    // A fixed y range, so that the test knows where the axes go.
    CScaling scaling = doc.GetScaling();
    scaling.SetAutoScaleY(0);
    doc.SetScaling(scaling);
    doc.SetModifiedFlag(false);
    return doc;
}

bool IsDark(QRgb pixel)
{
    return qGray(pixel) < 96;
}

// The share of a column's or row's pixels that are dark, between from and to.
double DarkShareOfColumn(const QImage& image, int x, int from, int to)
{
    int dark = 0;
    for (int y = from; y < to; ++y) {
        dark += IsDark(image.pixel(x, y)) ? 1 : 0;
    }
    return static_cast<double>(dark) / (to - from);
}

double DarkShareOfRow(const QImage& image, int y, int from, int to)
{
    int dark = 0;
    for (int x = from; x < to; ++x) {
        dark += IsDark(image.pixel(x, y)) ? 1 : 0;
    }
    return static_cast<double>(dark) / (to - from);
}

struct SCopyCase
{
    bool bitmap;
    QSize size;
};

const SCopyCase kCases[] = {
    {true, {500, 300}}, {false, {500, 300}}, {true, {100, 1000}}, {false, {1000, 100}}, {true, {1000, 1000}},
};

// The copy is the window's drawing at the chosen size: the axes cross where the mapping of a
// window that size puts the origin.
TEST(GraphPicture, ImageHasTheSizeAndTheAxesOfTheMapping)
{
    const CZelDoc doc = Parabola();
    // (Narrower than about 300 units, the labels of the y axis cover it.)
    for (const QSize size : {QSize{500, 300}, QSize{1000, 100}, QSize{300, 1000}, QSize{1000, 1000}}) {
        SCOPED_TRACE(testing::Message() << size.width() << "x" << size.height());
        const SCopyCase c{true, size};
        const QImage image = DrawGraphImage(doc, c.size);
        ASSERT_EQ(image.size(), c.size);
        const CGraphLayout layout{CRect{0, 0, c.size.width(), c.size.height()},
                                  DrawableXAxis(doc.GetScaling()), DrawableYAxis(doc.GetScaling())};
        const int x0 = layout.X(0.0);
        const int y0 = layout.Y(0.0);
        // Away from the frame and the labels, the axis lines are unbroken.
        EXPECT_GT(DarkShareOfColumn(image, x0, layout.Y(4.0), layout.Y(-4.0)), 0.9);
        EXPECT_GT(DarkShareOfRow(image, y0, layout.X(-4.0), layout.X(4.0)), 0.9);
        // Next to the y axis, between the ticks, the background stays white.
        EXPECT_LT(DarkShareOfColumn(image, x0 + (layout.X(1.0) - x0) / 2, layout.Y(4.0), layout.Y(1.5)), 0.2);
    }
}

TEST(GraphPicture, ClipboardContentsOfEachType)
{
    const CZelDoc doc = Parabola();
    for (const SCopyCase& c : kCases) {
        SCOPED_TRACE(testing::Message()
                     << (c.bitmap ? "bitmap " : "metafile ") << c.size.width() << "x" << c.size.height());
        QApplication::clipboard()->setMimeData(CreateGraphMimeData(doc, c.bitmap, c.size));
        const QMimeData* data = QApplication::clipboard()->mimeData();
        ASSERT_NE(data, nullptr);
        EXPECT_TRUE(data->hasImage());
        EXPECT_EQ(QApplication::clipboard()->image().size(), c.size);
        QImage png;
        ASSERT_TRUE(png.loadFromData(data->data(QStringLiteral("image/png")), "PNG"));
        EXPECT_EQ(png.size(), c.size);
        EXPECT_EQ(png.convertToFormat(QImage::Format_RGB32), DrawGraphImage(doc, c.size));

        const QByteArray svg = data->data(QStringLiteral("image/svg+xml"));
        EXPECT_EQ(svg.isEmpty(), c.bitmap);
        if (!c.bitmap) {
            QSvgRenderer renderer{svg};
            ASSERT_TRUE(renderer.isValid());
            EXPECT_EQ(renderer.defaultSize(), c.size);
            EXPECT_EQ(renderer.viewBox(), QRect(QPoint(0, 0), c.size));
        }
    }
}

} // namespace
