#pragma once

#include "view/DrawContext.h"

#include <QFont>
#include <QPen>
#include <QPoint>
#include <QString>

#include <map>

class QPaintDevice;
class QPainter;
class CScaling;

// The device context on top of a QPainter, for the window, images, the printer and SVG files.
// Raster output is drawn without antialiasing, with pens exactly one device unit wide whatever
// the painter's transformation, as the graph has always looked; only glyphs stay smoothed.
// "Arial" is asked for by name; fontconfig supplies Liberation Sans, which has its metrics.
class CPainterContext final : public CDrawContext
{
public:
    explicit CPainterContext(QPainter& painter);
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

    // The QFont that gives text of this cell height (ascent plus descent) on the painter's device.
    QFont FontForHeight(int height);

private:
    QPainter& m_painter;
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
