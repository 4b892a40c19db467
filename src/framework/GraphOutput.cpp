#include "cli/GraphExport.h"

#include "framework/PainterContext.h"
#include "view/GraphPaint.h"

#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSvgGenerator>

void CGraphExport::Paint(CDrawContext& dc, const CRect& rect)
{
    PaintGraph(dc, rect, m_content.functions, m_content.objects, m_content.scaling, &m_curvesLeftOut);
}

bool CGraphExport::WritePng(QSize size, QIODevice& device)
{
    QImage image{size, QImage::Format_RGB32};
    if (image.isNull()) {
        return false;
    }
    image.fill(Qt::white);
    {
        QPainter painter{&image};
        CPainterContext dc{painter};
        Paint(dc, CRect{0, 0, size.width(), size.height()});
    }
    return image.save(&device, "PNG");
}

bool CGraphExport::WriteSvg(QSize size, QIODevice& device)
{
    QSvgGenerator generator;
    generator.setOutputDevice(&device);
    generator.setSize(size);
    generator.setViewBox(QRect{QPoint{0, 0}, size});
    // The generator writes the title as it is given; a file named "R&D <2>.zel" must not break
    // the XML around it. Drawn text is made XML-safe by the painter context itself.
    generator.setTitle(XmlText(m_name).toHtmlEscaped());
    generator.setDescription(QStringLiteral("Vex Funktions-Plotter"));
    QPainter painter;
    if (!painter.begin(&generator)) {
        return false;
    }
    {
        CPainterContext dc{painter};
        Paint(dc, CRect{0, 0, size.width(), size.height()});
    }
    return painter.end();
}

bool CGraphExport::WritePdf(QIODevice& device)
{
    // The page and its margins are those of a PDF printer, so the page looks as printed; the
    // writer itself goes to any device.
    QPrinter printer{QPrinter::HighResolution};
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize{QPageSize::A4});
    printer.setPageOrientation(QPageLayout::Portrait);

    QPdfWriter writer{&device};
    writer.setResolution(printer.resolution());
    writer.setPageLayout(printer.pageLayout());
    writer.setCreator(QStringLiteral("Vex Funktions-Plotter"));
    writer.setTitle(m_name);
    QPainter painter;
    if (!painter.begin(&writer)) {
        return false;
    }
    {
        CPainterContext dc{painter};
        Paint(dc, PrintRectangleOn(writer, m_content.scaling));
    }
    return painter.end();
}
