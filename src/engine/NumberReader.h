#pragma once

// Reads a decimal number the way the C library's atof does, from `text` up to `end`: the longest
// prefix of digits, an optional point with digits and an optional exponent (e or E, optional sign,
// digits). Text that forms no number reads as 0. The point is the decimal separator whatever the
// locale; overflow gives infinity and underflow 0.
double ReadNumber(const char* text, const char* end);
