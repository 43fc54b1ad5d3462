#include "allocwatch.h"
#include "layout.h"
#include "storage/memdatafile.h"
#include "testenv.h"

#include <gtest/gtest.h>

using qvtest::layout;
using qvtest::le16;
using qvtest::le32;

namespace {

// A valid two-entry file whose index starts at byte `kIndex`.
const std::vector<qvtest::Body> kBodies = {{"AB", "hello"}, {"CD", "world!"}};
constexpr std::size_t kIndex = 108 + 2 + 1 + 7;

std::string valid() {
    return layout(20, "", kBodies);
}

std::string withWord(std::string bytes, std::size_t at, std::uint32_t value) {
    return bytes.replace(at, 4, le32(value));
}

struct Case {
    const char* what;
    std::string bytes;
    int direct; // what CDataFile::Open answers
    int memory; // what CMemDataFile::Open answers
};

std::vector<Case> cases() {
    const std::string v = valid();
    std::string badSig = v;
    badSig[46] = ',';
    const std::string nameTable = qvtest::headerBlock(20, 1) + le16(1) + std::string(1, '\0');
    return {
        {"empty file", "", -2, -2},
        {"shorter than the header", v.substr(0, 107), -2, -2},
        {"signature differs in its last character", badSig, -2, -2},
        {"unknown version", withWord(v, 100, 15), -2, -2},
        {"version 20 without comment length", v.substr(0, 108), -2, -2},
        {"comment longer than the file", v.substr(0, 108) + le16(60000) + "abc", -2, -2},
        {"unterminated name table", nameTable + "ABC", -3, -3},
        {"name of 256 characters", nameTable + std::string(256, 'N') + std::string(2, '\0'), -3,
         -3},
        {"count far beyond the names", withWord(v, 104, 0x7fffffff), -3, -3},
        {"index cut short", v.substr(0, kIndex + 12), -3, -3},
        {"offset past the end", withWord(v, kIndex, std::uint32_t(v.size() + 1)), -3, -3},
        {"length past the end", withWord(v, kIndex + 12, 0x7fffffff), -3, -3},
        {"offset plus length wraps", withWord(withWord(v, kIndex, 0xfffffff0), kIndex + 4, 0x20),
         -3, -3},
        // Each body lies inside the file, but together they claim more than it holds.
        {"overlapping bodies larger than the file",
         withWord(withWord(withWord(withWord(v, kIndex, 0), kIndex + 4, std::uint32_t(v.size())),
                           kIndex + 8, 0),
                  kIndex + 12, std::uint32_t(v.size())),
         1, -3},
    };
}

} // namespace

TEST(HostileFile, OpenRefusesDamagedFilesWithoutLargeAllocations) {
    ASSERT_EQ(1, CDataFile().Open((qvtest::writeFile(qvtest::env().root + "ok", valid()),
                                   qvtest::env().root + "ok")));
    for (const Case& c : cases()) {
        SCOPED_TRACE(c.what);
        const std::string file = qvtest::env().root + "hostile.dat";
        qvtest::writeFile(file, c.bytes);
        CDataFile direct;
        CMemDataFile mem;
        qvtest::AllocationWatch watch;
        EXPECT_EQ(c.direct, direct.Open(file));
        EXPECT_EQ(c.memory, mem.Open(file));
        EXPECT_LT(watch.largest(), 64u * 1024) << "the files are under 1 KiB";
        EXPECT_EQ(0, mem.GetCount());
        EXPECT_EQ(0, mem.IsOpen());
        if (c.direct != 1) {
            EXPECT_EQ(0, direct.GetCount());
            EXPECT_EQ(0, direct.IsOpen());
        }
    }
    CMemDataFile missing;
    EXPECT_EQ(-1, missing.Open(qvtest::env().root + "no-such-file"));
    EXPECT_EQ(-1, missing.Open(qvtest::env().root)); // a folder is not a file
}
