#include "platform/inifile.h"

#include "platform/paths.h"
#include "testenv.h"

#include <gtest/gtest.h>

using pf::IniFile;

namespace {

// Hand-made like a file other programs left: mixed spelling, comments, a blank line before
// the next section, quotes and '=' inside values, no break after the last line.
const std::string kFixture = "; written by hand\r\n"
                             "[Quorva02]\r\n"
                             "InstallDir = /opt/q02\r\n"
                             "Command=run --opt=a b  \r\n"
                             "Quoted=\"  padded  \"\r\n"
                             "\r\n"
                             "[VersionInfo]\r\n"
                             "Build=12";

} // namespace

TEST(IniFile, ReadsIgnoringCaseAndKeepsValuesRaw) {
    const std::string path = qvtest::env().root + "test.ini";
    qvtest::writeFile(path, kFixture);
    const IniFile ini(path);
    EXPECT_EQ(ini.getString("QUORVA02", "installdir"), "/opt/q02");
    EXPECT_EQ(ini.getString("quorva02", "COMMAND"), "run --opt=a b");
    EXPECT_EQ(ini.getString("Quorva02", "Quoted"), "  padded  ");
    EXPECT_EQ(ini.getInt("versioninfo", "build", 0), 12);
    EXPECT_EQ(ini.getInt("versioninfo", "missing", -1), -1);
    EXPECT_EQ(ini.getString("Nowhere", "Build", "def"), "def");
    EXPECT_EQ(ini.getString("Quorva02", "; written by hand", "def"), "def");
    EXPECT_EQ(ini.keys("QUORVA02"), (std::vector<std::string>{"InstallDir", "Command", "Quoted"}));
    EXPECT_EQ(ini.sections(), (std::vector<std::string>{"Quorva02", "VersionInfo"}));
    EXPECT_EQ(IniFile(qvtest::env().root + "absent.ini").getString("A", "B", "d"), "d");
}

TEST(IniFile, WritesChangeOnlyWhatTheyMust) {
    const std::string path = qvtest::env().root + "test.ini";
    qvtest::writeFile(path, kFixture);
    IniFile ini(path);
    ASSERT_TRUE(ini.writeString("quorva02", "INSTALLDIR", "/srv/x = y"));
    ASSERT_TRUE(ini.writeString("QUORVA02", "NewKey", "1"));
    ASSERT_TRUE(ini.writeString("versionINFO", "Build", "13"));
    ASSERT_TRUE(ini.writeString("Added", "Key", "v"));
    EXPECT_EQ(qvtest::readFile(path), "; written by hand\r\n"
                                      "[Quorva02]\r\n"
                                      "InstallDir =/srv/x = y\r\n"
                                      "Command=run --opt=a b  \r\n"
                                      "Quoted=\"  padded  \"\r\n"
                                      "NewKey=1\r\n"
                                      "\r\n"
                                      "[VersionInfo]\r\n"
                                      "Build=13\r\n"
                                      "[Added]\r\n"
                                      "Key=v\r\n");
    EXPECT_EQ(ini.getString("quorva02", "installdir"), "/srv/x = y");
    ASSERT_TRUE(ini.deleteKey("QUORVA02", "command"));
    ASSERT_TRUE(ini.deleteSection("added"));
    EXPECT_EQ(ini.keys("Quorva02"), (std::vector<std::string>{"InstallDir", "Quoted", "NewKey"}));
    EXPECT_EQ(ini.sections(), (std::vector<std::string>{"Quorva02", "VersionInfo"}));
}

TEST(IniFile, LineBreaksAndRefusedWrites) {
    const std::string path = qvtest::env().root + "new.ini";
    IniFile ini(path);
    ASSERT_TRUE(ini.writeString("S", "K", "line1\nline2"));
    EXPECT_EQ(qvtest::readFile(path), "[S]\r\nK=line1 line2\r\n");

    const std::string lf = qvtest::env().root + "lf.ini";
    qvtest::writeFile(lf, "[S]\nA=1\n");
    ASSERT_TRUE(IniFile(lf).writeString("s", "B", "2"));
    EXPECT_EQ(qvtest::readFile(lf), "[S]\nA=1\nB=2\n");

    EXPECT_FALSE(ini.writeString("S", "a=b", "x"));
    EXPECT_FALSE(ini.writeString("S]", "k", "x"));
    EXPECT_FALSE(ini.writeString("", "k", "x"));
    ASSERT_TRUE(pf::setReadOnly(lf, true));
    EXPECT_FALSE(IniFile(lf).writeString("S", "A", "changed"));
    EXPECT_EQ(IniFile(lf).getString("S", "A"), "1");
}

TEST(IniFile, InWinDirFindsTheFileWhateverItsCase) {
    const std::string win = qvtest::env().winDir;
    EXPECT_EQ(IniFile::inWinDir("QUORVA02.INI").path(), win + "QUORVA02.INI");
    qvtest::writeFile(win + "Quorva02.ini", "[Quorva02]\nPath=here\n");
    const IniFile ini = IniFile::inWinDir("QUORVA02.INI");
    EXPECT_EQ(ini.path(), win + "Quorva02.ini");
    EXPECT_EQ(ini.getString("QUORVA02", "PATH"), "here");
}
