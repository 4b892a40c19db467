#pragma once

#include "analysis/AnalysisResult.h"
#include "document/GraphFunction.h"

#include <optional>
#include <string>

// The message that ends a discussion of a function whose family has more values than any scan
// visits (kMaxFamilyValues): it says where the scans stopped. Nothing for every other function.
// The values dialog and the command line add it after the scan's own results.
std::optional<SAnalysisResult> FamilyCutResult(const CGraphFunction& function);

// The same message as its line.
std::optional<std::string> FamilyCutNote(const CGraphFunction& function);
