#include "console/HandOver.h"

#include "console/OptionParser.h"

#include "document/SystemErrorText.h"

#include <array>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <unistd.h>

namespace {

// The export's options, to find the file it writes.
constexpr std::array kExportOptions{SOptionSpec{"export", true}, SOptionSpec{"size", true},
                                    SOptionSpec{"dpi", true},    SOptionSpec{"term", true},
                                    SOptionSpec{"family", true}, SOptionSpec{"decimal-comma", false}};

// The program of the format a file name asks for by its extension (any case), or none.
const char* ExportProgram(const std::string& path)
{
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || path.find('/', dot) != std::string::npos) {
        return nullptr;
    }
    std::string suffix = path.substr(dot + 1);
    for (char& c : suffix) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    static constexpr std::array<std::array<const char*, 2>, 3> kPrograms{
        {{"png", "vexplot-png"}, {"svg", "vexplot-svg"}, {"pdf", "vexplot-pdf"}}};
    for (const auto& [format, program] : kPrograms) {
        if (suffix == format) {
            return program;
        }
    }
    return nullptr;
}

// The folder of the running program: /proc/self/exe names the file itself, whatever argv[0] or the
// search path said, and through any links.
std::string ProgramDir()
{
    char path[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) {
        return ".";
    }
    const std::string program{path, static_cast<std::size_t>(length)};
    const std::size_t slash = program.rfind('/');
    return slash == std::string::npos ? std::string{"."} : program.substr(0, slash == 0 ? 1 : slash);
}

} // namespace

const char* PartFor(ECommand command, int argc, const char* const* argv)
{
    if (command == ECommand::Sheet) {
        return "vexplot-pdf";
    }
    if (command == ECommand::Export) {
        COptionParser parser{kExportOptions};
        if (const char* program = parser.Parse(argc, argv) ? ExportProgram(parser.Value("export")) : nullptr) {
            return program;
        }
    }
    return "vexplot-window";
}

std::vector<std::string> PartCandidates(const std::string& programDir, const char* part)
{
    return {programDir + "/" + part, programDir + "/" VEX_LIBEXEC_FROM_BIN "/" + part};
}

int HandOver(const char* part, char** argv)
{
    const std::vector<std::string> candidates = PartCandidates(ProgramDir(), part);
    // A missing candidate lets the next one try; any other failure is the one to report.
    int error = ENOENT;
    std::string failed = candidates.back();
    for (const std::string& candidate : candidates) {
        ::execv(candidate.c_str(), argv);
        if (error == ENOENT && errno != ENOENT) {
            error = errno;
            failed = candidate;
        }
    }
    std::fprintf(stderr, "vexplot: Der Programmteil \"%s\" lässt sich nicht starten: %s.\n", failed.c_str(),
                 SystemErrorText(error).c_str());
    return 1;
}
