// Opening and saving a large return: 5,000 entries holding 50 MiB in all. Run with
// --benchmark_repetitions=N to get medians. The file lives in $TMPDIR (default /tmp), so
// Save's fsync reaches whatever disk that is.
#include "storage/memdatafile.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

constexpr int kEntries = 5000;
constexpr std::size_t kTotal = 50u << 20;

const std::string& returnFile() {
    static const std::string path = [] {
        const char* tmp = std::getenv("TMPDIR");
        std::string dir = std::string(tmp && *tmp ? tmp : "/tmp") + "/qv-storage-bench-XXXXXX";
        if (!mkdtemp(dir.data()))
            std::abort();
        const std::string file = dir + "/Large.ta2";
        CMemDataFile f;
        std::string body(kTotal / kEntries, '\0');
        for (int i = 0; i < kEntries; ++i) {
            for (std::size_t k = 0; k < body.size(); k += 64)
                body[k] = char(i + k);
            f.Put("SECTION_" + std::to_string(i), body.data(), std::uint32_t(body.size()));
        }
        if (f.Save(file) != 1)
            std::abort();
        return file;
    }();
    return path;
}

void BM_Open(benchmark::State& state) {
    CMemDataFile f;
    for (auto _ : state) {
        if (f.Open(returnFile()) != 1)
            state.SkipWithError("Open failed");
        benchmark::DoNotOptimize(f.GetCount());
    }
}
BENCHMARK(BM_Open)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Save(benchmark::State& state) {
    CMemDataFile f;
    if (f.Open(returnFile()) != 1)
        state.SkipWithError("Open failed");
    for (auto _ : state) {
        if (f.Save() != 1)
            state.SkipWithError("Save failed");
    }
}
BENCHMARK(BM_Save)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    const std::filesystem::path file(returnFile());
    std::error_code ec;
    std::filesystem::remove_all(file.parent_path(), ec);
    return 0;
}
