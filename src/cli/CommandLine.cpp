#include "cli/CommandLine.h"

#include <cstring>

ECommand PickCommand(int argc, const char* const* argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--export") == 0) {
            return ECommand::Export;
        }
        if (std::strcmp(argv[i], "--discuss") == 0) {
            return ECommand::Discuss;
        }
    }
    return ECommand::Window;
}
