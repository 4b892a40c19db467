#include "analysis/FamilyCutNote.h"

#include "document/StepLoop.h"
#include "engine/NumberText.h"

std::optional<std::string> FamilyCutNote(const CGraphFunction& function)
{
    const std::optional<double> last = LastFamilyValueBeforeCut(function);
    if (!last) {
        return std::nullopt;
    }
    return "Nur die ersten " + std::to_string(kMaxFamilyValues) +
           " Werte von k wurden untersucht, bis k = " + FormatNumber(*last) + ".";
}
