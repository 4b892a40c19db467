#include "console/CommandLine.h"

#include "console/Usage.h"
#include "engine/SchoolNotation.h"
#include "engine/TermDiagnosis.h"
#include "engine/TextEncoding.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

bool IsOneOf(const char* argument, const char* shortName, const char* longName)
{
    return std::strcmp(argument, shortName) == 0 || std::strcmp(argument, longName) == 0;
}

bool IsSet(EnvironmentLookup lookup, const char* name)
{
    const char* value = lookup(name);
    return value != nullptr && *value != '\0';
}

int Print(const std::string& text)
{
    std::fwrite(text.data(), 1, text.size(), stdout);
    // A full disk or a closed pipe must not pass for a printed text.
    return std::fflush(stdout) == 0 && std::ferror(stdout) == 0 ? 0 : 1;
}

} // namespace

ECommand PickCommand(int argc, const char* const* argv)
{
    for (int i = 1; i < argc; ++i) {
        if (IsOneOf(argv[i], "-h", "--help")) {
            return ECommand::Help;
        }
    }
    for (int i = 1; i < argc; ++i) {
        if (IsOneOf(argv[i], "-v", "--version")) {
            return ECommand::Version;
        }
    }
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--export") == 0) {
            return ECommand::Export;
        }
        if (std::strcmp(argv[i], "--discuss") == 0) {
            return ECommand::Discuss;
        }
        if (std::strcmp(argv[i], "--sheet") == 0) {
            return ECommand::Sheet;
        }
    }
    return ECommand::Window;
}

bool WindowSystemNamed(int argc, const char* const* argv, EnvironmentLookup lookup)
{
    if (IsSet(lookup, "QT_QPA_PLATFORM") || IsSet(lookup, "DISPLAY") || IsSet(lookup, "WAYLAND_DISPLAY")) {
        return true;
    }
    for (int i = 1; i + 1 < argc; ++i) {
        if (IsOneOf(argv[i], "-platform", "--platform")) {
            return true;
        }
    }
    return false;
}

const char* NoDisplayMessage()
{
    return "vexplot: Keine Anzeige gefunden (DISPLAY und WAYLAND_DISPLAY sind leer); das Fenster braucht "
           "eine. Ohne Anzeige arbeiten vexplot --export und vexplot --discuss, oder das Fenster mit "
           "xvfb-run -a vexplot.";
}

int RunHelpCommand()
{
    return Print(HelpText());
}

int RunVersionCommand()
{
    return Print(VersionText());
}

void WarnAboutFaultyTerms(const CFunctionList& functions)
{
    for (std::size_t i = 0; i < functions.size(); ++i) {
        const std::string& term = functions[i].GetTerm();
        const std::string fault = TermFaultText(term);
        if (!fault.empty()) {
            std::fprintf(stderr, "vexplot: Warnung: Funktion %zu, f(x)=%s: %s.\n", i + 1,
                         Cp1252ToUtf8(term).c_str(), fault.c_str());
        }
    }
}

std::optional<double> ParseNumberArgument(std::string_view utf8)
{
    if (utf8.empty() || utf8.front() == ' ' || utf8.back() == ' ') {
        return std::nullopt;
    }
    return EvaluateNumberExpression(Utf8ToCp1252(utf8));
}
