#pragma once
// Timers run on the lines' own time, for a log read from its start (the
// command line, trials): each stamp is read as the moment nearest the line
// before it, so a log that passes midnight moves on to the next day. What
// starts and ends is kept as events for the caller to take.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/rules/rule_timer_plans.h"
#include "core/rules/wall_time.h"

namespace ruv {

class LineTimeTimers final : public RuleTimerSink {
  public:
    // start: the moment the first stamp is read against.
    explicit LineTimeTimers(WallSeconds start) : now_(start) {}

    // A line is about to be routed: its stamp moves the clock on, and what
    // falls due by then becomes events.
    void lineRead(std::string_view stamp);
    // The log has ended: every running timer ends, in time order.
    void finish();

    bool timersRunning() const override { return !board_.running().empty(); }
    void startTimer(const TimerStart& start, std::string_view stamp) override;
    void stopTimers(std::string_view rule, std::string_view stamp) override;
    void refuseTimer(std::string_view rule, std::string_view reason) override;

    std::vector<TimerEvent>& events() noexcept { return events_; }
    // (rule, reason) of each refusal, UTF-8.
    const std::vector<std::pair<std::string, std::string>>& refusals() const noexcept {
        return refusals_;
    }

  private:
    WallSeconds now_;
    TimerBoard board_;
    std::vector<TimerEvent> events_;
    std::vector<std::pair<std::string, std::string>> refusals_;
};

}  // namespace ruv
