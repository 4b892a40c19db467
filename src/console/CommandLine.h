#pragma once

#include "document/GraphFunction.h"

#include <optional>
#include <string_view>

// How vexplot runs. The arguments are read before any window system is touched, so that the
// help, the version and the headless commands work without a display, and a window start without
// one ends with a message instead of an abort. Exit status: 0 success, 1 a file that cannot be
// read or written or a window that cannot open, 2 wrong arguments.
//
// Everything here runs in the front end, which loads no Qt: --help, --version and --discuss are
// answered here, and everything else is handed to the windowed part (QtPart.h).

// What the arguments ask for: the windowed program, one of the headless commands, or a text
// about the program.
enum class ECommand
{
    Window,
    Export,
    Discuss,
    Sheet,
    Help,
    Version
};

// -h or --help anywhere asks for the help, else -v or --version for the version; otherwise the
// first of "--export", "--discuss" and "--sheet" picks its command, and without any the window
// starts.
ECommand PickCommand(int argc, const char* const* argv);

// Reads one environment variable; null when it is not set.
using EnvironmentLookup = const char* (*)(const char* name);

// Whether the window has somewhere to go: a display in DISPLAY or WAYLAND_DISPLAY, or a platform
// chosen by QT_QPA_PLATFORM or by the toolkit's -platform argument (which may need no display).
bool WindowSystemNamed(int argc, const char* const* argv, EnvironmentLookup lookup);

// The one line for a window start without a display: what is missing and what works instead.
const char* NoDisplayMessage();

// Print the help or the version to standard output; 0, or 1 when the text could not be written.
int RunHelpCommand();
int RunVersionCommand();

// vexplot --discuss ANALYSIS FILE [--function N] [--precision P] [--decimal-comma]: prints the lines
// of one curve discussion (of FILE's function, or of one given with --term and --family), without a
// display.
int RunDiscussCommand(int argc, char** argv);

// Names on standard error, in German, every function whose term the reading refuses or quietly
// completes ("x+" as x+1, "sin(x" as sin(x)); the command then goes on with the terms as they are.
void WarnAboutFaultyTerms(const CFunctionList& functions);

// A number argument (--at, --from, --to): a number with the point or the comma, or a constant
// expression such as pi/2 or -sqrt(6). Nothing for anything else, and for no finite value.
std::optional<double> ParseNumberArgument(std::string_view utf8);
