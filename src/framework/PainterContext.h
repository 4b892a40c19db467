#pragma once

#include "view/DrawContext.h"

#include <QFont>
#include <QPen>
#include <QPoint>
#include <QPolygon>
#include <QString>

#include <map>

class QPaintDevice;
class QPainter;
class CScaling;

// The device context on top of a QPainter, for the window, images, the printer and SVG files.
// Raster output is drawn without antialiasing, with pens as wide as their millimetres make at the
// device's dots per inch, whatever the painter's transformation, and never thinner than one unit;
// a raster rounds them to whole pixels. Only glyphs stay smoothed. At 96 dots per inch the default
// 0.25 mm is one pixel, as the graph has always looked.
// "Arial" is asked for by name; fontconfig supplies Liberation Sans, which has its metrics.
class CPainterContext final : public CDrawContext
{
public:
    // Pixels of the window, images and SVG drawings count as 1/96 inch.
    static constexpr double kPixelDotsPerInch = 96.0;

    // dotsPerInch: the device units per inch, the printer's or the PDF's resolution.
    explicit CPainterContext(QPainter& painter, double dotsPerInch = kPixelDotsPerInch);
    ~CPainterContext() override;

    CPainterContext(const CPainterContext&) = delete;
    CPainterContext& operator=(const CPainterContext&) = delete;

    CPen SelectPen(const CPen& pen) override;
    CFont SelectFont(const CFont& font) override;
    std::uint32_t SetTextColor(std::uint32_t color) override;
    bool SetTransparentBackground(bool transparent) override;

    int GetAverageCharWidth() override;
    CSize GetTextExtent(std::string_view text) override;
    void TextOut(int x, int y, std::string_view text) override;

    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Rectangle(const CRect& rect) override;
    void SetPixel(int x, int y, std::uint32_t color) override;
    double DotsPerInch() const override { return m_dotsPerInch; }
    void FillRect(const CRect& rect, std::uint32_t color) override;

    // The QFont that gives text of this cell height (ascent plus descent) on the painter's device.
    QFont FontForHeight(int height);

    // The width a pen has on this device, in device units.
    double DeviceWidth(const CPen& pen) const;

private:
    // Lines of a pen other than one solid unit are gathered into one polyline, so that a dash
    // pattern runs on along a curve of many short pieces and wide pieces join without notches.
    void Flush();
    bool Gathers(const CPen& pen) const;

    QPainter& m_painter;
    double m_dotsPerInch;
    bool m_raster;
    bool m_gather{false};
    QPolygon m_polyline;
    CPen m_pen;
    CFont m_font;
    std::uint32_t m_textColor{0};
    bool m_transparent{false};
    QPen m_linePen;
    QPoint m_position;
    QFont m_deviceFont;
    std::map<int, QFont> m_fonts;
};

// The text with every character that XML cannot carry (the control characters below 0x20 but tab,
// line feed and carriage return) replaced by U+FFFD. All drawn text passes through it, so that an
// SVG file stays XML whatever a label or a term holds.
QString XmlText(const QString& text);

// The rectangle the graph takes on a printer page (or a PDF page): see PrintRectangle.
CRect PrintRectangleOn(const QPaintDevice& device, const CScaling& scaling);
