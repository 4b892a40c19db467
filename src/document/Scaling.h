#pragma once

#include <cstdint>

// The visible ranges of a graph with their steps, the display switches and the printed size of one
// step. Setters keep from <= to on both axes and the print sizes non-negative; an axis with an end
// that is infinite or not a number becomes the axis of a new graph (see NormaliseRange).
class CScaling
{
public:
    enum GridType : std::int32_t { NoGrid = 0, DashedLines = 1, Dots = 2 };

    void GetXRange(double& from, double& to, double& step) const
    {
        from = m_xFrom;
        to = m_xTo;
        step = m_xStep;
    }
    void SetXRange(double from, double to, double step);

    void GetYRange(double& from, double& to, double& step) const
    {
        from = m_yFrom;
        to = m_yTo;
        step = m_yStep;
    }
    void SetYRange(double from, double to, double step);

    std::int32_t GetAutoScaleY() const { return m_autoScaleY; }
    void SetAutoScaleY(std::int32_t on) { m_autoScaleY = on; }

    std::int32_t GetGridType() const { return m_gridType; }
    void SetGridType(std::int32_t type) { m_gridType = type; }

    std::int32_t GetShowTerms() const { return m_showTerms; }
    void SetShowTerms(std::int32_t on) { m_showTerms = on; }

    std::int32_t GetLabelAxes() const { return m_labelAxes; }
    void SetLabelAxes(std::int32_t on) { m_labelAxes = on; }

    void GetPrintSize(double& x, double& y) const
    {
        x = m_printX;
        y = m_printY;
    }
    // A negative size becomes 1 cm; 0 stays.
    void SetPrintSize(double x, double y);

    // One x unit as long as one y unit wherever the graph is drawn (view/EqualUnits.h). Not a field
    // of the scaling record: the graph file keeps it in its extension block.
    bool GetEqualUnits() const { return m_equalUnits; }
    void SetEqualUnits(bool on) { m_equalUnits = on; }

    // Exact comparison of all twelve fields and of equal units: the document records a new scaling only when it
    // differs from the current one.
    bool operator!=(const CScaling& other) const;
    bool operator==(const CScaling& other) const { return !(*this != other); }

private:
    double m_xFrom{-5.0};
    double m_xTo{5.0};
    double m_xStep{1.0};
    std::int32_t m_autoScaleY{1};
    double m_yFrom{-5.0};
    double m_yTo{5.0};
    double m_yStep{1.0};
    std::int32_t m_gridType{DashedLines};
    std::int32_t m_showTerms{1};
    std::int32_t m_labelAxes{1};
    double m_printX{1.0};
    double m_printY{1.0};
    bool m_equalUnits{false};
};
