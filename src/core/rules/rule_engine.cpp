#include "core/rules/rule_engine.h"

#include <algorithm>

#include "core/lines/chat_format.h"
#include "core/text/cp932.h"
#include "core/vocabulary/channel_table.h"

namespace ruv {

namespace {

constexpr std::string_view kNameSeparator = " : ";

struct Placeholder {
    std::string_view name;
    std::string_view value;
};

}  // namespace

void RuleOutcome::clear() {
    hits.clear();
    background.reset();
    sounds.clear();
    phrases.clear();
    alert = false;
}

std::string fillPhrase(std::string_view phrase, std::string_view speaker, std::string_view text,
                       std::string_view channel) {
    const Placeholder placeholders[] = {
        {"{speaker}", speaker}, {"{text}", text}, {"{channel}", channel}};
    std::string filled;
    filled.reserve(phrase.size());
    std::size_t i = 0;
    while (i < phrase.size()) {
        // Every placeholder begins with "{", which is never a trail byte in CP932.
        if (phrase[i] == '{') {
            const auto replaced = std::find_if(
                std::begin(placeholders), std::end(placeholders),
                [&](const Placeholder& p) { return phrase.substr(i).starts_with(p.name); });
            if (replaced != std::end(placeholders)) {
                filled += replaced->value;
                i += replaced->name.size();
                continue;
            }
        }
        const bool lead = (static_cast<unsigned char>(phrase[i]) >= 0x81 &&
                           static_cast<unsigned char>(phrase[i]) <= 0x9F) ||
                          static_cast<unsigned char>(phrase[i]) >= 0xE0;
        const std::size_t bytes = lead && i + 1 < phrase.size() ? 2 : 1;
        filled.append(phrase.substr(i, bytes));
        i += bytes;
    }
    return filled;
}

RuleEngine::RuleEngine() = default;

std::vector<RuleProblem> RuleEngine::setRules(const RuleSet& rules) {
    std::vector<RuleProblem> problems;
    rules_ = rules;
    matcher_ = RuleMatcher::compile(rules_, &problems);
    timers_.compile(rules_, problems);
    phrases_.assign(rules_.rules.size(), std::string());
    for (std::size_t i = 0; i < rules_.rules.size(); ++i) {
        phrases_[i] = cp932::fromUtf8(rules_.rules[i].speak).value_or(std::string());
    }
    restart();
    return problems;
}

void RuleEngine::restart() {
    lastFired_.assign(rules_.rules.size(), std::nullopt);
    clock_.reset();
    outcome_.clear();
}

void RuleEngine::passOver(std::string_view display) {
    outcome_.clear();
    clock_.next(display.substr(0, std::min(display.size(), kTimeStampBytes)));
}

const RuleOutcome& RuleEngine::apply(std::string_view display, std::optional<ChatChannel> channel,
                                     LineUse use) {
    return apply(display.substr(0, std::min(display.size(), kTimeStampBytes)),
                 bodyOfDisplay(display), channel, use);
}

const RuleOutcome& RuleEngine::apply(std::string_view stamp, std::string_view body,
                                     std::optional<ChatChannel> channel, LineUse use) {
    outcome_.clear();
    const std::optional<LineSeconds> now = use == LineUse::Live ? clock_.next(stamp) : std::nullopt;
    bool converted = false;
    if (timerSink_ != nullptr && timers_.hasStops() && timerSink_->timersRunning()) {
        line_.assign(body, channel);
        converted = true;
        stopTimers(stamp, use);
    }
    if (!matcher_.preselect(body, candidates_)) {
        return outcome_;
    }
    if (!converted) {
        line_.assign(body, channel);
    }
    matcher_.match(line_.view(), candidates_, matched_);
    if (matched_.empty()) {
        return outcome_;
    }
    // The speaker and message in CP932, cut where the UTF-8 form was.
    std::string_view speaker;
    std::string_view text = body;
    if (line_.speakerBytes > 0) {
        const std::size_t separator = body.find(kNameSeparator);
        if (separator != std::string_view::npos) {
            speaker = body.substr(0, separator);
            text = body.substr(separator + kNameSeparator.size());
        }
    }
    for (const std::size_t index : matched_) {
        const NotificationRule& rule = rules_.rules[index];
        if (!outcome_.background && rule.colour) {
            outcome_.background = rule.colour;
        }
        Fired fired = Fired::No;
        if (use == LineUse::Live) {
            std::optional<LineSeconds>& last = lastFired_[index];
            const bool cooling = now && last && rule.cooldownSeconds > 0 && *now >= *last &&
                                 now->value - last->value < rule.cooldownSeconds;
            if (!cooling) {
                fired = Fired::Yes;
                last = now;
                fire(rule, phrases_[index], speaker, text, channel);
            }
        }
        if (timerSink_ != nullptr && (fired == Fired::Yes || (use == LineUse::ColourOnly &&
                                                              timers_.startsFrom(index, true)))) {
            startTimer(index, stamp, RuleTimerPlans::Hit{speaker, text, {}, line_.body, {}});
        }
        outcome_.hits.push_back(RuleHit{index, fired});
    }
    return outcome_;
}

void RuleEngine::fire(const NotificationRule& rule, std::string_view phrase,
                      std::string_view speakerCp932, std::string_view textCp932,
                      std::optional<ChatChannel> channel) {
    if (!rule.sound.empty() && std::find(outcome_.sounds.begin(), outcome_.sounds.end(),
                                         rule.sound) == outcome_.sounds.end()) {
        outcome_.sounds.push_back(rule.sound);
    }
    if (!phrase.empty()) {
        const std::string_view channelName =
            channel && isRuleChannel(*channel) ? channelRow(*channel).caption->cp932() : "";
        outcome_.phrases.push_back(
            RulePhrase{fillPhrase(phrase, speakerCp932, textCp932, channelName),
                       std::string(speakerCp932), rule.priority});
    }
    outcome_.alert = outcome_.alert || rule.alert;
}

void RuleEngine::stopTimers(std::string_view stamp, LineUse use) {
    timers_.stopsIn(line_.view(), use == LineUse::ColourOnly, stopped_);
    for (const std::size_t rule : stopped_) {
        timerSink_->stopTimers(rules_.rules[rule].name, stamp);
    }
}

void RuleEngine::startTimer(std::size_t rule, std::string_view stamp,
                            const RuleTimerPlans::Hit& line) {
    if (!timers_.startsFrom(rule, false)) {
        return;
    }
    const std::optional<ChatChannel> channel = line_.channel;
    const std::string_view channelName =
        channel && isRuleChannel(*channel) ? channelRow(*channel).caption->cp932() : "";
    const std::string phrase =
        phrases_[rule].empty() ? std::string()
                               : fillPhrase(phrases_[rule], line.speaker, line.text, channelName);
    RuleTimerPlans::Hit hit = line;
    hit.channel = channelName;
    hit.phrase = phrase;
    std::string reason;
    if (const std::optional<TimerStart> start =
            timers_.startOf(rule, rules_.rules[rule], hit, reason)) {
        timerSink_->startTimer(*start, stamp);
    } else if (timers_.firstRefusal(rule)) {
        timerSink_->refuseTimer(rules_.rules[rule].name, reason);
    }
}

}  // namespace ruv
