#include "app/CommandLine.h"

#include <cstring>

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--export") == 0) {
            return RunExportCommand(argc, argv);
        }
        if (std::strcmp(argv[i], "--discuss") == 0) {
            return RunDiscussCommand(argc, argv);
        }
    }
    return RunApplication(argc, argv);
}
