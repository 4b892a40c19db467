#pragma once

#include <string>
#include <vector>

// The front end vexplot links no Qt, so that the help, the version and the curve discussion start
// like a small tool. The export, the results sheet and the window run in the program that links Qt,
// vexplot-window, which lies beside vexplot in the build tree and in <prefix>/libexec/vexplot/ when
// installed; it is found from where the running vexplot lies, not from the search path.

// The places vexplot-window is looked for, for a front end lying in programDir, nearest first.
std::vector<std::string> WindowedPartCandidates(const std::string& programDir);

// Replaces this process by vexplot-window with the very same arguments (argv[0] included), so that
// its exit status is the command's. Returns only when it cannot be started: then 1, after a German
// line on standard error.
int RunWindowedPart(char** argv);
