#pragma once

// The three ways vexplot runs. Each builds its own Qt application object and returns the exit
// status: 0 success, 1 a file that cannot be read, 2 wrong arguments.

// vexplot [FILE]: the windowed program.
int RunApplication(int& argc, char** argv);

// vexplot --export OUT FILE [--size WxH]: draws FILE's graph into OUT (.png, .svg or .pdf), without
// a display.
int RunExportCommand(int& argc, char** argv);

// vexplot --discuss ANALYSIS FILE [--function N] [--precision P]: prints the lines of one curve
// discussion, without a display.
int RunDiscussCommand(int& argc, char** argv);
