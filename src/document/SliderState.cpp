#include "document/SliderState.h"

#include <algorithm>

bool IsSliderFamily(const CGraphFunction& f)
{
    double from{}, to{}, step{};
    f.GetRange(from, to, step);
    return f.GetUseFamilyConstant() != 0 && to > from;
}

double SliderValue(const CGraphFunction& family, double k)
{
    double from{}, to{}, step{};
    family.GetRange(from, to, step);
    // NaN from a damaged state lands on the first member rather than on no member at all.
    return k >= from ? std::min(k, to) : from;
}

std::optional<SSliderState> ActiveSliderOf(const CFunctionList& functions,
                                           const std::optional<SSliderState>& slider)
{
    if (!slider || slider->function >= functions.size() || !IsSliderFamily(functions[slider->function])) {
        return std::nullopt;
    }
    return SSliderState{slider->function, SliderValue(functions[slider->function], slider->k)};
}

CFunctionList SliderMembers(const CFunctionList& functions, const std::optional<SSliderState>& slider)
{
    CFunctionList shown = functions;
    if (const std::optional<SSliderState> active = ActiveSliderOf(functions, slider)) {
        shown[active->function].SetRange(active->k, active->k, 0);
    }
    return shown;
}
