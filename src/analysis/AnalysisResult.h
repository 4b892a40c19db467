#pragma once

#include "analysis/LocusFit.h"

#include <optional>
#include <string>
#include <variant>
#include <vector>

// What the analyses find, as values. The list of the values dialog, the command line, the trace
// and the adopt buttons all read these; the German lines are made from them in one place
// (ResultText.h), so that no consumer has to read a number back out of a sentence.

// A point: a zero N, a maximum H, a minimum T, an inflection W, a saddle S, or where two graphs
// meet (S as well).
struct SResultPoint
{
    char letter{'N'};
    // Its number among the points of the same letter found for the same k, from 1.
    int index{1};
    double x{};
    double y{};
    // Where two graphs meet without crossing.
    bool touching{false};
};

// A stretch of the x axis on which f rises or falls.
struct SResultInterval
{
    double from{};
    double to{};
    bool fromIncluded{true};
    bool toIncluded{true};
    bool rising{false};
    // f neither rises nor falls there (a piece of int or sgn).
    bool constant{false};
};

// The column titles of the value table, followed by an empty line; with a family a fifth column k.
struct SResultTableHeader
{
    bool family{false};
    std::string name{"f"}; // the function's, heading its columns: "g(x)", "g'(x)"
};

// One row of the value table; the k column comes from the result's k.
struct SResultTableRow
{
    double x{};
    double y{};
    double d1{};
    double d2{};
};

// y = slope * x + intercept.
struct SResultLine
{
    double slope{};
    double intercept{};
};

// The tangent at x0 and the normal, which is the vertical line x = x0 where the slope is 0.
struct SResultTangent
{
    double x0{};
    double y0{};
    double slope{};
    SResultLine tangent;
    std::optional<SResultLine> normal;
};

// The integral of f (or f - g) from `from` to `to`: a `to` below `from` integrates backwards.
struct SResultIntegral
{
    double from{};
    double to{};
    // Where the integrand is not defined or has a pole: then there is no number.
    std::optional<double> undefinedAt;
    double value{};
    double area{};
    // The estimated absolute error of the area.
    double error{};
    // The borders of the pieces between the zeros of the integrand, in the direction of
    // integration, and the signed value of each piece.
    std::vector<double> borders;
    std::vector<double> pieces;
};

// Every fixed text a discussion writes, besides the values above.
enum class EResultMessage
{
    GroupEnd, // the empty line after a group of a family
    NoZeros,
    NoExtrema,
    NoInflections,
    NoIntersections,
    EqualFunctions,
    NotDefinedAt,        // numbers: x0
    NotDifferentiableAt, // numbers: x0
    FamilyCut,           // numbers: the count of family values visited, the last k visited
    ZeroStretch,         // numbers: from, to, whether from and to belong to it (1 or 0)
    TooDense,            // numbers: the range; the points crowd too densely for the finest grid
    DomainTooFine,       // numbers: the range; f changes between defined and not too often on it
    TooManyRasterPoints, // numbers: the most points of a raster run; the range needs more
    TooManyRows,         // numbers: the most rows of a value table; the range needs more
    TangentOverflow,       // numbers: x0
    IntegralTooLarge,      // numbers: from, to
    IntegralNotComputable, // numbers: from, to
    LocusNeedsFamily,      // an Ortskurve asked of a function with one value of k
    LocusUnresolved,       // numbers: the values of k at which no point of an Ortskurve is known
};

// The head of one branch of an Ortskurve: its number from 1, its letter (H, T or W), the k of its
// first and last point, and how many points it has.
struct SResultLocusBranch
{
    int number{1};
    char kind{'H'};
    double kFrom{};
    double kTo{};
    int points{0};
};

// What the points of that branch lie on (LocusFit.h).
struct SResultLocusFit
{
    SLocusFit fit;
};

struct SResultMessage
{
    EResultMessage id{EResultMessage::GroupEnd};
    std::vector<double> numbers;
};

struct SAnalysisResult
{
    std::variant<SResultMessage, SResultPoint, SResultInterval, SResultTableHeader, SResultTableRow,
                 SResultTangent, SResultIntegral, SResultLocusBranch, SResultLocusFit>
        value;
    // The family value the result belongs to; nothing without a family.
    std::optional<double> k;
    // The decimals every number of it is shown with at most (1 to 15).
    int digits{5};
};
