// Placeholders until the commands exist; each is replaced by its own file.
#include "app/CommandLine.h"

#include <cstdio>

int RunApplication(int&, char**)
{
    std::fputs("vexplot: the window is not built yet\n", stderr);
    return 2;
}
int RunExportCommand(int&, char**)
{
    std::fputs("vexplot: --export is not built yet\n", stderr);
    return 2;
}
int RunDiscussCommand(int&, char**)
{
    std::fputs("vexplot: --discuss is not built yet\n", stderr);
    return 2;
}
