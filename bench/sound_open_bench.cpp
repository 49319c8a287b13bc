// Opening a call sound checks the file's bytes on the user-interface thread,
// so it must cost about what reading the file's first 64 KiB costs. Each run
// times both over the same file; ratio_to_reading_head compares them.

#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "core/sound/sound_file_kind.h"
#include "support/sound_files.h"

namespace {

using Clock = std::chrono::steady_clock;

enum class Sample { Wave, Mp3, Noise };

std::filesystem::path sampleFile(Sample sample) {
    static const std::filesystem::path folder = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "ruvbench-XXXXXX").string();
        return std::filesystem::path(mkdtemp(pattern.data()));
    }();
    const std::filesystem::path path = folder / std::to_string(static_cast<int>(sample));
    if (!std::filesystem::exists(path)) {
        std::string bytes;
        if (sample == Sample::Wave) {
            bytes = ruv::testing::makeWave(2000, 22050);
        } else if (sample == Sample::Mp3) {
            std::ifstream in(ruv::testing::soundTestData("chime_id3.mp3"), std::ios::binary);
            bytes.assign(std::istreambuf_iterator<char>(in), {});
        } else {
            std::mt19937 random(7);
            bytes.resize(1 << 20);
            for (char& byte : bytes) {
                byte = static_cast<char>(random());
            }
        }
        std::ofstream(path, std::ios::binary)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    return path;
}

std::size_t readHead(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::string head(64 * 1024, '\0');
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    return static_cast<std::size_t>(in.gcount());
}

void BM_SoundOpenCheck(benchmark::State& state) {
    const auto path = sampleFile(static_cast<Sample>(state.range(0)));
    const std::string text = path.string();
    Clock::duration checking{}, reading{};
    for (auto _ : state) {
        const auto t0 = Clock::now();
        benchmark::DoNotOptimize(ruv::checkSoundFile(text));
        const auto t1 = Clock::now();
        benchmark::DoNotOptimize(readHead(path));
        const auto t2 = Clock::now();
        checking += t1 - t0;
        reading += t2 - t1;
    }
    state.counters["ratio_to_reading_head"] = std::chrono::duration<double>(checking).count() /
                                              std::chrono::duration<double>(reading).count();
    state.counters["check_us"] =
        benchmark::Counter(std::chrono::duration<double, std::micro>(checking).count(),
                           benchmark::Counter::kAvgIterations);
}

}  // namespace

BENCHMARK(BM_SoundOpenCheck)
    ->ArgName("sample")
    ->Arg(static_cast<int>(Sample::Wave))
    ->Arg(static_cast<int>(Sample::Mp3))
    ->Arg(static_cast<int>(Sample::Noise));
