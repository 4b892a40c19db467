#pragma once

#include "document/GraphFunction.h"
#include "document/GraphObject.h"
#include "document/Scaling.h"
#include "view/DrawContext.h"

// What painting a view does on any device: a fresh CGraph gets copies of the document's lists
// and scaling and draws them into rect with text at least 14 units high. Returns the scaling the
// drawing used (changed by automatic y scaling), for the document to record when it differs.
CScaling PaintGraph(CDrawContext& dc, const CRect& rect, const CFunctionList& functions,
                    const CObjectList& objects, const CScaling& scaling);

// The text height below which the graph's labels are never drawn.
inline constexpr int kMinimumFontHeight = 14;
