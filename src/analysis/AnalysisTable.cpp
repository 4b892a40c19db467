#include "analysis/AnalysisTable.h"

#include "analysis/CurveAnalysis.h"
#include "analysis/FullDiscussion.h"
#include "analysis/Integral.h"
#include "analysis/Intersections.h"
#include "analysis/Locus.h"
#include "analysis/Tangent.h"

#include <array>

namespace {

void RunValueTable(const CGraphFunction& function, const CScaling& scaling, int /*precision*/,
                   const SDiscussOptions& options, const SAnalysisInputs& /*inputs*/, IAnalysisSink& sink)
{
    ComputeValueTable(function, scaling, options, sink);
}

void RunZeros(const CGraphFunction& function, const CScaling& scaling, int precision,
              const SDiscussOptions& options, const SAnalysisInputs& /*inputs*/, IAnalysisSink& sink)
{
    ComputeZeros(function, scaling, precision, options, sink);
}

void RunExtrema(const CGraphFunction& function, const CScaling& scaling, int precision,
                const SDiscussOptions& options, const SAnalysisInputs& /*inputs*/, IAnalysisSink& sink)
{
    ComputeExtrema(function, scaling, precision, options, sink);
}

void RunInflections(const CGraphFunction& function, const CScaling& scaling, int precision,
                    const SDiscussOptions& options, const SAnalysisInputs& /*inputs*/, IAnalysisSink& sink)
{
    ComputeInflections(function, scaling, precision, options, sink);
}

void RunMonotony(const CGraphFunction& function, const CScaling& scaling, int precision,
                 const SDiscussOptions& options, const SAnalysisInputs& /*inputs*/, IAnalysisSink& sink)
{
    ComputeMonotony(function, scaling, precision, options, sink);
}

void RunIntersections(const CGraphFunction& function, const CScaling& scaling, int precision,
                      const SDiscussOptions& options, const SAnalysisInputs& inputs, IAnalysisSink& sink)
{
    if (inputs.with != nullptr) {
        ComputeIntersections(function, *inputs.with, inputs.withItself, scaling, precision, options, sink);
    }
}

void RunTangent(const CGraphFunction& function, const CScaling& /*scaling*/, int /*precision*/,
                const SDiscussOptions& options, const SAnalysisInputs& inputs, IAnalysisSink& sink)
{
    ComputeTangent(function, inputs.at, options, sink);
}

void RunIntegral(const CGraphFunction& function, const CScaling& scaling, int precision,
                 const SDiscussOptions& options, const SAnalysisInputs& inputs, IAnalysisSink& sink)
{
    double xFrom{};
    double xTo{};
    double xStep{};
    scaling.GetXRange(xFrom, xTo, xStep);
    ComputeIntegral(function, inputs.withItself ? &function : inputs.with, inputs.from.value_or(xFrom),
                    inputs.to.value_or(xTo), scaling, precision, options, sink);
}

void RunLocusExtrema(const CGraphFunction& function, const CScaling& scaling, int precision,
                     const SDiscussOptions& options, const SAnalysisInputs& /*inputs*/, IAnalysisSink& sink)
{
    ComputeLocusLines(ELocusOf::Extrema, function, scaling, precision, options, sink);
}

void RunLocusInflections(const CGraphFunction& function, const CScaling& scaling, int precision,
                         const SDiscussOptions& options, const SAnalysisInputs& /*inputs*/, IAnalysisSink& sink)
{
    ComputeLocusLines(ELocusOf::Inflections, function, scaling, precision, options, sink);
}

void RunFullDiscussion(const CGraphFunction& function, const CScaling& scaling, int precision,
                       const SDiscussOptions& options, const SAnalysisInputs& /*inputs*/, IAnalysisSink& sink)
{
    ComputeFullDiscussion(function, scaling, precision, options, sink);
}

constexpr SInputUse kNoInputs{};
constexpr EInputUse kUnused = EInputUse::Unused;
constexpr EInputUse kOptional = EInputUse::Optional;
constexpr EInputUse kRequired = EInputUse::Required;

constexpr std::array kAnalyses{
    SAnalysis{EAnalysis::ValueTable, "Wertetabelle", "&Wertetabelle...", "&Wertetabelle...", 32777,
              "Zeigt die Wertetabelle einer Funktion an.\nWertetabelle anzeigen", "table", kNoInputs,
              "diskussion.html#wertetabelle", nullptr, nullptr, RunValueTable},
    SAnalysis{EAnalysis::Zeros, "Nullstellen", "&Nullstellen...", "&Nullstellen...", 32778,
              "Zeigt die Nullstellen einer Funktion an.\nNullstellen anzeigen", "zeros", kNoInputs,
              "diskussion.html#nullstellen", nullptr, nullptr, RunZeros},
    // The context menu gives "&Eigenschaften..." the E.
    SAnalysis{EAnalysis::Extrema, "Extremwerte", "&Extremwerte...", "E&xtremwerte...", 32779,
              "Zeigt die Extremwerte einer Funktion an.\nExtremwerte anzeigen", "extrema", kNoInputs,
              "diskussion.html#extremwerte", nullptr, nullptr, RunExtrema},
    SAnalysis{EAnalysis::Inflections, "Wendestellen", "Wende&stellen...", "Wende&stellen...", 32780,
              "Zeigt die Wendestellen einer Funktion an.\nWendestellen anzeigen", "inflections", kNoInputs,
              "diskussion.html#wendestellen", nullptr, nullptr, RunInflections},
    SAnalysis{EAnalysis::Monotony, "Monotonie", "&Monotonie...", "&Monotonie...", 32781,
              "Zeigt die Monotonie einer Funktion an.\nMonotonie anzeigen", "monotony", kNoInputs,
              "diskussion.html#monotonie", nullptr, nullptr, RunMonotony},
    SAnalysis{EAnalysis::Intersections, "Schnittpunkte", "S&chnittpunkte...", "S&chnittpunkte...", 32790,
              "Zeigt die Schnittpunkte zweier Funktionen an.\nSchnittpunkte anzeigen", "intersections",
              SInputUse{kRequired, kUnused, kUnused, kUnused}, "diskussion.html#schnittpunkte",
              "--with M [OPTIONEN]",
              "Gibt die Schnittpunkte der Graphen der Funktion N (--function N, sonst die erste) und der "
              "Funktion M aus, auf volle Genauigkeit verfeinert.",
              RunIntersections},
    SAnalysis{EAnalysis::Tangent, "Tangente und Normale", "&Tangente und Normale...",
              "&Tangente und Normale...", 32791,
              "Zeigt Tangente und Normale einer Funktion an einer Stelle an.\nTangente und Normale anzeigen",
              "tangent", SInputUse{kUnused, kRequired, kUnused, kUnused}, "diskussion.html#tangente",
              "--at X0 [OPTIONEN]",
              "Gibt Punkt, Steigung, Tangente und Normale der Funktion N an der Stelle X0 aus; die "
              "Gleichungen sind Terme, die das Programm wieder einlesen kann.",
              RunTangent},
    SAnalysis{EAnalysis::Integral, "Integral und Fläche", "&Integral und Fläche...",
              "&Integral und Fläche...", 32792,
              "Zeigt Integral und Fläche einer Funktion oder zwischen zwei Funktionen an.\nIntegral und "
              "Fläche anzeigen",
              "integral", SInputUse{kOptional, kUnused, kOptional, kOptional}, "diskussion.html#integral",
              "[--with M] [--from A] [--to B]",
              "Gibt das Integral der Funktion N (oder von N minus M) von A bis B aus, die Fläche zwischen "
              "den Graphen und die Teilstücke zwischen ihren Schnittstellen. Diese drei nehmen auch "
              "--function N und --digits D; ihre Werte sind immer genau.",
              RunIntegral},
    // Only in "Dis&kussion", whose W belongs to "&Wertetabelle..."; the graph's context menu keeps
    // to the analyses of one function.
    SAnalysis{EAnalysis::LocusExtrema, "Ortskurve der Extrema", "&Ortskurve der Extrema...", nullptr, 32800,
              "Zeigt die Ortskurve der Hoch- und Tiefpunkte einer Funktionenschar an.\nOrtskurve der Extrema "
              "anzeigen",
              "locus", kNoInputs, "diskussion.html#ortskurve", "[--of extrema|inflections]",
              "Gibt die Ortskurve der Extrema (oder mit --of inflections der Wendepunkte) der Schar N aus: "
              "für jeden Zweig seine Punkte bei den Werten von k der Schar und, wo alle Punkte auf einem "
              "Polynom bis zum Grad 4 liegen, dessen Term. Nimmt auch --function N, --precision P und "
              "--digits D.",
              RunLocusExtrema, "extrema"},
    SAnalysis{EAnalysis::LocusInflections, "Ortskurve der Wendepunkte", "Ortskurve der Wende&punkte...",
              nullptr, 32801,
              "Zeigt die Ortskurve der Wendepunkte einer Funktionenschar an.\nOrtskurve der Wendepunkte "
              "anzeigen",
              "locus", kNoInputs, "diskussion.html#ortskurve", nullptr, nullptr, RunLocusInflections,
              "inflections"},
    SAnalysis{EAnalysis::FullDiscussion, "Kurvendiskussion", "&Kurvendiskussion...", "&Kurvendiskussion...",
              32802,
              "Zeigt die ganze Kurvendiskussion einer Funktion an.\nKurvendiskussion anzeigen", "all", kNoInputs,
              "diskussion.html#kurvendiskussion", "[OPTIONEN]",
              "Gibt die ganze Kurvendiskussion der Funktion N aus: Definitionsbereich mit Polstellen und "
              "Lücken, Symmetrie, Achsenschnittpunkte, Extrem- und Wendepunkte, Verhalten im "
              "Unendlichen und an den Polstellen, Asymptoten, Monotonie, Krümmung und Wertebereich. Was "
              "nur durch Auswerten gefunden ist, trägt den Zusatz (numerisch).",
              RunFullDiscussion},
};

// A row's place is its id: the selector's index and the saved choice of the dialog rely on it.
constexpr bool RowsInIdOrder()
{
    for (std::size_t i = 0; i < kAnalyses.size(); ++i) {
        if (static_cast<std::size_t>(kAnalyses[i].id) != i) {
            return false;
        }
    }
    return true;
}
static_assert(RowsInIdOrder());

} // namespace

std::span<const SAnalysis> Analyses()
{
    return kAnalyses;
}

const SAnalysis* AnalysisAt(int index)
{
    return index >= 0 && static_cast<std::size_t>(index) < kAnalyses.size()
               ? &kAnalyses[static_cast<std::size_t>(index)]
               : nullptr;
}

const SAnalysis* AnalysisOfWord(std::string_view word)
{
    for (const SAnalysis& analysis : kAnalyses) {
        if (word == analysis.word) {
            return &analysis;
        }
    }
    return nullptr;
}

const SAnalysis* AnalysisOfCommand(int command)
{
    for (const SAnalysis& analysis : kAnalyses) {
        if (command != 0 && command == analysis.command) {
            return &analysis;
        }
    }
    return nullptr;
}

const SAnalysis* AnalysisOfWord(std::string_view word, std::string_view of)
{
    for (const SAnalysis& analysis : kAnalyses) {
        if (word == analysis.word && (of.empty() || (analysis.of != nullptr && of == analysis.of))) {
            return &analysis;
        }
    }
    return nullptr;
}

std::string OfChoices(std::string_view word)
{
    std::string choices;
    for (const SAnalysis& analysis : kAnalyses) {
        if (word == analysis.word && analysis.of != nullptr) {
            choices += (choices.empty() ? "" : "|") + std::string{analysis.of};
        }
    }
    return choices;
}

void RunAnalysis(EAnalysis kind, const CGraphFunction& function, const CScaling& scaling, int precision,
                 const SDiscussOptions& options, const SAnalysisInputs& inputs, IAnalysisSink& sink)
{
    if (const SAnalysis* analysis = AnalysisAt(static_cast<int>(kind))) {
        analysis->run(function, scaling, precision, options, inputs, sink);
    }
}

void RunAnalysis(EAnalysis kind, const CGraphFunction& function, const CScaling& scaling, int precision,
                 const SDiscussOptions& options, IAnalysisSink& sink)
{
    const SAnalysis* analysis = AnalysisAt(static_cast<int>(kind));
    if (analysis && !analysis->TakesInputs()) {
        analysis->run(function, scaling, precision, options, SAnalysisInputs{}, sink);
    }
}

void RunAnalysis(EAnalysis kind, const CGraphFunction& function, const CScaling& scaling, int precision,
                 IAnalysisSink& sink)
{
    RunAnalysis(kind, function, scaling, precision, SDiscussOptions{}, sink);
}
