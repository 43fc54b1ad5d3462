#include "platform/paths.h"

#include "testenv.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

// Sets an environment variable for one scope and puts the old value back.
class ScopedEnv final {
public:
    ScopedEnv(const char* name, const char* value) : m_name(name) {
        if (const char* old = std::getenv(name))
            m_old = old, m_had = true;
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~ScopedEnv() {
        if (m_had)
            setenv(m_name, m_old.c_str(), 1);
        else
            unsetenv(m_name);
    }

private:
    const char* m_name;
    std::string m_old;
    bool m_had = false;
};

} // namespace

TEST(Paths, FoldersComeFromTheEnvironmentOrTheirDefaults) {
    const auto& env = qvtest::env();
    EXPECT_EQ(pf::progDir(), env.progDir);
    EXPECT_EQ(pf::winDir(), env.winDir);
    EXPECT_EQ(pf::settingsPath(), env.settings);
    EXPECT_EQ(pf::writableProgDir(), env.progDir);
    {
        const std::string data = env.root + "data";
        ScopedEnv prog("QUORVA_PROGDIR", "/nonexistent/quorva");
        ScopedEnv xdg("XDG_DATA_HOME", data.c_str());
        EXPECT_EQ(pf::progDir(), "/nonexistent/quorva/");
        EXPECT_EQ(pf::writableProgDir(), data + "/Quorva 2002/");
        EXPECT_TRUE(fs::is_directory(data + "/Quorva 2002"));
    }
    {
        ScopedEnv prog("QUORVA_PROGDIR", nullptr);
        EXPECT_EQ(pf::progDir(),
                  fs::path(fs::read_symlink("/proc/self/exe")).parent_path().string() + "/");
    }
    const std::string home = env.root + "home";
    ScopedEnv h("HOME", home.c_str());
    ScopedEnv x("XDG_CONFIG_HOME", nullptr);
    ScopedEnv s("QUORVA_SETTINGS", "");
    ScopedEnv w("QUORVA_WINDIR", nullptr);
    EXPECT_EQ(pf::settingsPath(), home + "/.config/Copper Grove Software/Quorva 2002.ini");
    EXPECT_EQ(pf::winDir(), home + "/.config/Copper Grove Software/Windows/");
    EXPECT_TRUE(fs::is_directory(pf::winDir()));
}

TEST(Paths, FindFileTriesExactThenIgnoringCase) {
    const std::string dir = qvtest::env().root + "Data/";
    fs::create_directories(dir + "Sub");
    qvtest::writeFile(dir + "Quorva02.ini", "a");
    qvtest::writeFile(dir + "Sub/FEDERAL.DAT", "b");
    qvtest::writeFile(dir + "exact.txt", "c");
    qvtest::writeFile(dir + "EXACT.TXT", "d");
    struct Case {
        std::string asked, found;
    } cases[] = {
        {dir + "QUORVA02.INI", dir + "Quorva02.ini"},
        {dir + "quorva02.ini", dir + "Quorva02.ini"},
        {dir + "exact.txt", dir + "exact.txt"},
        {dir + "EXACT.TXT", dir + "EXACT.TXT"},
        {dir + "SUB/federal.dat", dir + "Sub/FEDERAL.DAT"},
        {dir + "missing.txt", dir + "missing.txt"},
        {dir + "Quorva02.in", dir + "Quorva02.in"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(pf::findFile(c.asked), c.found) << c.asked;
}

TEST(Paths, FileHelpers) {
    const std::string root = qvtest::env().root;
    bool existed = true;
    EXPECT_TRUE(pf::makeDir(root + "Auto-Backup", &existed));
    EXPECT_FALSE(existed);
    EXPECT_TRUE(pf::makeDir(root + "Auto-Backup", &existed));
    EXPECT_TRUE(existed);
    EXPECT_FALSE(pf::makeDir(root + "no/such/parent"));
    EXPECT_TRUE(pf::makePath(root + "a/b/c"));
    EXPECT_TRUE(pf::dirExists(root + "a/b/c"));
    EXPECT_FALSE(pf::fileExists(root + "a/b/c"));

    const std::string file = root + "a/ret.ta2";
    qvtest::writeFile(file, "return");
    EXPECT_FALSE(pf::isReadOnly(file));
    EXPECT_TRUE(pf::setReadOnly(file, true));
    EXPECT_TRUE(pf::isReadOnly(file));
    EXPECT_FALSE(pf::copyFile(root + "a/missing", root + "a/copy"));
    qvtest::writeFile(root + "a/other", "other");
    EXPECT_FALSE(pf::copyFile(root + "a/other", file)) << "a read-only target stays";
    EXPECT_EQ(qvtest::readFile(file), "return");
    EXPECT_TRUE(pf::setReadOnly(file, false));
    EXPECT_FALSE(pf::isReadOnly(file));
    EXPECT_TRUE(pf::copyFile(root + "a/other", file));
    EXPECT_EQ(qvtest::readFile(file), "other");
    EXPECT_TRUE(pf::removeFile(file));
    EXPECT_FALSE(pf::fileExists(file));
    EXPECT_FALSE(pf::removeFile(file));

    EXPECT_EQ(pf::fileName("/x/y/Ret.ta2"), "Ret.ta2");
    EXPECT_EQ(pf::folderOf("/x/y/Ret.ta2"), "/x/y/");
    EXPECT_EQ(pf::fileName("Ret.ta2"), "Ret.ta2");
    EXPECT_EQ(pf::folderOf("Ret.ta2"), "");
}
