#include "console/TermArguments.h"

#include "console/CommandLine.h"
#include "document/FunctionPalette.h"
#include "engine/SchoolNotation.h"
#include "engine/TextEncoding.h"

namespace {

std::string ProblemText(ESchoolProblem problem)
{
    switch (problem) {
    case ESchoolProblem::UnexpectedCharacter:
        return "steht ein Zeichen, das kein Term enthalten darf";
    case ESchoolProblem::MissingOperand:
        return "fehlt eine Zahl, ein Name oder eine Klammer";
    case ESchoolProblem::EmptyParentheses:
        return "steht eine leere Klammer";
    case ESchoolProblem::MissingClosingParenthesis:
        return "fehlt zur Klammer die schließende";
    case ESchoolProblem::MissingOpeningParenthesis:
        return "fehlt zur Klammer die öffnende";
    case ESchoolProblem::UnknownName:
        return "steht ein unbekannter Name";
    case ESchoolProblem::NumberWithoutOperator:
        return "fehlt ein Rechenzeichen";
    case ESchoolProblem::NestedTooDeeply:
        return "ist der Term zu tief geschachtelt";
    case ESchoolProblem::None:
    case ESchoolProblem::VariableInNumber:
    case ESchoolProblem::NotComputable:
        break;
    }
    return "ist der Term nicht lesbar";
}

} // namespace

std::optional<SFamilyArgument> ParseFamilyArgument(std::string_view utf8)
{
    const auto first = utf8.find(':');
    const auto second = first == std::string_view::npos ? first : utf8.find(':', first + 1);
    if (second == std::string_view::npos || utf8.find(':', second + 1) != std::string_view::npos) {
        return std::nullopt;
    }
    const std::optional<double> from = ParseNumberArgument(utf8.substr(0, first));
    const std::optional<double> to = ParseNumberArgument(utf8.substr(first + 1, second - first - 1));
    const std::optional<double> step = ParseNumberArgument(utf8.substr(second + 1));
    // The function record would quietly order the range and make a step that spans it a quarter of
    // it; on the command line such a slip is better named than guessed at.
    if (!from || !to || !step || *to < *from || !(*step > 0) || (*to > *from && *step >= *to - *from)) {
        return std::nullopt;
    }
    return SFamilyArgument{*from, *to, *step};
}

std::optional<CGraphContent> ContentOfTerms(const std::vector<std::string>& terms,
                                            const std::optional<SFamilyArgument>& family, std::string& error)
{
    CGraphContent content;
    for (const std::string& typed : terms) {
        const std::string text = Utf8ToCp1252(typed);
        const SSchoolProblem problem = CheckSchoolNotation(text);
        if (problem.IsError()) {
            error = "--term \"" + typed + "\": an Stelle " + std::to_string(problem.position + 1) + " " +
                    ProblemText(problem.problem);
            return std::nullopt;
        }
        CGraphFunction function;
        function.SetTerm(RewriteSchoolNotation(text));
        function.SetColor(NextPaletteColor(content.functions));
        if (family) {
            function.SetUseFamilyConstant(1);
            function.SetRange(family->from, family->to, family->step);
        }
        content.functions.push_back(std::move(function));
    }
    return content;
}
