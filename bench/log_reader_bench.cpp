// Following a log: the reader's batches against plain block reads that only
// count line feeds, over the same generated file.

#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <vector>

#include "core/lines/log_reader.h"
#include "loggen/log_generator.h"

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kLogBytes = 20'000'000;

// A generated log in the temporary folder, removed at exit.
struct GeneratedLogFile {
    fs::path path;
    GeneratedLogFile() {
        std::random_device seed;
        path = fs::temp_directory_path() / ("ruv_reader_bench_" + std::to_string(seed()) + ".html");
        const std::string log = ruv::loggen::LogGenerator(1).generate(kLogBytes);
        std::ofstream(path, std::ios::binary)
            .write(log.data(), static_cast<std::streamsize>(log.size()));
    }
    ~GeneratedLogFile() {
        std::error_code ignored;
        fs::remove(path, ignored);
    }
    GeneratedLogFile(const GeneratedLogFile&) = delete;
    GeneratedLogFile& operator=(const GeneratedLogFile&) = delete;
};

const fs::path& generatedLog() {
    static const GeneratedLogFile file;
    return file.path;
}

struct CountingSink : ruv::LineSink {
    std::size_t lines = 0;
    std::size_t bytes = 0;
    void routeLine(std::string_view raw) override {
        ++lines;
        bytes += raw.size();
    }
};

struct NoErrors : ruv::platform::ErrorLog {
    void append(std::string_view) override {}
};

void BM_BaselineBlockReadCountingLineFeeds(benchmark::State& state) {
    const ruv::platform::NativeFileOpener files;
    std::vector<char> block(static_cast<std::size_t>(ruv::kLogBlockBytes));
    for (auto _ : state) {
        std::size_t lines = 0;
        std::int64_t offset = 0;
        for (;;) {
            auto file = files.openShared(generatedLog());
            file->seek(ruv::ByteOffset{offset});
            const std::size_t got = ruv::platform::readFully(*file, block).value_or(0);
            if (got == 0) {
                break;
            }
            for (const char* p = block.data();
                 (p = static_cast<const char*>(std::memchr(
                      p, '\n', got - static_cast<std::size_t>(p - block.data())))) != nullptr;
                 ++p) {
                ++lines;
            }
            offset += static_cast<std::int64_t>(got);
        }
        benchmark::DoNotOptimize(lines);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kLogBytes));
}
BENCHMARK(BM_BaselineBlockReadCountingLineFeeds)->Unit(benchmark::kMillisecond);

void BM_LogReaderFollowsWholeLog(benchmark::State& state) {
    const ruv::platform::NativeFileOpener files;
    const ruv::platform::SystemClock clock;
    NoErrors errors;
    for (auto _ : state) {
        ruv::LogTail tail;
        tail.attach(generatedLog(), {});
        CountingSink sink;
        ruv::LogReader reader(tail, sink, files, errors, clock);
        reader.readAll();
        benchmark::DoNotOptimize(sink.bytes);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kLogBytes));
}
BENCHMARK(BM_LogReaderFollowsWholeLog)->Unit(benchmark::kMillisecond);

}  // namespace
