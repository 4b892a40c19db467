#pragma once

#include "analysis/AnalysisResult.h"

#include <string>
#include <vector>

// The German lines of a result, as the values dialog lists them and the command line prints them,
// in the program's 8-bit text: "N ( 1.5 | 0 )", "k = 2; [ -5; 0 ] monoton fallend", the rows of the
// value table with their tabs, the messages. An empty line separates the groups of a family. Every
// number is written with the decimal point, whatever the locale.
std::vector<std::string> ResultLines(const SAnalysisResult& result);

// A number with one significant digit, as the accuracy of an integral is given: "5e-09", "0.03".
std::string OneDigitNumber(double value);
