#pragma once

#include <cstddef>

// What the compiled form and the text interpreter the tests compare it with (tests/oracle) both read
// a term by. They must read every term the same way, so these exist once.

inline constexpr double kE = 2.71828182846;
inline constexpr double kPi = 3.14159265359;

// Nesting deeper than this (parentheses, function calls, signs) is a syntax error and reads as 1.0,
// so that no term, however long, can exhaust the stack. A chain of operators of one level
// (x+x+...+x) counts as one level, however long it is.
inline constexpr int kMaxTermDepth = 2000;

inline bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}
inline bool IsLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
inline char ToLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Finds the rightmost character of the level that is outside every parenthesis, scanning from the
// end. Returns its position, or -1 when there is none; unbalanced parentheses in a scan that finds
// nothing raise syntaxError.
inline long FindOperator(const char* text, std::size_t length, char op1, char op2, int& syntaxError)
{
    int depth = 0;
    for (std::size_t i = length; i-- > 0;) {
        const char c = text[i];
        if (c == '(') {
            ++depth;
        } else if (c == ')') {
            --depth;
        } else if (depth == 0 && (c == op1 || c == op2)) {
            return static_cast<long>(i);
        }
    }
    if (depth != 0) {
        syntaxError = 1;
    }
    return -1;
}

// A term is split at the rightmost operator of the loosest level outside every parenthesis, and
// its left part again, so "a-b+c-d" is ((a-b)+c)-d. Both readings of a term walk such a chain of
// one level from its leftmost split to the right instead of recursing once per operator: a long
// sum then costs no nesting depth, while its value and the order of every operation stay those
// of the left-first recursion.
//
// The split after `from` (itself a split), or length when there is none. Parentheses are counted
// as the scan from the term's end counts them, so unbalanced ones split where that scan would.
inline std::size_t NextSplit(const char* text, std::size_t length, std::size_t from, char op1, char op2)
{
    int depth = 0;
    for (std::size_t j = from + 1; j < length; ++j) {
        const char c = text[j];
        if (c == '(') {
            --depth;
        } else if (c == ')') {
            ++depth;
        } else if (depth == 0 && (c == op1 || c == op2)) {
            return j;
        }
    }
    return length;
}
