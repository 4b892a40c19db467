#pragma once

// The commands that need Qt: the export, the results sheet and the start of the window. The
// front end (console/CommandLine.h) picks them and hands them over to the program that links Qt.
#include "console/CommandLine.h"
#include "framework/GraphOutput.h"

// Until the window system is up, a failure to start it prints one German line and ends the
// program with status 1, where the toolkit would abort with a core dump. Call right before the
// application object is made.
void GuardWindowSystemStart();

// vexplot --export OUT FILE [--size WxH] [--decimal-comma]: draws FILE's graph (or that of --term
// and --family) into OUT (.png, .svg or .pdf), without a display.
// The picture goes into its file through `write`, which has CGraphOutput::WriteFile's contract: each
// program passes the formats it links (vexplot-png only the PNG, so that it loads no more of Qt).
using GraphFileWriter = bool (*)(CGraphOutput& graph, EGraphFormat format, const SPictureSize& size,
                                 const QString& path, int& errorNumber);
int RunExportCommand(int& argc, char** argv, GraphFileWriter write);

// vexplot --sheet OUT.pdf FILE [--function N] [--precision P] [--digits D] [--decimal-comma]: writes
// the results sheet of the whole curve discussion (heading, graph and lines on A4) as a PDF,
// without a display. Takes --term and --family instead of FILE, as --discuss does.
int RunSheetCommand(int& argc, char** argv);
