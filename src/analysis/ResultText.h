#pragma once

#include "analysis/AnalysisResult.h"
#include "engine/NumberText.h"

#include <string>
#include <string_view>
#include <vector>

// The German lines of a result, as the values dialog lists them and the command line prints them,
// in the program's 8-bit text: "N ( 1.5 | 0 )", "k = 2; [ -5; 0 ] monoton fallend", the rows of the
// value table with their tabs, the messages. An empty line separates the groups of a family. Every
// number is written with the chosen separator, whatever the locale; the terms of equations
// ("Tangente: y = ...") keep the point, so that they read back as terms. No line separates a list
// of numbers with a comma, so the comma never clashes: pairs use "|", intervals and the k prefix ";".
std::vector<std::string> ResultLines(const SAnalysisResult& result,
                                     EDecimalSeparator separator = EDecimalSeparator::Point);

// Three signs of the whole curve discussion that Windows-1252 lacks (∞, →, ∪) take three of the
// bytes it leaves unassigned, in the lines of the analyses only. Whatever shows a line to the user
// turns it into UTF-8 with LineToUtf8, which writes those three as their signs and the rest as
// Windows-1252; a name or term from a file that holds such a byte is written into a line with '?'.
inline constexpr char kInfinitySign = '\x81';
inline constexpr char kArrowSign = '\x8d';
inline constexpr char kUnionSign = '\x8f';
std::string LineToUtf8(std::string_view line);

// The number itself, or 0 where it would show as "-0" at that many decimals: the default
// discussion never writes "-0" (the raster scan keeps its lines as they always were).
double WithoutNegativeZero(double value, int digits);

// A number with one significant digit, as the accuracy of an integral is given: "5e-09", "0.03".
std::string OneDigitNumber(double value);

// The fixed texts of the result lines.
inline constexpr const char* kNoZerosText = "Es wurden keine Nullstellen gefunden.";        // 1204
inline constexpr const char* kNoExtremaText = "Es wurden keine Extremwerte gefunden.";      // 1205
inline constexpr const char* kNoInflectionsText = "Es wurden keine Wendestellen gefunden."; // 1206
inline constexpr const char* kRisingText = "steigend";                                      // 1207
inline constexpr const char* kFallingText = "fallend";                                      // 1208
inline constexpr const char* kNoIntersectionsText = "Es wurden keine Schnittpunkte gefunden.";
inline constexpr const char* kEqualFunctionsText = "Die Funktionen sind gleich.";
inline constexpr const char* kTangentNotDefinedText = "f ist an der Stelle x0 = %s nicht definiert.";
inline constexpr const char* kTangentNotDifferentiableText =
    "f ist an der Stelle x0 = %s nicht differenzierbar.";
// The range is too wide for the grid of the precision, or the places too close for doubles.
inline constexpr const char* kTooDenseText =
    "Die Punkte liegen auf diesem Bereich zu dicht, um sie bei dieser Genauigkeit zu trennen; "
    "wählen Sie einen kleineren Bereich oder eine höhere Genauigkeit.";
inline constexpr const char* kDomainTooFineText =
    "f wechselt auf diesem Bereich zu oft zwischen definiert und nicht definiert (der Bereich ist zu "
    "weit oder zu fein); wählen Sie einen kleineren Bereich.";
inline constexpr const char* kTangentOverflowText =
    "An der Stelle x0 = %s sind Steigung oder Achsenabschnitt der Tangente zu groß, um sie anzugeben.";
inline constexpr const char* kIntegralTooLargeText =
    "Das Integral von %s bis %s ist zu groß, um es anzugeben.";
inline constexpr const char* kIntegralNotComputableText =
    "Das Integral auf [ %s; %s ] lässt sich nicht berechnen: der Bereich ist für f zu breit oder zu fein.";
inline constexpr const char* kLocusNoPolynomialText = "Ortskurve: kein Polynom bis zum Grad 4";
inline constexpr const char* kLocusTooFewPointsText = "Ortskurve: zu wenige Punkte, um ein Polynom zu prüfen";
inline constexpr const char* kLocusNeedsFamilyText =
    "Eine Ortskurve gibt es nur für eine Funktionenschar mit mehr als einem Wert von k.";

// The relative accuracy of an integral below which its line says how good it is.
inline constexpr double kIntegralWarnTolerance = 1e-8;
