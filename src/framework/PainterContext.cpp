#include "framework/PainterContext.h"

#include "engine/TextEncoding.h"
#include "view/PrintRect.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

QColor ToQColor(std::uint32_t color)
{
    return QColor{static_cast<int>(color & 0xffU), static_cast<int>((color >> 8) & 0xffU),
                  static_cast<int>((color >> 16) & 0xffU)};
}

double UnitsOfMillimetres(double millimetres, double dotsPerInch)
{
    return millimetres / 25.4 * dotsPerInch;
}

QPen MakePen(const CPen& pen, double width, double dotsPerInch)
{
    QPen qpen{ToQColor(pen.color)};
    qpen.setWidthF(width);
    qpen.setCosmetic(true);
    // A flat cap leaves the end point of a one-unit line unpainted, so the next line of a
    // polyline starts there without painting it twice.
    qpen.setCapStyle(Qt::FlatCap);
    qpen.setJoinStyle(width > 1.0 ? Qt::RoundJoin : Qt::MiterJoin);
    // Dashes and gaps keep a length on paper, but never shrink below a few widths, so a wide
    // dashed line is still dashed. Patterns count in widths.
    const double dash = std::max(UnitsOfMillimetres(2.0, dotsPerInch), 4 * width) / width;
    const double gap = std::max(UnitsOfMillimetres(1.0, dotsPerInch), 2 * width) / width;
    switch (pen.style) {
    case CPen::Solid:
        break;
    case CPen::Dotted:
        qpen.setStyle(Qt::DotLine);
        break;
    case CPen::Dashed:
        qpen.setDashPattern({dash, gap});
        break;
    case CPen::DashDotted:
        qpen.setDashPattern({dash, gap, 1.0, gap});
        break;
    }
    return qpen;
}

QString ToQString(std::string_view text)
{
    return XmlText(QString::fromStdString(Cp1252ToUtf8(text)));
}

} // namespace

QString XmlText(const QString& text)
{
    QString result = text;
    for (QChar& c : result) {
        const char16_t code = c.unicode();
        if (code < 0x20 && code != u'\t' && code != u'\n' && code != u'\r') {
            c = QChar{QChar::ReplacementCharacter};
        }
    }
    return result;
}

CPainterContext::CPainterContext(QPainter& painter, double dotsPerInch)
    : m_painter{painter}, m_dotsPerInch{dotsPerInch},
      m_raster{painter.paintEngine() != nullptr && painter.paintEngine()->type() == QPaintEngine::Raster},
      m_linePen{MakePen(m_pen, DeviceWidth(m_pen), dotsPerInch)}, m_deviceFont{painter.font()}
{
    m_gather = Gathers(m_pen);
    m_painter.save();
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.setBrush(Qt::white);
    m_painter.setBackground(Qt::white);
    m_painter.setBackgroundMode(Qt::OpaqueMode);
    m_painter.setPen(m_linePen);
}

CPainterContext::~CPainterContext()
{
    Flush();
    m_painter.restore();
}

CPen CPainterContext::SelectPen(const CPen& pen)
{
    Flush();
    const CPen previous = m_pen;
    m_pen = pen;
    const double width = DeviceWidth(pen);
    m_linePen = MakePen(pen, width, m_dotsPerInch);
    m_gather = Gathers(pen);
    m_painter.setPen(m_linePen);
    return previous;
}

double CPainterContext::DeviceWidth(const CPen& pen) const
{
    const double units = UnitsOfMillimetres(pen.width, m_dotsPerInch);
    return std::max(1.0, m_raster ? std::round(units) : units);
}

bool CPainterContext::Gathers(const CPen& pen) const
{
    // A vector file gets one polyline per piece of a curve instead of one element per sample;
    // a raster keeps its single lines, which set exactly the pixels they always have.
    return !m_raster || !(DeviceWidth(pen) == 1.0 && pen.style == CPen::Solid);
}

void CPainterContext::Flush()
{
    if (m_polyline.size() > 1) {
        m_painter.drawPolyline(m_polyline);
    }
    m_polyline.clear();
}

QFont CPainterContext::FontForHeight(int height)
{
    const auto found = m_fonts.find(height);
    if (found != m_fonts.end()) {
        return found->second;
    }
    QFont font{QStringLiteral("Arial")};
    font.setStyleHint(QFont::SansSerif);
    // Sizes are asked for by the em, heights are measured as ascent plus descent: start from the
    // font's own proportion, then take the largest size whose cell still fits the height.
    font.setPixelSize(100);
    const double cellPerPixel = QFontMetricsF{font, m_painter.device()}.height() / 100.0;
    int pixels = std::max(1, qRound(height / (cellPerPixel > 0 ? cellPerPixel : 1.0)));
    font.setPixelSize(pixels);
    while (pixels > 1 && QFontMetrics{font, m_painter.device()}.height() > height) {
        font.setPixelSize(--pixels);
    }
    while (QFontMetrics{font, m_painter.device()}.height() < height) {
        QFont larger{font};
        larger.setPixelSize(pixels + 1);
        if (QFontMetrics{larger, m_painter.device()}.height() > height) {
            break;
        }
        font = larger;
        ++pixels;
    }
    m_fonts.emplace(height, font);
    return font;
}

CFont CPainterContext::SelectFont(const CFont& font)
{
    const CFont previous = m_font;
    m_font = font;
    m_painter.setFont(font.height > 0 ? FontForHeight(font.height) : m_deviceFont);
    return previous;
}

std::uint32_t CPainterContext::SetTextColor(std::uint32_t color)
{
    const std::uint32_t previous = m_textColor;
    m_textColor = color;
    return previous;
}

bool CPainterContext::SetTransparentBackground(bool transparent)
{
    const bool previous = m_transparent;
    m_transparent = transparent;
    m_painter.setBackgroundMode(transparent ? Qt::TransparentMode : Qt::OpaqueMode);
    return previous;
}

int CPainterContext::GetAverageCharWidth()
{
    return m_painter.fontMetrics().averageCharWidth();
}

CSize CPainterContext::GetTextExtent(std::string_view text)
{
    const QFontMetrics metrics = m_painter.fontMetrics();
    return CSize{metrics.horizontalAdvance(ToQString(text)), metrics.height()};
}

void CPainterContext::TextOut(int x, int y, std::string_view text)
{
    if (text.empty()) {
        return;
    }
    Flush();
    m_painter.setPen(ToQColor(m_textColor));
    m_painter.drawText(QPoint{x, y + m_painter.fontMetrics().ascent()}, ToQString(text));
    m_painter.setPen(m_linePen);
}

void CPainterContext::MoveTo(int x, int y)
{
    Flush();
    m_position = QPoint{x, y};
}

void CPainterContext::LineTo(int x, int y)
{
    const QPoint to{x, y};
    if (m_gather) {
        if (m_polyline.isEmpty()) {
            m_polyline.append(m_position);
        }
        m_polyline.append(to);
    } else {
        m_painter.drawLine(m_position, to);
    }
    m_position = to;
}

void CPainterContext::Rectangle(const CRect& rect)
{
    Flush();
    if (rect.Width() <= 0 || rect.Height() <= 0) {
        return;
    }
    // A stroked QRect covers one column and row more than its size; the outline must stay on the
    // last column and row inside.
    m_painter.drawRect(rect.left, rect.top, rect.Width() - 1, rect.Height() - 1);
}

void CPainterContext::SetPixel(int x, int y, std::uint32_t color)
{
    Flush();
    QPen dot{ToQColor(color)};
    dot.setWidth(1);
    dot.setCosmetic(true);
    m_painter.setPen(dot);
    m_painter.drawPoint(x, y);
    m_painter.setPen(m_linePen);
}

void CPainterContext::FillRect(const CRect& rect, std::uint32_t color)
{
    Flush();
    if (rect.Width() > 0 && rect.Height() > 0) {
        m_painter.fillRect(QRect{rect.left, rect.top, rect.Width(), rect.Height()}, ToQColor(color));
    }
}

CRect PrintRectangleOn(const QPaintDevice& device, const CScaling& scaling)
{
    return PrintRectangle(scaling, device.widthMM(), device.heightMM(), device.width(), device.height());
}
