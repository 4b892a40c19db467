// The SVG drawing of the graph output. Apart from the other formats so that a program that
// writes SVG alone (vexplot-svg) links no printing library.
#include "framework/GraphOutput.h"

#include "ProductInfo.h"

#include "framework/PainterContext.h"

#include <QPainter>
#include <QSvgGenerator>

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

bool CGraphOutput::WriteSvgFile(const SPictureSize& size, const QString& path, int& errorNumber)
{
    return WriteAtomically(path, errorNumber, [&](QIODevice& device) { return WriteSvg(size, device); });
}
