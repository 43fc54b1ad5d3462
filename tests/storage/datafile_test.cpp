#include "layout.h"
#include "storage/datafilehost.h"
#include "storage/memdatafile.h"
#include "testenv.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;
using qvtest::Body;
using qvtest::env;
using qvtest::layout;
using qvtest::readFile;
using qvtest::writeFile;

namespace {

std::string path(const std::string& name) {
    return env().root + name;
}

std::string entry(CDataFile& f, const std::string& name) {
    std::string bytes(f.GetLength(name), '\0');
    EXPECT_EQ(1, f.Get(name, bytes.data())) << name;
    return bytes;
}

std::vector<std::string> names(const CDataFile& f) {
    std::vector<std::string> out;
    for (int i = 0; i < f.GetCount(); ++i) {
        std::string n;
        EXPECT_EQ(1, f.GetName(i, n));
        out.push_back(n);
    }
    return out;
}

std::vector<std::string> strayFiles(const std::string& folder, const std::string& keep) {
    std::vector<std::string> out;
    for (const auto& e : fs::directory_iterator(folder)) {
        if (!e.is_directory() && e.path().filename() != keep)
            out.push_back(e.path().filename().string());
    }
    return out;
}

// Records what a save asks of the application, in order.
class RecordingHost final : public qv::DataFileHost {
public:
    void setClosed(int value) override { log += "closed=" + std::to_string(value) + ";"; }
    bool autoSave() const override { return m_autoSave; }
    void setAutoSave(bool on) override {
        m_autoSave = on;
        log += std::string("autosave=") + (on ? "1" : "0") + ";";
    }
    bool autoBackup() const override { return backup; }
    std::string autoBackupDir() const override { return backupDir; }

    std::string log;
    bool backup = false;
    std::string backupDir;
    bool m_autoSave = true;
};

struct HostGuard {
    explicit HostGuard(qv::DataFileHost* h) { qv::setDataFileHost(h); }
    ~HostGuard() { qv::setDataFileHost(nullptr); }
};

} // namespace

// The checksum and the smallest files, pinned to values worked out by hand.
TEST(DataFile, WritesZeroEntryAndPartialWordFilesExactly) {
    CMemDataFile empty;
    ASSERT_EQ(1, empty.Save(path("empty.ta2")));
    const std::string bytes = readFile(path("empty.ta2"));
    ASSERT_EQ(116u, bytes.size()); // 108 + 2 + 1 comment byte + 1 name-table byte + 4
    EXPECT_EQ(layout(20, "", {}), bytes);
    EXPECT_EQ(qvtest::le32(0xd7364d31), bytes.substr(112));

    // 125 bytes before the checksum: the trailing byte is not summed.
    CMemDataFile one;
    ASSERT_EQ(1, one.Put("a", "xyz", 3));
    ASSERT_EQ(1, one.Save(path("one.ta2")));
    const std::string oneBytes = readFile(path("one.ta2"));
    EXPECT_EQ(layout(20, "", {{"A", "xyz"}}), oneBytes);
    EXPECT_EQ(qvtest::le32(0x922b4d32), oneBytes.substr(125));

    CMemDataFile back;
    ASSERT_EQ(1, back.Open(path("empty.ta2")));
    EXPECT_EQ(0, back.GetCount());
}

TEST(DataFile, RoundTripsEntriesCommentAndOddLengths) {
    const std::vector<Body> bodies = {
        {"RETURN", std::string("\x00\x01\x02\xff", 4)}, {"FED1040", "abcdefg"}, {"EMPTY", ""}};
    CMemDataFile out;
    out.SetComment("Smith, John");
    for (const Body& b : bodies)
        ASSERT_EQ(1, out.Put(b.name, b.bytes.data(), std::uint32_t(b.bytes.size())));
    ASSERT_EQ(1, out.Save(path("r.ta2")));
    EXPECT_EQ(layout(20, "Smith, John", bodies), readFile(path("r.ta2")));

    CDataFile direct;
    CMemDataFile mem;
    for (CDataFile* f : {static_cast<CDataFile*>(&direct), static_cast<CDataFile*>(&mem)}) {
        ASSERT_EQ(1, f->Open(path("r.ta2")));
        EXPECT_EQ("Smith, John", f->GetComment());
        EXPECT_EQ((std::vector<std::string>{"RETURN", "FED1040", "EMPTY"}), names(*f));
        for (const Body& b : bodies)
            EXPECT_EQ(b.bytes, entry(*f, b.name));
        EXPECT_EQ(1, f->Exists("EMPTY"));
        EXPECT_EQ(0u, f->GetLength("EMPTY"));
    }
    EXPECT_EQ(path("r.ta2"), direct.GetPath());
}

TEST(DataFile, ReadsVersion10AndIgnoresBytesAfterSignature) {
    const std::vector<Body> bodies = {{"FORMS", "0123456789"}, {"HELP", "x"}};
    std::string v10 = layout(10, "", bodies, false); // older files carry no checksum either
    std::string scribbled = layout(20, "c", bodies);
    for (std::size_t i = 47; i < 100; ++i)
        scribbled[i] = char(0x80 + i);
    writeFile(path("v10.dat"), v10);
    writeFile(path("scribbled.dat"), scribbled);

    for (const char* file : {"v10.dat", "scribbled.dat"}) {
        SCOPED_TRACE(file);
        CDataFile direct;
        ASSERT_EQ(1, direct.Open(path(file)));
        EXPECT_EQ("0123456789", entry(direct, "forms"));
        CMemDataFile mem;
        ASSERT_EQ(1, mem.Open(path(file)));
        EXPECT_EQ("x", entry(mem, "Help"));
        // Rewritten, the file is version 20 with a clean signature area.
        ASSERT_EQ(1, mem.Save());
        EXPECT_EQ(layout(20, file == std::string("v10.dat") ? "" : "c", bodies),
                  readFile(path(file)));
    }
}

TEST(DataFile, PutReplacesAtTheEndAndRemoveKeepsOrder) {
    writeFile(path("r.ta2"), layout(20, "", {{"A", "1"}, {"B", "22"}, {"C", "333"}}));
    CMemDataFile f;
    ASSERT_EQ(1, f.Open(path("r.ta2")));
    ASSERT_EQ(1, f.Put("b", "new", 3));
    EXPECT_EQ((std::vector<std::string>{"A", "C", "B"}), names(f));
    ASSERT_EQ(1, f.Save());
    EXPECT_EQ(layout(20, "", {{"A", "1"}, {"C", "333"}, {"B", "new"}}), readFile(path("r.ta2")));

    EXPECT_EQ(1, f.Remove("a"));
    EXPECT_EQ(0, f.Remove("A"));
    EXPECT_EQ((std::vector<std::string>{"C", "B"}), names(f));
}

TEST(DataFile, NamesMatchInAnyCaseAndMissingEntriesLeaveTheBuffer) {
    CMemDataFile f;
    ASSERT_EQ(1, f.Put("Sched_d", "d", 1));
    ASSERT_EQ(1, f.Put("caf\xe9", "e", 1)); // only ASCII letters change case
    EXPECT_EQ((std::vector<std::string>{"SCHED_D", "CAF\xe9"}), names(f));
    EXPECT_EQ("d", entry(f, "sChEd_D"));
    EXPECT_EQ("e", entry(f, "CAF\xe9"));
    EXPECT_EQ(0, f.Exists("CAF\xc9"));

    char buffer[4] = {'k', 'e', 'e', 'p'};
    EXPECT_EQ(0u, f.GetLength("MISSING"));
    EXPECT_EQ(0, f.Get("MISSING", buffer));
    EXPECT_EQ(std::string("keep"), std::string(buffer, 4));
    std::string n = "unchanged";
    EXPECT_EQ(0, f.GetName(2, n));
    EXPECT_EQ(0, f.GetName(-1, n));
    EXPECT_EQ("unchanged", n);
}

TEST(DataFile, RefusesBadNamesAndWritesInDirectMode) {
    CMemDataFile mem;
    EXPECT_EQ(0, mem.Put("", "x", 1));
    EXPECT_EQ(0, mem.Put(std::string(256, 'N'), "x", 1));
    EXPECT_EQ(0, mem.Put(std::string("A\0B", 3), "x", 1));
    EXPECT_EQ(1, mem.Put(std::string(255, 'N'), "x", 1));
    EXPECT_EQ(1, mem.GetCount());

    writeFile(path("m.dat"), layout(20, "", {{"A", "1"}}));
    const std::string before = readFile(path("m.dat"));
    CDataFile direct;
    ASSERT_EQ(1, direct.Open(path("m.dat")));
    EXPECT_EQ(0, direct.Put("B", "2", 1));
    EXPECT_EQ(0, direct.Remove("A"));
    EXPECT_EQ(0, direct.Save());
    EXPECT_EQ(0, direct.Create(path("other.dat")));
    EXPECT_EQ(1, direct.GetCount());
    EXPECT_EQ(before, readFile(path("m.dat")));
    EXPECT_FALSE(fs::exists(path("other.dat")));
}

TEST(DataFile, SaveClosesAndASecondSaveReopensByPath) {
    CMemDataFile f;
    f.SetComment("first");
    ASSERT_EQ(1, f.Put("A", "1", 1));
    ASSERT_EQ(1, f.Create(path("r.ta2")));
    EXPECT_EQ(1, f.IsOpen());
    // Create writes the header alone; the entries stay in memory.
    EXPECT_EQ(qvtest::headerBlock(20, 1) + qvtest::le16(6) + std::string("first\0", 6),
              readFile(path("r.ta2")));
    EXPECT_EQ(1, f.GetCount());

    ASSERT_EQ(1, f.Save());
    EXPECT_EQ(0, f.IsOpen());
    ASSERT_EQ(1, f.Put("B", "2", 1));
    f.SetComment("second");
    ASSERT_EQ(1, f.Save());
    EXPECT_EQ(0, f.IsOpen());
    EXPECT_EQ(layout(20, "second", {{"A", "1"}, {"B", "2"}}), readFile(path("r.ta2")));
    EXPECT_EQ(std::vector<std::string>{}, strayFiles(env().root, "r.ta2"))
        << "no temporary file is left behind";

    EXPECT_EQ(-1, f.Create(path("no-such-folder/r.ta2")));
}

// The replacing save keeps what the user set on the file: its permission bits, and a link
// stays a link to the file it named.
TEST(DataFile, SaveKeepsModeAndSymbolicLinks) {
    writeFile(path("real.ta2"), layout(20, "", {{"A", "old"}}));
    ASSERT_EQ(0, ::chmod(path("real.ta2").c_str(), 0640));
    fs::create_symlink(path("real.ta2"), path("link.ta2"));

    CMemDataFile f;
    ASSERT_EQ(1, f.Open(path("link.ta2")));
    ASSERT_EQ(1, f.Put("A", "new", 3));
    ASSERT_EQ(1, f.Save());
    EXPECT_TRUE(fs::is_symlink(path("link.ta2")));
    EXPECT_EQ(layout(20, "", {{"A", "new"}}), readFile(path("real.ta2")));
    struct stat st;
    ASSERT_EQ(0, ::stat(path("real.ta2").c_str(), &st));
    EXPECT_EQ(0640u, st.st_mode & 07777);
}

// A write that fails half way (here: the file-size limit, as a full disk would) leaves the
// old file as it was and no temporary file beside it.
TEST(DataFile, FailedSaveLeavesTheOldFileWhole) {
    const std::string old = layout(20, "", {{"A", "old"}});
    writeFile(path("r.ta2"), old);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        struct rlimit limit = {1 << 20, 1 << 20};
        setrlimit(RLIMIT_FSIZE, &limit);
        CMemDataFile f;
        if (f.Open(path("r.ta2")) != 1)
            _exit(10);
        const std::string big(4 << 20, 'x');
        f.Put("A", big.data(), std::uint32_t(big.size()));
        const int saved = f.Save();
        _exit(saved == 0 && f.IsOpen() == 0 && f.GetLength("A") == big.size() ? 0 : 11);
    }
    int status = 0;
    ASSERT_EQ(child, waitpid(child, &status, 0));
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(0, WEXITSTATUS(status));
    EXPECT_EQ(old, readFile(path("r.ta2")));
    EXPECT_EQ(std::vector<std::string>{}, strayFiles(env().root, "r.ta2"));
}

TEST(DataFile, SaveMarksClosedSwitchesAutosaveAndBacksUp) {
    RecordingHost host;
    host.backup = true;
    host.backupDir = env().root + "Auto-Backup/";
    fs::create_directories(host.backupDir);
    fs::create_directories(path("returns"));
    HostGuard guard(&host);

    CMemDataFile f;
    ASSERT_EQ(1, f.Put("A", "1", 1));
    ASSERT_EQ(1, f.Save(path("returns/Smith.ta2")));
    EXPECT_EQ("closed=0;autosave=0;closed=1;closed=1;autosave=1;", host.log);
    EXPECT_EQ(readFile(path("returns/Smith.ta2")), readFile(host.backupDir + "Smith.ta2.bak"));
    EXPECT_EQ(0, f.IsOpen());

    // A save that cannot write still marks the return closed and restores autosave; with
    // the backup folder gone nothing is copied and nothing fails because of it.
    host.log.clear();
    fs::remove_all(host.backupDir);
    EXPECT_EQ(0, f.Save(path("missing/Smith.ta2")));
    EXPECT_EQ("closed=0;autosave=0;closed=1;closed=1;autosave=1;", host.log);
    EXPECT_FALSE(fs::exists(host.backupDir));

    host.backup = false;
    host.m_autoSave = false;
    host.log.clear();
    ASSERT_EQ(1, f.Save(path("returns/Smith.ta2")));
    EXPECT_EQ("closed=0;autosave=0;closed=1;closed=1;autosave=0;", host.log);
}

TEST(DataFile, CopyToCopiesTheBoundFileButNeverOntoItself) {
    const std::string bytes = layout(20, "", {{"A", std::string(10000, 'q')}});
    writeFile(path("r.ta2"), bytes);
    CDataFile f;
    EXPECT_EQ(0, f.CopyTo(path("unbound.bak")));
    ASSERT_EQ(1, f.Open(path("r.ta2")));
    f.Close(false);
    EXPECT_EQ(1, f.CopyTo(path("r.bak")));
    EXPECT_EQ(1, f.IsOpen()); // reopened by path for the copy
    EXPECT_EQ(bytes, readFile(path("r.bak")));
    EXPECT_EQ(0, f.CopyTo(path("r.ta2")));
    EXPECT_EQ(bytes, readFile(path("r.ta2")));
    EXPECT_EQ(0, f.CopyTo(path("no-such-folder/r.bak")));
}
