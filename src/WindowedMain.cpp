// vexplot-window: the part of vexplot that links all of Qt it uses, started by the front end
// (main.cpp) with the same arguments for the window, and for an export whose arguments the front end
// could not read. Run by itself it behaves as the whole program.
#include "app/ZelApp.h"
#include "cli/CommandLine.h"

#include <cstdio>
#include <cstdlib>

namespace {

bool WriteAnyFormat(CGraphOutput& graph, EGraphFormat format, const SPictureSize& size, const QString& path,
                    int& errorNumber)
{
    return graph.WriteFile(format, size, path, errorNumber);
}

} // namespace

int main(int argc, char** argv)
{
    switch (PickCommand(argc, argv)) {
    case ECommand::Help:
        return RunHelpCommand();
    case ECommand::Version:
        return RunVersionCommand();
    case ECommand::Export:
        return RunExportCommand(argc, argv, WriteAnyFormat);
    case ECommand::Discuss:
        return RunDiscussCommand(argc, argv);
    case ECommand::Sheet:
        return RunSheetCommand(argc, argv);
    case ECommand::Window:
        break;
    }
    const auto environment = [](const char* name) -> const char* { return std::getenv(name); };
    if (!WindowSystemNamed(argc, argv, environment)) {
        std::fprintf(stderr, "%s\n", NoDisplayMessage());
        return 1;
    }
    GuardWindowSystemStart();
    return RunApplication(argc, argv);
}
