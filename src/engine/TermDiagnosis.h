#pragma once

#include <cstddef>
#include <string>
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
    // a fault the reading completes without a word: an operand left out reads as 1
    MissingOperand,
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
    bool IsFault() const { return IsError() || finding == ETermFinding::MissingOperand; }
};

// The first error as the interpreter meets it; without an error, the first warning from the left.
STermDiagnosis DiagnoseTerm(std::string_view term);

// The first error, else the first operand the reading quietly completes with 1: "x+" is x+1,
// "3*x/" divides by 1, "sin()" is sin(1) and "2*-3" is 2*1-3. Such a term is no slip to draw or
// discuss without a word; the position is where the operand is missing.
STermDiagnosis FindTermFault(std::string_view term);

// What FindTermFault finds, in German (UTF-8) for a message that names the function: "an Stelle 3
// fehlt eine Zahl oder ein Name; dort wird mit 1 gerechnet". Empty for a term without a fault.
std::string TermFaultText(std::string_view term);
