#pragma once
// The search over every daily log of a folder: newest day first, one file at
// a time in bounded blocks, results streamed per day, progress in days, a
// cancel that takes effect within one block, and unreadable or foreign files
// reported as skipped days while the search goes on.
//
// LogSearch runs it on a worker thread; its listener is called on that
// thread, so a window hands each call on to its own thread. runLogSearch runs
// it on the calling thread.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <system_error>
#include <thread>
#include <vector>

#include "core/search/day_file_reader.h"
#include "core/search/line_match.h"
#include "core/search/log_day.h"
#include "core/search/search_query.h"

namespace ruv {

struct DailyLog {
    CivilDate day;
    std::filesystem::path path;
};

struct DailyLogs {
    std::vector<DailyLog> logs;  // newest day first
    std::int64_t inFolder = 0;   // every daily log of the folder, covered or not
    std::error_code error;       // the folder could not be listed
};

// The daily logs of a folder (not its subfolders) whose day the query covers.
DailyLogs listDailyLogs(const std::filesystem::path& folder, const SearchQuery& query);

enum class SkipReason { CannotRead, NotAChatLog };

struct SkippedDay {
    CivilDate day;
    std::filesystem::path path;
    SkipReason reason;
    std::error_code error;  // for CannotRead
};

struct SearchProgress {
    std::int64_t daysDone = 0;  // read or skipped
    std::int64_t daysToRead = 0;
};

enum class SearchEnd { Completed, Cancelled, FolderUnreadable };

struct SearchSummary {
    SearchEnd end = SearchEnd::Completed;
    std::error_code folderError;
    std::int64_t matches = 0;
    std::int64_t daysWithMatches = 0;
    std::int64_t daysRead = 0;
    std::int64_t daysSkipped = 0;
    std::int64_t daysUnreadable = 0;     // of the skipped days, those that could not be read
    std::int64_t dailyLogsInFolder = 0;  // whatever days the query covers
    std::int64_t linesLeftOutByNg = 0;   // lines that matched but the NG lists left out
    std::chrono::nanoseconds elapsed{};
};

class SearchListener {
  public:
    virtual ~SearchListener() = default;

    // The days to read are known; nothing is read yet.
    virtual void started(SearchProgress progress) = 0;
    // Some of a day's results, in file order; a day's results come in one or
    // more calls, before its dayDone, and days come newest first.
    virtual void dayHits(CivilDate day, std::span<const SearchHit> hits) = 0;
    // A day read to its end, with its number of results (0 included).
    virtual void dayDone(CivilDate day, std::int64_t matches) = 0;
    virtual void daySkipped(const SkippedDay& skipped) = 0;
    // After each day read or skipped.
    virtual void progressed(SearchProgress progress) = 0;
    // Always the last call, also after a cancel or when the folder can't be read.
    virtual void finished(const SearchSummary& summary) = 0;
};

struct SearchRun {
    std::filesystem::path folder;
    SearchQuery query;
    std::size_t blockBytes = kSearchBlockBytes;
};

// Runs the whole search on the calling thread; cancel may be set from any
// thread (or from the listener).
SearchSummary runLogSearch(const SearchRun& run, SearchListener& listener,
                           const std::atomic<bool>& cancel);

// One search on a worker thread at a time. A read of a daily log can block in
// the system (a hung network share) where no cancel reaches it, so nothing
// here ever waits for a search unless asked to: a search left behind is
// abandoned, holding its own shares of its run and listener, and its calls
// after that are its listener's to ignore.
class LogSearch {
  public:
    LogSearch() = default;
    // Cancels and abandons a search still running.
    ~LogSearch();
    LogSearch(const LogSearch&) = delete;
    LogSearch& operator=(const LogSearch&) = delete;

    // Cancels and abandons the search before, then starts this one.
    void start(SearchRun run, std::shared_ptr<SearchListener> listener);
    // Asks the running search to stop; its finished call follows within one
    // block of reading, once a blocked read returns.
    void cancel() noexcept;
    // Cancels the running search and lets it end on its own.
    void abandon() noexcept;
    // Waits until the search has ended (the command line, which has nothing
    // else to do).
    void wait();

  private:
    std::shared_ptr<std::atomic<bool>> cancel_;
    std::thread worker_;
};

}  // namespace ruv
