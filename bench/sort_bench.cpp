// Past-log tidying of a 50 MB log, against `grep -c -F` with two fixed
// patterns over the same file in the same run.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "core/lines/chat_format.h"
#include "core/log/past_log_sort.h"
#include "loggen/log_generator.h"

namespace {

constexpr std::size_t kLogBytes = 50u * 1000u * 1000u;

class GeneratedLogFile {
  public:
    GeneratedLogFile() {
        path_ =
            std::filesystem::temp_directory_path() /
            ("ruvivuvaz_sort_bench_" +
             std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()) + ".html");
        const std::string bytes = ruv::loggen::LogGenerator(7).generate(kLogBytes);
        std::ofstream(path_, std::ios::binary) << bytes;
        size_ = bytes.size();
    }
    ~GeneratedLogFile() {
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }
    GeneratedLogFile(const GeneratedLogFile&) = delete;
    GeneratedLogFile& operator=(const GeneratedLogFile&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::size_t size() const { return size_; }

  private:
    std::filesystem::path path_;
    std::size_t size_ = 0;
};

const GeneratedLogFile& logFile() {
    static const GeneratedLogFile file;
    return file;
}

// Keeps what tidying appends observable without storing it.
class CountingSink final : public ruv::PastLogSink {
  public:
    void append(ruv::ChatChannel, std::string_view text, ruv::Colour colour) override {
        ++lines;
        bytes += text.size() + (colour.rgb & 1u);
    }
    void addDayGain(std::int64_t amount, std::string_view) override { dayGain += amount; }
    void unreadableGain(std::string_view) override { ++unreadable; }

    std::int64_t lines = 0;
    std::size_t bytes = 0;
    std::int64_t dayGain = 0;
    std::int64_t unreadable = 0;
};

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Runs grep as a process; the matching line count it prints, or -1.
long grepCount(const std::filesystem::path& path) {
    const std::string command =
        "LC_ALL=C grep -c -F -e ' <font size=\"2\" color=\"#f7b73c\">' "
        "-e ' <font size=\"2\" color=\"#ff64ff\">' '" +
        path.string() + "'";
    std::FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return -1;
    }
    long count = -1;
    if (std::fscanf(pipe, "%ld", &count) != 1) {
        count = -1;
    }
    return ::pclose(pipe) == 0 ? count : -1;
}

// Each iteration times grep and then the sort (reading the file included);
// the sort's time is the iteration time, the ratio compares the two.
void BM_SortVersusGrep(benchmark::State& state) {
    const GeneratedLogFile& file = logFile();
    double grepSeconds = 0;
    double sortSeconds = 0;
    std::int64_t shown = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        const long matches = grepCount(file.path());
        grepSeconds += secondsSince(start);
        if (matches <= 0) {
            state.SkipWithError("grep did not run or matched nothing");
            return;
        }

        start = std::chrono::steady_clock::now();
        ruv::PastLogBytes read = ruv::readPastLog(file.path());
        CountingSink sink;
        ruv::PastLogSort sort(std::move(read.bytes));
        sort.runToEnd(sink);
        const double seconds = secondsSince(start);
        sortSeconds += seconds;
        state.SetIterationTime(seconds);
        benchmark::DoNotOptimize(sink.bytes);
        shown = sink.lines;
    }
    const double megabytes = static_cast<double>(file.size()) / 1e6;
    const double iterations = static_cast<double>(state.iterations());
    state.counters["sort_MB/s"] = megabytes * iterations / sortSeconds;
    state.counters["grep_MB/s"] = megabytes * iterations / grepSeconds;
    state.counters["sort/grep"] = sortSeconds / grepSeconds;
    state.counters["appends"] = static_cast<double>(shown);
}
BENCHMARK(BM_SortVersusGrep)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(8);

// The sort alone, the log already in memory.
void BM_SortInMemory(benchmark::State& state) {
    const std::string bytes = ruv::readPastLog(logFile().path()).bytes;
    for (auto _ : state) {
        state.PauseTiming();
        std::string copy = bytes;
        state.ResumeTiming();
        CountingSink sink;
        ruv::PastLogSort sort(std::move(copy));
        sort.runToEnd(sink);
        benchmark::DoNotOptimize(sink.bytes);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(BM_SortInMemory)->Unit(benchmark::kMillisecond)->Iterations(8);

}  // namespace
