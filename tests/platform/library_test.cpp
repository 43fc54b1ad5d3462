#include "platform/library.h"

#include "platform/paths.h"
#include "testenv.h"

#include <gtest/gtest.h>

#include <filesystem>

TEST(Library, LoadReusesByPathAndCountsReferences) {
    const std::string path = pf::progDir() + "pftest_versioned.so";
    std::string error;
    pf::Library* a = pf::Library::load(path, &error);
    ASSERT_NE(a, nullptr) << error;
    // Reached through the program directory's link, and spelled differently: the same one.
    pf::Library* b = pf::Library::load(qvtest::buildProgDir() + "./pftest_versioned.so");
    EXPECT_EQ(a, b);
    using CountFn = int (*)();
    auto count = reinterpret_cast<CountFn>(a->resolve("pftestCount"));
    ASSERT_NE(count, nullptr);
    EXPECT_EQ(count(), 1);
    EXPECT_EQ(count(), 2);
    EXPECT_EQ(a->resolve("noSuchExport"), nullptr);
    b->release();
    // Still loaded by the first reference: its state is kept.
    EXPECT_EQ(count(), 3);
    a->release();
    pf::Library* c = pf::Library::load(path);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(reinterpret_cast<CountFn>(c->resolve("pftestCount"))(), 1) << "reloaded afresh";
    c->release();
}

TEST(Library, FileVersions) {
    const std::uint64_t v = pf::libraryFileVersion(pf::progDir() + "pftest_versioned.so");
    EXPECT_EQ(v, pf::makeVersion(2, 3, 4, 5));
    EXPECT_EQ(pf::versionMajor(v), 2u);
    EXPECT_EQ(pf::versionMinor(v), 3u);
    EXPECT_EQ(pf::versionBuild(v), 4u);
    EXPECT_EQ(pf::versionRevision(v), 5u);
    EXPECT_EQ(pf::libraryFileVersion(pf::progDir() + "pftest_plain.so"), 0u);
    EXPECT_EQ(pf::libraryFileVersion(pf::progDir() + "missing.so"), 0u);
}

TEST(Library, FailuresSayWhy) {
    std::string error;
    EXPECT_EQ(pf::Library::load(pf::progDir() + "missing.so", &error), nullptr);
    EXPECT_NE(error.find("missing.so"), std::string::npos);
    const std::string junk = qvtest::env().root + "junk.so";
    qvtest::writeFile(junk, "not a library");
    error.clear();
    EXPECT_EQ(pf::Library::load(junk, &error), nullptr);
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(pf::libraryFileVersion(junk), 0u);
}
