// Which spoken lines go first, and that a line is spoken once: a rule's
// phrase replaces the mix's reading of the line it fires on.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/log/route_line.h"
#include "core/rules/rules_file.h"
#include "core/text/cp932.h"
#include "support/cp932_text.h"
#include "support/log_lines.h"
#include "support/route_fakes.h"

namespace ruv::testing {
namespace {

class RecordingPhrases final : public RuleSounds, public RuleSpeech {
  public:
    void playRuleSound(std::string_view) override {}
    void speakRulePhrase(std::string_view phrase, std::string_view,
                         SpeechPriority priority) override {
        spoken.push_back({cp932::toUtf8(phrase), priority});
    }
    struct Phrase {
        std::string text;
        SpeechPriority priority;
        friend bool operator==(const Phrase&, const Phrase&) = default;
    };
    std::vector<Phrase> spoken;
};

RuleSet rulesOf(std::string_view json) {
    const RulesReading reading = parseRules(json, "rules.json");
    EXPECT_FALSE(reading.error) << reading.error->reason;
    return reading.rules;
}

struct PriorityRig {
    explicit PriorityRig(std::string_view json) {
        engine.setRules(rulesOf(json));
        rig.views.settings.mix.fill(true);
        rig.views.settings.speechSend = true;
    }
    void route(std::string_view colourHex, std::string_view body) {
        router.RouteLine(chatLine(colourHex, sj(body)));
    }

    RouteRig rig;
    RuleEngine engine;
    RecordingPhrases phrases;
    LineRouter router{
        RoutePorts{rig.views, rig.notices, rig.sounds, rig.exp, rig.speech, rig.attention},
        RouteState{rig.views.settings, rig.ngLists, rig.views.book, rig.counters},
        RuleRouting{engine, phrases, phrases}};
};

constexpr std::string_view kTeam = "f7b73c";
constexpr std::string_view kWhisper = "64ff64";

TEST(SpokenOnce, RulePhraseReplacesTheMixReadingAndKeepsAWhispersPriority) {
    PriorityRig rig(R"({"rules": [
        {"name": "call", "pattern": "集合", "speak": "{speaker}が呼んでいます"},
        {"name": "boss", "pattern": "ボス", "speak": "ボス出現", "priority": "high"}
    ]})");
    struct Case {
        std::string_view colour;
        const char* body;
        std::vector<RecordingPhrases::Phrase> phrases;
        std::size_t readings;  // of the mix, after the line
    };
    const std::vector<Case> cases{
        {kTeam, "ミカ : 集合です", {{"ミカが呼んでいます", SpeechPriority::Normal}}, 0},
        {kWhisper, "ミカ : 集合です", {{"ミカが呼んでいます", SpeechPriority::High}}, 0},
        {kTeam, "ミカ : ボスです", {{"ボス出現", SpeechPriority::High}}, 0},
        {kTeam, "ミカ : こんにちは", {}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.body);
        rig.phrases.spoken.clear();
        rig.rig.speech.spoken.clear();
        rig.route(c.colour, c.body);
        EXPECT_EQ(rig.phrases.spoken, c.phrases);
        EXPECT_EQ(rig.rig.speech.spoken.size(), c.readings);
    }
}

TEST(RulePriority, FileWithoutItReadsNormalAndOnlyHighIsWritten) {
    const RuleSet rules = rulesOf(R"({"rules": [
        {"name": "plain"},
        {"name": "urgent", "priority": "high"},
        {"name": "said", "priority": "normal"}
    ]})");
    ASSERT_EQ(rules.rules.size(), 3u);
    EXPECT_EQ(rules.rules[0].priority, SpeechPriority::Normal);
    EXPECT_EQ(rules.rules[1].priority, SpeechPriority::High);
    EXPECT_EQ(rules.rules[2].priority, SpeechPriority::Normal);

    const std::string written = rulesJson(rules);
    EXPECT_EQ(written.find("\"priority\""), written.rfind("\"priority\""));
    EXPECT_NE(written.find("\"priority\": \"high\""), std::string::npos);
    EXPECT_EQ(rulesOf(written), rules);

    const RulesReading wrong =
        parseRules(R"({"rules": [{"name": "a", "priority": "urgent"}]})", "rules.json");
    ASSERT_TRUE(wrong.error);
    EXPECT_NE(wrong.error->reason.find("priority"), std::string::npos);
}

}  // namespace
}  // namespace ruv::testing
