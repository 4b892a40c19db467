#include "view/Graph.h"

#include "engine/ErrorFlags.h"

CGraph::CGraph()
{
    // Each drawing starts with clean flags, so what they hold afterwards is what it met.
    g_syntaxError = 0;
    g_mathError = 0;
}
