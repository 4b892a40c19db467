// The PDF page of the graph output. Apart from the other formats so that a program that writes
// PDF alone (vexplot-pdf) links no SVG library.
#include "framework/GraphOutput.h"

#include "ProductInfo.h"

#include "framework/PainterContext.h"
#include "view/GraphPaint.h"

#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

#include <vector>

bool CGraphOutput::WritePdf(QIODevice& device)
{
    QPageLayout layout;
    int dotsPerInch = m_pdfDotsPerInch;
    if (m_pdfLayout) {
        layout = *m_pdfLayout;
    } else {
        // The page and its margins are those of a PDF printer, so the page looks as printed; the
        // writer itself goes to any device.
        QPrinter printer{QPrinter::HighResolution};
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageSize(QPageSize{QPageSize::A4});
        printer.setPageOrientation(QPageLayout::Portrait);
        layout = printer.pageLayout();
        dotsPerInch = printer.resolution();
    }
    QPdfWriter writer{&device};
    writer.setResolution(dotsPerInch);
    writer.setPageLayout(layout);
    writer.setCreator(QStringLiteral(VEX_PRODUCT_NAME));
    writer.setTitle(m_title);
    QPainter painter;
    if (!painter.begin(&writer)) {
        return false;
    }
    {
        CPainterContext dc{painter, static_cast<double>(writer.resolution())};
        const CRect rect = PrintRectangleOn(writer, m_scaling);
        if (m_pdfLayout) {
            Paint(dc, rect);
        } else {
            // The printer's rectangle starts 40 units into the printable area; on its own page the
            // graph moves to the centre as a whole, so that everything keeps its place inside it.
            const QRect centred =
                CentredOnPage(QSize{rect.Width(), rect.Height()}, layout, writer.resolution());
            const QPoint printable = layout.paintRectPixels(writer.resolution()).topLeft();
            painter.translate(centred.left() - printable.x() - rect.left,
                              centred.top() - printable.y() - rect.top);
            Paint(dc, rect);
            DrawTitleLines(dc, QRect{QPoint{rect.left, rect.top}, centred.size()}, writer.resolution());
        }
    }
    return painter.end();
}

QRect CGraphOutput::CentredOnPage(QSize rectSize, const QPageLayout& layout, int dotsPerInch)
{
    const QRect page = layout.fullRectPixels(dotsPerInch);
    return QRect{QPoint{(page.width() - rectSize.width()) / 2, (page.height() - rectSize.height()) / 2},
                 rectSize};
}

void CGraphOutput::DrawTitleLines(CDrawContext& dc, const QRect& graph, int dotsPerInch)
{
    std::vector<std::size_t> shown;
    for (std::size_t i = 0; i < m_functions.size(); ++i) {
        if (!m_functions[i].GetTerm().empty()) {
            shown.push_back(i);
        }
    }
    // Lines as high as the text of a printed page, 4 mm, a little apart, and 3 mm above the frame.
    const int lineHeight = static_cast<int>(std::lround(4.0 / 25.4 * dotsPerInch));
    const int pitch = lineHeight + lineHeight / 4;
    const int gap = static_cast<int>(std::lround(3.0 / 25.4 * dotsPerInch));
    const CFont previousFont = dc.SelectFont(CFont{lineHeight});
    int top = graph.top() - gap - static_cast<int>(shown.size()) * pitch;
    for (const std::size_t i : shown) {
        const CGraphFunction& function = m_functions[i];
        dc.SetTextColor(function.GetColor());
        dc.TextOut(graph.left(), top, FunctionHead(m_functions, i) + "(x)=" + function.GetTerm());
        top += pitch;
    }
    dc.SelectFont(previousFont);
}

bool CGraphOutput::WritePdfFile(const QString& path, int& errorNumber)
{
    return WriteAtomically(path, errorNumber, [&](QIODevice& device) { return WritePdf(device); });
}
