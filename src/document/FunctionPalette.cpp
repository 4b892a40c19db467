#include "document/FunctionPalette.h"

#include <algorithm>

std::uint32_t NextPaletteColor(const CFunctionList& functions)
{
    for (const std::uint32_t color : kFunctionPalette) {
        const bool used = std::any_of(functions.begin(), functions.end(),
                                      [color](const CGraphFunction& f) { return f.GetColor() == color; });
        if (!used) {
            return color;
        }
    }
    return kFunctionPalette[functions.size() % kFunctionPalette.size()];
}
