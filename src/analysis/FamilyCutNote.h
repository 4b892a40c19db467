#pragma once

#include "document/GraphFunction.h"

#include <optional>
#include <string>

// The line that ends a discussion of a function whose family has more values than any scan visits
// (kMaxFamilyValues): it says where the scans stopped. Nothing for every other function. The
// values dialog and the command line add it after the scan's own lines.
std::optional<std::string> FamilyCutNote(const CGraphFunction& function);
