// vexplot: the help, the version and the curve discussion are answered here, in a process that
// loads no Qt; the export, the results sheet and the window go on in vexplot-window.
#include "console/CommandLine.h"
#include "console/WindowedPart.h"

int main(int argc, char** argv)
{
    switch (PickCommand(argc, argv)) {
    case ECommand::Help:
        return RunHelpCommand();
    case ECommand::Version:
        return RunVersionCommand();
    case ECommand::Discuss:
        return RunDiscussCommand(argc, argv);
    case ECommand::Export:
    case ECommand::Sheet:
    case ECommand::Window:
        break;
    }
    return RunWindowedPart(argv);
}
