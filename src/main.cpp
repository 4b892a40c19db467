// vexplot: the help, the version and the curve discussion are answered here, in a process that
// loads no Qt; the export, the results sheet and the window go on in a program that links Qt
// (console/HandOver.h).
#include "console/CommandLine.h"
#include "console/HandOver.h"

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
    case ECommand::Export:
    case ECommand::Sheet:
    case ECommand::Window:
        break;
    }
    return HandOver(PartFor(command, argc, argv), argv);
}
