#include "platform/shell.h"

#include "platform/paths.h"
#include "testenv.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

namespace fs = std::filesystem;

TEST(Shell, TheRecorderTakesLaunches) {
    std::vector<pf::Launch> launches;
    pf::setLaunchRecorder([&](const pf::Launch& l) {
        launches.push_back(l);
        return l.kind == pf::Launch::Open;
    });
    EXPECT_TRUE(pf::shellOpen("https://example.test/help"));
    EXPECT_FALSE(pf::startProgram("calc.exe", {"/x", "a b"}));
    pf::setLaunchRecorder(nullptr);
    ASSERT_EQ(launches.size(), 2u);
    EXPECT_EQ(launches[0].kind, pf::Launch::Open);
    EXPECT_EQ(launches[0].target, "https://example.test/help");
    EXPECT_EQ(launches[1].kind, pf::Launch::Start);
    EXPECT_EQ(launches[1].target, "calc.exe");
    EXPECT_EQ(launches[1].args, (std::vector<std::string>{"/x", "a b"}));
}

TEST(Shell, FindProgramTriesAsGivenWithoutExeThenPath) {
    const std::string bin = qvtest::env().root + "bin/";
    fs::create_directories(bin);
    for (const char* name : {"Setup", "tool.exe", "tool", "kcalc"}) {
        qvtest::writeFile(bin + name, "#!/bin/sh\n");
        fs::permissions(bin + name, fs::perms::owner_all);
    }
    qvtest::writeFile(bin + "notexec", "data");
    const std::string oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
    setenv("PATH", bin.c_str(), 1);
    struct Case {
        std::string asked, found;
    } cases[] = {
        {bin + "tool.exe", bin + "tool.exe"},
        {bin + "Setup.exe", bin + "Setup"},
        {bin + "SETUP.EXE", bin + "Setup"},
        {"Setup.exe", bin + "Setup"},
        {"tool.exe", bin + "tool.exe"},
        {"/nowhere/tool.exe", bin + "tool.exe"},
        {bin + "notexec", ""},
        {"no-such-program-here.exe", ""},
        {"calc.exe", bin + "kcalc"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(pf::findProgram(c.asked), c.found) << c.asked;
    setenv("PATH", oldPath.c_str(), 1);
    EXPECT_FALSE(pf::startProgram("no-such-program-here.exe", {}));
}

TEST(Shell, StartedProgramsAreKnownWhileTheyRun) {
    EXPECT_FALSE(pf::startedProgramRunning("sleep"));
    ASSERT_TRUE(pf::startProgram("sleep.exe", {"0.5"}));
    EXPECT_TRUE(pf::startedProgramRunning("SLE"));
    EXPECT_FALSE(pf::startedProgramRunning("sleepy"));
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (pf::startedProgramRunning("sleep") && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_FALSE(pf::startedProgramRunning("sleep"));
}

TEST(Shell, OpeningAMissingFileFails) {
    EXPECT_FALSE(pf::shellOpen(qvtest::env().root + "missing.pdf"));
    EXPECT_FALSE(pf::shellOpen(""));
}
