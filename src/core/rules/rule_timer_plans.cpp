#include "core/rules/rule_timer_plans.h"

#include <re2/re2.h>
#include <algorithm>

#include "core/rules/rule_engine.h"
#include "core/text/cp932.h"

namespace ruv {

namespace {

RE2::Options timerOptions(const NotificationRule& rule) {
    RE2::Options options;
    options.set_encoding(RE2::Options::EncodingUTF8);
    options.set_log_errors(false);
    options.set_case_sensitive(rule.letterCase == LetterCase::Exact);
    return options;
}

std::string stopExpression(const NotificationRule& rule) {
    return rule.kind == PatternKind::Regex ? rule.timer->stop : RE2::QuoteMeta(rule.timer->stop);
}

TimerAlarm alarmOf(const NotificationRule& rule, const TimerAlarmUse& use, std::string_view phrase,
                   std::string_view speaker) {
    TimerAlarm alarm;
    if (use.sound) {
        alarm.sound = rule.sound;
    }
    if (use.speak && !phrase.empty()) {
        alarm.phrase = phrase;
        alarm.speaker = speaker;
    }
    alarm.alert = use.alert && rule.alert;
    return alarm;
}

}  // namespace

struct RuleTimerPlans::Plan {
    std::string nameCp932;
    std::vector<ChatChannel> channels;
    std::unique_ptr<RE2> length;  // the rule's pattern, for its first group
    std::unique_ptr<RE2> stop;
    bool tidiedLines = false;
    bool refused = false;
};

RuleTimerPlans::RuleTimerPlans() = default;
RuleTimerPlans::~RuleTimerPlans() = default;
RuleTimerPlans::RuleTimerPlans(RuleTimerPlans&&) noexcept = default;
RuleTimerPlans& RuleTimerPlans::operator=(RuleTimerPlans&&) noexcept = default;

std::optional<std::string> RuleTimerPlans::problemOf(const NotificationRule& rule) {
    if (!rule.timer) {
        return std::nullopt;
    }
    const RuleTimer& timer = *rule.timer;
    if (!cp932::fromUtf8(timer.name)) {
        return std::string("the timer's name holds a character the log cannot hold");
    }
    if (!timer.seconds) {
        if (rule.kind != PatternKind::Regex) {
            return std::string(
                "the timer's length is read from a capture group, but the "
                "pattern is not a regular expression");
        }
        const RE2 pattern(rule.pattern, timerOptions(rule));
        if (pattern.ok() && pattern.NumberOfCapturingGroups() < 1) {
            return std::string(
                "the timer's length is read from the first capture group, but "
                "the pattern has none");
        }
    }
    if (!timer.stop.empty()) {
        const RE2 stop(stopExpression(rule), timerOptions(rule));
        if (!stop.ok()) {
            return "the timer's stop pattern: " + stop.error();
        }
    }
    return std::nullopt;
}

void RuleTimerPlans::compile(const RuleSet& rules, std::vector<RuleProblem>& problems) {
    byRule_.clear();
    byRule_.resize(rules.rules.size());
    stops_.clear();
    count_ = 0;
    for (std::size_t i = 0; i < rules.rules.size(); ++i) {
        const NotificationRule& rule = rules.rules[i];
        if (!rule.enabled || !rule.timer) {
            continue;
        }
        if (const std::optional<std::string> problem = problemOf(rule)) {
            problems.push_back(RuleProblem{i, rule.name, *problem});
            continue;
        }
        auto plan = std::make_unique<Plan>();
        plan->nameCp932 = cp932::fromUtf8(rule.timer->name).value_or(std::string());
        plan->channels = rule.channels;
        plan->tidiedLines = rule.timer->tidiedLines;
        if (!rule.timer->seconds) {
            plan->length = std::make_unique<RE2>(rule.pattern, timerOptions(rule));
        }
        if (!rule.timer->stop.empty()) {
            plan->stop = std::make_unique<RE2>(stopExpression(rule), timerOptions(rule));
            stops_.push_back(i);
        }
        byRule_[i] = std::move(plan);
        ++count_;
    }
}

bool RuleTimerPlans::startsFrom(std::size_t rule, bool tidied) const {
    return rule < byRule_.size() && byRule_[rule] && (!tidied || byRule_[rule]->tidiedLines);
}

void RuleTimerPlans::stopsIn(const RuleLineText& line, bool tidied,
                             std::vector<std::size_t>& rules) const {
    rules.clear();
    for (const std::size_t rule : stops_) {
        const Plan& plan = *byRule_[rule];
        if (tidied && !plan.tidiedLines) {
            continue;
        }
        if (!plan.channels.empty() &&
            (!line.channel || std::find(plan.channels.begin(), plan.channels.end(),
                                        *line.channel) == plan.channels.end())) {
            continue;
        }
        if (RE2::PartialMatch(re2::StringPiece(line.text.data(), line.text.size()), *plan.stop)) {
            rules.push_back(rule);
        }
    }
}

std::optional<TimerStart> RuleTimerPlans::startOf(std::size_t rule,
                                                  const NotificationRule& ruleText, const Hit& hit,
                                                  std::string& reason) const {
    const Plan& plan = *byRule_[rule];
    const RuleTimer& timer = *ruleText.timer;
    TimerStart start;
    if (timer.seconds) {
        start.seconds = *timer.seconds;
    } else {
        re2::StringPiece group;
        if (!RE2::PartialMatch(re2::StringPiece(hit.textUtf8.data(), hit.textUtf8.size()),
                               *plan.length, &group)) {
            reason = "the pattern's first capture group took no part in the match";
            return std::nullopt;
        }
        const std::string_view said(group.data(), group.size());
        const DurationReading reading = readDuration(said);
        if (reading.fault != DurationFault::None) {
            reason = "\"" + std::string(said) + "\" " +
                     (reading.fault == DurationFault::TooLong
                          ? "is longer than a timer can run"
                          : "is not a length of time (seconds, N分, N秒 or N時間)");
            return std::nullopt;
        }
        start.seconds = reading.seconds;
    }
    start.rule = ruleText.name;
    start.name = cp932::toUtf8(fillPhrase(plan.nameCp932, hit.speaker, hit.text, hit.channel));
    start.warnSeconds = timer.warnSeconds;
    start.repeat = timer.repeat;
    start.warning = alarmOf(ruleText, timer.atWarning, hit.phrase, hit.speaker);
    start.end = alarmOf(ruleText, timer.atEnd, hit.phrase, hit.speaker);
    return start;
}

bool RuleTimerPlans::firstRefusal(std::size_t rule) {
    if (rule >= byRule_.size() || !byRule_[rule] || byRule_[rule]->refused) {
        return false;
    }
    byRule_[rule]->refused = true;
    return true;
}

}  // namespace ruv
