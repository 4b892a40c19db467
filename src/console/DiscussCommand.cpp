// vexplot --discuss ANALYSIS FILE [--function N] [--precision P] [--raster] [--digits D], for the
// intersections, the tangent and the integral [--with M] [--at X0] [--from A] [--to B], and for the
// Ortskurve [--of extrema|inflections]: the lines of one curve discussion on standard output, without a
// display. The scans are the ones the values dialog runs, so the lines are the lines it lists.
#include "console/CommandLine.h"
#include "console/DiscussRequest.h"

#include "analysis/AnalysisSink.h"
#include "document/SystemErrorText.h"
#include "engine/TextEncoding.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>

namespace {

// Result lines to standard output; the progress, when standard error is a terminal, on one line
// there that is wiped at the end, so that standard output carries nothing but the lines. The
// first line that cannot be written stops the scan: a full disk or a closed pipe ends the run
// at once instead of after all the work.
class CConsoleSink final : public IAnalysisSink
{
public:
    explicit CConsoleSink(EDecimalSeparator separator)
        : m_separator{separator}, m_showProgress{isatty(STDERR_FILENO) == 1}
    {
    }

    void Add(const SAnalysisResult& result) override
    {
        for (std::string& line : ResultLines(result, m_separator)) {
            AddLine(std::move(line));
        }
    }

    void AddLine(std::string line) override
    {
        if (m_error != 0) {
            return;
        }
        line = LineToUtf8(line);
        line += '\n';
        errno = 0;
        if (std::fwrite(line.data(), 1, line.size(), stdout) != line.size()) {
            m_error = errno != 0 ? errno : EIO;
        }
    }

    bool Stopped() const override { return m_error != 0; }

    void SetProgress(int position) override
    {
        if (!m_showProgress) {
            return;
        }
        if (position == 0) {
            std::fputs("\r          \r", stderr);
        } else {
            std::fprintf(stderr, "\r%3d %%", position);
        }
        std::fflush(stderr);
    }

    // 0 when every line has reached standard output; else the errno of the first failure.
    int Finish()
    {
        errno = 0;
        if (m_error == 0 && (std::fflush(stdout) != 0 || std::ferror(stdout) != 0)) {
            m_error = errno != 0 ? errno : EIO;
        }
        return m_error;
    }

private:
    EDecimalSeparator m_separator;
    bool m_showProgress;
    int m_error{0};
};

// Takes out the arguments of the toolkit's script debugger ("-qmljsdebugger=...", with one or two
// dashes, or "-qmljsdebugger VALUE"), as the toolkit's core did before the discussion read the rest
// when this command still started it: a call that passed one keeps working.
int WithoutDebuggerArguments(int argc, char** argv)
{
    int kept = argc > 0 ? 1 : 0;
    for (int i = 1; i < argc; ++i) {
        const char* argument = argv[i];
        if (argument[0] == '-' && argument[1] == '-') {
            ++argument;
        }
        if (std::strncmp(argument, "-qmljsdebugger=", 15) == 0) {
            continue;
        }
        if (std::strcmp(argument, "-qmljsdebugger") == 0 && i < argc - 1) {
            ++i;
            continue;
        }
        argv[kept++] = argv[i];
    }
    return kept;
}

} // namespace

int RunDiscussCommand(int argc, char** argv)
{
    argc = WithoutDebuggerArguments(argc, argv);
    const std::optional<SDiscussRequest> request = ParseDiscussArguments(argc, argv, false);
    if (!request) {
        return kExitUsage;
    }
    int code = kExitOk;
    const std::optional<SDiscussion> discussion = PrepareDiscussion(*request, code);
    if (!discussion) {
        return code;
    }
    CConsoleSink sink{request->separator};
    RunDiscussion(*request, *discussion, sink);
    // A full disk or a closed pipe must not pass for a complete discussion.
    if (const int error = sink.Finish(); error != 0) {
        Complain("Die Ergebnisse konnten nicht ausgegeben werden: " + SystemErrorText(error) + ".");
        return kExitUnreadable;
    }
    return kExitOk;
}
