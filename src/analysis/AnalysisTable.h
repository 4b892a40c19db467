#pragma once

#include "analysis/DiscussOptions.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

class CGraphFunction;
class CScaling;
class IAnalysisSink;

// Every analysis of the curve discussion, described once. The menus, the values dialog, the
// command line with its help and manual page, and the help pages all read this table, so an
// analysis is added by one row here and one file that computes it.

// The analyses, in the order of the values dialog's selector and of the command line's words;
// the value is the row of the table and the selector's index.
enum class EAnalysis : int
{
    ValueTable = 0,
    Zeros = 1,
    Extrema = 2,
    Inflections = 3,
    Monotony = 4,
    Intersections = 5,
    Tangent = 6,
    Integral = 7,
    LocusExtrema = 8,
    LocusInflections = 9,
    FullDiscussion = 10
};

// What the analyses after the monotony need beyond one function. The intersections need `with`,
// the integral may have it (it then integrates f - g); the tangent takes `at`. Limits that are
// not given are the ends of the scaling's x range.
struct SAnalysisInputs
{
    const CGraphFunction* with{nullptr};
    // The second function is the first one itself (picked twice in the dialog).
    bool withItself{false};
    double at{0.0};
    std::optional<double> from;
    std::optional<double> to;
};

enum class EInputUse
{
    Unused,
    Optional,
    Required
};

// Which of the inputs an analysis takes: a second function, a place x0, the limits a and b.
struct SInputUse
{
    EInputUse with{EInputUse::Unused};
    EInputUse at{EInputUse::Unused};
    EInputUse from{EInputUse::Unused};
    EInputUse to{EInputUse::Unused};
};

using AnalysisRun = void (*)(const CGraphFunction& function, const CScaling& scaling, int precision,
                             const SDiscussOptions& options, const SAnalysisInputs& inputs,
                             IAnalysisSink& sink);

// One analysis. Texts are UTF-8.
struct SAnalysis
{
    EAnalysis id;
    // Its entry in the values dialog's selector.
    const char* name;
    // Its entry in the menu "Dis&kussion" and in the graph's context menu, with the mnemonic each
    // menu gives it; null for an analysis without a menu entry.
    const char* menuText;
    const char* contextMenuText;
    // The command of those entries (the window side's command id), 0 without one.
    int command;
    // The command's status prompt, a line feed, and its tooltip.
    const char* prompt;
    // Its word after --discuss.
    const char* word;
    SInputUse inputs;
    // Its section of the help.
    const char* helpPage;
    // A form of its own in the command-line help: what follows "vexplot --discuss WORD DATEI ", and
    // what the form does; null where the general form of --discuss says all.
    const char* usageSynopsis;
    const char* usageDescription;
    AnalysisRun run;
    // Rows that share a word are told apart on the command line by --of: the value that picks this
    // one. Null for a word of one row.
    const char* of{nullptr};

    // An analysis with inputs of its own always shows its refined points; the exact mode is no
    // choice there.
    bool TakesInputs() const
    {
        return inputs.with != EInputUse::Unused || inputs.at != EInputUse::Unused ||
               inputs.from != EInputUse::Unused || inputs.to != EInputUse::Unused || of != nullptr;
    }
};

std::span<const SAnalysis> Analyses();

// The row at a selector index, of a command-line word, of a command id; null where there is none.
const SAnalysis* AnalysisAt(int index);
const SAnalysis* AnalysisOfWord(std::string_view word);
const SAnalysis* AnalysisOfCommand(int command);
// The row of a word that --of picks: the first of the word's rows where `of` is empty.
const SAnalysis* AnalysisOfWord(std::string_view word, std::string_view of);
// The values --of takes for a word, "extrema|inflections"; empty for a word of one row.
std::string OfChoices(std::string_view word);

// Runs the analysis of the given kind (the precision is not used by the value table). A missing
// second function for the intersections yields nothing.
void RunAnalysis(EAnalysis kind, const CGraphFunction& function, const CScaling& scaling, int precision,
                 const SDiscussOptions& options, const SAnalysisInputs& inputs, IAnalysisSink& sink);
// Without inputs only the analyses that take none run; the others yield nothing.
void RunAnalysis(EAnalysis kind, const CGraphFunction& function, const CScaling& scaling, int precision,
                 const SDiscussOptions& options, IAnalysisSink& sink);
void RunAnalysis(EAnalysis kind, const CGraphFunction& function, const CScaling& scaling, int precision,
                 IAnalysisSink& sink);
