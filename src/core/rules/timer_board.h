#pragma once
// The running timers, on a clock of whole seconds the owner gives: the wall
// clock in the window, the lines' own time on the command line and in trials.
// Each call reports what happened as events, in time order.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/rules/rule_timer.h"

namespace ruv {

// What a warning or an end does: the rule's sound, phrase and alert, as the
// starting line filled the phrase.
struct TimerAlarm {
    std::string sound;    // UTF-8 path; empty: none
    std::string phrase;   // CP932; empty: none
    std::string speaker;  // CP932, the starting line's speaker
    bool alert = false;

    bool empty() const { return sound.empty() && phrase.empty() && !alert; }
    friend bool operator==(const TimerAlarm&, const TimerAlarm&) = default;
};

struct TimerStart {
    std::string rule;  // the rule's name, UTF-8
    std::string name;  // placeholders filled, UTF-8
    std::int64_t startsAt = 0;
    std::int64_t seconds = 0;
    std::int64_t warnSeconds = 0;
    TimerRepeat repeat = TimerRepeat::Restart;
    TimerAlarm warning;
    TimerAlarm end;
};

struct RunningTimer {
    std::uint64_t id = 0;  // unique in its board
    std::string rule;
    std::string name;
    std::int64_t startsAt = 0;
    std::int64_t endsAt = 0;
    std::int64_t warnSeconds = 0;
    bool warned = false;  // or needs no warning
    TimerAlarm warning;
    TimerAlarm end;

    std::int64_t seconds() const { return endsAt - startsAt; }
    std::int64_t warnsAt() const { return endsAt - warnSeconds; }
    friend bool operator==(const RunningTimer&, const RunningTimer&) = default;
};

enum class TimerStep { Started, Restarted, Ignored, TooOld, Warned, Ended, Stopped };

struct TimerEvent {
    TimerStep step = TimerStep::Started;
    std::int64_t at = 0;  // when, on the board's clock
    RunningTimer timer;   // as it was then
};

class TimerBoard {
  public:
    // Runs what is due by now first. A start whose end is not after now never
    // runs (TooOld); a warning already past when it starts is not given.
    void start(const TimerStart& start, std::int64_t now, std::vector<TimerEvent>& events);
    // Ends the rule's timers at once.
    void stopRule(std::string_view rule, std::int64_t now, std::vector<TimerEvent>& events);
    // Ends one timer at once; false when it no longer runs.
    bool stop(std::uint64_t id, std::int64_t now, std::vector<TimerEvent>& events);
    // Warnings and ends due by now, in time order.
    void advance(std::int64_t now, std::vector<TimerEvent>& events);
    // A timer kept from an earlier run, as it was.
    void restore(RunningTimer timer);

    // In the order they started.
    const std::vector<RunningTimer>& running() const noexcept { return running_; }
    // The next moment a warning or an end falls due.
    std::optional<std::int64_t> nextDue() const;

  private:
    std::vector<RunningTimer> running_;
    std::uint64_t nextId_ = 1;
};

}  // namespace ruv
