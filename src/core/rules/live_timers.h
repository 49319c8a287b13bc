#pragma once
// The timers rules start while the program runs: by the wall clock from each
// line's stamp, so a line read late starts its timer already advanced. A
// warning or an end rings the starting rule's actions through TimerAlarms.
// Running timers are kept in ruvivuvaz_timers.json over a restart.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/platform/clock.h"
#include "core/platform/error_log.h"
#include "core/platform/timer.h"
#include "core/rules/rule_timer_plans.h"
#include "core/rules/wall_time.h"

namespace ruv {

class TimerAlarms {
  public:
    virtual ~TimerAlarms() = default;
    virtual void ringTimer(const TimerAlarm& alarm) = 0;
};

// Told when a timer starts, restarts or ends, for lists and overlays.
class TimerNotices {
  public:
    virtual ~TimerNotices() = default;
    virtual void timersChanged() = 0;
};

struct LiveTimerPorts {
    const platform::Clock& clock;
    platform::Timers& timers;
    TimerAlarms& alarms;
    platform::ErrorLog& errors;
};

class LiveRuleTimers final : public RuleTimerSink {
  public:
    explicit LiveRuleTimers(LiveTimerPorts ports);
    ~LiveRuleTimers() override;
    LiveRuleTimers(const LiveRuleTimers&) = delete;
    LiveRuleTimers& operator=(const LiveRuleTimers&) = delete;

    void notify(TimerNotices* notices) noexcept { notices_ = notices; }

    bool timersRunning() const override { return !board_.running().empty(); }
    void startTimer(const TimerStart& start, std::string_view stamp) override;
    void stopTimers(std::string_view rule, std::string_view stamp) override;
    void refuseTimer(std::string_view rule, std::string_view reason) override;

    // The player stops one (the list's button); false when it had ended.
    bool stop(std::uint64_t id);
    // Moments are WallSeconds.
    const std::vector<RunningTimer>& running() const noexcept { return board_.running(); }
    WallSeconds now() const { return wallSecondsOf(clock_.now()); }

    // At start-up: the timers kept in the folder's file that still run. A
    // file that cannot be read gives none and one error-log line.
    void load(const std::filesystem::path& folder);
    // At exit: writes the running timers when they differ from what the file
    // held (removing the file when none runs). Throws std::system_error.
    void save(const std::filesystem::path& folder) const;

  private:
    void carryOut(std::vector<TimerEvent>& events);
    void schedule();

    const platform::Clock& clock_;
    TimerAlarms& alarms_;
    platform::ErrorLog& errors_;
    TimerNotices* notices_ = nullptr;
    TimerBoard board_;
    std::unique_ptr<platform::Timer> due_;
    std::vector<TimerEvent> events_;
    std::string fileText_;  // as loaded; empty when there was no file
};

}  // namespace ruv
