#pragma once
// Rules tried on past logs before they are used: every rule over the lines of
// some daily logs, read with the past-log search's day reader, each rule timed
// on its own so a slow one is plain to see. RuleTrial runs it on a worker
// thread and calls its listener on that thread; runRuleTrial runs it on the
// calling thread.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "core/rules/notification_rule.h"
#include "core/search/log_search.h"

namespace ruv {

// The daily logs of a folder for the `days` days up to and including today,
// newest first.
DailyLogs recentDailyLogs(const std::filesystem::path& folder, CivilDate today, int days);

struct RuleTrialRun {
    RuleSet rules;
    std::vector<DailyLog> logs;   // read in this order
    std::size_t sampleLines = 5;  // lines kept per rule
    std::size_t blockBytes = kSearchBlockBytes;
};

struct RuleTrialSample {
    CivilDate day;
    std::string display;  // CP932: stamp and body, as the views show it
};

struct RuleTrialResult {
    std::int64_t hits = 0;
    // The timers it would start (a restart counts), each day on its own lines' time.
    std::int64_t timers = 0;
    std::vector<RuleTrialSample> firstLines;
    std::chrono::nanoseconds matchTime{};  // this rule alone, over every line
    std::optional<std::string> problem;    // a rule that cannot run (UTF-8)
};

struct RuleTrialProgress {
    std::int64_t daysDone = 0;  // read or skipped
    std::int64_t daysToRead = 0;
};

enum class RuleTrialEnd { Completed, Cancelled };

struct RuleTrialReport {
    RuleTrialEnd end = RuleTrialEnd::Completed;
    std::vector<RuleTrialResult> rules;  // by index in the run's set
    std::int64_t lines = 0;              // lines with a channel, over all days read
    std::int64_t daysRead = 0;
    // Cancelled inside a day after some of its lines were tried: they are in
    // lines, the day is not in daysRead.
    bool stoppedPartWay = false;
    std::vector<SkippedDay> skipped;

    // The time a rule costs per thousand lines; 0 before any line.
    std::chrono::nanoseconds costPerThousandLines(std::size_t rule) const;
};

class RuleTrialListener {
  public:
    virtual ~RuleTrialListener() = default;
    // After each day read or skipped.
    virtual void progressed(RuleTrialProgress progress) = 0;
    // Always the last call, after a cancel too.
    virtual void finished(const RuleTrialReport& report) = 0;
};

// cancel may be set from any thread; it takes effect within one block.
RuleTrialReport runRuleTrial(const RuleTrialRun& run, RuleTrialListener& listener,
                             const std::atomic<bool>& cancel);

// One trial on a worker thread at a time.
class RuleTrial {
  public:
    RuleTrial() = default;
    // Cancels a trial still running and waits for it.
    ~RuleTrial();
    RuleTrial(const RuleTrial&) = delete;
    RuleTrial& operator=(const RuleTrial&) = delete;

    // Cancels and waits for the trial before, then starts this one. The
    // listener must outlive the trial (until finished or wait returns).
    void start(RuleTrialRun run, RuleTrialListener& listener);
    void cancel() noexcept { cancel_ = true; }
    void wait();

  private:
    std::atomic<bool> cancel_{false};
    std::thread worker_;
};

}  // namespace ruv
