#include "qvdat.h"

#include <cstdio>

namespace qvdat {

const std::vector<Command>& commands() {
    static const std::vector<Command> table = {
        {"list", "FILE", cmdList},
        {"get", "FILE NAME", cmdGet},
        {"pack", "OUT [--comment TEXT] [--version 10|20] (NAME=PATH ... | DIR)", cmdPack},
        {"check", "FILE", cmdCheck},
        {"compile-script", "IN.ivs OUT", cmdCompileScript},
        {"questions", "FILE ENTRY", cmdQuestions},
        {"compile-layout", "IN.txt OUT.bin", cmdCompileLayout},
        {"dump-layout", "(IN.bin | IN.txt | FILE.DAT ENTRY)", cmdDumpLayout},
        {"render-layout",
         "(IN.bin | IN.txt | FILE.DAT ENTRY) OUT.png [--page N] [--dpi D] [--outline]",
         cmdRenderLayout},
        {"layout-skeleton", "CALC.so (FORM | --missing DIR)", cmdLayoutSkeleton},
    };
    return table;
}

int fail(int status, const std::string& message) {
    std::fprintf(stderr, "qvdat: %s\n", message.c_str());
    return status;
}

int usage(const char* command) {
    for (const Command& c : commands()) {
        if (std::string(c.name) == command)
            return fail(2, std::string("usage: qvdat ") + c.name + " " + c.usage);
    }
    return fail(2, "usage: qvdat COMMAND ...");
}

std::string openError(int result) {
    switch (result) {
    case -1:
        return "cannot open the file";
    case -2:
        return "not a data file (bad header)";
    default:
        return "damaged data file (name table, index or entry bodies incomplete)";
    }
}

} // namespace qvdat
