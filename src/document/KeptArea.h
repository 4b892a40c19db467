#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

// An area the user kept from an integral of the values dialog: between the curve of one function
// and that of a second (or the x axis), from one x to another, shaded in a colour. The functions
// are held by their place in the document's list, which is how the file stores them; whoever
// deletes or moves functions remaps the areas (RemapKeptAreas) so that they keep their curves.
struct CKeptArea
{
    std::size_t function{0};
    std::optional<std::size_t> with; // nothing: the area reaches down (or up) to the x axis
    double from{0.0};
    double to{0.0};
    std::uint32_t color{0}; // the function's colour; the drawing tints it so that curves stay clear

    bool operator==(const CKeptArea&) const = default;
};

using CAreaList = std::vector<CKeptArea>;

// Follows the functions through an edit of their list: newIndexOf[i] is where the function that
// stood at i now stands, nothing when it was deleted. An area loses its place when one of its
// functions was deleted, and so does one whose index lies beyond the old list.
CAreaList RemapKeptAreas(const CAreaList& areas, const std::vector<std::optional<std::size_t>>& newIndexOf);
