#pragma once

// The interpreter never fails: it returns 1.0 where it cannot compute and raises one of these
// flags instead. Callers clear and read them. They are per thread so that a scan running on a
// worker thread cannot disturb the flags the window is using; on one thread they behave as the
// program-wide pair the rest of the code expects.
inline thread_local int g_syntaxError = 0;
inline thread_local int g_mathError = 0;
