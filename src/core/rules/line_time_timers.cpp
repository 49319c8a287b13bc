#include "core/rules/line_time_timers.h"

#include <algorithm>

namespace ruv {

void LineTimeTimers::lineRead(std::string_view stamp) {
    now_ = std::max(now_, stampMoment(stamp, localTimeOf(now_)));
    board_.advance(now_.value, events_);
}

void LineTimeTimers::finish() {
    if (const std::optional<std::int64_t> last = [&]() -> std::optional<std::int64_t> {
            std::optional<std::int64_t> latest;
            for (const RunningTimer& timer : board_.running()) {
                latest = std::max(latest.value_or(timer.endsAt), timer.endsAt);
            }
            return latest;
        }()) {
        board_.advance(*last, events_);
    }
}

void LineTimeTimers::startTimer(const TimerStart& start, std::string_view stamp) {
    TimerStart timed = start;
    timed.startsAt = stampMoment(stamp, localTimeOf(now_)).value;
    board_.start(timed, now_.value, events_);
}

void LineTimeTimers::stopTimers(std::string_view rule, std::string_view) {
    board_.stopRule(rule, now_.value, events_);
}

void LineTimeTimers::refuseTimer(std::string_view rule, std::string_view reason) {
    refusals_.emplace_back(rule, reason);
}

}  // namespace ruv
