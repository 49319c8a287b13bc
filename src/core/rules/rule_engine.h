#pragma once
// Rules applied to routed lines: which rules match a line, which of them fire
// (cooldown counted in the lines' own time), the line's background (the first
// rule with a colour), and what to play, speak and flash: each distinct sound
// once per line, phrases with {speaker}, {text} and {channel} replaced.

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/rules/line_time.h"
#include "core/rules/rule_matcher.h"
#include "core/rules/rule_timer_plans.h"

namespace ruv {

enum class Fired { No, Yes };

struct RuleHit {
    std::size_t rule = 0;  // index in the rule set
    Fired fired = Fired::No;
};

struct RulePhrase {
    std::string phrase;   // CP932
    std::string speaker;  // CP932, empty when none
    SpeechPriority priority = SpeechPriority::Normal;
};

// What rules decided for one line. Buffers are reused from line to line.
struct RuleOutcome {
    std::vector<RuleHit> hits;  // in the set's order
    std::optional<Colour> background;
    // UTF-8 paths, distinct, in order; valid until the rules change.
    std::vector<std::string_view> sounds;
    std::vector<RulePhrase> phrases;
    bool alert = false;

    void clear();
    bool firesAnything() const { return !sounds.empty() || !phrases.empty() || alert; }
};

// Whether a line may fire actions: tidied lines are only coloured.
enum class LineUse { Live, ColourOnly };

class RuleEngine {
  public:
    RuleEngine();

    // Compiles the set; rules with a problem are left out and returned.
    // Cooldowns start afresh.
    std::vector<RuleProblem> setRules(const RuleSet& rules);
    const RuleSet& rules() const noexcept { return rules_; }
    bool empty() const noexcept { return matcher_.empty(); }

    // display: the line's CP932 display text (stamp and body); channel: its
    // own marker's. Live lines advance the line clock and the cooldowns.
    const RuleOutcome& apply(std::string_view display, std::optional<ChatChannel> channel,
                             LineUse use);
    // The same, with the display text's stamp and body apart (routing has them
    // as views into the raw line, so nothing is copied).
    const RuleOutcome& apply(std::string_view stamp, std::string_view body,
                             std::optional<ChatChannel> channel, LineUse use);
    // A line that matches no rule (held back by the NG lists): the outcome is
    // empty and its stamp still moves the line clock.
    void passOver(std::string_view display);
    // What the last line applied or passed over gave.
    const RuleOutcome& outcome() const noexcept { return outcome_; }
    // The UTF-8 text (without its stamp) of the last line, while its outcome
    // holds a hit.
    std::string_view hitTextUtf8() const noexcept { return line_.body; }

    // A new log is followed: cooldowns and the line clock start afresh.
    void restart();

    // Where the timers of the rules go; null: no timer starts.
    void sendTimersTo(RuleTimerSink* sink) noexcept { timerSink_ = sink; }

  private:
    void fire(const NotificationRule& rule, std::string_view phrase, std::string_view speakerCp932,
              std::string_view textCp932, std::optional<ChatChannel> channel);
    void stopTimers(std::string_view stamp, LineUse use);
    void startTimer(std::size_t rule, std::string_view stamp, const RuleTimerPlans::Hit& hit);

    RuleSet rules_;
    // Each rule's phrase in CP932 (empty for a rule that cannot run).
    std::vector<std::string> phrases_;
    RuleMatcher matcher_;
    // Per rule: when it last fired, by the line clock.
    std::vector<std::optional<LineSeconds>> lastFired_;
    LineClock clock_;
    RuleLineUtf8 line_;
    std::vector<std::size_t> matched_;
    RuleCandidates candidates_;
    RuleOutcome outcome_;
    RuleTimerPlans timers_;
    RuleTimerSink* timerSink_ = nullptr;
    std::vector<std::size_t> stopped_;
};

// A phrase with {speaker}, {text} and {channel} replaced; CP932 in and out.
std::string fillPhrase(std::string_view phrase, std::string_view speaker, std::string_view text,
                       std::string_view channel);

}  // namespace ruv
