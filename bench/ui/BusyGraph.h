#pragma once

// The busy graph of the drawing benchmarks: five functions, one of them a family of 41 curves,
// the dashed grid, automatic y scaling and a few objects.
#include "document/GraphFunction.h"
#include "document/GraphObject.h"
#include "document/Scaling.h"

#include <cstdint>
#include <string>

struct BusyGraph
{
    CFunctionList functions;
    CObjectList objects;
    CScaling scaling;
};

inline BusyGraph MakeBusyGraph()
{
    BusyGraph g;
    const char* const terms[] = {"x^2/5", "sin(x)*exp(-x^2/4)", "3*x^3-2*x^2+x-5", "sqrt(abs(x))+ln(x^2+1)"};
    std::uint32_t color = 0x0000c0;
    for (const char* term : terms) {
        CGraphFunction f;
        f.SetTerm(term);
        f.SetColor(color);
        color = color << 4 | 0x40;
        g.functions.push_back(f);
    }
    // -2.5 to 2.5 in steps of 0.125: 41 values, each reached exactly by the running sum.
    CGraphFunction family;
    family.SetTerm("k*sin(x)+k");
    family.SetUseFamilyConstant(1);
    family.SetRange(-2.5, 2.5, 0.125);
    family.SetColor(0x008000);
    g.functions.push_back(family);
    for (int i = 0; i < 8; ++i) {
        CGraphObject point;
        point.SetCoordinates(i - 4, i % 3);
        point.SetLabel("P" + std::to_string(i));
        point.SetTextPosition(i);
        g.objects.push_back(point);
    }
    CGraphObject line;
    line.SetKind(CGraphObject::VerticalLine);
    line.SetPosition(1.5);
    g.objects.push_back(line);
    return g;
}
