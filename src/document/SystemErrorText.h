#pragma once

#include <string>

// The German sentence for a system error number (errno), for every message that passes on why
// the system refused: the window and the command line tell the same reason in the same words.
// Numbers without a text of their own are named with their number and the system's wording, so
// that no message ever reads as an unknown error.
std::string SystemErrorText(int code);
