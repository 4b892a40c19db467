#pragma once

#include "document/LineStyle.h"

#include <cstdint>
#include <string>
#include <vector>

// A point ("Punkt", kind 0) or a vertical line ("Senkrechte", any other kind) placed by the user.
// Both kinds carry every field; the drawing decides by the kind which ones it uses.
class CGraphObject
{
public:
    enum Kind : std::int32_t
    {
        Point = 0,
        VerticalLine = 1
    };

    std::int32_t GetKind() const { return m_kind; }
    void SetKind(std::int32_t kind) { m_kind = kind; }
    bool IsPoint() const { return m_kind == Point; }

    void GetCoordinates(double& x, double& y) const
    {
        x = m_x;
        y = m_y;
    }
    void SetCoordinates(double x, double y)
    {
        m_x = x;
        m_y = y;
    }

    const std::string& GetLabel() const { return m_label; }
    void SetLabel(const std::string& label) { m_label = label; }

    std::int32_t GetTextPosition() const { return m_textPosition; }
    void SetTextPosition(std::int32_t position) { m_textPosition = position; }

    double GetPosition() const { return m_position; }
    void SetPosition(double position) { m_position = position; }

    const std::string& GetComment() const { return m_comment; }
    void SetComment(const std::string& comment) { m_comment = comment; }

    std::uint32_t GetColor() const { return m_color; }
    void SetColor(std::uint32_t color) { m_color = color; }

    // The stroke of the vertical line or of the point's cross.
    const SLineStroke& GetStroke() const { return m_stroke; }
    void SetStroke(const SLineStroke& stroke) { m_stroke = {NormaliseLineWidth(stroke.width), stroke.style}; }

    // Field by field, doubles as numbers: the history leaves out a list that an edit gave back unchanged.
    bool operator==(const CGraphObject& other) const = default;

private:
    std::int32_t m_kind{Point};
    double m_x{0.0};
    double m_y{0.0};
    std::string m_label;
    std::int32_t m_textPosition{0};
    double m_position{0.0};
    std::string m_comment;
    std::uint32_t m_color{0};
    SLineStroke m_stroke;
};

using CObjectList = std::vector<CGraphObject>;
