#pragma once

#include <string_view>

// The value of one integer setting as the window stored it ("Settings"/"Precision"), read without
// the window's settings store: from the user's settings file of the program, then the user's file
// of the company, then the system's, as the window's store looks them up. The default where none
// holds a whole number. When the user's file is there but is no regular file (a pipe, a device),
// it is left alone with the window's warning on standard error, and the default counts.
int StoredProfileInt(std::string_view section, std::string_view entry, int defaultValue);
