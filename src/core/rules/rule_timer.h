#pragma once
// A rule's timer as the rules file keeps it: started by a line the rule fires
// on, named from the line, with a warning before its end and an end, each
// doing some of the rule's own actions.

#include <cstdint>
#include <optional>
#include <string>

namespace ruv {

// What a new hit does while a timer of the same name runs.
enum class TimerRepeat { Restart, Ignore, Second };

// Which of the rule's actions a warning or an end does (those the rule has).
struct TimerAlarmUse {
    bool sound = true;
    bool speak = true;
    bool alert = true;

    friend bool operator==(const TimerAlarmUse&, const TimerAlarmUse&) = default;
};

struct RuleTimer {
    std::string name;  // UTF-8, with {speaker}, {text}, {channel}
    // Fixed; empty: read from the first capture group of the rule's match.
    std::optional<std::int64_t> seconds;
    std::int64_t warnSeconds = 0;  // before the end; 0: no warning
    TimerAlarmUse atWarning;
    TimerAlarmUse atEnd;
    TimerRepeat repeat = TimerRepeat::Restart;
    // A pattern of the rule's kind and letter case, in the rule's channels,
    // that ends the rule's running timers; empty: none.
    std::string stop;
    // Whether tidied lines start and stop it (they are only coloured otherwise).
    bool tidiedLines = false;

    friend bool operator==(const RuleTimer&, const RuleTimer&) = default;
};

}  // namespace ruv
