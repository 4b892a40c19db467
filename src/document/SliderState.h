#pragma once

#include "document/GraphFunction.h"

#include <cstddef>
#include <optional>

// The slider that walks the constant k of one family: which function of the list it drives and
// where k stands. While it is on, that family shows, and is traced and discussed as, the one
// member at k; the function record itself keeps its range, so ending the slider changes nothing.
struct SSliderState
{
    std::size_t function{0};
    double k{0.0};

    bool operator==(const SSliderState&) const = default;
};

// Whether a slider can walk f's family: the constant is on and its range holds more than one value.
bool IsSliderFamily(const CGraphFunction& f);

// k held inside the family's range, so that a range edited since still gets a member of its own.
double SliderValue(const CGraphFunction& family, double k);

// The slider while it names a family of the list, with k inside that family's range; nothing
// while it is off or names no family (an edit may have taken its family away).
std::optional<SSliderState> ActiveSliderOf(const CFunctionList& functions,
                                           const std::optional<SSliderState>& slider);

// The list as the slider shows it: the slider's family narrowed to its member at k (range k to k,
// one value, the constant still on so that results keep saying which k they are for). The list
// comes back unchanged while the slider is off or names no family of it.
CFunctionList SliderMembers(const CFunctionList& functions, const std::optional<SSliderState>& slider);
