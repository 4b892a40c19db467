#pragma once

#include "document/DerivedCurve.h"
#include "document/GraphFunction.h"
#include "document/GraphObject.h"
#include "document/KeptArea.h"
#include "document/Scaling.h"

#include <optional>

// One step of a document's history: the parts one edit changed, each with the value it had on the
// other side of the edit. Exchanging a step with the document (CZelDoc::ExchangeStep) undoes the
// edit, and leaves in the step what a redo brings back; exchanging again redoes it. Parts that the
// edit left alone are absent, so undoing a change of the points keeps a scaling that automatic y
// scaling derived in between.
struct SContentStep
{
    std::optional<CFunctionList> functions;
    std::optional<CObjectList> objects;
    std::optional<CScaling> scaling;
    std::optional<CDerivedList> derived;
    std::optional<CAreaList> areas;

    bool IsEmpty() const { return !functions && !objects && !scaling && !derived && !areas; }
};
