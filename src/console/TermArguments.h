#pragma once

#include "document/GraphFile.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A graph given on the command line instead of a file: --term TEXT (repeatable) in school
// notation, and --family FROM:TO:STEP for the family constant k of every term.

// The range k runs over: from FROM to TO in steps of STEP.
struct SFamilyArgument
{
    double from{};
    double to{};
    double step{};
};

// FROM:TO:STEP, each a number with the point or the comma or a constant expression ("0:2:0,5",
// "-pi:pi:pi/4"). Nothing where a part is missing or no number, TO lies below FROM, or STEP is not
// above 0 or not below TO - FROM.
std::optional<SFamilyArgument> ParseFamilyArgument(std::string_view utf8);

// The graph of the terms (UTF-8, as typed), each rewritten from school notation and drawn in the
// next colour of the palette, on the scaling of a new graph. A term that cannot be read gives
// nothing, and `error` says which and where, in German.
std::optional<CGraphContent> ContentOfTerms(const std::vector<std::string>& terms,
                                            const std::optional<SFamilyArgument>& family, std::string& error);
