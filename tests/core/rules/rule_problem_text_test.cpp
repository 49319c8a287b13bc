// A pattern the engine refuses is explained in Japanese, by the kind of
// mistake a player would recognise, with the engine's own words after it.

#include <gtest/gtest.h>

#include <string>

#include "core/rules/rule_matcher.h"

namespace ruv::testing {
namespace {

NotificationRule regexRule(std::string pattern) {
    NotificationRule rule;
    rule.name = "boss";
    rule.kind = PatternKind::Regex;
    rule.pattern = std::move(pattern);
    return rule;
}

// Hiragana or katakana: the text speaks to the player in Japanese.
bool hasKana(const std::string& text) {
    for (std::size_t i = 0; i + 2 < text.size(); ++i) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const auto next = static_cast<unsigned char>(text[i + 1]);
        if (lead == 0xE3 && next >= 0x81 && next <= 0x83) {
            return true;
        }
    }
    return false;
}

TEST(RuleProblemText, NamesTheKindOfMistakeInJapaneseAndKeepsTheEnginesWordsAfter) {
    struct Case {
        const char* pattern;
        const char* mentions;
    };
    const Case cases[] = {
        {"(ボス", "括弧"},   {"ボス)", "括弧"},      {"[ボス", "["},      {"[z-a]", "範囲"},
        {"*ボス", "繰り返"}, {"ボス**", "繰り返"},   {"ボ{3,1}", "回数"}, {"ボス\\", "\\"},
        {"\\qボス", "\\"},   {"(?P<>ボス)", "名前"}, {"(?<ボス)", "(?"},
    };
    for (const Case& c : cases) {
        const std::optional<std::string> problem = RuleMatcher::problemOf(regexRule(c.pattern));
        ASSERT_TRUE(problem) << c.pattern;
        EXPECT_TRUE(hasKana(*problem)) << c.pattern << " -> " << *problem;
        const std::size_t open = problem->rfind("（");
        ASSERT_NE(open, std::string::npos) << *problem;
        const std::string said = problem->substr(0, open);
        EXPECT_NE(said.find(c.mentions), std::string::npos) << c.pattern << " -> " << *problem;
        // The detail is the engine's message, which names the pattern's fault in its words.
        const std::string detail = problem->substr(open);
        EXPECT_FALSE(hasKana(detail.substr(0, 8))) << *problem;
        EXPECT_TRUE(problem->ends_with("）")) << *problem;
    }
}

TEST(RuleProblemText, TheSameMistakesAreReportedWhenTheSetIsCompiled) {
    RuleSet rules{{regexRule("(ボス"), regexRule("ボス")}};
    rules.rules[1].name = "fine";
    std::vector<RuleProblem> problems;
    RuleMatcher::compile(rules, &problems);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].rule, 0u);
    EXPECT_EQ(std::optional(problems[0].reason), RuleMatcher::problemOf(rules.rules[0]));
}

}  // namespace
}  // namespace ruv::testing
