#pragma once
// Rules read from a friend's file merged into the rules being edited: a rule
// whose name is new is added at the end; for one whose name exists the user
// chooses to replace the rule of that name, keep both (the new one renamed
// "NAME (2)", "NAME (3)", ...) or skip it.

#include <functional>
#include <string>
#include <string_view>

#include "core/rules/notification_rule.h"

namespace ruv {

enum class ExistingRuleChoice { Replace, KeepBoth, Skip };

// Asked once for each incoming rule whose name is already taken (UTF-8).
using AskExistingRule = std::function<ExistingRuleChoice(std::string_view name)>;

struct RulesMergeCount {
    int added = 0;
    int replaced = 0;
    int skipped = 0;
};

RulesMergeCount mergeRules(RuleSet& into, const RuleSet& incoming, const AskExistingRule& ask);

// The first of "NAME (2)", "NAME (3)", ... that no rule of the set has.
std::string unusedRuleName(const RuleSet& rules, std::string_view name);

}  // namespace ruv
