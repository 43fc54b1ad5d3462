// Feeds arbitrary bytes to both container-file readers. Beyond not crashing, the readers must
// agree: what the in-memory reader loads the direct reader reads the same, every entry it
// lists can be fetched, and a loaded file saved and read again holds the same entries.
#include "storage/memdatafile.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// One scratch folder per process, on tmpfs when there is one (saves fsync there).
const std::string& scratch() {
    static const std::string dir = [] {
        std::string pattern =
            (access("/dev/shm", W_OK) == 0 ? std::string("/dev/shm") : std::string("/tmp")) +
            "/qv-datafile-fuzz-XXXXXX";
        if (!mkdtemp(pattern.data()))
            std::abort();
        return pattern + "/";
    }();
    static const struct Cleanup {
        ~Cleanup() {
            for (const char* name : {"input.dat", "saved.dat"})
                unlink((dir + name).c_str());
            rmdir(dir.c_str());
        }
    } cleanup;
    return dir;
}

void check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "datafile_fuzz: %s\n", what);
        std::abort();
    }
}

using Entries = std::vector<std::pair<std::string, std::string>>;

Entries readAll(CDataFile& f, std::uint64_t fileSize) {
    Entries out;
    for (int i = 0; i < f.GetCount(); ++i) {
        std::string name;
        check(f.GetName(i, name) == 1, "GetName fails inside the count");
        const std::uint32_t length = f.GetLength(name);
        check(length <= fileSize, "entry longer than the file");
        std::string body(length, '\0');
        check(f.Get(name, body.data()) == 1, "listed entry cannot be read");
        out.emplace_back(name, body);
    }
    std::string name;
    check(f.GetName(f.GetCount(), name) == 0, "GetName past the end");
    return out;
}

// The first entry of each name: what lookups by name see.
Entries firstOfEach(const Entries& all) {
    Entries out;
    for (const auto& e : all) {
        bool seen = false;
        for (const auto& o : out)
            seen = seen || o.first == e.first;
        if (!seen)
            out.push_back(e);
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input = scratch() + "input.dat";
    std::FILE* f = std::fopen(input.c_str(), "wb");
    check(f != nullptr, "cannot write the scratch file");
    if (size)
        std::fwrite(data, 1, size, f);
    std::fclose(f);

    CDataFile direct;
    const int directResult = direct.Open(input);
    check(directResult == 1 || directResult == -2 || directResult == -3, "direct Open result");
    Entries directEntries;
    if (directResult == 1)
        directEntries = readAll(direct, size);

    CMemDataFile mem;
    const int memResult = mem.Open(input);
    check(memResult == 1 || memResult == -2 || memResult == -3, "memory Open result");
    if (memResult != 1) {
        check(mem.GetCount() == 0 && !mem.IsOpen(), "failed Open keeps entries");
        return 0;
    }
    check(directResult == 1, "memory reader loads what the direct reader refuses");
    const Entries memEntries = readAll(mem, size);
    check(memEntries == directEntries, "readers disagree");

    // Saved and read back, the file holds the entries lookups saw. A damaged file may repeat
    // a name; lookups find the first of them, so that is the one the copy keeps.
    CMemDataFile copy;
    for (const auto& [name, body] : firstOfEach(memEntries))
        check(copy.Put(name, body.data(), std::uint32_t(body.size())) == 1, "Put of a read entry");
    copy.SetComment(mem.GetComment());
    const std::string saved = scratch() + "saved.dat";
    check(copy.Save(saved) == 1, "Save fails");
    CMemDataFile again;
    check(again.Open(saved) == 1, "saved file does not open");
    check(readAll(again, std::uint64_t(-1)) == firstOfEach(memEntries), "round trip differs");
    check(again.GetComment() == mem.GetComment(), "comment differs");
    return 0;
}
