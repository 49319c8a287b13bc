// The search over a year of daily logs, against `grep -F -c` over the same
// files in the same run, for a rare text and a common one. The logs are
// generated once into a folder under the temporary folder and kept for later
// runs; RUVIVUVAZ_SEARCH_BENCH_DAYS sets how many days (365 by default, about
// 1.5 GB; check the free space first).

#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "core/platform/shared_file.h"
#include "core/search/candidate_lines.h"
#include "core/search/log_search.h"
#include "core/text/cp932.h"
#include "loggen/log_generator.h"

#ifdef RUVIVUVAZ_BENCH_SHELL
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>

#include "shell/search/search_results_model.h"
#include "shell/search/search_window.h"
#endif

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kDayBytes = 4'100'000;
// Planted in one day of 30: what a player looks for a week later.
constexpr const char* kRareText = "秘密の合言葉";
constexpr const char* kCommonText = "こんばんは";

int dayCount() {
    const char* days = std::getenv("RUVIVUVAZ_SEARCH_BENCH_DAYS");
    const int count = days != nullptr ? std::atoi(days) : 365;
    return count > 0 ? count : 365;
}

std::string cp932Of(const char* utf8) {
    return ruv::cp932::fromUtf8(utf8).value();
}

// The folder of generated logs, made on first use; a marker file tells a
// complete folder from one a run stopped writing.
const fs::path& logFolder() {
    static const fs::path folder = [] {
        const int days = dayCount();
        const fs::path path =
            fs::temp_directory_path() / ("ruvivuvaz_search_bench_" + std::to_string(days));
        const fs::path done = path / "complete";
        if (fs::exists(done)) {
            return path;
        }
        fs::create_directories(path);
        std::chrono::sys_days day = std::chrono::year{2023} / 1 / 1;
        for (int i = 0; i < days; ++i, day += std::chrono::days{1}) {
            const std::chrono::year_month_day date{day};
            const ruv::loggen::LogDate logDate{static_cast<int>(date.year()),
                                               static_cast<int>(unsigned(date.month())),
                                               static_cast<int>(unsigned(date.day()))};
            ruv::loggen::LogGenerator generator(static_cast<std::uint64_t>(i) + 1, logDate);
            std::string bytes = generator.generate(kDayBytes);
            if (i % 30 == 7) {
                bytes += generator
                             .makeLine(ruv::colours::kWhis, ruv::loggen::TagBlockForm::BlankBefore,
                                       cp932Of("ミカ : ") + cp932Of(kRareText))
                             .bytes +
                         "\n";
            }
            std::ofstream(path / ruv::dailyLogName(logDate.year, logDate.month, logDate.day),
                          std::ios::binary)
                << bytes;
        }
        std::ofstream(done) << days << "\n";
        return path;
    }();
    return folder;
}

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// grep -F -c over every daily log; the total of its counts, or -1.
long grepCount(const std::string& text) {
    const fs::path pattern = logFolder() / "pattern";
    std::ofstream(pattern, std::ios::binary) << text << "\n";
    const std::string command =
        "cd '" + logFolder().string() + "' && LC_ALL=C grep -F -c -f pattern MHChatLog_*.html";
    std::FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return -1;
    }
    long total = 0;
    char line[512];
    while (std::fgets(line, sizeof line, pipe) != nullptr) {
        const char* colon = std::strrchr(line, ':');
        total += colon != nullptr ? std::atol(colon + 1) : 0;
    }
    const int status = ::pclose(pipe);
    return status == 0 || total == 0 ? total : -1;
}

class CountingListener final : public ruv::SearchListener {
  public:
    void started(ruv::SearchProgress) override {}
    void dayHits(ruv::CivilDate, std::span<const ruv::SearchHit> hits) override {
        for (const ruv::SearchHit& hit : hits) {
            bytes += hit.display.size();
        }
    }
    void dayDone(ruv::CivilDate, std::int64_t) override {}
    void daySkipped(const ruv::SkippedDay&) override { ++skipped; }
    void progressed(ruv::SearchProgress) override {}
    void finished(const ruv::SearchSummary& done) override { summary = done; }

    std::size_t bytes = 0;
    int skipped = 0;
    ruv::SearchSummary summary;
};

double peakMegabytes() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

std::uintmax_t folderBytes() {
    std::uintmax_t total = 0;
    for (const auto& entry : fs::directory_iterator(logFolder())) {
        total += entry.path().extension() == ".html" ? entry.file_size() : 0;
    }
    return total;
}

// Each iteration runs grep, then the search (warm cache for both after the
// first); the search's time is the iteration time.
void searchVersusGrep(benchmark::State& state, const char* utf8Text) {
    const std::string text = cp932Of(utf8Text);
    double grepSeconds = 0;
    double searchSeconds = 0;
    long grepLines = 0;
    CountingListener listener;
    grepCount(text);  // generates the logs on first use and warms the cache
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        grepLines = grepCount(text);
        grepSeconds += secondsSince(start);
        if (grepLines < 0) {
            state.SkipWithError("grep did not run");
            return;
        }
        ruv::SearchRun run{logFolder(), {}};
        run.query.text = text;
        std::atomic<bool> cancel{false};
        start = std::chrono::steady_clock::now();
        ruv::runLogSearch(run, listener, cancel);
        const double seconds = secondsSince(start);
        searchSeconds += seconds;
        state.SetIterationTime(seconds);
    }
    const double iterations = static_cast<double>(state.iterations());
    state.counters["days"] = static_cast<double>(listener.summary.daysRead);
    state.counters["GB"] = static_cast<double>(folderBytes()) / 1e9;
    state.counters["matches"] = static_cast<double>(listener.summary.matches);
    state.counters["grep_lines"] = static_cast<double>(grepLines);
    state.counters["grep_ms"] = 1e3 * grepSeconds / iterations;
    state.counters["search/grep"] = searchSeconds / grepSeconds;
    state.counters["peak_MB"] = peakMegabytes();
}

void BM_SearchRareText(benchmark::State& state) {
    searchVersusGrep(state, kRareText);
}
BENCHMARK(BM_SearchRareText)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_SearchCommonText(benchmark::State& state) {
    searchVersusGrep(state, kCommonText);
}
BENCHMARK(BM_SearchCommonText)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

// Where the common text's time goes: reading and the fast byte search alone,
// every candidate line counted but none checked.
void BM_SearchCommonTextCandidatesOnly(benchmark::State& state) {
    const std::string text = cp932Of(kCommonText);
    const ruv::platform::NativeFileOpener files;
    ruv::DayFileReader reader(files);
    const ruv::SearchQuery query;
    const ruv::DailyLogs days = ruv::listDailyLogs(logFolder(), query);
    std::int64_t candidates = 0;
    for (auto _ : state) {
        candidates = 0;
        std::optional<ruv::CandidateLines> lines;
        for (const ruv::DailyLog& log : days.logs) {
            reader.read(
                log.path,
                [&](std::string_view block, ruv::ByteOffset) {
                    if (!lines) {
                        lines.emplace(text, ruv::countBytes(block));
                    }
                    lines->reset(block);
                    while (lines->next()) {
                        ++candidates;
                    }
                },
                [] { return false; });
        }
    }
    state.counters["candidates"] = static_cast<double>(candidates);
}
BENCHMARK(BM_SearchCommonTextCandidatesOnly)->Unit(benchmark::kMillisecond)->Iterations(5);

#ifdef RUVIVUVAZ_BENCH_SHELL
struct ResidentMemory {
    double now = 0;   // MB
    double peak = 0;  // MB, the process's high-water mark
};

ResidentMemory residentMemory() {
    ResidentMemory memory;
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        const auto megabytes = [&](std::string_view field) {
            return line.starts_with(field) ? std::atof(line.c_str() + field.size()) / 1e3 : -1.0;
        };
        memory.now = std::max(memory.now, megabytes("VmRSS:"));
        memory.peak = std::max(memory.peak, megabytes("VmHWM:"));
    }
    return memory;
}
// Lowers the high-water mark to what is resident now (Linux 4.0 and later).
bool resetPeak() {
    std::ofstream clear("/proc/self/clear_refs");
    return static_cast<bool>(clear << "5" << std::flush);
}

// A one-character search over a year of logs in the search window: the
// growth of the process's peak resident memory, the worker's included,
// against a ceiling of 200 MB, and the rows listed against the results found.
void BM_SearchWindowOneCharacterPeakMemory(benchmark::State& state) {
    const ruv::NgLists lists;
    const ruv::RouteSettings settings;
    grepCount(cp932Of(kCommonText));  // generates the logs on first use
    double peakGrowth = 0;
    std::int64_t found = 0;
    std::int64_t listed = 0;
    bool peakReset = false;
    for (auto _ : state) {
        peakReset = resetPeak();
        const double before = residentMemory().now;
        ruv::SearchWindow window({settings, lists, [] { return logFolder(); }, nullptr});
        window.folderEdit()->setText(QString::fromStdString(logFolder().string()));
        window.textEdit()->setText(QStringLiteral("の"));
        window.searchButton()->click();
        while (window.searching()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        }
        peakGrowth = residentMemory().peak - before;
        found = window.results().resultCount();
        listed = window.results().listedCount();
    }
    if (!peakReset) {
        state.SetLabel("peak since the process started");
    }
    state.counters["found"] = static_cast<double>(found);
    state.counters["listed"] = static_cast<double>(listed);
    state.counters["peak_growth_MB"] = peakGrowth;
    state.counters["peak/200MB"] = peakGrowth / 200.0;
}
BENCHMARK(BM_SearchWindowOneCharacterPeakMemory)->Unit(benchmark::kSecond)->Iterations(1);
#endif

}  // namespace
