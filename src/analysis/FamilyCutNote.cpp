#include "analysis/FamilyCutNote.h"

#include "analysis/ResultText.h"
#include "document/StepLoop.h"

std::optional<SAnalysisResult> FamilyCutResult(const CGraphFunction& function)
{
    const std::optional<double> last = LastFamilyValueBeforeCut(function);
    if (!last) {
        return std::nullopt;
    }
    // The last k with the five decimals the program shows numbers with, whatever the run's.
    return SAnalysisResult{SResultMessage{EResultMessage::FamilyCut, {double{kMaxFamilyValues}, *last}},
                           std::nullopt, 5};
}

std::optional<std::string> FamilyCutNote(const CGraphFunction& function)
{
    const std::optional<SAnalysisResult> result = FamilyCutResult(function);
    if (!result) {
        return std::nullopt;
    }
    return ResultLines(*result).front();
}
