#include "shell/rules/rules_merge.h"

#include <algorithm>

namespace ruv {

namespace {

NotificationRule* ruleNamed(RuleSet& rules, std::string_view name) {
    const auto it = std::find_if(rules.rules.begin(), rules.rules.end(),
                                 [&](const NotificationRule& rule) { return rule.name == name; });
    return it == rules.rules.end() ? nullptr : &*it;
}

bool hasRuleNamed(const RuleSet& rules, std::string_view name) {
    return std::any_of(rules.rules.begin(), rules.rules.end(),
                       [&](const NotificationRule& rule) { return rule.name == name; });
}

}  // namespace

std::string unusedRuleName(const RuleSet& rules, std::string_view name) {
    if (!hasRuleNamed(rules, name)) {
        return std::string(name);
    }
    for (int n = 2;; ++n) {
        std::string candidate = std::string(name) + " (" + std::to_string(n) + ")";
        if (!hasRuleNamed(rules, candidate)) {
            return candidate;
        }
    }
}

RulesMergeCount mergeRules(RuleSet& into, const RuleSet& incoming, const AskExistingRule& ask) {
    RulesMergeCount count;
    for (const NotificationRule& rule : incoming.rules) {
        NotificationRule* existing = ruleNamed(into, rule.name);
        if (existing == nullptr) {
            into.rules.push_back(rule);
            ++count.added;
            continue;
        }
        switch (ask(rule.name)) {
            case ExistingRuleChoice::Replace:
                *existing = rule;
                ++count.replaced;
                break;
            case ExistingRuleChoice::KeepBoth: {
                NotificationRule renamed = rule;
                renamed.name = unusedRuleName(into, rule.name);
                into.rules.push_back(std::move(renamed));
                ++count.added;
                break;
            }
            case ExistingRuleChoice::Skip:
                ++count.skipped;
                break;
        }
    }
    return count;
}

}  // namespace ruv
