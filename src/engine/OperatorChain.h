#pragma once

#include <cstddef>

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
