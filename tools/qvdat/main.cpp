// qvdat: inspects, extracts and builds container files.
#include "qvdat.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    const std::string name = argc > 1 ? argv[1] : "";
    for (const qvdat::Command& c : qvdat::commands()) {
        if (name == c.name)
            return c.run(qvdat::Args(argv + 2, argv + argc));
    }
    if (!name.empty() && name != "help" && name != "--help" && name != "-h")
        std::fprintf(stderr, "qvdat: unknown command '%s'\n", name.c_str());
    std::fprintf(stderr, "usage:\n");
    for (const qvdat::Command& c : qvdat::commands())
        std::fprintf(stderr, "  qvdat %s %s\n", c.name, c.usage);
    return 2;
}
