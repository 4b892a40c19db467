#include "framework/GraphOutput.h"

#include "framework/CurveSamplers.h"
#include "framework/AtomicFile.h"
#include "framework/PainterContext.h"
#include "framework/PngWriter.h"
#include "view/GraphPaint.h"

#include <QFileInfo>
#include <QPainter>

#include <cmath>

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

bool CGraphOutput::WriteAtomically(const QString& path, int& errorNumber,
                                   const std::function<bool(QIODevice&)>& write)
{
    errorNumber = 0;
    CAtomicFile file{path};
    if (!file.Open()) {
        errorNumber = file.Error();
        return false;
    }
    const bool drawn = write(file.Device());
    if (!drawn || !file.Commit()) {
        errorNumber = file.Error();
        return false;
    }
    return true;
}

bool CGraphOutput::WritePngFile(const SPictureSize& size, const QString& path, int& errorNumber)
{
    return WriteAtomically(path, errorNumber, [&](QIODevice& device) { return WritePng(size, device); });
}
