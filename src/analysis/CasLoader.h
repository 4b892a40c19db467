#pragma once

#include <string>

class ICasProver;

// The computer-algebra module, loaded at the first call and kept for the rest of the process; only
// the whole curve discussion asks for it, so no other command pays for loading it. It is looked
// for, relative to the running program, beside it or one folder up (the build tree) and in
// ../lib*/vexplot/ or ../../lib*/vexplot/ (installed, for bin/ and libexec/vexplot/). The environment variable VEX_CAS_MODULE names the module file instead, or switches
// it off when it is "off" or empty. nullptr where there is no module or it does not load: the
// discussion then keeps its numerical lines.
ICasProver* CasProver();

// The module's file name.
inline constexpr const char* kCasModuleName = "vexcas.so";

// Why the last CasProver() found no module, for the command line's diagnostics and the tests;
// empty after a successful load.
std::string CasLoadError();
