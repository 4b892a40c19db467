#pragma once

// CheckedPow(base, 2.0), value and flag, mostly without calling pow: the most frequent power of a
// term, and pow costs more than the rest of most terms together.
double CheckedSquare(double base);
