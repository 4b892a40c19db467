#include "app/ZelApp.h"
#include "cli/CommandLine.h"

int main(int argc, char** argv)
{
    switch (PickCommand(argc, argv)) {
    case ECommand::Export:
        return RunExportCommand(argc, argv);
    case ECommand::Discuss:
        return RunDiscussCommand(argc, argv);
    case ECommand::Window:
        break;
    }
    return RunApplication(argc, argv);
}
