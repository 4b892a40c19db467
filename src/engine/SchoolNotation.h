#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// What a person types at school and what the term language reads are not the same: "x²-3",
// "2x", "-x^2", "(x+1)(x-1)", "0,5x" and "x + 2" all mean something the language reads
// otherwise or not at all. The typed text (Windows-1252 bytes) is read here as at school and
// written back in the language, adding only the stars and parentheses the language needs.
// Terms from files are never passed through this: they keep the meaning they were saved with.

enum class ESchoolProblem
{
    None,
    UnexpectedCharacter,       // a character no term may hold
    MissingOperand,            // "x+", "3*x/", "2*": something to compute is missing
    EmptyParentheses,          // "()", "sin()"
    MissingClosingParenthesis, // "sin(x": position is the "(" left open
    MissingOpeningParenthesis, // "x)"
    UnknownName,               // "sinx", "a": length covers the letters
    NumberWithoutOperator,     // "x2", "(x+1)2", "1.2.3": a number directly after an operand
    VariableInNumber,          // "x" or "k" where only a number may stand
    NotComputable,             // a constant expression without a finite value ("1/0", "sqrt(-1)")
    NestedTooDeeply,           // more parentheses and signs inside each other than are read
};

struct SSchoolProblem
{
    ESchoolProblem problem{ESchoolProblem::None};
    // Counted from 0 in the typed text, blanks included.
    std::size_t position{0};
    std::size_t length{0};

    bool IsError() const { return problem != ESchoolProblem::None; }
};

// The term in the language, or the typed text lower-cased where it cannot be read (then
// CheckSchoolNotation says why).
std::string RewriteSchoolNotation(std::string_view typed);

// The first thing that keeps the typed text from being a term, from the left.
SSchoolProblem CheckSchoolNotation(std::string_view typed);

// A number field's text read as a constant expression in school notation ("pi/2", "2/sqrt(3)",
// "1,5e3"), evaluated by the compiled term. Nothing, and the problem when asked for, where the
// text names x or k, is no expression or has no finite value.
std::optional<double> EvaluateNumberExpression(std::string_view typed, SSchoolProblem* problem = nullptr);
