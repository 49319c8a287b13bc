// The example rules file the documentation ships reads as rules, and every
// rule in it can run.

#include <gtest/gtest.h>

#include "core/rules/rule_engine.h"
#include "core/rules/rules_file.h"

namespace {

TEST(ExampleRules, TheShippedExampleReadsAndEveryRuleCanRun) {
    const std::filesystem::path file = std::filesystem::path(RUVIVUVAZ_TEST_DATA_DIR) / ".." /
                                       ".." / "docs" / "ruvivuvaz_rules.example.json";
    const ruv::RulesReading reading = ruv::readRulesFile(file);
    ASSERT_EQ(reading.state, ruv::RulesFileState::Loaded)
        << (reading.error ? reading.error->message() : "absent");
    EXPECT_GE(reading.rules.rules.size(), 4u);
    // Timers included.
    ruv::RuleEngine engine;
    const std::vector<ruv::RuleProblem> problems = engine.setRules(reading.rules);
    for (const ruv::RuleProblem& problem : problems) {
        ADD_FAILURE() << problem.name << ": " << problem.reason;
    }
}

}  // namespace
