// vex_write_manpage OUT: writes the manual page vexplot.1 to OUT.
#include "console/Usage.h"

#include <cstdio>
#include <fstream>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: vex_write_manpage OUT\n");
        return 2;
    }
    std::ofstream out{argv[1], std::ios::binary};
    out << ManPageText();
    out.close();
    if (!out) {
        std::fprintf(stderr, "vex_write_manpage: %s cannot be written\n", argv[1]);
        return 1;
    }
    return 0;
}
