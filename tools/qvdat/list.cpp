#include "qvdat.h"
#include "storage/datafile.h"

#include <cstdio>

namespace qvdat {

int cmdList(const Args& args) {
    if (args.size() != 1)
        return usage("list");
    CDataFile file;
    const int r = file.Open(args[0]);
    if (r != 1)
        return fail(1, args[0] + ": " + openError(r));
    for (int i = 0; i < file.GetCount(); ++i) {
        std::string name;
        file.GetName(i, name);
        std::printf("%s\t%u\n", name.c_str(), unsigned(file.GetLength(name)));
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}

} // namespace qvdat
