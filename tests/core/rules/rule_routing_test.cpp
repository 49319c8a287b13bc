// Notification rules read from a real file and applied as lines are routed.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/log/route_line.h"
#include "core/rules/rules_file.h"
#include "core/text/cp932.h"
#include "support/cp932_text.h"
#include "support/log_lines.h"
#include "support/route_fakes.h"
#include "support/temp_folder.h"

namespace ruv::testing {
namespace {

class RecordingRuleActions final : public RuleSounds, public RuleSpeech {
  public:
    void playRuleSound(std::string_view path) override { sounds.emplace_back(path); }
    void speakRulePhrase(std::string_view phrase, std::string_view speaker,
                         SpeechPriority) override {
        phrases.push_back(cp932ToUtf8(phrase) + "|" + cp932ToUtf8(speaker));
    }
    static std::string cp932ToUtf8(std::string_view text) { return cp932::toUtf8(text); }

    std::vector<std::string> sounds;
    std::vector<std::string> phrases;
};

// A router with rules from a rules file written to a temporary folder.
struct RulesRig {
    explicit RulesRig(std::string_view json) {
        writeBytes(folder.path() / kRulesFileName, json);
        const RulesReading reading = readRulesFile(folder.path() / kRulesFileName);
        EXPECT_FALSE(reading.error) << reading.error->message();
        problems = engine.setRules(reading.rules);
    }

    // The names of the rules that hit the line.
    std::vector<std::string> route(std::string_view colourHex, std::string_view body,
                                   std::string_view stamp = kStamp) {
        router.RouteLine(chatLine(colourHex, sj(body), TagForm::BlankBefore, stamp));
        std::vector<std::string> names;
        for (const RuleHit& hit : engine.outcome().hits) {
            names.push_back(engine.rules().rules[hit.rule].name);
        }
        return names;
    }
    std::optional<Colour> lastBackground(ChatChannel view) const {
        const LineStore& store = rig.views.book.lines(view).store();
        return store.empty() ? std::nullopt : store.background(store.size() - 1);
    }

    TempFolder folder;
    RouteRig rig;
    RuleEngine engine;
    std::vector<RuleProblem> problems;
    RecordingRuleActions actions;
    LineRouter router{
        RoutePorts{rig.views, rig.notices, rig.sounds, rig.exp, rig.speech, rig.attention},
        RouteState{rig.views.settings, rig.ngLists, rig.views.book, rig.counters},
        RuleRouting{engine, actions, actions}};
};

constexpr std::string_view kOpen = "c8ffc8";
constexpr std::string_view kTeam = "f7b73c";
constexpr std::string_view kSystem = "ff6464";

TEST(RuleMatching, ScopeCaseAndSpeakerDecideWhichRulesHitJapaneseLines) {
    RulesRig rules(R"({"rules": [
        {"name": "集合", "pattern": "集合"},
        {"name": "GvG exact", "pattern": "GvG", "ignoreCase": false},
        {"name": "gvg", "pattern": "gvg"},
        {"name": "チーム", "channels": ["チーム"]},
        {"name": "ミカ", "speaker": "ミカ"},
        {"name": "募集", "pattern": "^募集.*ＰＴ$", "regex": true},
        {"name": "a.c", "pattern": "a.c"},
        {"name": "backslash", "pattern": "\\"},
        {"name": "off", "pattern": "集合", "enabled": false},
        {"name": "unknown keys", "pattern": "解散", "future": [1, 2]}
    ]})");
    ASSERT_TRUE(rules.problems.empty());
    struct Case {
        std::string_view colour;
        std::string_view body;
        std::vector<std::string> hits;
    };
    const std::vector<Case> cases{
        {kOpen, "ミカ : 集合です", {"集合", "ミカ"}},
        {kTeam, "カイ : GvGやる", {"GvG exact", "gvg", "チーム"}},
        {kOpen, "カイ : gvg", {"gvg"}},
        {kOpen, "ミカエル : やあ", {}},
        {kSystem, "募集中のＰＴ", {"募集"}},
        {kOpen, "カイ : 募集中のＰＴ", {}},
        {kOpen, "カイ : abc", {}},
        {kOpen, "カイ : a.c", {"a.c"}},
        // ソ is 0x83 0x5C in CP932: its trail byte is a backslash.
        {kOpen, "カイ : ソ", {}},
        {kOpen, "カイ : 解散", {"unknown keys"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(rules.route(c.colour, c.body), c.hits) << c.body;
    }
}

TEST(RuleMatching, APatternIsCheckedAsWrittenAndTheEngineRefusesWhatTheDialogRefuses) {
    struct Case {
        std::string_view pattern;
        std::string_view text;
        std::optional<bool> ignoredHit;  // none: refused
        std::optional<bool> exactHit;
    };
    const std::vector<Case> cases{
        {"ボス)|(.", "ただの行", std::nullopt, std::nullopt},
        {"(?i)ア)|(", "ア", std::nullopt, std::nullopt},
        {"\\Q)|(.", "a)|(.b", true, true},
        {"ボス|pt", "PTいこう", true, false},
    };
    for (const Case& c : cases) {
        for (const LetterCase letterCase : {LetterCase::Ignored, LetterCase::Exact}) {
            NotificationRule rule;
            rule.name = "r";
            rule.pattern = c.pattern;
            rule.kind = PatternKind::Regex;
            rule.letterCase = letterCase;
            const std::optional<bool> expected =
                letterCase == LetterCase::Ignored ? c.ignoredHit : c.exactHit;
            std::vector<RuleProblem> problems;
            const RuleMatcher matcher = RuleMatcher::compile(RuleSet{{rule}}, &problems);
            EXPECT_EQ(RuleMatcher::problemOf(rule).has_value(), !expected) << c.pattern;
            EXPECT_EQ(problems.size(), expected ? 0u : 1u) << c.pattern;
            if (expected) {
                EXPECT_EQ(matcher.matchesOne(0, RuleLineText{std::nullopt, {}, c.text}), *expected)
                    << c.pattern;
            }
        }
    }
}

TEST(RuleMatching, LinesTheNgListsHoldBackMatchNothing) {
    RulesRig rules(R"({"rules": [{"name": "集合", "pattern": "集合", "sound": "a.wav"}]})");
    rules.rig.views.settings.SetTabShown(ChatChannel::NG, true);
    rules.rig.views.settings.ngUsersApplied = true;
    rules.rig.ngLists.users = {sj("荒らし")};
    EXPECT_TRUE(rules.route(kOpen, "荒らし : 集合").empty());
    EXPECT_EQ(rules.route(kOpen, "ミカ : 集合"), std::vector<std::string>{"集合"});
    EXPECT_EQ(rules.actions.sounds, std::vector<std::string>{"a.wav"});
}

TEST(RuleFiring, CooldownCountsInTheLinesOwnStampsAndStillColours) {
    RulesRig rules(R"({"rules": [
        {"name": "call", "pattern": "集合", "sound": "a.wav", "colour": "#102030",
         "cooldownSeconds": 60}]})");
    struct Case {
        std::string_view stamp;
        Fired fired;
    };
    const std::vector<Case> cases{
        {"[05/01 21:00:00] ", Fired::Yes},
        {"[05/01 21:00:59] ", Fired::No},
        {"[05/01 21:01:00] ", Fired::Yes},
        // An unreadable stamp counts as the time of the line before it.
        {"?????????????????", Fired::No},
        {"[05/02 00:00:30] ", Fired::Yes},
    };
    for (const Case& c : cases) {
        rules.route(kOpen, "ミカ : 集合", c.stamp);
        ASSERT_EQ(rules.engine.outcome().hits.size(), 1u);
        EXPECT_EQ(rules.engine.outcome().hits[0].fired, c.fired) << c.stamp;
        EXPECT_EQ(rules.lastBackground(ChatChannel::Open), Colour{0x102030}) << c.stamp;
    }
    EXPECT_EQ(rules.actions.sounds.size(), 3u);
}

TEST(RuleFiring, PlaysEachSoundOnceFirstColourWinsAndSpeaksWithPlaceholders) {
    RulesRig rules(R"({"rules": [
        {"name": "a", "pattern": "集合", "sound": "a.wav", "speak": "{channel}で{speaker}が{text}"},
        {"name": "b", "pattern": "集合", "sound": "a.wav", "colour": "#0000ff"},
        {"name": "c", "pattern": "集合", "sound": "c.wav", "colour": "#ff0000", "alert": true}
    ]})");
    rules.rig.views.settings.speechSend = true;
    rules.route(kTeam, "ミカ : 集合です");
    EXPECT_EQ(rules.actions.sounds, (std::vector<std::string>{"a.wav", "c.wav"}));
    EXPECT_EQ(rules.actions.phrases, std::vector<std::string>{"チームでミカが集合です|ミカ"});
    EXPECT_EQ(rules.rig.attention.requests, 1);
    EXPECT_EQ(rules.lastBackground(ChatChannel::Team), Colour{0x0000ff});
    EXPECT_EQ(rules.lastBackground(ChatChannel::Normal), Colour{0x0000ff});

    rules.rig.views.settings.speechSend = false;
    rules.route(kTeam, "ミカ : 集合です");
    EXPECT_EQ(rules.actions.phrases.size(), 1u);
}

TEST(RulesFile, ADamagedFileGivesNoRulesAndNamesItsLineUntilTheUserSaves) {
    struct Case {
        std::string_view text;
        std::int64_t line;
        std::string_view reason;
    };
    const std::vector<Case> cases{
        {"{\"rules\": [\n  {\"name\": \"a\",,}\n]}", 2, "syntax error"},
        {"{\"rules\": [\n  {\"name\": \"a\"},\n  {\"name\": \"a\"}\n]}", 3, "used twice"},
        {"{\"rules\": [\n  {\"name\": \"a\",\n   \"colour\": \"red\"}\n]}", 3, "#rrggbb"},
        {"{\"rules\": [{\"name\": \"a\",\n \"cooldownSeconds\": -1}]}", 2, "cooldownSeconds"},
        {"{\"rules\": [{\"name\": \"a\", \"channels\": [\"通常\"]}]}", 1, "names no channel"},
        {"{\"rules\": [{\"pattern\": \"a\"}]}", 1, "no \"name\""},
        {"[]", 1, "JSON object"},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        const auto file = folder.path() / kRulesFileName;
        writeBytes(file, c.text);
        const RulesReading reading = readRulesFile(file);
        EXPECT_EQ(reading.state, RulesFileState::Damaged) << c.text;
        EXPECT_TRUE(reading.rules.rules.empty());
        ASSERT_TRUE(reading.error) << c.text;
        EXPECT_EQ(reading.error->line, c.line) << c.text;
        EXPECT_NE(reading.error->reason.find(c.reason), std::string::npos) << reading.error->reason;

        RuleSet saved;
        saved.rules.emplace_back().name = "新";
        saveRulesFile(folder.path(), saved, reading.bytes);
        EXPECT_EQ(readBytes(folder.path() / kRulesBackupName), c.text);
        EXPECT_EQ(readRulesFile(file).rules, saved);
    }
}

TEST(RulesFile, AValueNestedHoweverDeepAnywhereCostsOnlyTheRulesAndNamesItsLine) {
    const std::size_t depth = 100'000;
    std::string deepObject;
    for (std::size_t i = 0; i < depth; ++i) {
        deepObject += "{\"a\":";
    }
    deepObject += "1" + std::string(depth, '}');
    const std::string deepValues[] = {std::string(depth, '[') + std::string(depth, ']'),
                                      deepObject};
    // Each place a value can stand; the value comes on line 2.
    std::vector<std::string> places{"\n@", "{\"rules\":\n@}", "{\"other\":\n@, \"rules\": []}",
                                    "{\"rules\": [\n@]}", "{\"rules\": [{\"name\": \"a\"},\n@]}"};
    for (const char* key :
         {"name", "enabled", "pattern", "regex", "ignoreCase", "channels", "speaker", "sound",
          "speak", "alert", "colour", "cooldownSeconds", "other"}) {
        places.push_back(std::string("{\"rules\": [{\"name\": \"a\",\n\"") + key + "\": @}]}");
    }
    places.push_back("{\"rules\": [{\"name\": \"a\",\n\"channels\": [\"チーム\", @]}]}");
    TempFolder folder;
    const auto file = folder.path() / kRulesFileName;
    for (const std::string& place : places) {
        for (const std::string& deep : deepValues) {
            std::string text = place;
            text.replace(text.find('@'), 1, deep);
            writeBytes(file, text);
            const RulesReading reading = readRulesFile(file);
            EXPECT_EQ(reading.state, RulesFileState::Damaged) << place;
            EXPECT_TRUE(reading.rules.rules.empty()) << place;
            ASSERT_TRUE(reading.error) << place;
            EXPECT_EQ(reading.error->line, 2) << place;
            EXPECT_NE(reading.error->reason.find("deep"), std::string::npos) << place;
            EXPECT_LT(reading.error->reason.size(), 100u) << place;
        }
    }
}

}  // namespace
}  // namespace ruv::testing
