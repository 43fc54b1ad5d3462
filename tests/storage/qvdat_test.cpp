#include "layout.h"
#include "testenv.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sys/wait.h>

using qvtest::layout;
using qvtest::readFile;
using qvtest::writeFile;

namespace {

using qvtest::ToolRun;

ToolRun qvdat(const std::vector<std::string>& args) {
    return qvtest::runTool("qvdat", args);
}

std::string at(const std::string& name) {
    return qvtest::env().root + name;
}

} // namespace

TEST(Qvdat, PacksListsGetsAndChecks) {
    writeFile(at("one.txt"), "first body");
    writeFile(at("two.bin"), std::string("\0\x01\x02", 3));
    ToolRun r = qvdat({"pack", at("out.dat"), "--comment", "built", "Zeta=" + at("one.txt"),
                       "alpha=" + at("two.bin")});
    ASSERT_EQ(0, r.status) << r.err;
    EXPECT_EQ(
        layout(20, "built", {{"ZETA", "first body"}, {"ALPHA", std::string("\0\x01\x02", 3)}}),
        readFile(at("out.dat")));

    r = qvdat({"list", at("out.dat")});
    EXPECT_EQ(0, r.status);
    EXPECT_EQ("ZETA\t10\nALPHA\t3\n", r.out);
    r = qvdat({"get", at("out.dat"), "zEtA"});
    EXPECT_EQ(0, r.status);
    EXPECT_EQ("first body", r.out);
    r = qvdat({"check", at("out.dat")});
    EXPECT_EQ(0, r.status);
    EXPECT_EQ("ok\n", r.out);

    // Version 10, and a folder packed one entry per file in name order.
    std::filesystem::create_directories(at("dir"));
    writeFile(at("dir/b.ivs"), "B");
    writeFile(at("dir/A.htm"), "AA");
    writeFile(at("dir/c"), "");
    r = qvdat({"pack", at("v10.dat"), "--version", "10", at("dir")});
    ASSERT_EQ(0, r.status) << r.err;
    EXPECT_EQ(layout(10, "", {{"A.HTM", "AA"}, {"B.IVS", "B"}, {"C", ""}}),
              readFile(at("v10.dat")));
    EXPECT_EQ(0, qvdat({"check", at("v10.dat")}).status);
}

TEST(Qvdat, ReportsMissingAndBadFilesOnOneLine) {
    const std::string good = layout(20, "", {{"A", "12345"}, {"B", "678"}});
    std::string badSum = good;
    badSum.back() ^= 1;
    std::string gap = good;
    gap.replace(108 + 2 + 1 + 5 + 8, 4, qvtest::le32(0)); // entry B's offset
    writeFile(at("good.dat"), good);
    writeFile(at("badsum.dat"), badSum);
    writeFile(at("cut.dat"), good.substr(0, good.size() - 2));
    writeFile(at("gap.dat"), gap);
    writeFile(at("text.dat"), "not a data file at all");

    struct Expect {
        std::vector<std::string> args;
        std::string message; // what the single line of standard error must contain
    };
    const std::vector<Expect> cases = {
        {{"check", at("badsum.dat")}, "checksum"},
        {{"check", at("cut.dat")}, "checksum missing"},
        {{"check", at("gap.dat")}, "entry B: body at 0"},
        {{"check", at("text.dat")}, "too short"},
        {{"check", at("none.dat")}, "cannot open"},
        {{"list", at("none.dat")}, "cannot open"},
        {{"list", at("text.dat")}, "not a data file"},
        {{"get", at("good.dat"), "C"}, "no entry named C"},
        {{"pack", at("new.dat"), "A=" + at("none.txt")}, "cannot read"},
        {{"pack", at("new.dat"), "=" + at("good.dat")}, "not a valid entry name"},
        {{"pack", at("new.dat"), "a=" + at("good.dat"), "A=" + at("good.dat")}, "duplicate"},
    };
    for (const Expect& c : cases) {
        SCOPED_TRACE(c.args[0] + " " + c.args[1]);
        const ToolRun r = qvdat(c.args);
        EXPECT_EQ(1, r.status);
        EXPECT_NE(std::string::npos, r.err.find(c.message)) << r.err;
        EXPECT_EQ(1, std::count(r.err.begin(), r.err.end(), '\n')) << r.err;
    }
    EXPECT_FALSE(std::filesystem::exists(at("new.dat")));
    EXPECT_EQ(2, qvdat({"frobnicate"}).status);
}
