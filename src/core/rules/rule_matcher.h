#pragma once
// The enabled rules of a set compiled for matching. One pass over a line's
// CP932 bytes names the few rules it could match, however many there are;
// those alone are searched, or, when many are named, every pattern at once in
// an RE2::Set per letter case: linear time whatever the pattern. Scope (channel, speaker) is
// checked on the rules found. Immutable once built, so threads may share it.

#include <array>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/rules/notification_rule.h"
#include "core/rules/rule_prefilter.h"

namespace ruv {

// A rule that cannot run: its name and why, in the player's words (UTF-8).
struct RuleProblem {
    std::size_t rule = 0;  // index in the set
    std::string name;
    std::string reason;
};

// A line as rules see it, all UTF-8 but the channel.
struct RuleLineText {
    std::optional<ChatChannel> channel;  // by the line's own marker
    std::string_view speaker;            // empty for lines without one
    std::string_view text;               // the display text without its stamp
};

// The UTF-8 form of a line's body and speaker, made once per line.
struct RuleLineUtf8 {
    std::string body;
    std::size_t speakerBytes = 0;  // 0: no speaker
    std::optional<ChatChannel> channel;

    // bodyCp932: the display text without its stamp.
    void assign(std::string_view bodyCp932, std::optional<ChatChannel> channel);
    RuleLineText view() const;
};

// The pattern rules a line could match, as the matcher narrowed them.
struct RuleCandidates {
    bool everyRule = true;
    std::vector<int> patterns;               // the matcher's own pattern indexes
    std::vector<RulePrefilter::Sign> signs;  // scratch
    std::vector<int> setHits;                // scratch
};

class RuleMatcher {
  public:
    RuleMatcher();
    ~RuleMatcher();
    RuleMatcher(RuleMatcher&&) noexcept;
    RuleMatcher& operator=(RuleMatcher&&) noexcept;

    // Rules with a problem are left out and reported; the others run.
    static RuleMatcher compile(const RuleSet& rules, std::vector<RuleProblem>* problems = nullptr);
    // The problem of one rule alone, for the dialog's at-once check; empty
    // when it compiles.
    static std::optional<std::string> problemOf(const NotificationRule& rule);

    // Whether any rule can match: without one, routing converts nothing.
    bool empty() const noexcept { return entries_.empty(); }
    std::size_t ruleCount() const noexcept { return ruleCount_; }
    // Narrows the rules to those that could match the line (its display text
    // without the stamp, CP932); false when none can, and the line need not
    // be converted nor matched.
    bool preselect(std::string_view bodyCp932, RuleCandidates& candidates) const;
    // Indexes (into the rule set) of every rule that matches, ascending.
    // candidates: preselected for this line, or everyRule; the caller's,
    // reused from line to line.
    void match(const RuleLineText& line, RuleCandidates& candidates,
               std::vector<std::size_t>& hits) const;
    // One rule alone, as the trial times each rule.
    bool matchesOne(std::size_t rule, const RuleLineText& line) const;

  private:
    struct Entry;
    struct Set;
    bool inScope(const Entry& entry, const RuleLineText& line) const;
    static bool matchesAlone(const Entry& entry, std::string_view text);

    std::vector<Entry> entries_;          // the runnable rules, in set order
    std::vector<std::size_t> byRule_;     // rule index -> entry, or npos
    std::vector<std::size_t> byPattern_;  // pattern index -> entry
    std::vector<std::size_t> always_;     // entries whose pattern is empty
    // Ignored, then exact letter case.
    std::array<std::unique_ptr<Set>, 2> sets_;
    RulePrefilter prefilter_;
    std::size_t ruleCount_ = 0;
};

}  // namespace ruv
