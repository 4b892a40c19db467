#pragma once

// How vexplot runs. Each command builds its own Qt application object and returns the exit
// status: 0 success, 1 a file that cannot be read, 2 wrong arguments.

// What the arguments ask for: the windowed program, or one of the headless commands.
enum class ECommand
{
    Window,
    Export,
    Discuss
};

// The first of "--export" and "--discuss" among the arguments picks its command; without either
// the window starts.
ECommand PickCommand(int argc, const char* const* argv);

// vexplot --export OUT FILE [--size WxH]: draws FILE's graph into OUT (.png, .svg or .pdf), without
// a display.
int RunExportCommand(int& argc, char** argv);

// vexplot --discuss ANALYSIS FILE [--function N] [--precision P]: prints the lines of one curve
// discussion, without a display.
int RunDiscussCommand(int& argc, char** argv);
