// Placeholders until the commands exist; each is replaced by its own file.
#include "app/CommandLine.h"

#include <cstdio>

