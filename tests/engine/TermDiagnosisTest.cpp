#include "engine/TermDiagnosis.h"

#include "engine/CompiledTerm.h"
#include "engine/TermSyntax.h"
#include "oracle/TermInterpreter.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

struct SDiagnosisCase
{
    const char* term;
    ETermFinding finding;
    std::size_t position;
    std::size_t length;
};

} // namespace

// Each trap of school notation and each class of error, with where it is. An error must be
// found exactly where CheckTerm refuses, or the line under the term field would explain a
// disabled button that is enabled, or leave a disabled one unexplained.
TEST(TermDiagnosis, NamesEachErrorAndEachTrapWithItsPlace)
{
    const SDiagnosisCase cases[] = {
        // errors
        {"x + 2", ETermFinding::BlankBeforeOperand, 3, 1},
        {" x", ETermFinding::BlankBeforeOperand, 0, 1},
        {"sin(", ETermFinding::MissingClosingParenthesis, 3, 1},
        {"(x+1", ETermFinding::MissingClosingParenthesis, 0, 1},
        {"((x)+1", ETermFinding::MissingClosingParenthesis, 0, 1},
        {"sin(x", ETermFinding::MissingClosingParenthesis, 3, 1},
        {"x)", ETermFinding::MissingOpeningParenthesis, 1, 1},
        {"(x))+(1", ETermFinding::MissingOpeningParenthesis, 3, 1},
        {"x+;", ETermFinding::UnexpectedCharacter, 2, 1},
        {"2*,5", ETermFinding::UnexpectedCharacter, 2, 1},
        {"sin(x)2", ETermFinding::UnexpectedCharacter, 6, 1},
        {"x*)", ETermFinding::MissingOpeningParenthesis, 2, 1},
        // an error wins over a warning before it
        {"2x+;", ETermFinding::UnexpectedCharacter, 3, 1},
        // warnings: accepted, read otherwise than at school
        {"2x", ETermFinding::TextAfterNumber, 0, 1},
        {"x+12.5k", ETermFinding::TextAfterNumber, 2, 4},
        {"3e", ETermFinding::TextAfterNumber, 0, 1},
        {"0,5", ETermFinding::CommaInNumber, 0, 1},
        {"-x^2", ETermFinding::SignBeforePower, 0, 2},
        {"1+(-2^2)", ETermFinding::SignBeforePower, 3, 2},
        {"-(x+1)^2", ETermFinding::SignBeforePower, 0, 6},
        {"x(x+1)", ETermFinding::ProductWithoutStar, 1, 1},
        {"2(x+1)", ETermFinding::ProductWithoutStar, 1, 1},
        {"(x+1)(x-1)", ETermFinding::ProductWithoutStar, 5, 1},
        {"sinx", ETermFinding::UnknownName, 0, 4},
        {"sin x", ETermFinding::UnknownName, 0, 3},
        {"x*wurzel(2)", ETermFinding::UnknownName, 2, 6},
        // read as written
        {"x^2", ETermFinding::None, 0, 0},
        {"-(x^2)", ETermFinding::None, 0, 0},
        {"(-x)^2", ETermFinding::None, 0, 0},
        {"x-2^2", ETermFinding::None, 0, 0},
        {"2*x+1e5", ETermFinding::None, 0, 0},
        {"1.5e-3*x", ETermFinding::None, 0, 0},
        {"sin(x)*exp(-k*x)", ETermFinding::None, 0, 0},
        {"pi*x+e", ETermFinding::None, 0, 0},
        {"a*x+!(3)", ETermFinding::None, 0, 0},
        {"x +2", ETermFinding::None, 0, 0},
        {"", ETermFinding::None, 0, 0},
    };
    for (const SDiagnosisCase& c : cases) {
        const STermDiagnosis found = DiagnoseTerm(c.term);
        EXPECT_EQ(found.finding, c.finding) << '"' << c.term << '"';
        EXPECT_EQ(found.position, c.position) << '"' << c.term << '"';
        EXPECT_EQ(found.length, c.length) << '"' << c.term << '"';
        EXPECT_EQ(found.IsError(), CTermInterpreter{}.CheckTerm(c.term) != 0) << '"' << c.term << '"';
        // The dialogs refuse a term by its compiled form.
        EXPECT_EQ(found.IsError(), CCompiledTerm{c.term}.HasSyntaxError()) << '"' << c.term << '"';
    }
}

// Terms as long as a file may hold: a long chain of one level is fine, and nesting beyond what
// the interpreter reads is an error at the same limit, without exhausting the stack on the way.
TEST(TermDiagnosis, LongChainsAndDeepNestingAgreeWithTheInterpreter)
{
    std::string chain = "x";
    while (chain.size() < 300'000) {
        chain += "+x*x";
    }
    const auto nested = [](const char* open, int depth) {
        std::string term;
        for (int i = 0; i < depth; ++i) {
            term += open;
        }
        term += 'x';
        if (open[std::strlen(open) - 1] == '(') {
            term += std::string(static_cast<std::size_t>(depth), ')');
        }
        return term;
    };
    const struct
    {
        std::string term;
        ETermFinding finding;
    } cases[] = {
        {chain, ETermFinding::None},
        {chain + "+;", ETermFinding::UnexpectedCharacter},
        {nested("(", kMaxTermDepth - 1), ETermFinding::None},
        {nested("(", kMaxTermDepth), ETermFinding::NestedTooDeeply},
        {nested("sin(", 20'000), ETermFinding::NestedTooDeeply},
        {nested("-", 20'000), ETermFinding::None}, // binary minus after binary minus: a chain
    };
    for (const auto& c : cases) {
        const STermDiagnosis found = DiagnoseTerm(c.term);
        EXPECT_EQ(found.finding, c.finding) << c.term.substr(0, 20);
        EXPECT_EQ(found.IsError(), CTermInterpreter{}.CheckTerm(c.term) != 0) << c.term.substr(0, 20);
        EXPECT_EQ(found.IsError(), CCompiledTerm{c.term}.HasSyntaxError()) << c.term.substr(0, 20);
    }
}

// What a file's term quietly completes with 1 is found where the operand is missing; a term that
// reads as written has no fault.
TEST(TermDiagnosis, FindsOperandsTheReadingCompletes)
{
    const SDiagnosisCase cases[] = {
        {"x+", ETermFinding::MissingOperand, 2, 0},
        {"3*x/", ETermFinding::MissingOperand, 4, 0},
        {"sin()", ETermFinding::MissingOperand, 4, 0},
        {"2*-3", ETermFinding::MissingOperand, 2, 0},
        {"-", ETermFinding::MissingOperand, 1, 0},
        {"sin(x", ETermFinding::MissingClosingParenthesis, 3, 1},
        {"-x^2+(x+1)*2", ETermFinding::None, 0, 0},
        {"2x", ETermFinding::None, 0, 0},
    };
    for (const SDiagnosisCase& c : cases) {
        const STermDiagnosis found = FindTermFault(c.term);
        EXPECT_EQ(found.finding, c.finding) << '"' << c.term << '"';
        EXPECT_EQ(found.position, c.position) << '"' << c.term << '"';
    }
}
