// Vector exports: each piece of a curve is one element of the SVG, and a size in centimetres is
// stated in centimetres, with lines as wide as their millimetres at the resolution.
#include "framework/GraphOutput.h"

#include <QBuffer>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

namespace {

struct SRedStrokes
{
    int pieces{0}; // polylines of more than two points
    int others{0}; // two-point polylines, lines and paths
    double width{0};
};

// Draws a red curve into an SVG and counts what its colour's groups hold.
SRedStrokes RedStrokes(const char* term, const SPictureSize& size, QByteArray* svg)
{
    CFunctionList functions(1);
    functions[0].SetTerm(term);
    functions[0].SetColor(0x0000ff);
    const CObjectList objects;
    CScaling scaling;
    scaling.SetAutoScaleY(0);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    CGraphOutput graph{functions, objects, scaling};
    EXPECT_TRUE(graph.Write(EGraphFormat::Svg, size, buffer));
    SRedStrokes red;
    bool inRed = false;
    QXmlStreamReader reader{buffer.data()};
    while (reader.readNext() != QXmlStreamReader::Invalid && !reader.atEnd()) {
        const QXmlStreamAttributes a = reader.attributes();
        if (!reader.isStartElement()) {
            continue;
        }
        if (reader.name() == QLatin1String("g") && a.hasAttribute(QLatin1String("stroke"))) {
            inRed = a.value(QLatin1String("stroke")) == QLatin1String("#ff0000");
            if (inRed) {
                red.width = a.value(QLatin1String("stroke-width")).toDouble();
            }
        } else if (inRed && reader.name() == QLatin1String("polyline") &&
                   a.value(QLatin1String("points")).split(QLatin1Char(' '), Qt::SkipEmptyParts).size() > 2) {
            ++red.pieces;
        } else if (inRed &&
                   (reader.name() == QLatin1String("polyline") || reader.name() == QLatin1String("line") ||
                    reader.name() == QLatin1String("path"))) {
            ++red.others;
        }
    }
    EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString();
    *svg = buffer.data();
    return red;
}

TEST(VectorExport, EachPieceOfACurveIsOnePolyline)
{
    const struct
    {
        const char* term;
        int pieces; // continuous pieces inside -5..5 by -5..5
    } cases[] = {{"1/x", 2}, {"tan(x)", 5}, {"1/(x^2-1)", 3}, {"x^2", 1}, {"sqrt(x)", 1}, {"sin(x)", 1}};
    for (const auto& c : cases) {
        QByteArray svg;
        const SRedStrokes red = RedStrokes(c.term, QSize{600, 400}, &svg);
        EXPECT_EQ(red.pieces, c.pieces) << c.term;
        EXPECT_EQ(red.others, 0) << c.term;
    }
}

TEST(VectorExport, SvgStatesItsSizeInCentimetres)
{
    const struct
    {
        SPictureSize size;
        const char* head;
        double curveWidth; // 0.25 mm in device units
    } cases[] = {
        {SPictureSize{QSizeF{12, 8}, 300}, "<svg width=\"12cm\" height=\"8cm\"\n viewBox=\"0 0 1417 945\"",
         2.95276},
        {SPictureSize{QSize{800, 600}}, "<svg width=\"800\" height=\"600\"\n viewBox=\"0 0 800 600\"", 1},
    };
    for (const auto& c : cases) {
        QByteArray svg;
        EXPECT_NEAR(RedStrokes("x", c.size, &svg).width, c.curveWidth, 1e-4) << c.head;
        EXPECT_TRUE(svg.contains(c.head)) << c.head;
    }
}

} // namespace
