#pragma once

#include "analysis/LocusFit.h"

#include <optional>
#include <string>
#include <variant>
#include <vector>

// What the analyses find, as values. The list of the values dialog, the command line, the trace
// and the adopt buttons all read these; the German lines are made from them in one place
// (ResultText.h), so that no consumer has to read a number back out of a sentence.

// Exact forms come from the computer-algebra module (ExactDiscussion.h): terms of the program's
// own language without a decimal point ("-2/3*sqrt(3)"), each one read back by the term engine and
// found equal to the number it stands for before it is kept.
struct SExactPoint
{
    std::string x;
    std::string y;
};

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
    std::optional<SExactPoint> exact{};
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
    // The interval tells the curvature, not the slope: `rising` is a left bend (f'' > 0), and
    // `constant` a straight stretch.
    bool curvature{false};
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
    NotDefinedAt,          // numbers: x0
    NotDifferentiableAt,   // numbers: x0
    FamilyCut,             // numbers: the count of family values visited, the last k visited
    ZeroStretch,           // numbers: from, to, whether from and to belong to it (1 or 0)
    TooDense,              // numbers: the range; the points crowd too densely for the finest grid
    DomainTooFine,         // numbers: the range; f changes between defined and not too often on it
    TooManyRasterPoints,   // numbers: the most points of a raster run; the range needs more
    TooManyRows,           // numbers: the most rows of a value table; the range needs more
    TangentOverflow,       // numbers: x0
    IntegralTooLarge,      // numbers: from, to
    IntegralNotComputable, // numbers: from, to
    NoAsymptotes,
    LocusNeedsFamily,          // an Ortskurve asked of a function with one value of k
    LocusUnresolved,           // numbers: the values of k at which no point of an Ortskurve is known
    AntiderivativeOnlyOn,      // numbers: from, to, whether from and to belong to it (1 or 0)
    AntiderivativeUndefined,   // numbers: x0, where f is not defined
    NotForAntiderivative,      // an analysis that does not run on an antiderivative
    AntiderivativeZeroStretch, // numbers: as ZeroStretch, where F is 0
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

// The results only the whole curve discussion ("Kurvendiskussion") gives.

// Its first line: which function, on which range.
struct SResultSketchHead
{
    std::string head; // "f" or "f_k", as the program's 8-bit text
    std::string term;
    double from{};
    double to{};
};

// The heading of a block of lines that several results make up.
enum class ESketchBlock
{
    Zeros,
    Extrema,
    Inflections,
    Behaviour,
    Asymptotes,
    Monotony,
    Curvature
};

struct SResultSketchBlock
{
    ESketchBlock block{ESketchBlock::Zeros};
};

// The pieces of the range on which f is defined; none where it is defined nowhere there.
struct SResultDomain
{
    std::vector<SResultInterval> pieces; // only from, to and the brackets are used
};

// A place of the range where f is not defined or not continuous.
enum class EPlaceKind
{
    Pole,
    Gap,
    Jump,
    Edge,
    NoLimit
};

struct SResultPlace
{
    EPlaceKind kind{EPlaceKind::Pole};
    double x{};
    double y{};              // the common limit, for a gap
    bool signChange{false}; // for a pole
    std::optional<SExactPoint> exact{}; // for a gap
};

enum class ESymmetry
{
    Even, // to the y axis
    Odd,  // to the origin
    None
};

struct SResultSymmetry
{
    ESymmetry symmetry{ESymmetry::None};
    // Found by evaluation only: true for every symmetry that is claimed, since no sample proves one.
    bool numerical{true};
};

// Where the graph meets the y axis; nothing where f is not defined at 0.
struct SResultYIntercept
{
    std::optional<double> y;
    std::optional<std::string> exactY{};
};

// What f tends to.
enum class ELimit
{
    PlusInfinity,
    MinusInfinity,
    Value,
    None,      // f keeps oscillating
    Undefined, // f is not defined out there
    Unknown    // the values settle too slowly to tell
};

struct SResultLimit
{
    // Toward +infinity (+1), -infinity (-1), or a pole (0) from the left (side -1) or the right (+1).
    int toward{1};
    double pole{};
    int side{0};
    ELimit limit{ELimit::Value};
    double value{};
    bool numerical{false};
    std::optional<std::string> exactValue;
};

enum class EAsymptote
{
    Vertical,   // x = position
    Horizontal, // y = intercept
    Oblique     // y = slope * x + intercept
};

struct SResultAsymptote
{
    EAsymptote kind{EAsymptote::Vertical};
    double position{};
    double slope{};
    double intercept{};
    // For x toward +infinity (+1) or -infinity (-1) only; 0 for both, or for a vertical one.
    int side{0};
    bool numerical{false};
    std::optional<std::string> exactPosition;
    // Both for an oblique one, the intercept alone for a horizontal one.
    std::optional<std::string> exactSlope;
    std::optional<std::string> exactIntercept;
};

// The values f takes on the range; an infinite end has an open bracket.
struct SResultValueRange
{
    double rangeFrom{};
    double rangeTo{};
    double from{};
    double to{};
    bool fromIncluded{true};
    bool toIncluded{true};
    bool empty{false};
    bool numerical{false};
};

struct SAnalysisResult
{
    std::variant<SResultMessage, SResultPoint, SResultInterval, SResultTableHeader, SResultTableRow,
                 SResultTangent, SResultIntegral, SResultLocusBranch, SResultLocusFit, SResultSketchHead,
                 SResultSketchBlock, SResultDomain, SResultPlace, SResultSymmetry, SResultYIntercept,
                 SResultLimit, SResultAsymptote, SResultValueRange>
        value;
    // The family value the result belongs to; nothing without a family.
    std::optional<double> k;
    // The decimals every number of it is shown with at most (1 to 15).
    int digits{5};
};
