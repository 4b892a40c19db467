// Vector exports: each piece of a curve is one element of the SVG, and a size in centimetres is
// stated in centimetres, with lines as wide as their millimetres at the resolution.
#include "framework/GraphOutput.h"

#include <QBuffer>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <map>

namespace {

CScaling FixedScaling()
{
    CScaling scaling;
    scaling.SetXRange(-5, 5, 1);
    scaling.SetYRange(-5, 5, 1);
    scaling.SetAutoScaleY(0);
    return scaling;
}

QByteArray Svg(const CFunctionList& functions, const SPictureSize& size)
{
    const CObjectList objects;
    const CScaling scaling = FixedScaling();
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    CGraphOutput graph{functions, objects, scaling};
    EXPECT_TRUE(graph.Write(EGraphFormat::Svg, size, buffer));
    return buffer.data();
}

struct SSvgStroke
{
    int pieces{0};     // polylines of more than two points
    int shortLines{0}; // polylines of two points and lone lines
    QString width;
};

// What each stroke colour draws, by the colour its group gives.
std::map<QString, SSvgStroke> StrokesByColour(const QByteArray& svg)
{
    std::map<QString, SSvgStroke> strokes;
    QXmlStreamReader reader{svg};
    QString colour;
    QString width;
    while (!reader.atEnd()) {
        reader.readNext();
        if (!reader.isStartElement()) {
            continue;
        }
        const QXmlStreamAttributes attributes = reader.attributes();
        if (reader.name() == QLatin1String("g") && attributes.hasAttribute(QLatin1String("stroke"))) {
            colour = attributes.value(QLatin1String("stroke")).toString();
            width = attributes.value(QLatin1String("stroke-width")).toString();
        } else if (reader.name() == QLatin1String("polyline")) {
            const auto points =
                attributes.value(QLatin1String("points")).split(QLatin1Char(' '), Qt::SkipEmptyParts);
            SSvgStroke& stroke = strokes[colour];
            (points.size() > 2 ? stroke.pieces : stroke.shortLines) += 1;
            stroke.width = width;
        } else if (reader.name() == QLatin1String("line") || reader.name() == QLatin1String("path")) {
            strokes[colour].shortLines += 1;
        }
    }
    EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString();
    return strokes;
}

TEST(VectorExport, EachPieceOfACurveIsOnePolyline)
{
    const struct
    {
        const char* term;
        int pieces; // continuous pieces inside the area
    } cases[] = {
        {"1/x", 2}, {"tan(x)", 5}, {"1/(x^2-1)", 3}, {"x^2", 1}, {"sqrt(x)", 1}, {"sin(x)", 1},
    };
    for (const auto& c : cases) {
        CGraphFunction function;
        function.SetTerm(c.term);
        function.SetColor(0x0000ff); // red, "#ff0000" in the SVG
        const auto strokes = StrokesByColour(Svg({function}, QSize{600, 400}));
        const auto red = strokes.find(QStringLiteral("#ff0000"));
        ASSERT_NE(red, strokes.end()) << c.term;
        EXPECT_EQ(red->second.pieces, c.pieces) << c.term;
        EXPECT_EQ(red->second.shortLines, 0) << c.term;
    }
}

TEST(VectorExport, SvgStatesItsSizeInCentimetres)
{
    const struct
    {
        SPictureSize size;
        const char* head;
        double curveWidth; // a curve of 0.25 mm in device units
    } cases[] = {
        {SPictureSize{QSizeF{12, 8}, 300}, "<svg width=\"12cm\" height=\"8cm\"\n viewBox=\"0 0 1417 945\"",
         2.95276},
        {SPictureSize{QSizeF{10.5, 7.25}, 150},
         "<svg width=\"10.5cm\" height=\"7.25cm\"\n viewBox=\"0 0 620 428\"", 1.47638},
        {SPictureSize{QSize{800, 600}}, "<svg width=\"800\" height=\"600\"\n viewBox=\"0 0 800 600\"", 1},
    };
    for (const auto& c : cases) {
        CGraphFunction function;
        function.SetTerm("x");
        function.SetColor(0x0000ff);
        const QByteArray svg = Svg({function}, c.size);
        EXPECT_TRUE(svg.contains(c.head)) << c.head << "\n" << svg.left(300).toStdString();
        const auto strokes = StrokesByColour(svg);
        const auto red = strokes.find(QStringLiteral("#ff0000"));
        ASSERT_NE(red, strokes.end()) << c.head;
        EXPECT_NEAR(red->second.width.toDouble(), c.curveWidth, 1e-4) << c.head;
    }
}

} // namespace
