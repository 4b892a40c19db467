#include "framework/GraphPicture.h"

#include "document/ZelDoc.h"
#include "framework/PainterContext.h"
#include "view/GraphPaint.h"

#include <QBuffer>
#include <QMimeData>
#include <QPainter>
#include <QSvgGenerator>

namespace {

void Paint(QPainter& painter, const CZelDoc& doc, QSize size)
{
    CPainterContext dc{painter};
    PaintGraph(dc, CRect{0, 0, size.width(), size.height()}, doc.GetFunctions(), doc.GetObjects(),
               doc.GetScaling());
}

} // namespace

QImage DrawGraphImage(const CZelDoc& doc, QSize size)
{
    QImage image{size, QImage::Format_RGB32};
    if (image.isNull()) {
        return image;
    }
    // The window's background is white too; an image starts out with undefined pixels.
    image.fill(Qt::white);
    QPainter painter{&image};
    Paint(painter, doc, size);
    return image;
}

QByteArray DrawGraphSvg(const CZelDoc& doc, QSize size)
{
    QByteArray svg;
    QBuffer buffer{&svg};
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(size);
    generator.setViewBox(QRect{QPoint{0, 0}, size});
    generator.setTitle(QStringLiteral("Funktions-Graph"));
    generator.setDescription(QStringLiteral("Vex Funktions-Plotter"));
    QPainter painter;
    if (!painter.begin(&generator)) {
        return {};
    }
    painter.fillRect(QRect{QPoint{0, 0}, size}, Qt::white);
    Paint(painter, doc, size);
    painter.end();
    // The generator gives the size in millimetres at a resolution of its own, which programs
    // turn back into different pixel sizes; the copy is meant to be length by height units.
    const QByteArray sized =
        QStringLiteral("<svg width=\"%1\" height=\"%2\"").arg(size.width()).arg(size.height()).toLatin1();
    const qsizetype start = svg.indexOf("<svg ");
    const qsizetype end = start < 0 ? -1 : svg.indexOf('\n', start);
    if (end > start && svg.mid(start, end - start).contains("height=")) {
        svg.replace(start, end - start, sized);
    }
    return svg;
}

QMimeData* CreateGraphMimeData(const CZelDoc& doc, bool bitmap, QSize size)
{
    auto* data = new QMimeData;
    const QImage image = DrawGraphImage(doc, size);
    QByteArray png;
    QBuffer buffer{&png};
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    if (!bitmap) {
        data->setData(QStringLiteral("image/svg+xml"), DrawGraphSvg(doc, size));
    }
    data->setData(QStringLiteral("image/png"), png);
    data->setImageData(image);
    return data;
}
