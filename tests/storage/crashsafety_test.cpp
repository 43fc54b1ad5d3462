#include "storage/memdatafile.h"
#include "testenv.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <random>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr int kEntries = 32;
constexpr std::size_t kEntrySize = 512 * 1024; // 16 MiB in all

// Generation `g` of the return: every entry filled with bytes that depend on g and the entry.
void fill(CMemDataFile& f, int g) {
    std::string body(kEntrySize, '\0');
    for (int i = 0; i < kEntries; ++i) {
        for (std::size_t k = 0; k < body.size(); k += 512)
            body[k] = char(g * 31 + i + int(k / 512));
        body.front() = char('A' + g);
        f.Put("SECTION" + std::to_string(i), body.data(), std::uint32_t(body.size()));
    }
}

// Whole-file read without stream iterators, which are slow on 16 MiB in a debug build.
std::string slurp(const std::string& path) {
    std::string bytes;
    if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
        std::fseek(f, 0, SEEK_END);
        bytes.resize(std::size_t(std::ftell(f)));
        std::rewind(f);
        bytes.resize(std::fread(bytes.data(), 1, bytes.size(), f));
        std::fclose(f);
    }
    return bytes;
}

std::string generationBytes(const std::string& file, int g) {
    CMemDataFile f;
    fill(f, g);
    EXPECT_EQ(1, f.Save(file));
    return slurp(file);
}

} // namespace

// A process killed at any moment of a save leaves either the return as it was before that
// save or as the save meant it, never a mixture or a truncated file.
TEST(CrashSafety, KilledSaveLeavesOldOrNewReturn) {
    const std::string file = qvtest::env().root + "Smith.ta2";
    const std::string gen1 = generationBytes(file, 1);
    const auto started = std::chrono::steady_clock::now();
    const std::string gen0 = generationBytes(file, 0);
    const auto saveTime = std::chrono::steady_clock::now() - started;
    ASSERT_NE(gen0, gen1);

    std::mt19937 random(20020415);
    // Kills land anywhere in the first two saves, and between them.
    const auto window = std::chrono::duration_cast<std::chrono::microseconds>(saveTime) * 2 +
                        std::chrono::milliseconds(2);
    std::uniform_int_distribution<long> delay(0, long(window.count()));
    int seen[2] = {0, 0};
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(90);
    int rounds = 0;
    for (; rounds < 40 && std::chrono::steady_clock::now() < deadline; ++rounds) {
        int ready[2];
        ASSERT_EQ(0, pipe(ready));
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(ready[0]);
            CMemDataFile f;
            if (f.Open(file) != 1)
                _exit(3);
            fill(f, 1);
            // From here on the child does nothing but save, so every kill hits a save.
            if (write(ready[1], "s", 1) != 1)
                _exit(4);
            for (int g = 1;; g ^= 1) {
                f.Save();
                fill(f, g ^ 1);
            }
        }
        close(ready[1]);
        char byte;
        const bool saving = read(ready[0], &byte, 1) == 1;
        close(ready[0]);
        if (saving)
            std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
        kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(child, waitpid(child, &status, 0));
        ASSERT_TRUE(WIFSIGNALED(status)) << "the child stopped on its own: " << status;

        const std::string now = slurp(file);
        ASSERT_TRUE(now == gen0 || now == gen1)
            << "round " << rounds << ": damaged file of " << now.size() << " bytes";
        ++seen[now == gen1 ? 1 : 0];
        CMemDataFile check;
        ASSERT_EQ(1, check.Open(file));
        ASSERT_EQ(kEntries, check.GetCount());
        // A killed save leaves its unfinished temporary file; clear them so rounds do not
        // fill the disk.
        for (const auto& e : std::filesystem::directory_iterator(qvtest::env().root)) {
            if (e.path().filename().string().rfind(".Smith.ta2.", 0) == 0)
                std::filesystem::remove(e.path());
        }
    }
    EXPECT_GE(rounds, 10);
    std::printf("%d rounds, old/new generation found %d/%d times\n", rounds, seen[0], seen[1]);
}
