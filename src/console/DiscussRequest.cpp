#include "console/DiscussRequest.h"

#include "analysis/AnalysisSink.h"
#include "analysis/AntiderivativeDiscussion.h"
#include "analysis/DiscussedCurves.h"
#include "analysis/FamilyCutNote.h"

#include "console/ArgumentText.h"
#include "console/CommandLine.h"
#include "console/OptionParser.h"
#include "console/StoredSettings.h"
#include "console/Usage.h"
#include "console/Utf8Bytes.h"
#include "document/SliderState.h"

#include <array>
#include <cmath>
#include <cstdio>

namespace {

// The options of the inputs an analysis may take beyond its function.
struct SInputOption
{
    const char* name;
    const char* placeholder;
    EInputUse SInputUse::*use;
    // Where the value goes: a function number or a number with the decimal point.
    std::optional<int> SDiscussRequest::*count;
    std::optional<double> SDiscussRequest::*number;
    // What a required one that is missing stands for.
    const char* missing;
};

const std::array kInputOptions{
    SInputOption{"with", "M", &SInputUse::with, &SDiscussRequest::with, nullptr, "die zweite Funktion"},
    SInputOption{"at", "X0", &SInputUse::at, nullptr, &SDiscussRequest::at, "die Stelle der Tangente"},
    SInputOption{"from", "A", &SInputUse::from, nullptr, &SDiscussRequest::from, "die untere Grenze"},
    SInputOption{"to", "B", &SInputUse::to, nullptr, &SDiscussRequest::to, "die obere Grenze"},
};

std::string Option(const SInputOption& input)
{
    return std::string{"--"} + input.name + " " + input.placeholder;
}

// The one-line reminder of every call of --discuss: the analyses without inputs together, then each
// of the others with its inputs, an optional one in brackets.
std::string UsageLine()
{
    std::vector<std::string> plain;
    std::vector<std::string> forms;
    for (const SAnalysis& analysis : Analyses()) {
        if (!analysis.TakesInputs()) {
            plain.emplace_back(analysis.word);
            continue;
        }
        // The rows of one word, told apart by --of, share one form.
        if (AnalysisOfWord(analysis.word) != &analysis) {
            continue;
        }
        std::string form = std::string{"vexplot --discuss "} + analysis.word + " DATEI";
        for (const SInputOption& input : kInputOptions) {
            const EInputUse use = analysis.inputs.*input.use;
            if (use == EInputUse::Required) {
                form += " " + Option(input);
            } else if (use == EInputUse::Optional) {
                form += " [" + Option(input) + "]";
            }
        }
        if (const std::string choices = OfChoices(analysis.word); !choices.empty()) {
            form += " [--of " + choices + "]";
        }
        forms.push_back(std::move(form));
    }
    std::string joined;
    for (const std::string& word : plain) {
        joined += (joined.empty() ? "" : "|") + word;
    }
    forms.insert(forms.begin(), "vexplot --discuss " + joined +
                                    " DATEI [--function N] [--precision P] [--raster] [--digits D]"
                                    " [--decimal-comma]");
    forms.emplace_back("statt DATEI: --term TERM [--term TERM ...] [--family VON:BIS:SCHRITT]");
    return "Aufruf: " + ListText(forms, " oder ");
}

// The words of the analyses that take an input, as prose: "intersections und integral".
std::string WordsTaking(const SInputOption& input)
{
    std::vector<std::string> words;
    for (const SAnalysis& analysis : Analyses()) {
        if (analysis.inputs.*input.use != EInputUse::Unused) {
            words.emplace_back(analysis.word);
        }
    }
    return ListText(words, " und ");
}

// "zwei Funktionen", as the messages about a function number count the functions there are.
std::string FunctionCount(std::size_t count)
{
    return count == 1 ? std::string{"eine Funktion"} : std::to_string(count) + " Funktionen";
}

bool EndsWithPdf(const std::string& name)
{
    if (name.size() < 4) {
        return false;
    }
    std::string tail = name.substr(name.size() - 4);
    for (char& c : tail) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return tail == ".pdf";
}

const std::array kOptions{
    SOptionSpec{"with", true},           SOptionSpec{"at", true},
    SOptionSpec{"from", true},           SOptionSpec{"to", true},
    SOptionSpec{"function", true},       SOptionSpec{"precision", true},
    SOptionSpec{"exact", false},         SOptionSpec{"raster", false},
    SOptionSpec{"digits", true},         SOptionSpec{"of", true},
    SOptionSpec{"term", true},           SOptionSpec{"family", true},
    SOptionSpec{"decimal-comma", false},
};

} // namespace

void Complain(const std::string& message)
{
    std::fprintf(stderr, "vexplot: %s\n", message.c_str());
}

std::optional<SDiscussRequest> ParseDiscussArguments(int argc, const char* const* argv, bool sheet)
{
    std::vector<SOptionSpec> options{kOptions.begin(), kOptions.end()};
    options.push_back(sheet ? SOptionSpec{"sheet", true} : SOptionSpec{"discuss", false});
    COptionParser parser{options};
    const std::string usage =
        sheet
            ? std::
                  string{"Aufruf: vexplot --sheet ZIEL.pdf DATEI [--function N] [--precision P] [--digits D] "
                         "[--decimal-comma], statt DATEI: --term TERM [--term TERM ...] "
                         "[--family VON:BIS:SCHRITT]"}
            : UsageLine();
    if (!parser.Parse(argc, argv)) {
        Complain(parser.ErrorText() + "; " + usage);
        return std::nullopt;
    }
    const bool terms = parser.IsSet("term");
    // The sheet always holds the whole discussion, so it names no analysis.
    std::vector<std::string> positional = parser.Positional();
    if (sheet) {
        positional.insert(positional.begin(), "all");
    }
    if (!parser.IsSet(sheet ? "sheet" : "discuss") || positional.size() != (terms ? 1U : 2U)) {
        Complain(terms && positional.size() == 2 ? "entweder DATEI oder --term, nicht beides; " + usage
                                                 : usage);
        return std::nullopt;
    }

    SDiscussRequest request;
    if (sheet) {
        request.sheet = parser.Value("sheet");
        if (!EndsWithPdf(request.sheet)) {
            Complain("\"" + request.sheet + "\": das Ergebnisblatt muss auf .pdf enden");
            return std::nullopt;
        }
    }
    const std::string& name = positional.at(0);
    request.analysis = AnalysisOfWord(WithInvalidBytesReplaced(name));
    if (request.analysis == nullptr) {
        Complain("unbekannte Untersuchung \"" + name + "\"; " + usage);
        return std::nullopt;
    }
    if (parser.IsSet("of")) {
        const std::string choices = OfChoices(request.analysis->word);
        const std::string of = parser.Value("of");
        if (choices.empty()) {
            Complain("--of gilt nur für locus; " + usage);
            return std::nullopt;
        }
        const SAnalysis* picked =
            of.empty() ? nullptr : AnalysisOfWord(request.analysis->word, WithInvalidBytesReplaced(of));
        if (picked == nullptr) {
            std::string listed = choices;
            for (std::size_t at = listed.find('|'); at != std::string::npos; at = listed.find('|', at)) {
                listed.replace(at, 1, " oder ");
            }
            Complain("--of " + of + ": erwartet wird " + listed);
            return std::nullopt;
        }
        request.analysis = picked;
    }
    if (terms) {
        for (const std::string& term : parser.Values("term")) {
            request.terms.push_back(WithInvalidBytesReplaced(term));
        }
    } else {
        request.file = positional.at(1);
    }
    if (parser.IsSet("family")) {
        if (!terms) {
            Complain("--family gilt nur zusammen mit --term; " + usage);
            return std::nullopt;
        }
        const std::string value = parser.Value("family");
        request.family = ParseFamilyArgument(WithInvalidBytesReplaced(value));
        if (!request.family) {
            Complain(
                "--family " + value +
                ": erwartet wird VON:BIS:SCHRITT mit VON <= BIS und 0 < SCHRITT < BIS - VON, etwa 0:2:0,5");
            return std::nullopt;
        }
    }
    if (parser.IsSet("decimal-comma")) {
        request.separator = EDecimalSeparator::Comma;
    }

    if (parser.IsSet("function")) {
        const std::optional<int> n = ParseWholeNumber(parser.Value("function"));
        if (!n || *n < 1) {
            Complain("--function " + parser.Value("function") + ": erwartet wird eine Funktionsnummer ab 1");
            return std::nullopt;
        }
        request.function = *n;
    }
    if (parser.IsSet("precision")) {
        const std::optional<int> p = ParseWholeNumber(parser.Value("precision"));
        if (!p || *p < 1 || *p > 10) {
            Complain("--precision " + parser.Value("precision") +
                     ": erwartet wird eine Genauigkeit von 1 bis 10");
            return std::nullopt;
        }
        request.precision = *p;
    }
    if (parser.IsSet("exact") && parser.IsSet("raster")) {
        Complain("--exact und --raster schließen einander aus");
        return std::nullopt;
    }
    request.options.exact = !parser.IsSet("raster");
    if (parser.IsSet("digits")) {
        const std::optional<int> d = ParseWholeNumber(parser.Value("digits"));
        if (!d || *d < 1 || *d > 15) {
            Complain("--digits " + parser.Value("digits") + ": erwartet wird eine Stellenzahl von 1 bis 15");
            return std::nullopt;
        }
        request.options.digits = *d;
    }

    // The inputs beyond the function: each only where the analysis takes it.
    for (const SInputOption& input : kInputOptions) {
        const EInputUse use = request.analysis->inputs.*input.use;
        if (!parser.IsSet(input.name)) {
            if (use == EInputUse::Required) {
                Complain(std::string{request.analysis->word} + " braucht " + Option(input) + ", " +
                         input.missing + "; " + usage);
                return std::nullopt;
            }
            continue;
        }
        if (use == EInputUse::Unused) {
            Complain("--" + std::string{input.name} + " gilt nur für " + WordsTaking(input) + "; " + usage);
            return std::nullopt;
        }
        const std::string value = parser.Value(input.name);
        if (input.count != nullptr) {
            const std::optional<int> n = ParseWholeNumber(value);
            if (!n || *n < 1) {
                Complain("--" + std::string{input.name} + " " + value +
                         ": erwartet wird eine Funktionsnummer ab 1");
                return std::nullopt;
            }
            request.*input.count = *n;
        } else {
            request.*input.number = ParseDecimalNumber(value);
            if (!(request.*input.number)) {
                request.*input.number = ParseNumberArgument(WithInvalidBytesReplaced(value));
            }
            if (!(request.*input.number)) {
                Complain("--" + std::string{input.name} + " " + value +
                         ": erwartet wird eine Zahl oder ein Ausdruck aus Zahlen, etwa 1.5, 1,5 oder pi/2");
                return std::nullopt;
            }
        }
    }
    if (request.analysis->TakesInputs()) {
        request.options.exact = true;
    }
    return request;
}

SAnalysisInputs SDiscussion::Inputs() const
{
    SAnalysisInputs inputs;
    if (with) {
        inputs.with = &discussed[*with];
        inputs.withItself = withItself;
    }
    inputs.at = at;
    inputs.from = from;
    inputs.to = to;
    return inputs;
}

std::optional<SDiscussion> PrepareDiscussion(const SDiscussRequest& request, int& exitCode)
{
    SDiscussion discussion;
    // Only what the file holds, without the undo copies of a document: a large file is held once.
    CGraphContent& content = discussion.content;
    std::string error;
    if (!request.terms.empty()) {
        std::optional<CGraphContent> typed = ContentOfTerms(request.terms, request.family, error);
        if (!typed) {
            Complain(error);
            exitCode = kExitUsage;
            return std::nullopt;
        }
        content = std::move(*typed);
    } else if (!ReadGraphContentFromPath(request.file, content, error)) {
        Complain(error);
        exitCode = kExitUnreadable;
        return std::nullopt;
    }
    const std::size_t count = content.functions.size();
    // Where the functions come from, for the messages about their number.
    const std::string source =
        request.terms.empty() ? "die Datei \"" + request.file + "\" enthält" : std::string{"--term gibt"};
    if (count == 0) {
        Complain("Die Datei \"" + request.file + "\" enthält keine Funktion, die sich untersuchen ließe.");
        exitCode = kExitUnreadable;
        return std::nullopt;
    }
    // The file's name goes into these messages before the count does, and a "%1" in it takes the
    // count's place, as it always has.
    const auto tooFew = [&](const char* option, int number) {
        std::string text = std::string{option} + " " + std::to_string(number) + ": %2 nur %3";
        text = ReplaceLowestEscape(text, source);
        return ReplaceLowestEscape(text, FunctionCount(count));
    };
    // After the functions --function counts the derived curves that are discussed as functions.
    const std::vector<SDiscussedCurve> derived = DiscussedCurves(content.functions, content.derived);
    if (static_cast<std::size_t>(request.function) > count + derived.size()) {
        const std::size_t more = derived.size();
        Complain(tooFew("--function", request.function) +
                 (more == 0   ? std::string{}
                  : more == 1 ? std::string{" und eine abgeleitete Kurve"}
                              : " und " + std::to_string(more) + " abgeleitete Kurven"));
        exitCode = kExitUsage;
        return std::nullopt;
    }

    WarnAboutFaultyTerms(content.functions);
    discussion.precision = StoredProfileInt("Settings", "Precision", 3);
    if (request.precision) {
        discussion.precision = *request.precision;
    }
    if (request.with && static_cast<std::size_t>(*request.with) > count) {
        Complain(tooFew("--with", *request.with));
        exitCode = kExitUsage;
        return std::nullopt;
    }

    // With the slider on, the file shows one member of its family, and that member is discussed, as
    // the values dialog does; an Ortskurve follows the points as k moves, so it takes the whole family.
    const bool locus = request.analysis->id == EAnalysis::LocusExtrema ||
                       request.analysis->id == EAnalysis::LocusInflections;
    discussion.discussed = locus ? content.functions : SliderMembers(content.functions, content.slider);
    // Named as in the window's list, so that the lines read as the values dialog shows them.
    const std::size_t index = static_cast<std::size_t>(request.function) - 1;
    if (index < count) {
        discussion.function = discussion.discussed[index];
        discussion.function.SetName(FunctionName(content.functions, index));
    } else {
        // Of the member the slider shows, as the values dialog discusses it.
        const SDiscussedCurve curve = DiscussedCurves(discussion.discussed, content.derived)[index - count];
        discussion.function = curve.function;
        discussion.function.SetName(DerivedCurveName(content.functions, content.derived[curve.curve]));
        discussion.start = curve.start;
    }
    if (request.with) {
        discussion.with = static_cast<std::size_t>(*request.with) - 1;
        discussion.withItself = *request.with == request.function;
    }
    discussion.at = request.at.value_or(0.0);
    discussion.from = request.from;
    discussion.to = request.to;
    exitCode = kExitOk;
    return discussion;
}

void RunDiscussion(const SDiscussRequest& request, const SDiscussion& discussion, IAnalysisSink& sink)
{
    if (discussion.start) {
        RunAntiderivativeAnalysis(request.analysis->id, discussion.function, discussion.start->first,
                                  discussion.start->second, discussion.content.scaling, discussion.precision,
                                  request.options, sink);
    } else {
        RunAnalysis(request.analysis->id, discussion.function, discussion.content.scaling, discussion.precision,
                    request.options, discussion.Inputs(), sink);
    }
    if (const std::optional<SAnalysisResult> note = FamilyCutResult(discussion.function)) {
        sink.Add(*note);
    }
}
