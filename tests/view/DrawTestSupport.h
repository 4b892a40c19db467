#pragma once

#include "RecordingContext.h"

#include "view/DrawContext.h"
#include "view/Graph.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

// Graphs for the drawing tests: a fixed scaling (automatic y scaling off unless asked for), the
// default of a new graph otherwise.
inline CScaling FixedScaling(double xFrom = -5, double xTo = 5, double xStep = 1, double yFrom = -5,
                             double yTo = 5, double yStep = 1)
{
    CScaling scaling;
    scaling.SetXRange(xFrom, xTo, xStep);
    scaling.SetYRange(yFrom, yTo, yStep);
    scaling.SetAutoScaleY(0);
    return scaling;
}

inline CGraphFunction Function(const std::string& term, std::uint32_t color)
{
    CGraphFunction f;
    f.SetTerm(term);
    f.SetColor(color);
    return f;
}

inline CGraphFunction Family(const std::string& term, std::uint32_t color, double from, double to,
                             double step)
{
    CGraphFunction f = Function(term, color);
    f.SetUseFamilyConstant(1);
    f.SetRange(from, to, step);
    return f;
}

inline CGraphObject Point(double x, double y, const std::string& label, int position = 0,
                          std::uint32_t color = 0x00ff00)
{
    CGraphObject o;
    o.SetCoordinates(x, y);
    o.SetLabel(label);
    o.SetTextPosition(position);
    o.SetColor(color);
    return o;
}

inline CGraphObject VerticalLine(double x, std::uint32_t color = 0xff0000)
{
    CGraphObject o;
    o.SetKind(CGraphObject::VerticalLine);
    o.SetPosition(x);
    o.SetColor(color);
    return o;
}

struct Drawn
{
    CRecordingContext dc;
    CScaling scaling; // as the drawing left it
};

inline Drawn DrawGraph(const CScaling& scaling, const CFunctionList& functions = {},
                       const CObjectList& objects = {}, CRect rect = CRect{0, 0, 500, 300},
                       int minimumFontHeight = 14)
{
    Drawn result;
    CGraph graph;
    graph.Scaling() = scaling;
    graph.Functions() = functions;
    graph.Objects() = objects;
    graph.Draw(result.dc, rect, minimumFontHeight);
    result.scaling = graph.Scaling();
    return result;
}

template <class T> std::vector<T> WithColor(const std::vector<T>& items, std::uint32_t color)
{
    std::vector<T> out;
    std::copy_if(items.begin(), items.end(), std::back_inserter(out), [&](const T& item) {
        if constexpr (requires { item.pen; }) {
            return item.pen.style == CPen::Solid && item.pen.color == color;
        } else {
            return item.color == color;
        }
    });
    return out;
}

inline bool HasLine(const CRecordingContext& dc, int x1, int y1, int x2, int y2,
                    CPen::Style style = CPen::Solid)
{
    return std::any_of(dc.lines.begin(), dc.lines.end(), [&](const CRecordingContext::Line& l) {
        return l.x1 == x1 && l.y1 == y1 && l.x2 == x2 && l.y2 == y2 && l.pen.style == style;
    });
}

inline const CRecordingContext::Text* FindText(const CRecordingContext& dc, const std::string& text)
{
    const auto it = std::find_if(dc.texts.begin(), dc.texts.end(),
                                 [&](const CRecordingContext::Text& t) { return t.text == text; });
    return it == dc.texts.end() ? nullptr : &*it;
}
