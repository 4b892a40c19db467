#include "framework/GraphPicture.h"

#include "document/ZelDoc.h"
#include "framework/GraphOutput.h"
#include "framework/PngWriter.h"

#include <QBuffer>
#include <QMimeData>

QImage DrawGraphImage(const CZelDoc& doc, QSize size)
{
    const CScaling scaling = doc.GetScaling();
    CGraphOutput output{doc.Functions(), doc.Objects(), scaling};
    output.SetDerivedCurves(doc.Derived());
    output.SetAreas(doc.Areas());
    return output.Image(size);
}

QByteArray DrawGraphSvg(const CZelDoc& doc, QSize size)
{
    const CScaling scaling = doc.GetScaling();
    CGraphOutput output{doc.Functions(), doc.Objects(), scaling};
    output.SetDerivedCurves(doc.Derived());
    output.SetTitle(QStringLiteral("Funktions-Graph"));
    output.SetAreas(doc.Areas());
    // Pasted into a page of any colour, the graph still looks as in its window.
    output.SetSvgBackground(true);
    QByteArray svg;
    QBuffer buffer{&svg};
    buffer.open(QIODevice::WriteOnly);
    if (!output.Write(EGraphFormat::Svg, size, buffer)) {
        return {};
    }
    return svg;
}

QMimeData* CreateGraphMimeData(const CZelDoc& doc, bool bitmap, QSize size)
{
    auto* data = new QMimeData;
    const QImage image = DrawGraphImage(doc, size);
    const QByteArray png = CPngWriter{}.Encode(image).value_or(QByteArray{});
    if (!bitmap) {
        data->setData(QStringLiteral("image/svg+xml"), DrawGraphSvg(doc, size));
    }
    data->setData(QStringLiteral("image/png"), png);
    data->setImageData(image);
    return data;
}
