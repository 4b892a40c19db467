#pragma once

#include "console/CommandLine.h"

#include <string>
#include <vector>

// The front end vexplot links no Qt, so that the help, the version and the curve discussion start
// like a small tool. Everything else runs in a program that links Qt, which lies beside vexplot in
// the build tree and in <prefix>/libexec/vexplot/ when installed; it is found from where the
// running vexplot lies, not from the search path:
//   vexplot-png     an export to a PNG file: Qt's core and GUI libraries only
//   vexplot-svg     an export to an SVG file: those and Qt's SVG library
//   vexplot-pdf     an export to a PDF file, and the results sheet: the core, GUI, printing and
//                   (for printing) widgets
//   vexplot-window  the window: all of Qt it uses

// The program for a command the front end does not answer itself. An export goes to the program of
// its format only when its arguments read and name a .png, .svg or .pdf file; anything unusual goes
// to vexplot-window, which reads them as the export always has and says what is wrong.
const char* PartFor(ECommand command, int argc, const char* const* argv);

// The places a part is looked for, for a front end lying in programDir, nearest first.
std::vector<std::string> PartCandidates(const std::string& programDir, const char* part);

// Replaces this process by the part with the very same arguments (argv[0] included), so that its
// exit status is the command's. Returns only when it cannot be started: then 1, after a German line
// on standard error.
int HandOver(const char* part, char** argv);
