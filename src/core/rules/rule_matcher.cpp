#include "core/rules/rule_matcher.h"

#include <re2/re2.h>
#include <re2/set.h>
#include <algorithm>
#include <mutex>
#include <numeric>

#include "core/lines/chat_format.h"
#include "core/rules/letter_case.h"
#include "core/rules/rule_problem_texts.h"
#include "core/text/cp932.h"

namespace ruv {

namespace {

constexpr std::string_view kNameSeparator = " : ";
constexpr std::size_t kNone = static_cast<std::size_t>(-1);
// The set's automaton gets room for many rules over Japanese text; when even
// this runs out, the rules are searched one by one, still in linear time.
constexpr std::int64_t kSetMemoryBytes = 64 << 20;
// A line that could match more rules than this is searched once by the set,
// so that no line is searched once per rule.
constexpr std::size_t kMostSearchedAlone = 8;

RE2::Options ruleOptions(LetterCase letterCase) {
    RE2::Options options;
    options.set_encoding(RE2::Options::EncodingUTF8);
    options.set_log_errors(false);
    options.set_case_sensitive(letterCase == LetterCase::Exact);
    return options;
}

// The rule's pattern as RE2 reads it, alone: a plain pattern quoted. Its
// letter case is an option of the compile, never text around the pattern.
std::string expressionOf(const NotificationRule& rule) {
    return rule.kind == PatternKind::Regex ? rule.pattern : RE2::QuoteMeta(rule.pattern);
}

std::unique_ptr<RE2> compiledPattern(const NotificationRule& rule) {
    return std::make_unique<RE2>(expressionOf(rule), ruleOptions(rule.letterCase));
}

std::size_t caseIndex(LetterCase letterCase) {
    return letterCase == LetterCase::Exact ? 1 : 0;
}

}  // namespace

struct RuleMatcher::Entry {
    std::size_t rule = 0;
    std::vector<ChatChannel> channels;
    std::string speaker;
    std::unique_ptr<RE2> expression;  // null for an empty pattern
    // The pattern itself, when finding it as it stands is what matching
    // means: a plain pattern whose case is exact or makes no difference.
    std::optional<std::string> literal;
};

// Every pattern of one letter case at once, compiled when a line first needs
// it: most never do.
struct RuleMatcher::Set {
    explicit Set(LetterCase setCase) : letterCase(setCase) {}

    LetterCase letterCase;
    std::vector<std::string> expressions;  // by set index
    std::vector<int> patterns;             // set index -> the matcher's pattern index
    std::once_flag compiled;
    std::unique_ptr<RE2::Set> set;  // null when it cannot be compiled

    const RE2::Set* get() {
        std::call_once(compiled, [this] {
            RE2::Options options = ruleOptions(letterCase);
            options.set_max_mem(kSetMemoryBytes);
            auto built = std::make_unique<RE2::Set>(options, RE2::UNANCHORED);
            for (const std::string& expression : expressions) {
                if (built->Add(expression, nullptr) < 0) {
                    return;
                }
            }
            if (built->Compile()) {
                set = std::move(built);
            }
        });
        return set.get();
    }

    // Adds the patterns the text matches to found; false when the set cannot run.
    bool match(std::string_view text, std::vector<int>& scratch, std::vector<int>& found) {
        if (expressions.empty()) {
            return true;
        }
        const RE2::Set* compiledSet = get();
        RE2::Set::ErrorInfo error{};
        if (compiledSet == nullptr ||
            (!compiledSet->Match(re2::StringPiece(text.data(), text.size()), &scratch, &error) &&
             error.kind != RE2::Set::kNoError)) {
            return false;
        }
        for (const int index : scratch) {
            found.push_back(patterns[static_cast<std::size_t>(index)]);
        }
        return true;
    }
};

void RuleLineUtf8::assign(std::string_view bodyCp932, std::optional<ChatChannel> lineChannel) {
    cp932::toUtf8(bodyCp932, body);
    channel = lineChannel;
    speakerBytes = 0;
    if (channel && isChatChannel(*channel)) {
        const std::size_t separator = body.find(kNameSeparator);
        if (separator != std::string::npos) {
            speakerBytes = separator;
        }
    }
}

RuleLineText RuleLineUtf8::view() const {
    const std::string_view text = body;
    return RuleLineText{channel, text.substr(0, speakerBytes), text};
}

RuleMatcher::RuleMatcher() = default;
RuleMatcher::~RuleMatcher() = default;
RuleMatcher::RuleMatcher(RuleMatcher&&) noexcept = default;
RuleMatcher& RuleMatcher::operator=(RuleMatcher&&) noexcept = default;

std::optional<std::string> RuleMatcher::problemOf(const NotificationRule& rule) {
    if (!rule.speak.empty() && !cp932::fromUtf8(rule.speak)) {
        return std::string(rule_problem_texts::kPhraseNotSendable.utf8());
    }
    if (rule.pattern.empty()) {
        return std::nullopt;
    }
    const std::unique_ptr<RE2> expression = compiledPattern(rule);
    if (!expression->ok()) {
        return rule_problem_texts::patternProblem(*expression);
    }
    return std::nullopt;
}

RuleMatcher RuleMatcher::compile(const RuleSet& rules, std::vector<RuleProblem>* problems) {
    RuleMatcher matcher;
    matcher.ruleCount_ = rules.rules.size();
    matcher.byRule_.assign(rules.rules.size(), kNone);
    for (const LetterCase letterCase : {LetterCase::Ignored, LetterCase::Exact}) {
        matcher.sets_[caseIndex(letterCase)] = std::make_unique<Set>(letterCase);
    }
    std::vector<RulePrefilter::Pattern> patterns;
    const auto reject = [&](std::size_t i, const NotificationRule& rule) {
        if (problems != nullptr) {
            problems->push_back(RuleProblem{i, rule.name,
                                            problemOf(rule).value_or(std::string(
                                                rule_problem_texts::kPatternUnusable.utf8()))});
        }
    };
    for (std::size_t i = 0; i < rules.rules.size(); ++i) {
        const NotificationRule& rule = rules.rules[i];
        if (!rule.enabled) {
            continue;
        }
        if (!rule.speak.empty() && !cp932::fromUtf8(rule.speak)) {
            reject(i, rule);
            continue;
        }
        Entry entry{i, rule.channels, rule.speaker, nullptr, std::nullopt};
        if (rule.pattern.empty()) {
            matcher.always_.push_back(matcher.entries_.size());
        } else {
            // Checked on its own, as the player wrote it, whatever finds it.
            entry.expression = compiledPattern(rule);
            if (!entry.expression->ok()) {
                reject(i, rule);
                continue;
            }
            if (rule.kind == PatternKind::Plain &&
                (rule.letterCase == LetterCase::Exact || isCaselessText(rule.pattern))) {
                entry.expression.reset();
                entry.literal = rule.pattern;  // found as it stands: no expression needed
            }
            Set& set = *matcher.sets_[caseIndex(rule.letterCase)];
            set.expressions.push_back(expressionOf(rule));
            set.patterns.push_back(static_cast<int>(matcher.byPattern_.size()));
            matcher.byPattern_.push_back(matcher.entries_.size());
            patterns.push_back(RulePrefilter::Pattern{rule.kind, rule.pattern, rule.letterCase});
        }
        matcher.byRule_[i] = matcher.entries_.size();
        matcher.entries_.push_back(std::move(entry));
    }
    matcher.prefilter_ = RulePrefilter::build(patterns);
    return matcher;
}

bool RuleMatcher::matchesAlone(const Entry& entry, std::string_view text) {
    if (entry.literal) {
        return text.find(*entry.literal) != std::string_view::npos;
    }
    return entry.expression == nullptr ||
           RE2::PartialMatch(re2::StringPiece(text.data(), text.size()), *entry.expression);
}

bool RuleMatcher::inScope(const Entry& entry, const RuleLineText& line) const {
    if (!entry.channels.empty() &&
        (!line.channel || std::find(entry.channels.begin(), entry.channels.end(), *line.channel) ==
                              entry.channels.end())) {
        return false;
    }
    return entry.speaker.empty() || entry.speaker == line.speaker;
}

bool RuleMatcher::preselect(std::string_view bodyCp932, RuleCandidates& candidates) const {
    candidates.everyRule = prefilter_.namesEveryPattern();
    candidates.patterns.clear();
    if (!byPattern_.empty() && !candidates.everyRule) {
        prefilter_.find(bodyCp932, candidates.signs, candidates.patterns);
    }
    return !always_.empty() ||
           (!byPattern_.empty() && (candidates.everyRule || !candidates.patterns.empty()));
}

void RuleMatcher::match(const RuleLineText& line, RuleCandidates& candidates,
                        std::vector<std::size_t>& hits) const {
    hits.clear();
    for (const std::size_t entry : always_) {
        if (inScope(entries_[entry], line)) {
            hits.push_back(entries_[entry].rule);
        }
    }
    // Patterns found by the set need only their scope checked.
    const auto keepInScope = [&](const std::vector<int>& patterns, bool searched) {
        for (const int index : patterns) {
            const Entry& entry = entries_[byPattern_[static_cast<std::size_t>(index)]];
            if (inScope(entry, line) && (searched || matchesAlone(entry, line.text))) {
                hits.push_back(entry.rule);
            }
        }
    };
    if (byPattern_.empty()) {
        // only rules without a pattern
    } else if (!candidates.everyRule && candidates.patterns.size() <= kMostSearchedAlone) {
        keepInScope(candidates.patterns, false);
    } else {
        candidates.patterns.clear();
        bool ran = true;
        for (const std::unique_ptr<Set>& set : sets_) {
            ran = ran && set->match(line.text, candidates.setHits, candidates.patterns);
        }
        if (ran) {
            keepInScope(candidates.patterns, true);
        } else {
            // A set could not run (out of memory): each rule on its own.
            candidates.patterns.resize(byPattern_.size());
            std::iota(candidates.patterns.begin(), candidates.patterns.end(), 0);
            keepInScope(candidates.patterns, false);
        }
    }
    std::sort(hits.begin(), hits.end());
}

bool RuleMatcher::matchesOne(std::size_t rule, const RuleLineText& line) const {
    if (rule >= byRule_.size() || byRule_[rule] == kNone) {
        return false;
    }
    const Entry& entry = entries_[byRule_[rule]];
    return inScope(entry, line) && matchesAlone(entry, line.text);
}

}  // namespace ruv
