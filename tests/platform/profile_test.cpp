#include "platform/profile.h"

#include "testenv.h"

#include <gtest/gtest.h>

using pf::Profile;

TEST(Profile, LookupsIgnoreCaseAndWritesKeepStoredSpelling) {
    {
        Profile p(qvtest::env().settings);
        EXPECT_TRUE(p.writeString("Settings", "AutoSave", "1"));
        EXPECT_TRUE(p.writeInt("settings", "AUTOSAVE", 5));
        EXPECT_TRUE(p.writeString("Recent File List", "File1", "/tmp/a b=c.ta2"));
        EXPECT_TRUE(p.writeString("Modules/AL", "Path", "ALCALC.so"));
        EXPECT_TRUE(p.writeString("modules/al", "version", "2"));
        EXPECT_TRUE(p.writeString("", "TopLevel", "x"));
    }
    Profile p(qvtest::env().settings);
    EXPECT_EQ(p.getInt("SETTINGS", "autosave", 0), 5);
    EXPECT_EQ(p.entries("SeTTings"), std::vector<std::string>{"AutoSave"});
    EXPECT_EQ(p.getString("recent file list", "file1"), "/tmp/a b=c.ta2");
    EXPECT_EQ(p.entries("Modules/al"), (std::vector<std::string>{"Path", "version"}));
    EXPECT_EQ(p.sections("MODULES"), std::vector<std::string>{"AL"});
    EXPECT_EQ(p.getString("", "toplevel"), "x");
    EXPECT_TRUE(p.hasSection("modules/Al"));
    EXPECT_FALSE(p.hasSection("modules/AK"));
    EXPECT_FALSE(p.hasSection("Nowhere/AL"));
}

TEST(Profile, DefaultsAndIntegerParsing) {
    Profile p(qvtest::env().settings);
    EXPECT_EQ(p.getInt("S", "missing", 42), 42);
    EXPECT_EQ(p.getString("S", "missing", "def"), "def");
    EXPECT_FALSE(p.has("S", "missing"));
    p.writeString("S", "Text", "abc");
    p.writeString("S", "Lead", " 12px");
    p.writeString("S", "Neg", "-7");
    p.writeString("S", "Empty", "");
    EXPECT_EQ(p.getInt("S", "text", 3), 3);
    EXPECT_EQ(p.getInt("S", "lead", 3), 12);
    EXPECT_EQ(p.getInt("S", "neg", 3), -7);
    EXPECT_TRUE(p.has("S", "empty"));
    EXPECT_EQ(p.getString("S", "empty", "def"), "");
}

TEST(Profile, EnumerationIsAlphabeticalIgnoringCase) {
    Profile p(qvtest::env().settings);
    for (const char* name : {"tx", "AZ", "al", "Ca"})
        p.writeString("Modules", name, "1");
    EXPECT_EQ(p.entries("modules"), (std::vector<std::string>{"al", "AZ", "Ca", "tx"}));
    EXPECT_TRUE(p.entries("Absent").empty());
}

TEST(Profile, DeleteEntryAndSection) {
    Profile p(qvtest::env().settings);
    p.writeString("Data/123-45-6789", "Printed", "1");
    p.writeString("Data/987", "Printed", "1");
    p.writeString("Data", "Keep", "1");
    EXPECT_TRUE(p.deleteSection("DATA/123-45-6789"));
    EXPECT_EQ(p.sections("data"), std::vector<std::string>{"987"});
    EXPECT_TRUE(p.deleteEntry("data", "KEEP"));
    EXPECT_FALSE(p.has("Data", "Keep"));
    EXPECT_TRUE(p.has("Data/987", "printed"));
    EXPECT_TRUE(p.deleteEntry("Data", "NeverThere"));
}

TEST(Profile, AppFollowsSettingsPathAfterReset) {
    Profile::app().writeString("Settings", "Marker", "first");
    const std::string first = qvtest::env().settings;
    const std::string second = qvtest::env().root + "new/folder/other.ini";
    setenv("QUORVA_SETTINGS", second.c_str(), 1);
    EXPECT_EQ(Profile::app().getString("settings", "marker"), "first");
    Profile::reset();
    EXPECT_EQ(Profile::app().getString("settings", "marker"), "");
    Profile::app().writeString("Settings", "Marker", "second");
    EXPECT_NE(qvtest::readFile(first).find("first"), std::string::npos);
    EXPECT_NE(qvtest::readFile(second).find("second"), std::string::npos);
}

TEST(Profile, ValuesRoundTripExactly) {
    const std::vector<std::string> values = {
        "Caf\xe9 \x80 5\xbd", "a, b", "@Variant(x)", "x;y", "  lead ", "C:\\dir\\f", "q\"q", "true",
    };
    for (std::size_t i = 0; i < values.size(); ++i)
        Profile::app().writeString("S", "T" + std::to_string(i), values[i]);
    Profile::reset();
    for (std::size_t i = 0; i < values.size(); ++i)
        EXPECT_EQ(Profile::app().getString("s", "t" + std::to_string(i)), values[i]);
}
