#include "RecordingSink.h"

#include "analysis/ResultText.h"
#include "engine/CompiledTerm.h"
#include "engine/TextEncoding.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

// The whole curve discussion of the school functions, block by block, against their closed-form
// answers. Each case lists lines that must come in this order (other lines may lie between).
namespace {

using Lines = std::vector<std::string>;

Lines FullDiscussion(const CGraphFunction& f)
{
    CRecordingSink sink;
    RunAnalysis(EAnalysis::FullDiscussion, f, MakeAxis(-5, 5), 3, SDiscussOptions{true, 5}, sink);
    Lines shown;
    for (const std::string& line : sink.m_lines) {
        shown.push_back(LineToUtf8(line));
    }
    return shown;
}

// The first expected line that is missing from `lines` in that order, or empty.
std::string FirstMissing(const Lines& lines, const Lines& expected)
{
    auto at = lines.begin();
    for (const std::string& line : expected) {
        at = std::find(at, lines.end(), line);
        if (at == lines.end()) {
            return line;
        }
        ++at;
    }
    return {};
}

struct SFullCase
{
    const char* term;
    Lines expected;
};

class FullDiscussionOfSchoolFunctions : public ::testing::TestWithParam<SFullCase>
{
};

TEST_P(FullDiscussionOfSchoolFunctions, ListsEveryBlockInOrder)
{
    const SFullCase& c = GetParam();
    const Lines lines = FullDiscussion(MakeFunction(c.term));
    std::string all;
    for (const std::string& line : lines) {
        all += line + "\n";
    }
    EXPECT_EQ(FirstMissing(lines, c.expected), "") << c.term << ":\n" << all;
}

const SFullCase kFullCases[] = {
    // Odd polynomial: every block, complete.
    {"x^3-3*x",
     {"Kurvendiskussion von f(x) = x^3-3*x auf [ -5; 5 ]", "Definitionsbereich: [ -5; 5 ]",
      "Symmetrie: punktsymmetrisch zum Ursprung (numerisch)", "y-Achsenabschnitt: Sy ( 0 | 0 )", "Nullstellen:",
      "N ( -1.73205 | 0 )", "N ( 0 | 0 )", "N ( 1.73205 | 0 )", "Extrempunkte:", "H ( -1 | 2 )", "T ( 1 | -2 )",
      "Wendepunkte:", "W ( 0 | 0 )", "Verhalten im Unendlichen und an den Polstellen:",
      "Für x → +∞: f(x) → +∞ (numerisch)", "Für x → -∞: f(x) → -∞ (numerisch)", "Asymptoten:",
      "Es wurden keine Asymptoten gefunden.", "Monotonie:", "[ -5; -1 ] monoton steigend",
      "[ -1; 1 ] monoton fallend", "[ 1; 5 ] monoton steigend", "Krümmung:", "[ -5; 0 ] rechtsgekrümmt",
      "[ 0; 5 ] linksgekrümmt", "Wertebereich auf [ -5; 5 ]: [ -110; 110 ]"}},
    // Even polynomial.
    {"x^4-2*x^2",
     {"Symmetrie: achsensymmetrisch zur y-Achse (numerisch)", "T ( -1 | -1 )", "H ( 0 | 0 )", "T ( 1 | -1 )",
      "W ( -0.57735 | -0.55556 )", "W ( 0.57735 | -0.55556 )", "Für x → -∞: f(x) → +∞ (numerisch)",
      "Wertebereich auf [ -5; 5 ]: [ -1; 575 ]"}},
    // A pole with a sign change and a horizontal asymptote; no symmetry, for certain.
    {"1/(x-2)",
     {"Definitionsbereich: [ -5; 2 [ ∪ ] 2; 5 ]", "Polstelle: x = 2 (mit Vorzeichenwechsel)",
      "Symmetrie: keine Symmetrie zur y-Achse oder zum Ursprung", "y-Achsenabschnitt: Sy ( 0 | -0.5 )",
      "Für x → +∞: f(x) → 0 (numerisch)", "Für x → 2 von links: f(x) → -∞", "Für x → 2 von rechts: f(x) → +∞",
      "Senkrechte Asymptote: x = 2", "Waagerechte Asymptote: y = 0 (numerisch)", "[ -5; 2 [ monoton fallend",
      "] 2; 5 ] monoton fallend", "[ -5; 2 [ rechtsgekrümmt", "] 2; 5 ] linksgekrümmt",
      "Wertebereich auf [ -5; 5 ]: ] -∞; +∞ ["}},
    // A pole without a sign change.
    {"1/x^2", {"Polstelle: x = 0 (ohne Vorzeichenwechsel)", "Symmetrie: achsensymmetrisch zur y-Achse (numerisch)",
               "y-Achsenabschnitt: keiner (f ist bei x = 0 nicht definiert)", "Für x → 0 von links: f(x) → +∞",
               "Für x → 0 von rechts: f(x) → +∞", "Wertebereich auf [ -5; 5 ]: [ 0.04; +∞ ["}},
    // Two poles and an oblique asymptote.
    {"(x^3-2*x^2-x+4)/(2*x^2-2)",
     {"Polstelle: x = -1 (mit Vorzeichenwechsel)", "Polstelle: x = 1 (mit Vorzeichenwechsel)",
      "Senkrechte Asymptote: x = -1", "Senkrechte Asymptote: x = 1", "Schiefe Asymptote: y = 0.5*x-1 (numerisch)"}},
    // A removable gap.
    {"(x^3-x)/(x-1)", {"Definitionsbereich: [ -5; 1 [ ∪ ] 1; 5 ]", "Hebbare Lücke: ( 1 | 2 )", "N ( -1 | 0 )",
                       "N ( 0 | 0 )", "T ( -0.5 | -0.25 )", "Für x → -∞: f(x) → +∞ (numerisch)"}},
    // The oblique asymptote y = x+1 is written without the factor 1.
    {"x+1+1/x", {"Polstelle: x = 0 (mit Vorzeichenwechsel)", "Schiefe Asymptote: y = x+1 (numerisch)"}},
    // Even rational function with a horizontal asymptote on both sides.
    {"(x^2+1)/(x^2-1)", {"H ( 0 | -1 )", "Waagerechte Asymptote: y = 1 (numerisch)"}},
    {"x*exp(-x)", {"H ( 1 | 0.36788 )", "W ( 2 | 0.27067 )", "Für x → +∞: f(x) → 0 (numerisch)",
                   "Für x → -∞: f(x) → -∞ (numerisch)", "Waagerechte Asymptote: y = 0 für x → +∞ (numerisch)",
                   "Wertebereich auf [ -5; 5 ]: [ -742.0658; 0.36788 ]"}},
    {"exp(-(x^2))", {"Symmetrie: achsensymmetrisch zur y-Achse (numerisch)", "H ( 0 | 1 )",
                     "W ( -0.70711 | 0.60653 )", "W ( 0.70711 | 0.60653 )", "Waagerechte Asymptote: y = 0 (numerisch)",
                     "[ -0.70711; 0.70711 ] rechtsgekrümmt", "Wertebereich auf [ -5; 5 ]: [ 0; 1 ]"}},
    // Defined on one side only: an edge, and a vertical asymptote at it.
    {"ln(x)", {"Definitionsbereich: ] 0; 5 ]", "Rand des Definitionsbereichs: x = 0", "N ( 1 | 0 )",
               "Für x → +∞: f(x) → +∞ (numerisch)", "Für x → -∞: f ist dort nicht definiert (numerisch)",
               "Für x → 0 von rechts: f(x) → -∞", "Senkrechte Asymptote: x = 0", "] 0; 5 ] rechtsgekrümmt",
               "Wertebereich auf [ -5; 5 ]: ] -∞; 1.60944 ]"}},
    {"ln(x)/x", {"N ( 1 | 0 )", "H ( 2.71828 | 0.36788 )", "W ( 4.48169 | 0.3347 )",
                 "Waagerechte Asymptote: y = 0 für x → +∞ (numerisch)"}},
    {"sqrt(4-x^2)", {"Definitionsbereich: [ -2; 2 ]", "Rand des Definitionsbereichs: x = -2",
                     "Rand des Definitionsbereichs: x = 2", "N ( -2 | 0 )", "N ( 2 | 0 )", "H ( 0 | 2 )",
                     "Für x → +∞: f ist dort nicht definiert (numerisch)", "Wertebereich auf [ -5; 5 ]: [ 0; 2 ]"}},
    {"sin(x)", {"Symmetrie: punktsymmetrisch zum Ursprung (numerisch)", "Für x → +∞: f(x) hat keinen Grenzwert (numerisch)",
                "Es wurden keine Asymptoten gefunden.", "Wertebereich auf [ -5; 5 ]: [ -1; 1 ]"}},
    {"tan(x)", {"Definitionsbereich: [ -5; -4.71239 [ ∪ ] -4.71239; -1.5708 [ ∪ ] -1.5708; 1.5708 [ ∪ ] 1.5708; "
                "4.71239 [ ∪ ] 4.71239; 5 ]",
                "Polstelle: x = -1.5708 (mit Vorzeichenwechsel)", "Für x → 1.5708 von links: f(x) → +∞",
                "Senkrechte Asymptote: x = 4.71239", "Wertebereich auf [ -5; 5 ]: ] -∞; +∞ ["}},
    // Defined at every jump, the ends of the range included.
    {"int(x)", {"Definitionsbereich: [ -5; 5 ]", "Sprungstelle: x = -4", "Sprungstelle: x = 4"}},
    // Defined at its jump: the domain is whole, the jump is named.
    {"sgn(x)", {"Definitionsbereich: [ -5; 5 ]", "Sprungstelle: x = 0", "Für x → -∞: f(x) → -1 (numerisch)",
                "Waagerechte Asymptote: y = -1 für x → -∞ (numerisch)"}},
};

INSTANTIATE_TEST_SUITE_P(School, FullDiscussionOfSchoolFunctions, ::testing::ValuesIn(kFullCases));

// A family repeats each block per family value, with its k.
TEST(FullDiscussion, RepeatsEachBlockPerFamilyValue)
{
    const Lines lines = FullDiscussion(MakeFunction("x^2-2*k*x", 1, 1, 3, 1));
    EXPECT_EQ(FirstMissing(lines, {"Kurvendiskussion von f_k(x) = x^2-2*k*x auf [ -5; 5 ]",
                                   "k = 1; Definitionsbereich: [ -5; 5 ]", "k = 3; Definitionsbereich: [ -5; 5 ]",
                                   "Extrempunkte:", "k = 1; T ( 1 | -1 )", "k = 2; T ( 2 | -4 )", "k = 3; T ( 3 | -9 )",
                                   "k = 3; Wertebereich auf [ -5; 5 ]: [ -9; 55 ]"}),
              "");
}

// Three signs that Windows-1252 lacks travel in bytes it leaves free, and only lines turn them back;
// a name from a file that holds such a byte cannot pass for one.
TEST(FullDiscussion, SignsOfTheLinesAndNamesThatHoldTheirBytes)
{
    EXPECT_EQ(LineToUtf8(std::string{"x "} + kArrowSign + " +" + kInfinitySign + " " + kUnionSign + " \xe4"),
              "x → +∞ ∪ ä");
    CGraphFunction f = MakeFunction("x");
    f.SetName(std::string{"g"} + kInfinitySign);
    EXPECT_EQ(FullDiscussion(f).front(), "Kurvendiskussion von g?(x) = x auf [ -5; 5 ]");
}

} // namespace
