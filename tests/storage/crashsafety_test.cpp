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

// Reads a whole file into `bytes`, reusing its memory: fresh pages cost more than the read.
void slurp(const std::string& path, std::string& bytes) {
    bytes.clear();
    if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
        std::fseek(f, 0, SEEK_END);
        bytes.resize(std::size_t(std::ftell(f)));
        std::rewind(f);
        bytes.resize(std::fread(bytes.data(), 1, bytes.size(), f));
        std::fclose(f);
    }
}

// Saves generation `g` to `file`; answers its bytes and how long the save took.
std::string generationBytes(const std::string& file, int g,
                            std::chrono::steady_clock::duration& took) {
    CMemDataFile f;
    fill(f, g);
    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(1, f.Save(file));
    took = std::chrono::steady_clock::now() - started;
    std::string bytes;
    slurp(file, bytes);
    return bytes;
}

} // namespace

// A process killed at any moment of a save leaves either the return as it was before that
// save or as the save meant it, never a mixture or a truncated file.
TEST(CrashSafety, KilledSaveLeavesOldOrNewReturn) {
    const std::string file = qvtest::env().root + "Smith.ta2";
    std::chrono::steady_clock::duration saveTime;
    const std::string gen1 = generationBytes(file, 1, saveTime);
    const std::string gen0 = generationBytes(file, 0, saveTime);
    std::string now;
    ASSERT_NE(gen0, gen1);

    std::mt19937 random(20020415);
    // Kills land anywhere in the first two saves, and between them.
    const auto window = std::chrono::duration_cast<std::chrono::microseconds>(saveTime) * 2 +
                        std::chrono::milliseconds(2);
    std::uniform_int_distribution<long> delay(0, long(window.count()));
    int seen[2] = {0, 0};
    int midSave = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    int rounds = 0;
    for (; rounds < 30 && std::chrono::steady_clock::now() < deadline; ++rounds) {
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

        slurp(file, now);
        ASSERT_TRUE(now == gen0 || now == gen1)
            << "round " << rounds << ": damaged file of " << now.size() << " bytes";
        ++seen[now == gen1 ? 1 : 0];
        CMemDataFile check;
        ASSERT_EQ(1, check.Open(file));
        ASSERT_EQ(kEntries, check.GetCount());
        // A save killed before its rename leaves its unfinished temporary file: proof that
        // the kill hit a save. Clear them so the rounds do not fill the disk.
        bool interrupted = false;
        for (const auto& e : std::filesystem::directory_iterator(qvtest::env().root)) {
            if (e.path().filename().string().rfind(".Smith.ta2.", 0) == 0) {
                std::filesystem::remove(e.path());
                interrupted = true;
            }
        }
        midSave += interrupted ? 1 : 0;
    }
    EXPECT_GE(rounds, 10);
    EXPECT_GE(midSave, rounds / 4) << "too few kills landed inside a save";
    std::printf("%d rounds, %d killed inside a save, old/new generation found %d/%d times\n",
                rounds, midSave, seen[0], seen[1]);
}
