#include "core/search/log_search.h"

#include <algorithm>
#include <optional>

#include "core/platform/shared_file.h"
#include "core/search/candidate_lines.h"

namespace ruv {

DailyLogs listDailyLogs(const std::filesystem::path& folder, const SearchQuery& query) {
    DailyLogs found;
    std::error_code error;
    std::filesystem::directory_iterator entries(folder, error);
    for (; !error && entries != std::filesystem::directory_iterator(); entries.increment(error)) {
        const std::u8string name = entries->path().filename().u8string();
        const auto day =
            dayOfLogName(std::string_view(reinterpret_cast<const char*>(name.data()), name.size()));
        found.inFolder += day ? 1 : 0;
        if (day && query.coversDay(*day)) {
            found.logs.push_back({*day, entries->path()});
        }
    }
    if (error) {
        found.logs.clear();
        found.error = error;
        found.inFolder = 0;
        return found;
    }
    std::ranges::sort(found.logs,
                      [](const DailyLog& a, const DailyLog& b) { return a.day > b.day; });
    return found;
}

namespace {

// One day's file: candidate lines from the fast search, each checked in full.
class DaySearch {
  public:
    DaySearch(const SearchQuery& query, SearchListener& listener)
        : query_(query), matcher_(query), listener_(listener) {}

    std::int64_t searchLines(CivilDate day, std::string_view lines, ByteOffset blockStart) {
        if (!candidates_) {
            // The rarest byte is judged by the newest log's own text.
            candidates_.emplace(query_.text, countBytes(lines));
        }
        hits_.clear();
        candidates_->reset(lines);
        while (const auto line = candidates_->next()) {
            if (auto hit = matcher_.match(lines.substr(line->start, line->end - line->start))) {
                hit->lineStart = blockStart + ByteOffset{static_cast<std::int64_t>(line->start)};
                hits_.push_back(std::move(*hit));
            }
        }
        if (!hits_.empty()) {
            listener_.dayHits(day, hits_);
        }
        return static_cast<std::int64_t>(hits_.size());
    }
    std::int64_t leftOutByNg() const noexcept { return matcher_.leftOutByNg(); }

  private:
    const SearchQuery& query_;
    LineMatcher matcher_;
    SearchListener& listener_;
    std::optional<CandidateLines> candidates_;
    std::vector<SearchHit> hits_;
};

}  // namespace

SearchSummary runLogSearch(const SearchRun& run, SearchListener& listener,
                           const std::atomic<bool>& cancel) {
    const auto began = std::chrono::steady_clock::now();
    SearchSummary summary;
    std::optional<DaySearch> search;
    const auto finish = [&](SearchEnd end) {
        summary.end = end;
        summary.linesLeftOutByNg = search ? search->leftOutByNg() : 0;
        summary.elapsed = std::chrono::steady_clock::now() - began;
        listener.finished(summary);
        return summary;
    };
    const DailyLogs days = listDailyLogs(run.folder, run.query);
    if (days.error) {
        summary.folderError = days.error;
        return finish(SearchEnd::FolderUnreadable);
    }
    summary.dailyLogsInFolder = days.inFolder;
    SearchProgress progress{0, static_cast<std::int64_t>(days.logs.size())};
    listener.started(progress);
    if (run.query.text.empty()) {
        return finish(SearchEnd::Completed);
    }
    const platform::NativeFileOpener files;
    DayFileReader reader(files, run.blockBytes);
    search.emplace(run.query, listener);
    const auto cancelled = [&cancel] { return cancel.load(std::memory_order_relaxed); };
    for (const DailyLog& log : days.logs) {
        std::int64_t matches = 0;
        const DayFileOutcome outcome = reader.read(
            log.path,
            [&](std::string_view lines, ByteOffset blockStart) {
                matches += search->searchLines(log.day, lines, blockStart);
            },
            cancelled);
        if (outcome.end == DayFileEnd::Cancelled) {
            return finish(SearchEnd::Cancelled);
        }
        // Hits of a day that failed part-way were handed on: they count too.
        summary.matches += matches;
        summary.daysWithMatches += matches > 0 ? 1 : 0;
        if (outcome.end == DayFileEnd::Read) {
            ++summary.daysRead;
            listener.dayDone(log.day, matches);
        } else {
            ++summary.daysSkipped;
            summary.daysUnreadable += outcome.end == DayFileEnd::CannotRead ? 1 : 0;
            listener.daySkipped({log.day, log.path,
                                 outcome.end == DayFileEnd::NotAChatLog ? SkipReason::NotAChatLog
                                                                        : SkipReason::CannotRead,
                                 outcome.error});
        }
        ++progress.daysDone;
        listener.progressed(progress);
    }
    return finish(SearchEnd::Completed);
}

LogSearch::~LogSearch() {
    abandon();
}

void LogSearch::start(SearchRun run, std::shared_ptr<SearchListener> listener) {
    abandon();
    cancel_ = std::make_shared<std::atomic<bool>>(false);
    // The worker owns a share of everything it touches, so it may outlive
    // this object when a read blocks in the system.
    worker_ = std::thread([cancel = cancel_, run = std::move(run), listener = std::move(listener)] {
        runLogSearch(run, *listener, *cancel);
    });
}

void LogSearch::cancel() noexcept {
    if (cancel_) {
        *cancel_ = true;
    }
}

void LogSearch::abandon() noexcept {
    cancel();
    if (worker_.joinable()) {
        worker_.detach();
    }
}

void LogSearch::wait() {
    if (worker_.joinable()) {
        worker_.join();
    }
}

}  // namespace ruv
