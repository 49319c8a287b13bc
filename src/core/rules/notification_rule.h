#pragma once
// A notification rule as the rules file keeps it and the rules dialog edits
// it: what a line must hold, where, and what happens when it does. Texts are
// UTF-8, as the file is.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/rules/rule_timer.h"
#include "core/vocabulary/channel.h"
#include "core/vocabulary/speech_priority.h"

namespace ruv {

enum class PatternKind { Plain, Regex };
enum class LetterCase { Ignored, Exact };

struct NotificationRule {
    std::string name;  // not empty, unique in its set
    bool enabled = true;
    std::string pattern;  // empty: every line in scope
    PatternKind kind = PatternKind::Plain;
    LetterCase letterCase = LetterCase::Ignored;
    // Open, Team, Club, Whis, Shout, Battle or System; empty: every line,
    // lines without a channel included.
    std::vector<ChatChannel> channels;
    std::string speaker;  // empty: anyone
    std::string sound;    // a wave or MP3 file; empty: none
    std::string speak;    // a phrase with {speaker}, {text}, {channel}; empty: none
    bool alert = false;
    // High: the phrase goes before every normal line waiting to be spoken.
    SpeechPriority priority = SpeechPriority::Normal;
    std::optional<Colour> colour;  // the line's background
    std::int64_t cooldownSeconds = 0;
    std::optional<RuleTimer> timer;  // started when the rule fires

    friend bool operator==(const NotificationRule&, const NotificationRule&) = default;
};

struct RuleSet {
    std::vector<NotificationRule> rules;  // in the file's order

    friend bool operator==(const RuleSet&, const RuleSet&) = default;
};

// The channels a rule can name, by the names their tabs have (UTF-8):
// 一般, チーム, クラブ, 耳打ち, 叫び, 戦闘情報, システム.
std::optional<ChatChannel> ruleChannelNamed(std::string_view utf8Name);
bool isRuleChannel(ChatChannel channel) noexcept;
// The tab name of a rule channel, UTF-8.
std::string_view ruleChannelName(ChatChannel channel);

}  // namespace ruv
