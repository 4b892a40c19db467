// vexplot: the help, the version and the curve discussion are answered here, in a process that
// loads no Qt; the export, the results sheet and the window go on in a program that links Qt
// (console/HandOver.h).
#include "console/CommandLine.h"
#include "console/HandOver.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    const ECommand command = PickCommand(argc, argv);
    switch (command) {
    case ECommand::Help:
        return RunHelpCommand();
    case ECommand::Version:
        return RunVersionCommand();
    case ECommand::Discuss:
        return RunDiscussCommand(argc, argv);
    case ECommand::Window: {
        // Without a display the window would only say so: that needs no Qt either.
        const auto environment = [](const char* name) -> const char* { return std::getenv(name); };
        if (!WindowSystemNamed(argc, argv, environment)) {
            std::fprintf(stderr, "%s\n", NoDisplayMessage());
            return 1;
        }
        break;
    }
    case ECommand::Export:
    case ECommand::Sheet:
        break;
    }
    return HandOver(PartFor(command, argc, argv), argv);
}
