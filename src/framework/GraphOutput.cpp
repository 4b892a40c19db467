#include "framework/GraphOutput.h"

#include "ProductInfo.h"

#include "framework/CurveSamplers.h"
#include "framework/AtomicFile.h"
#include "framework/PainterContext.h"
#include "framework/PngWriter.h"
#include "view/GraphPaint.h"

#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSvgGenerator>

#include <cmath>
#include <vector>

namespace {

// Passes an SVG drawing through to a device, with the size on its first <svg line given in
// units or in centimetres. The generator gives the size in millimetres at a resolution of its
// own, which programs turn back into different pixel sizes; the drawing is meant to be width by
// height units, as its view box says, or the centimetres asked for. Only the head is held back,
// so a large drawing is never held whole.
class CSvgSizeFilter final : public QIODevice
{
public:
    CSvgSizeFilter(QIODevice& target, const SPictureSize& size) : m_target{target}, m_size{size}
    {
        open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }

    // Sends what is still held back; false when the device refused anything.
    bool Finish()
    {
        if (!m_headDone) {
            m_headDone = true;
            return Pass(m_head);
        }
        return !m_failed;
    }

protected:
    qint64 readData(char*, qint64) override { return -1; }

    qint64 writeData(const char* data, qint64 length) override
    {
        if (m_headDone) {
            return Pass(QByteArray::fromRawData(data, length)) ? length : -1;
        }
        m_head.append(data, length);
        const qsizetype start = m_head.indexOf("<svg ");
        const qsizetype end = start < 0 ? -1 : m_head.indexOf('\n', start);
        if (end < 0) {
            return length;
        }
        if (m_head.mid(start, end - start).contains("height=")) {
            m_head.replace(start, end - start, SizeAttributes().toLatin1());
        }
        m_headDone = true;
        return Pass(m_head) ? length : -1;
    }

private:
    QString SizeAttributes() const
    {
        if (m_size.centimetres) {
            // Enough digits for a hundredth of a millimetre, none that only show binary noise.
            return QStringLiteral("<svg width=\"%1cm\" height=\"%2cm\"")
                .arg(QString::number(m_size.centimetres->width(), 'g', 8))
                .arg(QString::number(m_size.centimetres->height(), 'g', 8));
        }
        return QStringLiteral("<svg width=\"%1\" height=\"%2\"")
            .arg(m_size.pixels.width())
            .arg(m_size.pixels.height());
    }

    bool Pass(const QByteArray& bytes)
    {
        if (!m_failed && m_target.write(bytes) != bytes.size()) {
            m_failed = true;
        }
        return !m_failed;
    }

    QIODevice& m_target;
    SPictureSize m_size;
    QByteArray m_head;
    bool m_headDone{false};
    bool m_failed{false};
};

} // namespace

CGraphOutput::CGraphOutput(const CFunctionList& functions, const CObjectList& objects,
                           const CScaling& scaling)
    : m_functions{functions}, m_objects{objects}, m_scaling{scaling}, m_drawn{scaling}
{
}

std::optional<EGraphFormat> CGraphOutput::FormatOfName(const QString& path)
{
    const QString suffix = QFileInfo{path}.suffix().toLower();
    if (suffix == QLatin1String("png")) {
        return EGraphFormat::Png;
    }
    if (suffix == QLatin1String("svg")) {
        return EGraphFormat::Svg;
    }
    if (suffix == QLatin1String("pdf")) {
        return EGraphFormat::Pdf;
    }
    return std::nullopt;
}

void CGraphOutput::SetPdfPage(const QPageLayout& layout, int dotsPerInch)
{
    m_pdfLayout = layout;
    m_pdfDotsPerInch = dotsPerInch;
}

void CGraphOutput::Paint(CDrawContext& dc, const CRect& rect)
{
    m_drawn = PaintGraph(dc, rect, m_functions, m_objects, m_scaling, &m_curvesLeftOut, &m_objectsLeftOut,
                         m_separator, m_focus, m_derived, CurveSamplers(), m_areas);
}

QImage CGraphOutput::Image(QSize size)
{
    return ImageAt(SPictureSize{size});
}

QImage CGraphOutput::ImageAt(const SPictureSize& picture)
{
    const QSize size = picture.pixels;
    QImage image{size, QImage::Format_RGB32};
    if (image.isNull()) {
        return image;
    }
    // The window's background is white too; an image starts out with undefined pixels.
    image.fill(Qt::white);
    double dotsPerInch = CPainterContext::kPixelDotsPerInch;
    if (picture.centimetres) {
        dotsPerInch = picture.dotsPerInch;
        const int dotsPerMetre = static_cast<int>(std::lround(dotsPerInch / 0.0254));
        image.setDotsPerMeterX(dotsPerMetre);
        image.setDotsPerMeterY(dotsPerMetre);
    }
    QPainter painter{&image};
    CPainterContext dc{painter, dotsPerInch};
    Paint(dc, CRect{0, 0, size.width(), size.height()});
    return image;
}

bool CGraphOutput::WritePng(const SPictureSize& size, QIODevice& device)
{
    const QImage image = ImageAt(size);
    if (image.isNull()) {
        return false;
    }
    const std::optional<QByteArray> png = CPngWriter{}.Encode(image);
    return png && device.write(*png) == png->size();
}

bool CGraphOutput::WriteSvg(const SPictureSize& picture, QIODevice& device)
{
    const QSize size = picture.pixels;
    CSvgSizeFilter filter{device, picture};
    QSvgGenerator generator;
    generator.setOutputDevice(&filter);
    generator.setSize(size);
    generator.setViewBox(QRect{QPoint{0, 0}, size});
    // The generator writes the title as it is given; a file named "R&D <2>.zel" must not break
    // the XML around it. Drawn text is made XML-safe by the painter context itself.
    generator.setTitle(XmlText(m_title).toHtmlEscaped());
    generator.setDescription(QStringLiteral(VEX_PRODUCT_NAME));
    QPainter painter;
    if (!painter.begin(&generator)) {
        return false;
    }
    if (m_svgBackground) {
        painter.fillRect(QRect{QPoint{0, 0}, size}, Qt::white);
    }
    {
        CPainterContext dc{painter, picture.centimetres ? static_cast<double>(picture.dotsPerInch)
                                                        : CPainterContext::kPixelDotsPerInch};
        Paint(dc, CRect{0, 0, size.width(), size.height()});
    }
    return painter.end() && filter.Finish();
}

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

bool CGraphOutput::Write(EGraphFormat format, const SPictureSize& size, QIODevice& device)
{
    switch (format) {
    case EGraphFormat::Png:
        return WritePng(size, device);
    case EGraphFormat::Svg:
        return WriteSvg(size, device);
    case EGraphFormat::Pdf:
        return WritePdf(device);
    }
    return false;
}

bool CGraphOutput::WriteFile(EGraphFormat format, const SPictureSize& size, const QString& path,
                             int& errorNumber)
{
    errorNumber = 0;
    CAtomicFile file{path};
    if (!file.Open()) {
        errorNumber = file.Error();
        return false;
    }
    const bool drawn = Write(format, size, file.Device());
    if (!drawn || !file.Commit()) {
        errorNumber = file.Error();
        return false;
    }
    return true;
}
