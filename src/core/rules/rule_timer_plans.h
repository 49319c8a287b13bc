#pragma once
// The timers of a rule set made ready for lines: each timer's name in CP932,
// the expression that reads its length from a match, and its stop pattern.
// Where the timers a line starts or stops go is the RuleTimerSink port.

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/rules/rule_matcher.h"
#include "core/rules/timer_board.h"
#include "core/rules/timer_duration.h"

namespace ruv {

class RuleTimerSink {
  public:
    virtual ~RuleTimerSink() = default;
    // Whether any timer runs: stop patterns are looked for only then.
    virtual bool timersRunning() const = 0;
    // start.startsAt is left for the sink to set from the line's stamp.
    virtual void startTimer(const TimerStart& start, std::string_view stamp) = 0;
    virtual void stopTimers(std::string_view rule, std::string_view stamp) = 0;
    // A length the line gave that cannot be a timer's (UTF-8), once per rule
    // while the rules stay the same.
    virtual void refuseTimer(std::string_view rule, std::string_view reason) = 0;
};

class RuleTimerPlans {
  public:
    RuleTimerPlans();
    ~RuleTimerPlans();
    RuleTimerPlans(RuleTimerPlans&&) noexcept;
    RuleTimerPlans& operator=(RuleTimerPlans&&) noexcept;

    // Timers that cannot run are left out and reported as the rule's problem.
    void compile(const RuleSet& rules, std::vector<RuleProblem>& problems);
    // The problem of one rule's timer alone; empty when it can run.
    static std::optional<std::string> problemOf(const NotificationRule& rule);

    bool any() const noexcept { return !byRule_.empty() && count_ > 0; }
    bool hasStops() const noexcept { return !stops_.empty(); }
    bool startsFrom(std::size_t rule, bool tidied) const;
    // The rules whose stop pattern the line holds, in the line's scope.
    void stopsIn(const RuleLineText& line, bool tidied, std::vector<std::size_t>& rules) const;
    // The timer a hit of the rule starts; empty with a reason (UTF-8) when its
    // length cannot be read from the line. Texts CP932 but textUtf8.
    struct Hit {
        std::string_view speaker;
        std::string_view text;
        std::string_view channel;
        std::string_view textUtf8;  // as the rule matched it
        std::string_view phrase;    // the rule's phrase, filled
    };
    std::optional<TimerStart> startOf(std::size_t rule, const NotificationRule& ruleText,
                                      const Hit& hit, std::string& reason) const;
    // Whether a refusal of the rule is still to be said; marks it said.
    bool firstRefusal(std::size_t rule);

  private:
    struct Plan;
    std::vector<std::unique_ptr<Plan>> byRule_;  // null: no timer
    std::vector<std::size_t> stops_;             // rules with a stop pattern
    std::size_t count_ = 0;
};

}  // namespace ruv
