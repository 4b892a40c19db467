#pragma once

#include "document/LineStyle.h"

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string_view>

// A rectangle in device units. Right and bottom are the first column and row outside it.
struct CRect
{
    int left{0};
    int top{0};
    int right{0};
    int bottom{0};

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

struct CSize
{
    int cx{0};
    int cy{0};
};

// Left and top edges belong to the rectangle, right and bottom edges do not.
inline bool PtInRect(const CRect& rect, int x, int y)
{
    return x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
}

// A pen: its dash pattern, its colour and its width in millimetres. Each device turns the width
// into its own units, never thinner than one of them; 0.25 mm is one pixel at 96 dots per inch,
// the width every line of the graph has on the screen unless the user gives it another.
// Colours are 32-bit RGB values with red in the low byte, as the records store them.
struct CPen
{
    enum Style : std::uint8_t
    {
        Solid,
        Dotted, // dots as long as the width, two widths apart: the grid's lines
        Dashed,
        DashDotted
    };
    Style style{Solid};
    std::uint32_t color{0};
    double width{kDefaultLineWidth};

    bool operator==(const CPen&) const = default;
};

// The pen that draws a record's stroke in a colour.
inline CPen PenOfStroke(const SLineStroke& stroke, std::uint32_t color)
{
    static constexpr CPen::Style kStyles[] = {CPen::Solid, CPen::Dashed, CPen::Dotted, CPen::DashDotted};
    const auto code = static_cast<std::size_t>(stroke.style);
    return CPen{code < std::size(kStyles) ? kStyles[code] : CPen::Solid, color, stroke.width};
}

// The only font the graph asks for: "Arial" by its cell height (ascent plus descent) in device
// units, everything else at its default.
struct CFont
{
    int height{0};

    bool operator==(const CFont&) const = default;
};

// The drawing operations the graph needs from a device: the window, the printer, an image or a
// vector file. Coordinates are integer device units, x growing rightwards and y downwards.
// Texts are Windows-1252 bytes, as the records hold them; each device converts for itself.
class CDrawContext
{
public:
    virtual ~CDrawContext() = default;

    // Selecting returns what was selected before, so that the caller can put it back.
    virtual CPen SelectPen(const CPen& pen) = 0;
    virtual CFont SelectFont(const CFont& font) = 0;
    virtual std::uint32_t SetTextColor(std::uint32_t color) = 0;
    // Returns the previous mode. With a transparent background text leaves the pixels between
    // its glyphs alone.
    virtual bool SetTransparentBackground(bool transparent) = 0;

    // Metrics of the selected font.
    virtual int GetAverageCharWidth() = 0;
    virtual CSize GetTextExtent(std::string_view text) = 0;

    // The text's top-left corner goes to (x, y); drawn in the text colour.
    virtual void TextOut(int x, int y, std::string_view text) = 0;

    // Lines run from the current position to (x, y) with the selected pen; the end point itself
    // is left for the next line, so that a polyline covers each pixel once.
    virtual void MoveTo(int x, int y) = 0;
    virtual void LineTo(int x, int y) = 0;

    // Fills the rectangle with white and outlines it with the selected pen; the outline runs
    // along the first and the last column and row inside it.
    virtual void Rectangle(const CRect& rect) = 0;

    virtual void SetPixel(int x, int y, std::uint32_t color) = 0;

    // Device units per inch. Marks of a fixed size (ticks, arrow heads, point crosses) are measured
    // in pixels of a 96 dots per inch screen and scaled by it, so that paper shows them as large.
    virtual double DotsPerInch() const { return kScreenDotsPerInch; }

    static constexpr double kScreenDotsPerInch = 96.0;
    // Fills the rectangle in the colour, with no outline: the shading of kept areas.
    virtual void FillRect(const CRect& rect, std::uint32_t color) = 0;
};
