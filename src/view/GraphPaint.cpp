#include "view/GraphPaint.h"

#include "engine/Graph.h"

CScaling PaintGraph(CDrawContext& dc, const CRect& rect, const CFunctionList& functions,
                    const CObjectList& objects, const CScaling& scaling)
{
    CGraph graph;
    graph.Functions() = functions;
    graph.Objects() = objects;
    graph.Scaling() = scaling;
    graph.Draw(dc, rect, kMinimumFontHeight);
    return graph.Scaling();
}
