#pragma once

#include <cstddef>
#include <string_view>

// Why a term is refused, or where it reads otherwise than a pupil would read it. Errors are the
// terms whose reading raises the syntax flag (CCompiledTerm::HasSyntaxError); warnings are terms
// read without it whose meaning surprises: "2x" is 2, "-x^2" is (-x)^2, "x(x+1)" is x and "sinx" is
// the family constant. Reading stays as it is, so
// stored graphs keep their meaning; this only explains it.
enum class ETermFinding
{
    None,
    // errors
    UnexpectedCharacter,
    BlankBeforeOperand,
    MissingClosingParenthesis,
    MissingOpeningParenthesis,
    NestedTooDeeply,
    // warnings
    TextAfterNumber,
    CommaInNumber,
    SignBeforePower,
    ProductWithoutStar,
    UnknownName,
};

struct STermDiagnosis
{
    ETermFinding finding{ETermFinding::None};
    // Where in the term, counted from 0: the offending character, the parenthesis left open or
    // unmatched, the number that text or a comma follows, the sign, the "(" or the name.
    std::size_t position{0};
    // How many characters the finding covers: the number, the sign with its base, the name.
    std::size_t length{0};

    bool IsError() const
    {
        return finding == ETermFinding::UnexpectedCharacter || finding == ETermFinding::BlankBeforeOperand ||
               finding == ETermFinding::MissingClosingParenthesis ||
               finding == ETermFinding::MissingOpeningParenthesis || finding == ETermFinding::NestedTooDeeply;
    }
};

// The first error as the interpreter meets it; without an error, the first warning from the left.
STermDiagnosis DiagnoseTerm(std::string_view term);
