#include "framework/PainterContext.h"
#include "document/Scaling.h"
#include "view/GraphPaint.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr QRgb kWhite = 0xffffffff;
constexpr QRgb kBlack = 0xff000000;

// Paints into a white (or given) image through the context and returns the image.
QImage Paint(int width, int height, const std::function<void(CPainterContext&)>& paint,
             QRgb background = kWhite)
{
    QImage image{width, height, QImage::Format_RGB32};
    image.fill(background);
    QPainter painter{&image};
    CPainterContext dc{painter};
    paint(dc);
    return image;
}

TEST(PainterContext, LinesLeaveTheirEndPointForTheNext)
{
    const QImage image = Paint(40, 40, [](CPainterContext& dc) {
        dc.MoveTo(5, 10);
        dc.LineTo(15, 10);
        dc.MoveTo(20, 5);
        dc.LineTo(20, 12);
    });
    for (int x = 5; x < 15; ++x) {
        EXPECT_EQ(image.pixel(x, 10), kBlack) << x;
        EXPECT_EQ(image.pixel(x, 9), kWhite) << x;
        EXPECT_EQ(image.pixel(x, 11), kWhite) << x;
    }
    EXPECT_EQ(image.pixel(4, 10), kWhite);
    EXPECT_EQ(image.pixel(15, 10), kWhite);
    EXPECT_EQ(image.pixel(20, 5), kBlack);
    EXPECT_EQ(image.pixel(20, 11), kBlack);
    EXPECT_EQ(image.pixel(20, 12), kWhite);
}

TEST(PainterContext, RasterLinesAreNotSmoothed)
{
    const QImage image = Paint(40, 40, [](CPainterContext& dc) {
        dc.MoveTo(3, 2);
        dc.LineTo(37, 29);
    });
    int ink = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            EXPECT_TRUE(p == kWhite || p == kBlack) << x << "," << y;
            ink += p == kBlack ? 1 : 0;
        }
    }
    EXPECT_EQ(ink, 34); // one pixel per column, the end point left out
}

TEST(PainterContext, RectangleIsFilledWhiteAndOutlinedInside)
{
    const QImage image = Paint(
        30, 20,
        [](CPainterContext& dc) {
            dc.Rectangle(CRect{2, 3, 12, 9});
        },
        0xff808080);
    EXPECT_EQ(image.pixel(2, 3), kBlack);
    EXPECT_EQ(image.pixel(11, 8), kBlack);
    EXPECT_EQ(image.pixel(11, 5), kBlack);
    EXPECT_EQ(image.pixel(6, 8), kBlack);
    EXPECT_EQ(image.pixel(6, 5), kWhite);
    EXPECT_EQ(image.pixel(12, 5), 0xff808080);
    EXPECT_EQ(image.pixel(6, 9), 0xff808080);
}

TEST(PainterContext, ColoursHoldRedInTheLowByte)
{
    const QImage image = Paint(30, 30, [](CPainterContext& dc) {
        dc.SetPixel(3, 4, 0x0000ff);
        dc.SelectPen(CPen{CPen::Solid, 0xff0000});
        dc.MoveTo(10, 10);
        dc.LineTo(20, 10);
        dc.SetPixel(5, 5, 0x00ff00); // and the pen is blue again afterwards
        dc.MoveTo(10, 12);
        dc.LineTo(20, 12);
    });
    EXPECT_EQ(image.pixel(3, 4), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(15, 10), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(5, 5), qRgb(0, 255, 0));
    EXPECT_EQ(image.pixel(15, 12), qRgb(0, 0, 255));
}

TEST(PainterContext, DottedPenLeavesGaps)
{
    const QImage image = Paint(40, 10, [](CPainterContext& dc) {
        dc.SelectPen(CPen{CPen::Dotted, 0});
        dc.MoveTo(0, 5);
        dc.LineTo(40, 5);
    });
    int ink = 0;
    for (int x = 0; x < 40; ++x) {
        ink += image.pixel(x, 5) == kBlack ? 1 : 0;
    }
    EXPECT_GT(ink, 5);
    EXPECT_LT(ink, 30);
}

TEST(PainterContext, SelectingReturnsThePrevious)
{
    QImage image{10, 10, QImage::Format_RGB32};
    QPainter painter{&image};
    CPainterContext dc{painter};
    EXPECT_EQ(dc.SelectPen(CPen{CPen::Dotted, 5}), (CPen{CPen::Solid, 0}));
    EXPECT_EQ(dc.SelectPen(CPen{CPen::Solid, 7}), (CPen{CPen::Dotted, 5}));
    EXPECT_EQ(dc.SelectFont(CFont{20}), CFont{0});
    EXPECT_EQ(dc.SelectFont(CFont{14}), CFont{20});
    EXPECT_EQ(dc.SetTextColor(3), 0u);
    EXPECT_EQ(dc.SetTextColor(4), 3u);
    EXPECT_FALSE(dc.SetTransparentBackground(true));
    EXPECT_TRUE(dc.SetTransparentBackground(false));
}

class FontHeight : public ::testing::TestWithParam<int>
{
};

// Heights are cell heights (ascent plus descent): the text must fit them, a unit or two smaller at
// most where no size fits exactly.
TEST_P(FontHeight, TextIsAsHighAsAsked)
{
    const int height = GetParam();
    QImage image{10, 10, QImage::Format_RGB32};
    QPainter painter{&image};
    CPainterContext dc{painter};
    dc.SelectFont(CFont{height});
    const CSize size = dc.GetTextExtent("Hxy");
    EXPECT_LE(size.cy, height);
    EXPECT_GE(size.cy, height - 2);
    const int cw = dc.GetAverageCharWidth();
    EXPECT_GT(cw, height / 4);
    EXPECT_LT(cw, height * 3 / 4);
    EXPECT_GT(size.cx, cw);
}

INSTANTIATE_TEST_SUITE_P(Heights, FontHeight, ::testing::Values(10, 14, 20, 36, 100));

TEST(PainterContext, TextHangsFromItsTopLeftCorner)
{
    CSize size;
    const QImage image = Paint(80, 60, [&](CPainterContext& dc) {
        dc.SelectFont(CFont{20});
        dc.SetTextColor(0x0000ff);
        dc.SetTransparentBackground(true);
        dc.TextOut(10, 20, "Hg");
        size = dc.GetTextExtent("Hg");
    });
    int top = 1000, bottom = -1, left = 1000, right = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (p != kWhite) {
                EXPECT_GT(qRed(p), qBlue(p)); // red ink, smoothed edges only
                top = std::min(top, y);
                bottom = std::max(bottom, y);
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    ASSERT_GE(bottom, 0);
    EXPECT_GE(top, 20);
    EXPECT_LE(top, 20 + size.cy / 3); // the capital starts below the internal leading only
    EXPECT_LT(bottom, 20 + size.cy);
    EXPECT_GE(left, 10);
    EXPECT_LE(right, 10 + size.cx);
}

TEST(PainterContext, TextsAreWindows1252)
{
    QImage image{10, 10, QImage::Format_RGB32};
    QPainter painter{&image};
    CPainterContext dc{painter};
    dc.SelectFont(CFont{20});
    const QFontMetrics metrics = painter.fontMetrics();
    // 0x80 is the euro sign, 0xe4 a-umlaut.
    EXPECT_EQ(dc.GetTextExtent("\x80").cx, metrics.horizontalAdvance(QString{QChar{0x20ac}}));
    EXPECT_EQ(dc.GetTextExtent("\xe4").cx, metrics.horizontalAdvance(QString{QChar{0xe4}}));
    EXPECT_GT(dc.GetTextExtent("\x80").cx, 0);
}

TEST(PainterContext, GraphLandsWhereTheMappingSays)
{
    CScaling scaling;
    scaling.SetAutoScaleY(0);
    QImage image{500, 300, QImage::Format_RGB32};
    image.fill(0xff808080);
    {
        QPainter painter{&image};
        CPainterContext dc{painter};
        PaintGraph(dc, CRect{0, 0, 500, 300}, {}, {}, scaling);
    }
    // Frame on the outermost pixels, axes through (249, 150), white between the grid lines.
    for (const QPoint p : {QPoint{0, 100}, QPoint{499, 100}, QPoint{300, 0}, QPoint{300, 299},
                           QPoint{100, 150}, QPoint{400, 150}, QPoint{249, 60}, QPoint{249, 260}}) {
        EXPECT_EQ(image.pixel(p), kBlack) << p.x() << "," << p.y();
    }
    EXPECT_EQ(image.pixel(60, 60), kWhite);
    EXPECT_EQ(image.pixel(100, 149), kWhite);
    EXPECT_EQ(image.pixel(250, 60), kWhite);
}

TEST(PrintRectangleOn, ReadsTheDeviceSize)
{
    // 2.4 dots per millimetre: 200 by 280 mm, as in the printing example at a tenth of its dots.
    QImage page{480, 672, QImage::Format_RGB32};
    page.setDotsPerMeterX(2400);
    page.setDotsPerMeterY(2400);
    const CRect r = PrintRectangleOn(page, CScaling{});
    EXPECT_EQ(r.left, 40);
    EXPECT_EQ(r.top, 40);
    EXPECT_EQ(r.right, 12 * 24 + 40);
    EXPECT_EQ(r.bottom, 12 * 24 + 40);
}

} // namespace
