#include "qvdat.h"
#include "storage/datafile.h"

#include <cstdio>
#include <vector>

namespace qvdat {

int cmdGet(const Args& args) {
    if (args.size() != 2)
        return usage("get");
    CDataFile file;
    const int r = file.Open(args[0]);
    if (r != 1)
        return fail(1, args[0] + ": " + openError(r));
    if (!file.Exists(args[1]))
        return fail(1, args[0] + ": no entry named " + args[1]);
    std::vector<char> body(file.GetLength(args[1]));
    if (!file.Get(args[1], body.data()))
        return fail(1, args[0] + ": cannot read entry " + args[1]);
    if (!body.empty() && std::fwrite(body.data(), 1, body.size(), stdout) != body.size())
        return fail(1, "cannot write to standard output");
    return std::fflush(stdout) == 0 ? 0 : 1;
}

} // namespace qvdat
