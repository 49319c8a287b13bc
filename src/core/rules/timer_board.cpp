#include "core/rules/timer_board.h"

#include <algorithm>

namespace ruv {

namespace {

std::int64_t dueOf(const RunningTimer& timer) {
    return timer.warned ? timer.endsAt : timer.warnsAt();
}

void settle(RunningTimer& timer, std::int64_t now) {
    timer.warned =
        timer.warnSeconds <= 0 || timer.warnSeconds >= timer.seconds() || timer.warnsAt() <= now;
}

}  // namespace

void TimerBoard::start(const TimerStart& start, std::int64_t now, std::vector<TimerEvent>& events) {
    advance(now, events);
    RunningTimer timer{0,
                       start.rule,
                       start.name,
                       start.startsAt,
                       start.startsAt + start.seconds,
                       start.warnSeconds,
                       false,
                       start.warning,
                       start.end};
    if (timer.endsAt <= now) {
        events.push_back(TimerEvent{TimerStep::TooOld, now, std::move(timer)});
        return;
    }
    settle(timer, now);
    if (start.repeat != TimerRepeat::Second) {
        const auto same = std::find_if(running_.begin(), running_.end(), [&](const auto& t) {
            return t.rule == start.rule && t.name == start.name;
        });
        if (same != running_.end()) {
            if (start.repeat == TimerRepeat::Ignore) {
                events.push_back(TimerEvent{TimerStep::Ignored, now, *same});
                return;
            }
            timer.id = same->id;
            *same = timer;
            events.push_back(TimerEvent{TimerStep::Restarted, now, timer});
            return;
        }
    }
    timer.id = nextId_++;
    running_.push_back(timer);
    events.push_back(TimerEvent{TimerStep::Started, now, std::move(timer)});
}

void TimerBoard::stopRule(std::string_view rule, std::int64_t now,
                          std::vector<TimerEvent>& events) {
    advance(now, events);
    std::erase_if(running_, [&](const RunningTimer& timer) {
        if (timer.rule != rule) {
            return false;
        }
        events.push_back(TimerEvent{TimerStep::Stopped, now, timer});
        return true;
    });
}

bool TimerBoard::stop(std::uint64_t id, std::int64_t now, std::vector<TimerEvent>& events) {
    advance(now, events);
    const auto it = std::find_if(running_.begin(), running_.end(),
                                 [&](const RunningTimer& timer) { return timer.id == id; });
    if (it == running_.end()) {
        return false;
    }
    events.push_back(TimerEvent{TimerStep::Stopped, now, *it});
    running_.erase(it);
    return true;
}

void TimerBoard::advance(std::int64_t now, std::vector<TimerEvent>& events) {
    for (;;) {
        const auto first = std::min_element(
            running_.begin(), running_.end(),
            [](const RunningTimer& a, const RunningTimer& b) { return dueOf(a) < dueOf(b); });
        if (first == running_.end() || dueOf(*first) > now) {
            return;
        }
        if (!first->warned) {
            first->warned = true;
            events.push_back(TimerEvent{TimerStep::Warned, first->warnsAt(), *first});
        } else {
            events.push_back(TimerEvent{TimerStep::Ended, first->endsAt, *first});
            running_.erase(first);
        }
    }
}

void TimerBoard::restore(RunningTimer timer) {
    timer.id = nextId_++;
    running_.push_back(std::move(timer));
}

std::optional<std::int64_t> TimerBoard::nextDue() const {
    std::optional<std::int64_t> due;
    for (const RunningTimer& timer : running_) {
        if (!due || dueOf(timer) < *due) {
            due = dueOf(timer);
        }
    }
    return due;
}

}  // namespace ruv
