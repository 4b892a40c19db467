#include "RecordingSink.h"

#include "analysis/CasLoader.h"
#include "analysis/CasProver.h"
#include "analysis/CasTerm.h"
#include "analysis/ResultText.h"
#include "engine/CompiledTerm.h"
#include "engine/TextEncoding.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <regex>
#include <string>
#include <vector>

// The whole curve discussion of the school functions, block by block, against their closed-form
// answers. Each case lists lines that must come in this order (other lines may lie between).
namespace {

using Lines = std::vector<std::string>;

// Gives the discussions that follow the computer-algebra module of this build, or a module file
// that does not exist, as on a machine without it; false where this build has no module.
bool UseModule(bool on)
{
#ifdef VEX_CAS_MODULE_FILE
    setenv("VEX_CAS_MODULE", on ? VEX_CAS_MODULE_FILE : "/nonexistent/vexcas.so", 1);
    return true;
#else
    setenv("VEX_CAS_MODULE", "/nonexistent/vexcas.so", 1);
    return !on;
#endif
}

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
    Lines expected; // without the computer-algebra module
    Lines proven{}; // with it
};

class FullDiscussionOfSchoolFunctions : public ::testing::TestWithParam<SFullCase>
{
};

// Without the module (or where it fails to load) the discussion keeps its numerical lines.
TEST_P(FullDiscussionOfSchoolFunctions, ListsEveryBlockInOrder)
{
    UseModule(false);
    const SFullCase& c = GetParam();
    const Lines lines = FullDiscussion(MakeFunction(c.term));
    std::string all;
    for (const std::string& line : lines) {
        all += line + "\n";
    }
    EXPECT_EQ(FirstMissing(lines, c.expected), "") << c.term << ":\n" << all;
}

// With it, what it proves loses its "(numerisch)" and the points gain their exact forms.
TEST_P(FullDiscussionOfSchoolFunctions, ProvesWhatTheModuleDecides)
{
    if (!UseModule(true)) {
        GTEST_SKIP() << "built without the computer-algebra module";
    }
    const SFullCase& c = GetParam();
    const Lines lines = FullDiscussion(MakeFunction(c.term));
    std::string all;
    for (const std::string& line : lines) {
        all += line + "\n";
    }
    ASSERT_NE(CasProver(), nullptr) << CasLoadError();
    EXPECT_EQ(FirstMissing(lines, c.proven), "") << c.term << ":\n" << all;
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
      "[ 0; 5 ] linksgekrümmt", "Wertebereich auf [ -5; 5 ]: [ -110; 110 ]"},
     {"Symmetrie: punktsymmetrisch zum Ursprung", "N ( -1.73205 | 0 ) = N ( -sqrt(3) | 0 )", "N ( 0 | 0 )", "N ( 1.73205 | 0 ) = N ( sqrt(3) | 0 )", "Für x → +∞: f(x) → +∞", "Für x → -∞: f(x) → -∞", "Es wurden keine Asymptoten gefunden."}},
    // Even polynomial.
    {"x^4-2*x^2",
     {"Symmetrie: achsensymmetrisch zur y-Achse (numerisch)", "T ( -1 | -1 )", "H ( 0 | 0 )", "T ( 1 | -1 )",
      "W ( -0.57735 | -0.55556 )", "W ( 0.57735 | -0.55556 )", "Für x → -∞: f(x) → +∞ (numerisch)",
      "Wertebereich auf [ -5; 5 ]: [ -1; 575 ]"},
     {"Symmetrie: achsensymmetrisch zur y-Achse", "N ( -1.41421 | 0 ) = N ( -sqrt(2) | 0 )", "W ( -0.57735 | -0.55556 ) = W ( -1/3*sqrt(3) | -5/9 )", "W ( 0.57735 | -0.55556 ) = W ( 1/3*sqrt(3) | -5/9 )", "Für x → -∞: f(x) → +∞"}},
    // A pole with a sign change and a horizontal asymptote; no symmetry, for certain.
    {"1/(x-2)",
     {"Definitionsbereich: [ -5; 2 [ ∪ ] 2; 5 ]", "Polstelle: x = 2 (mit Vorzeichenwechsel)",
      "Symmetrie: keine Symmetrie zur y-Achse oder zum Ursprung", "y-Achsenabschnitt: Sy ( 0 | -0.5 )",
      "Für x → +∞: f(x) → 0 (numerisch)", "Für x → 2 von links: f(x) → -∞", "Für x → 2 von rechts: f(x) → +∞",
      "Senkrechte Asymptote: x = 2", "Waagerechte Asymptote: y = 0 (numerisch)", "[ -5; 2 [ monoton fallend",
      "] 2; 5 ] monoton fallend", "[ -5; 2 [ rechtsgekrümmt", "] 2; 5 ] linksgekrümmt",
      "Wertebereich auf [ -5; 5 ]: ] -∞; +∞ ["},
     {"y-Achsenabschnitt: Sy ( 0 | -0.5 ) = Sy ( 0 | -1/2 )", "Für x → +∞: f(x) → 0", "Für x → -∞: f(x) → 0",
      "Senkrechte Asymptote: x = 2", "Waagerechte Asymptote: y = 0"}},
    // A pole without a sign change.
    {"1/x^2", {"Polstelle: x = 0 (ohne Vorzeichenwechsel)", "Symmetrie: achsensymmetrisch zur y-Achse (numerisch)",
               "y-Achsenabschnitt: keiner (f ist bei x = 0 nicht definiert)", "Für x → 0 von links: f(x) → +∞",
               "Für x → 0 von rechts: f(x) → +∞", "Wertebereich auf [ -5; 5 ]: [ 0.04; +∞ ["},
     {"Symmetrie: achsensymmetrisch zur y-Achse", "Für x → 0 von rechts: f(x) → +∞", "Waagerechte Asymptote: y = 0"}},
    // Two poles and an oblique asymptote.
    {"(x^3-2*x^2-x+4)/(2*x^2-2)",
     {"Polstelle: x = -1 (mit Vorzeichenwechsel)", "Polstelle: x = 1 (mit Vorzeichenwechsel)",
      "Senkrechte Asymptote: x = -1", "Senkrechte Asymptote: x = 1", "Schiefe Asymptote: y = 0.5*x-1 (numerisch)"},
     {"Für x → +∞: f(x) → +∞", "Senkrechte Asymptote: x = -1", "Senkrechte Asymptote: x = 1", "Schiefe Asymptote: y = 0.5*x-1 = 1/2*x-1"}},
    // A removable gap.
    {"(x^3-x)/(x-1)", {"Definitionsbereich: [ -5; 1 [ ∪ ] 1; 5 ]", "Hebbare Lücke: ( 1 | 2 )", "N ( -1 | 0 )",
                       "N ( 0 | 0 )", "T ( -0.5 | -0.25 )", "Für x → -∞: f(x) → +∞ (numerisch)"},
     {"Hebbare Lücke: ( 1 | 2 )", "y-Achsenabschnitt: Sy ( 0 | 0 )", "T ( -0.5 | -0.25 ) = T ( -1/2 | -1/4 )", "Für x → -∞: f(x) → +∞", "Es wurden keine Asymptoten gefunden."}},
    // The oblique asymptote y = x+1 is written without the factor 1.
    {"x+1+1/x", {"Polstelle: x = 0 (mit Vorzeichenwechsel)", "Schiefe Asymptote: y = x+1 (numerisch)"},
     {"Schiefe Asymptote: y = x+1"}},
    // Even rational function with a horizontal asymptote on both sides.
    {"(x^2+1)/(x^2-1)", {"H ( 0 | -1 )", "Waagerechte Asymptote: y = 1 (numerisch)"},
     {"Symmetrie: achsensymmetrisch zur y-Achse", "Waagerechte Asymptote: y = 1"}},
    {"x*exp(-x)", {"H ( 1 | 0.36788 )", "W ( 2 | 0.27067 )", "Für x → +∞: f(x) → 0 (numerisch)",
                   "Für x → -∞: f(x) → -∞ (numerisch)", "Waagerechte Asymptote: y = 0 für x → +∞ (numerisch)",
                   "Wertebereich auf [ -5; 5 ]: [ -742.0658; 0.36788 ]"},
     {"H ( 1 | 0.36788 ) = H ( 1 | 1/exp(1) )", "W ( 2 | 0.27067 ) = W ( 2 | 2/exp(2) )", "Für x → +∞: f(x) → 0", "Für x → -∞: f(x) → -∞", "Waagerechte Asymptote: y = 0 für x → +∞"}},
    {"exp(-(x^2))", {"Symmetrie: achsensymmetrisch zur y-Achse (numerisch)", "H ( 0 | 1 )",
                     "W ( -0.70711 | 0.60653 )", "W ( 0.70711 | 0.60653 )", "Waagerechte Asymptote: y = 0 (numerisch)",
                     "[ -0.70711; 0.70711 ] rechtsgekrümmt", "Wertebereich auf [ -5; 5 ]: [ 0; 1 ]"},
     {"Symmetrie: achsensymmetrisch zur y-Achse", "W ( -0.70711 | 0.60653 ) = W ( -1/2*sqrt(2) | 1/exp(1/2) )", "Waagerechte Asymptote: y = 0"}},
    // Defined on one side only: an edge, and a vertical asymptote at it.
    {"ln(x)", {"Definitionsbereich: ] 0; 5 ]", "Rand des Definitionsbereichs: x = 0", "N ( 1 | 0 )",
               "Für x → +∞: f(x) → +∞ (numerisch)", "Für x → -∞: f ist dort nicht definiert (numerisch)",
               "Für x → 0 von rechts: f(x) → -∞", "Senkrechte Asymptote: x = 0", "] 0; 5 ] rechtsgekrümmt",
               "Wertebereich auf [ -5; 5 ]: ] -∞; 1.60944 ]"},
     {"Für x → +∞: f(x) → +∞", "Für x → -∞: f ist dort nicht definiert (numerisch)", "Senkrechte Asymptote: x = 0"}},
    {"ln(x)/x", {"N ( 1 | 0 )", "H ( 2.71828 | 0.36788 )", "W ( 4.48169 | 0.3347 )",
                 "Waagerechte Asymptote: y = 0 für x → +∞ (numerisch)"},
     {"H ( 2.71828 | 0.36788 ) = H ( exp(1) | 1/exp(1) )", "W ( 4.48169 | 0.3347 ) = W ( exp(3/2) | 3/(2*exp(3/2)) )", "Waagerechte Asymptote: y = 0 für x → +∞"}},
    {"sqrt(4-x^2)", {"Definitionsbereich: [ -2; 2 ]", "Rand des Definitionsbereichs: x = -2",
                     "Rand des Definitionsbereichs: x = 2", "N ( -2 | 0 )", "N ( 2 | 0 )", "H ( 0 | 2 )",
                     "Für x → +∞: f ist dort nicht definiert (numerisch)", "Wertebereich auf [ -5; 5 ]: [ 0; 2 ]"},
     {"Symmetrie: achsensymmetrisch zur y-Achse", "Für x → +∞: f ist dort nicht definiert (numerisch)"}},
    {"sin(x)", {"Symmetrie: punktsymmetrisch zum Ursprung (numerisch)", "Für x → +∞: f(x) hat keinen Grenzwert (numerisch)",
                "Es wurden keine Asymptoten gefunden.", "Wertebereich auf [ -5; 5 ]: [ -1; 1 ]"},
     // The module solves sin(x) = 0 for 0 and pi only: the others are shifted by a multiple of pi.
     {"Symmetrie: punktsymmetrisch zum Ursprung", "N ( -3.14159 | 0 ) = N ( -pi | 0 )",
      "H ( -4.71239 | 1 ) = H ( -3*pi/2 | 1 )", "T ( -1.5708 | -1 ) = T ( -1/2*pi | -1 )", "Für x → +∞: f(x) hat keinen Grenzwert (numerisch)"}},
    {"tan(x)", {"Definitionsbereich: [ -5; -4.71239 [ ∪ ] -4.71239; -1.5708 [ ∪ ] -1.5708; 1.5708 [ ∪ ] 1.5708; "
                "4.71239 [ ∪ ] 4.71239; 5 ]",
                "Polstelle: x = -1.5708 (mit Vorzeichenwechsel)", "Für x → 1.5708 von links: f(x) → +∞",
                "Senkrechte Asymptote: x = 4.71239", "Wertebereich auf [ -5; 5 ]: ] -∞; +∞ ["},
     {"Symmetrie: punktsymmetrisch zum Ursprung", "Senkrechte Asymptote: x = 1.5708 = 1/2*pi",
      "Senkrechte Asymptote: x = 4.71239 = 3*pi/2"}},
    // Defined at every jump, the ends of the range included.
    {"int(x)", {"Definitionsbereich: [ -5; 5 ]", "Sprungstelle: x = -4", "Sprungstelle: x = 4"}},
    // Defined at its jump: the domain is whole, the jump is named.
    {"sgn(x)", {"Definitionsbereich: [ -5; 5 ]", "Sprungstelle: x = 0", "Für x → -∞: f(x) → -1 (numerisch)",
                "Waagerechte Asymptote: y = -1 für x → -∞ (numerisch)"},
     {"Für x → -∞: f(x) → -1", "Waagerechte Asymptote: y = -1 für x → -∞"}},
};

INSTANTIATE_TEST_SUITE_P(School, FullDiscussionOfSchoolFunctions, ::testing::ValuesIn(kFullCases));

// Every exact form the discussion prints reads back through the term engine as the decimal beside
// it: "H ( 1 | 0.36788 ) = H ( 1 | 1/exp(1) )", "y = 0.5*x-1 = 1/2*x-1", "x = 1.5708 = 1/2*pi".
TEST(FullDiscussion, ExactFormsReadBackAsTheirDecimals)
{
    if (!UseModule(true)) {
        GTEST_SKIP() << "built without the computer-algebra module";
    }
    const std::regex point{R"(([A-Za-z]*) \( (\S+) \| (\S+) \) = \1 ?\( (\S+) \| (\S+) \))"};
    const std::regex number{R"((?:[xy]|→) = ?(\S+) = (\S+))"};
    // Shown with 5 decimals: a decimal is within half its last digit of the exact value, at any
    // of a few x for a line.
    const auto agree = [](const std::string& decimal, const std::string& exact) {
        const CCompiledTerm shown{decimal};
        const CCompiledTerm read{exact};
        bool same = !read.HasSyntaxError() && exact.find('.') == std::string::npos;
        for (const double x : {-2.5, 0.5, 3.0}) {
            const double a = read.Evaluate(x, 0.0);
            same = same && std::fabs(a - shown.Evaluate(x, 0.0)) <= 0.51e-5 * std::max(1.0, std::fabs(a) * (1 + std::fabs(x)));
        }
        return same;
    };
    int checked = 0;
    for (const SFullCase& c : kFullCases) {
        for (const std::string& line : FullDiscussion(MakeFunction(c.term))) {
            std::smatch m;
            if (std::regex_search(line, m, point)) {
                EXPECT_TRUE(agree(m[2], m[4]) && agree(m[3], m[5])) << c.term << ": " << line;
                ++checked;
            } else if (line.find(" = ") != line.rfind(" = ") && std::regex_search(line, m, number)) {
                EXPECT_TRUE(agree(m[1], m[2])) << c.term << ": " << line;
                ++checked;
            }
        }
    }
    EXPECT_GE(checked, 20);
}

// The module reads a term as the engine does, quirks included: its value at a point is the
// engine's value there, to the engine's 12 digits of e and pi.
TEST(FullDiscussion, ModuleReadsTermsAsTheEngineDoes)
{
    if (!UseModule(true)) {
        GTEST_SKIP() << "built without the computer-algebra module";
    }
    ICasProver* prover = CasProver();
    ASSERT_NE(prover, nullptr) << CasLoadError();
    struct SCase
    {
        const char* term;
        double k;
    };
    const SCase cases[] = {
        {"-x^2+x", 0},          // (-x)^2 + x
        {"x^-2", 0},            // x^1 - 2: a sign after an operator splits there
        {"2^x^2/3", 0},         // (2^x)^2 / 3
        {"x-x-x*2/4/x", 0},     // left to right on each level
        {"k*x+k", 0.1},         // k as the exact tenth
        {"pi*x+e", 0},          // the constants
        {"log(x)+ln(x)", 0},    // log is to the base 10
        {"sgn(x-2)*abs(x-3)", 0},
        {"sqrt(x)*(x+1)", 0},
        {"exp(-x)*sin(x)/cos(x)", 0},
        {"1.25e2*x", 0},
        {"+x*(+2)", 0},
    };
    for (const SCase& c : cases) {
        const std::optional<SCasTerm> cas = CasTermOf(c.term, c.k);
        ASSERT_TRUE(cas) << c.term;
        for (const double x : {0.75, 1.5, 2.5}) {
            const double expected = CCompiledTerm{c.term}.Evaluate(x, c.k);
            const std::optional<std::string> answer = prover->ValueAt(cas->text, *CasNumber(x));
            const std::optional<std::string> term = answer ? TermOfCasAnswer(*answer) : std::nullopt;
            const std::optional<double> value = term ? TermValue(*term) : std::nullopt;
            ASSERT_TRUE(value) << c.term << " at " << x << ": " << answer.value_or("no answer");
            EXPECT_NEAR(*value, expected, 1e-10 * std::max(1.0, std::fabs(expected))) << c.term << " at " << x;
        }
    }
    // What the module would read otherwise stays with the engine.
    for (const char* term : {"int(x)", "floor(x)+1", "fib(x)", "!(x)", "ceil(x)", "x+("}) {
        EXPECT_FALSE(CasTermOf(term, 0)) << term;
    }
}

// The module writes by the usual rules, which the engine does not follow everywhere: its answers
// keep their meaning when read back.
TEST(FullDiscussion, ModuleAnswersKeepTheirMeaning)
{
    const double ln2 = std::log(2.0);
    const struct
    {
        const char* answer;
        double value;
    } cases[] = {
        {"-ln(2)^2+1", 1 - ln2 * ln2}, // not (-ln(2))^2
        {"2^3^2", 512},                // not (2^3)^2
        {"-2/3*sqrt(9)", -2},
        {"3+-2*5", -7},                // not 3 + -2 read as 3 - ...
        {"2^-1*4", 2},
        {"-(1+2)^2", -9},
        {"(-ln(2)+ln(8))/(ln(2)+ln(2))", 1},
        {"pi-pi+sign(-3)", -1},
    };
    for (const auto& c : cases) {
        const std::optional<std::string> term = TermOfCasAnswer(c.answer);
        const std::optional<double> value = term ? TermValue(*term) : std::nullopt;
        ASSERT_TRUE(value) << c.answer;
        EXPECT_NEAR(*value, c.value, 1e-11) << c.answer << " read as " << *term;
    }
    for (const char* answer : {"1.5", "[1,2]", "undef", "rootof([1,0,-2],[1,0,-2])", "i+1", "2*", "n_1*pi"}) {
        EXPECT_FALSE(TermOfCasAnswer(answer)) << answer;
    }
}

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
