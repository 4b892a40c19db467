#pragma once

#include <cstddef>

// One member of a family singled out, as the slider over k does it: the member at k is drawn bold
// on top, and the family's other members faint, or not at all.
struct SFamilyFocus
{
    std::size_t function{0};
    double k{0.0};
    bool hideOthers{false};
};
