#pragma once

#include "analysis/AnalysisTable.h"
#include "analysis/DiscussOptions.h"
#include "analysis/ResultText.h"
#include "console/TermArguments.h"
#include "document/GraphFile.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

// What --discuss (and --sheet, which runs the whole discussion) is asked to do. Texts are the
// arguments' bytes as given.
struct SDiscussRequest
{
    const SAnalysis* analysis{nullptr};
    std::string file;
    // Instead of a file: the terms as typed, and the range of k.
    std::vector<std::string> terms;
    std::optional<SFamilyArgument> family;
    EDecimalSeparator separator{EDecimalSeparator::Point};
    int function{1};
    std::optional<int> precision;
    SDiscussOptions options;
    std::optional<int> with;
    std::optional<double> at;
    std::optional<double> from;
    std::optional<double> to;
    // --sheet: the PDF the whole discussion goes to, with its graph, instead of standard output.
    std::string sheet;
};

// "vexplot: " and the message, on standard error.
void Complain(const std::string& message);

// The request of the arguments of --discuss, or of --sheet when `sheet` is set; nothing after a
// German complaint on standard error about what is wrong (exit status 2).
std::optional<SDiscussRequest> ParseDiscussArguments(int argc, const char* const* argv, bool sheet);

// A request made ready to run: the graph it reads, the function named as the window's list names
// it, the inputs and the precision.
struct SDiscussion
{
    CGraphContent content;
    // The functions as discussed: with the slider on, each family is the member at the slider's k.
    CFunctionList discussed;
    CGraphFunction function;
    // For an antiderivative F of `function`'s term: F(x0) = y0.
    std::optional<std::pair<double, double>> start;
    int precision{3};
    // The inputs beyond the function; the second function by its index in the content, which
    // Inputs() turns into a pointer into this very object.
    std::optional<std::size_t> with;
    bool withItself{false};
    double at{0.0};
    std::optional<double> from;
    std::optional<double> to;

    SAnalysisInputs Inputs() const;
};

// Reads the file or the terms of the request and checks the function numbers against them;
// nothing after a German complaint, with the exit status in `exitCode`. Warns about faulty terms,
// and takes the precision from the stored settings where the request names none.
std::optional<SDiscussion> PrepareDiscussion(const SDiscussRequest& request, int& exitCode);

// Runs the request's analysis on the discussion's function into the sink, and adds the note on a
// family whose members were cut off.
void RunDiscussion(const SDiscussRequest& request, const SDiscussion& discussion, IAnalysisSink& sink);

constexpr int kExitOk = 0;
constexpr int kExitUnreadable = 1;
constexpr int kExitUsage = 2;
