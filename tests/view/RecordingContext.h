#pragma once

#include "view/DrawContext.h"

#include <cstdint>
#include <string>
#include <vector>

// A device context that draws nothing and remembers every call, with fixed text metrics: each
// character is kCharWidth wide and a text is as high as the selected font.
class CRecordingContext final : public CDrawContext
{
public:
    static constexpr int kCharWidth = 7;

    struct Line
    {
        int x1, y1, x2, y2;
        CPen pen;
    };
    struct Text
    {
        int x, y;
        std::string text;
        std::uint32_t color;
    };
    struct Pixel
    {
        int x, y;
        std::uint32_t color;
    };
    struct Move
    {
        int x, y;
        CPen pen;
    };

    CPen SelectPen(const CPen& pen) override
    {
        const CPen previous = m_pen;
        m_pen = pen;
        return previous;
    }
    CFont SelectFont(const CFont& font) override
    {
        const CFont previous = m_font;
        m_font = font;
        fontHeights.push_back(font.height);
        return previous;
    }
    std::uint32_t SetTextColor(std::uint32_t color) override
    {
        const std::uint32_t previous = m_textColor;
        m_textColor = color;
        return previous;
    }
    bool SetTransparentBackground(bool transparent) override
    {
        const bool previous = m_transparent;
        m_transparent = transparent;
        return previous;
    }
    int GetAverageCharWidth() override { return kCharWidth; }
    CSize GetTextExtent(std::string_view text) override
    {
        return CSize{static_cast<int>(text.size()) * kCharWidth, m_font.height};
    }
    void TextOut(int x, int y, std::string_view text) override
    {
        texts.push_back(Text{x, y, std::string(text), m_textColor});
    }
    void MoveTo(int x, int y) override
    {
        moves.push_back(Move{x, y, m_pen});
        m_x = x;
        m_y = y;
    }
    void LineTo(int x, int y) override
    {
        lines.push_back(Line{m_x, m_y, x, y, m_pen});
        m_x = x;
        m_y = y;
    }
    void Rectangle(const CRect& rect) override { rects.push_back(rect); }
    void SetPixel(int x, int y, std::uint32_t color) override { pixels.push_back(Pixel{x, y, color}); }
    double DotsPerInch() const override { return dotsPerInch; }
    void FillRect(const CRect& rect, std::uint32_t) override { fills.push_back(rect); }

    std::size_t CallCount() const
    {
        return lines.size() + moves.size() + texts.size() + pixels.size() + rects.size();
    }

    const CPen& CurrentPen() const { return m_pen; }
    const CFont& CurrentFont() const { return m_font; }
    bool Transparent() const { return m_transparent; }

    std::vector<Line> lines;
    std::vector<Move> moves;
    std::vector<Text> texts;
    std::vector<Pixel> pixels;
    std::vector<CRect> rects;
    std::vector<CRect> fills;
    std::vector<int> fontHeights;
    double dotsPerInch{kScreenDotsPerInch};

private:
    CPen m_pen{CPen::Solid, 0x123456};
    CFont m_font{99};
    std::uint32_t m_textColor{0};
    bool m_transparent{false};
    int m_x{0};
    int m_y{0};
};
