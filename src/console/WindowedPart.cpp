#include "console/WindowedPart.h"

#include "document/SystemErrorText.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <unistd.h>

namespace {

constexpr const char* kWindowedProgram = "vexplot-window";

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

std::vector<std::string> WindowedPartCandidates(const std::string& programDir)
{
    return {programDir + "/" + kWindowedProgram, programDir + "/" VEX_LIBEXEC_FROM_BIN "/" + kWindowedProgram};
}

int RunWindowedPart(char** argv)
{
    const std::vector<std::string> candidates = WindowedPartCandidates(ProgramDir());
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
