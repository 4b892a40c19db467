#include "RecordingSink.h"

#include "analysis/PieceDiscussion.h"
#include "analysis/SeriesSamples.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

// The default discussion on the functions of a school year, against their closed-form answers.
namespace {

using Lines = std::vector<std::string>;

Lines Discuss(EAnalysis kind, const CGraphFunction& f, double from, double to, int precision = 3)
{
    CRecordingSink sink;
    RunAnalysis(kind, f, MakeAxis(from, to), precision, SDiscussOptions{true, 5}, sink);
    return sink.m_lines;
}

constexpr auto kZeros = EAnalysis::Zeros;
constexpr auto kExtrema = EAnalysis::Extrema;
constexpr auto kInflections = EAnalysis::Inflections;
constexpr auto kMonotony = EAnalysis::Monotony;

const char* const kNoZeros = "Es wurden keine Nullstellen gefunden.";
const char* const kNoExtrema = "Es wurden keine Extremwerte gefunden.";
const char* const kNoInflections = "Es wurden keine Wendestellen gefunden.";

struct SSchoolCase
{
    const char* term;
    EAnalysis kind;
    Lines expected;
};

class SchoolFunctions : public ::testing::TestWithParam<SSchoolCase>
{
};

TEST_P(SchoolFunctions, TrueAnswersOnTheDefaultAxis)
{
    const SSchoolCase& c = GetParam();
    EXPECT_EQ(Discuss(c.kind, MakeFunction(c.term), -5, 5), c.expected) << c.term;
}

const SSchoolCase kSchoolCases[] = {
    // A saddle is neither a maximum nor a minimum, and x^3 rises on the whole axis.
    {"x^3", kExtrema, {kNoExtrema}},
    {"x^3", kMonotony, {"[ -5; 5 ] monoton steigend"}},
    {"x^3", kInflections, {"S ( 0 | 0 )"}},
    {"x^3-3*x", kExtrema, {"H ( -1 | 2 )", "T ( 1 | -2 )"}},
    {"x^3-3*x", kInflections, {"W ( 0 | 0 )"}},
    {"x^3-3*x",
     kMonotony,
     {"[ -5; -1 ] monoton steigend", "[ -1; 1 ] monoton fallend", "[ 1; 5 ] monoton steigend"}},
    // A double zero is one zero.
    {"x^2", kZeros, {"N ( 0 | 0 )"}},
    {"(x-1/3)^2", kZeros, {"N ( 0.33333 | 0 )"}},
    {"x^2-2*x+1", kZeros, {"N ( 1 | 0 )"}},
    {"x^4", kExtrema, {"T ( 0 | 0 )"}},
    {"x^4", kInflections, {kNoInflections}},
    {"x^5", kInflections, {"S ( 0 | 0 )"}},
    {"x^5", kExtrema, {kNoExtrema}},
    // The Gauss curve (-x^2 is (-x)^2 in a stored term): one maximum, nothing at the ends of the axis.
    {"exp(-(x^2))", kExtrema, {"H ( 0 | 1 )"}},
    {"exp(-(x^2))", kInflections, {"W ( -0.70711 | 0.60653 )", "W ( 0.70711 | 0.60653 )"}},
    {"exp(-(x^2))", kZeros, {kNoZeros}},
    // Poles split the axis; the bracket says the pole does not belong.
    {"1/(x-2)", kMonotony, {"[ -5; 2 [ monoton fallend", "] 2; 5 ] monoton fallend"}},
    {"1/(x-2)", kZeros, {kNoZeros}},
    {"tan(x)",
     kMonotony,
     {"[ -5; -4.71239 [ monoton steigend", "] -4.71239; -1.5708 [ monoton steigend",
      "] -1.5708; 1.5708 [ monoton steigend", "] 1.5708; 4.71239 [ monoton steigend",
      "] 4.71239; 5 ] monoton steigend"}},
    {"tan(x)", kZeros, {"N ( -3.14159 | 0 )", "N ( 0 | 0 )", "N ( 3.14159 | 0 )"}},
    {"1/x^2", kMonotony, {"[ -5; 0 [ monoton steigend", "] 0; 5 ] monoton fallend"}},
    {"1/x^2", kExtrema, {kNoExtrema}},
    {"1/(x^2-1)", kExtrema, {"H ( 0 | -1 )"}},
    {"1/(x^2-1)",
     kMonotony,
     {"[ -5; -1 [ monoton steigend", "] -1; 0 ] monoton steigend", "[ 0; 1 [ monoton fallend",
      "] 1; 5 ] monoton fallend"}},
    // Edges of the domain: a zero there counts, and nothing is said where f is not defined.
    {"sqrt(x)", kZeros, {"N ( 0 | 0 )"}},
    {"sqrt(x)", kMonotony, {"[ 0; 5 ] monoton steigend"}},
    {"ln(x)", kMonotony, {"] 0; 5 ] monoton steigend"}},
    {"ln(x)", kZeros, {"N ( 1 | 0 )"}},
    {"ln(x)/x", kExtrema, {"H ( 2.71828 | 0.36788 )"}},
    {"ln(x)/x", kInflections, {"W ( 4.48169 | 0.3347 )"}},
    {"sqrt(4-x^2)", kZeros, {"N ( -2 | 0 )", "N ( 2 | 0 )"}},
    {"sqrt(4-x^2)", kExtrema, {"H ( 0 | 2 )"}},
    {"sqrt(4-x^2)", kMonotony, {"[ -2; 0 ] monoton steigend", "[ 0; 2 ] monoton fallend"}},
    // A removable gap is never a zero, and splits the monotony.
    {"(x^2-1)/(x-1)", kZeros, {"N ( -1 | 0 )"}},
    {"(x^2-1)/(x-1)", kMonotony, {"[ -5; 1 [ monoton steigend", "] 1; 5 ] monoton steigend"}},
    {"x*exp(-x)", kExtrema, {"H ( 1 | 0.36788 )"}},
    {"x*exp(-x)", kInflections, {"W ( 2 | 0.27067 )"}},
    {"x^2*exp(-x)", kExtrema, {"T ( 0 | 0 )", "H ( 2 | 0.54134 )"}},
    // A kink is an extremum where f' changes sign through a jump.
    {"abs(x-1)", kExtrema, {"T ( 1 | 0 )"}},
    {"abs(x-1)", kZeros, {"N ( 1 | 0 )"}},
    {"abs(x-1)", kMonotony, {"[ -5; 1 ] monoton fallend", "[ 1; 5 ] monoton steigend"}},
    // Jumps: no zero at a jump, constant pieces, a whole stretch of zeros.
    {"sgn(x)", kZeros, {kNoZeros}},
    {"sgn(x)", kMonotony, {"[ -5; 0 [ konstant", "] 0; 5 ] konstant"}},
    {"int(x)", kZeros, {"f ist 0 f\xfcr alle x in ] -1; 1 ["}},
    {"int(x)", kExtrema, {kNoExtrema}},
};

INSTANTIATE_TEST_SUITE_P(Default, SchoolFunctions, ::testing::ValuesIn(kSchoolCases));

// Removable gaps and derivatives that are 0 up to rounding. Beside a gap, f, f' and f'' come from
// a cancellation divided by powers of x - x0: noise of any size that must make no point and no
// empty interval, while true points of tiny or flat functions must still be found.
struct SGapCase
{
    const char* term;
    EPieceScan scan;
    Lines expected;
};

class GapsAndFlatDerivatives : public ::testing::TestWithParam<SGapCase>
{
};

TEST_P(GapsAndFlatDerivatives, NoiseMakesNoPointAndTruePointsStay)
{
    const SGapCase& c = GetParam();
    CRecordingSink sink;
    ComputeOnPieces(c.scan, MakeFunction(c.term), MakeAxis(-5, 5), 3, SDiscussOptions{true, 5}, sink);
    EXPECT_EQ(sink.m_lines, c.expected) << c.term;
}

const SGapCase kGapCases[] = {
    // x^2+x with the gap (1|2): f'' = 2 on both pieces, no inflection point at the gap.
    {"(x^3-x)/(x-1)", EPieceScan::Inflections, {kNoInflections}},
    {"(x^3-x)/(x-1)", EPieceScan::Curvature, {"[ -5; 1 [ linksgekr\xfcmmt", "] 1; 5 ] linksgekr\xfcmmt"}},
    // x+1 with a gap: f'' is 0, f' is 1; nothing is too dense to tell.
    {"(x^2-1)/(x-1)", EPieceScan::Inflections, {kNoInflections}},
    {"(x^2-1)/(x-1)", EPieceScan::Curvature, {"[ -5; 1 [ nicht gekr\xfcmmt", "] 1; 5 ] nicht gekr\xfcmmt"}},
    {"(x^2-1)/(x-1)", EPieceScan::Extrema, {kNoExtrema}},
    {"(x^2-1)/(x-1)", EPieceScan::Monotony, {"[ -5; 1 [ monoton steigend", "] 1; 5 ] monoton steigend"}},
    // x-1 with the gap (1|0): the gap is no zero of f.
    {"(x^2-2*x+1)/(x-1)", EPieceScan::Zeros, {kNoZeros}},
    // x^2 and x^3 with the gap (0|0), where f comes within rounding of 0 without cancelling.
    {"x^3/x", EPieceScan::Zeros, {kNoZeros}},
    {"x^4/x", EPieceScan::Inflections, {kNoInflections}},
    {"(x^3+1)/(x+1)", EPieceScan::Curvature, {"[ -5; -1 [ linksgekr\xfcmmt", "] -1; 5 ] linksgekr\xfcmmt"}},
    // sin(x)/x has its maximum only at the gap.
    {"sin(x)/x", EPieceScan::Extrema, {"T ( -4.49341 | -0.21723 )", "T ( 4.49341 | -0.21723 )"}},
    // Written out, (x-1)^4 and (x-1)^3 are lost in rounding near 1; their points are still there, once.
    {"x^4-4*x^3+6*x^2-4*x+1", EPieceScan::Zeros, {"N ( 1 | 0 )"}},
    {"x^4-4*x^3+6*x^2-4*x+1", EPieceScan::Extrema, {"T ( 1 | 0 )"}},
    {"x^3-3*x^2+3*x-1", EPieceScan::Inflections, {"S ( 1 | 0 )"}},
    // The bounds scale with f: a tiny sine keeps its inflection points.
    {"1e-9*sin(x)", EPieceScan::Inflections, {"W ( -3.14159 | 0 )", "W ( 0 | 0 )", "W ( 3.14159 | 0 )"}},
    {"x^5-x", EPieceScan::Inflections, {"W ( 0 | 0 )"}},
    // |x| as written out has no exact derivative at its kink; the difference formula there is no
    // curvature either.
    {"sqrt(x^2)", EPieceScan::Curvature, {"[ -5; 5 ] nicht gekr\xfcmmt"}},
};

INSTANTIATE_TEST_SUITE_P(Default, GapsAndFlatDerivatives, ::testing::ValuesIn(kGapCases));

TEST(PieceDiscussion, FamilyRepeatsPerK)
{
    const Lines lines = Discuss(kZeros, MakeFunction("x^2-k", 1, 0, 4, 2), -5, 5);
    EXPECT_EQ(lines, (Lines{"k = 0; N ( 0 | 0 )", "", "k = 2; N ( -1.41421 | 0 )", "k = 2; N ( 1.41421 | 0 )", "",
                            "k = 4; N ( -2 | 0 )", "k = 4; N ( 2 | 0 )", ""}));
}

TEST(PieceDiscussion, OnePointAtEveryPrecision)
{
    for (int precision : {1, 10}) {
        EXPECT_EQ(Discuss(kExtrema, MakeFunction("exp(-(x^2))"), -5, 5, precision), Lines{"H ( 0 | 1 )"})
            << precision;
        EXPECT_EQ(Discuss(kZeros, MakeFunction("x^2"), -5, 5, precision), Lines{"N ( 0 | 0 )"}) << precision;
    }
}

// Far from 0 and over a wide range the grid is refined until every sign change stands apart.
TEST(PieceDiscussion, EveryZeroOfSineOnAFarRange)
{
    const Lines lines = Discuss(kZeros, MakeFunction("sin(x)"), 1e15, 1e15 + 1e5, 1);
    const auto zeros = std::count_if(lines.begin(), lines.end(), [](const std::string& line) {
        return line.rfind("N ( ", 0) == 0;
    });
    EXPECT_EQ(zeros, 31831);
}

// Where the places lie too close for the finest grid, a line says so instead of a wrong answer.
TEST(PieceDiscussion, SaysWhenTheRangeIsTooWide)
{
    for (const char* term : {"sin(x)", "tan(x)"}) {
        const Lines lines = Discuss(kZeros, MakeFunction(term), -1e300, 1e300, 10);
        ASSERT_EQ(lines.size(), 1u) << term;
        EXPECT_NE(lines.back().find("Bereich"), std::string::npos) << term << ": " << lines.back();
    }
}

} // namespace

namespace {

// The raster and the value table visit their points one by one: a range that would take hours
// gets one line that says so instead.
TEST(BoundedRaster, TooWideARangeIsRefusedInOneLine)
{
    const struct
    {
        EAnalysis kind;
        double from, to, step;
        const char* words;
    } cases[] = {
        {EAnalysis::Zeros, -1e300, 1e300, 1, "Rasterrechnung"},
        {EAnalysis::Monotony, 0, 1e6, 1, "Rasterrechnung"},
        {EAnalysis::ValueTable, -1e300, 1e300, 1, "Wertetabelle"},
        {EAnalysis::ValueTable, 0, 1, 1e-300, "Wertetabelle"},
    };
    for (const auto& c : cases) {
        CRecordingSink sink;
        RunAnalysis(c.kind, MakeFunction("x"), MakeAxis(c.from, c.to, c.step), 10, SDiscussOptions{false, 5}, sink);
        ASSERT_EQ(sink.m_lines.size(), 1u) << c.words << " " << c.to;
        EXPECT_NE(sink.m_lines[0].find(c.words), std::string::npos) << sink.m_lines[0];
    }
}

} // namespace

namespace {

// The scans of one discussion share the samples of their grids; each gives the lines it gives alone,
// in whatever order they run, for a family too, with digits enough to see a changed bit, and where
// the store has room for no grid at all.
TEST(SharedSamples, EachScanGivesItsLinesAlone)
{
    const EPieceScan scans[] = {EPieceScan::Curvature, EPieceScan::Zeros, EPieceScan::Inflections,
                                EPieceScan::Extrema, EPieceScan::Monotony};
    const CGraphFunction functions[] = {MakeFunction("sin(x)*exp(-x^2/4)"), MakeFunction("(x^3-x)/(x-1)"),
                                        MakeFunction("sqrt(x^2)-1"), MakeFunction("x^x"),
                                        MakeFunction("k/(x-k)+x^2", 1, 1, 3, 1)};
    const auto lines = [](EPieceScan scan, const CGraphFunction& f, CSeriesSamples* samples) {
        CRecordingSink sink;
        ComputeOnPieces(scan, f, MakeAxis(-5, 5), 6, SDiscussOptions{true, 15}, sink, samples);
        return sink.m_lines;
    };
    for (const CGraphFunction& f : functions) {
        CSeriesSamples shared;
        CSeriesSamples full{0};
        for (const EPieceScan scan : scans) {
            const Lines alone = lines(scan, f, nullptr);
            EXPECT_EQ(lines(scan, f, &shared), alone) << f.GetTerm() << ", scan " << static_cast<int>(scan);
            EXPECT_EQ(lines(scan, f, &full), alone) << f.GetTerm() << ", scan " << static_cast<int>(scan);
        }
    }
}

} // namespace
