// Timers started by rule hits, on a clock that moves only when told.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/rules/live_timers.h"
#include "core/rules/rule_engine.h"
#include "core/rules/rule_trial.h"
#include "core/rules/rules_file.h"
#include "core/rules/timers_file.h"
#include "core/text/cp932.h"
#include "support/cp932_text.h"
#include "support/exp_fakes.h"
#include "support/log_lines.h"
#include "support/temp_folder.h"

namespace ruv::testing {
namespace {

class RecordingAlarms final : public TimerAlarms {
  public:
    void ringTimer(const TimerAlarm& alarm) override {
        rung.push_back(alarm.sound + "|" + cp932::toUtf8(alarm.phrase) +
                       (alarm.alert ? "|alert" : ""));
    }
    std::vector<std::string> rung;
};

constexpr platform::LocalDateTime kNine{2024, 5, 1, 21, 0, 0};

// An engine whose rules send their timers to live timers on a manual clock.
struct TimerRig {
    explicit TimerRig(std::string_view json, platform::LocalDateTime start = kNine) : clock(start) {
        const RulesReading reading = parseRules(json, "rules.json");
        EXPECT_FALSE(reading.error) << reading.error->message();
        problems = engine.setRules(reading.rules);
        engine.sendTimersTo(&timers);
    }

    // stamp: 17 bytes, as the views show it.
    void line(std::string_view stamp, std::string_view body,
              ChatChannel channel = ChatChannel::Open, LineUse use = LineUse::Live) {
        engine.apply(std::string(stamp) + sj(body), channel, use);
    }
    // The wall clock and the event loop move on together, a second at a time.
    void wait(int seconds) {
        for (int i = 0; i < seconds; ++i) {
            clock.set(localTimeOf(WallSeconds{wallSecondsOf(clock.now()).value + 1}));
            manual.advance(std::chrono::seconds(1));
        }
    }
    std::vector<std::int64_t> secondsLeft() const {
        std::vector<std::int64_t> left;
        for (const RunningTimer& timer : timers.running()) {
            left.push_back(timer.endsAt - timers.now().value);
        }
        return left;
    }

    platform::ManualClock clock;
    platform::ManualTimers manual;
    RecordingAlarms alarms;
    FakeErrors errors;
    LiveRuleTimers timers{LiveTimerPorts{clock, manual, alarms, errors}};
    RuleEngine engine;
    std::vector<RuleProblem> problems;
};

constexpr std::string_view kAtNine = "[05/01 21:00:00] ";

TEST(TimerLength, ReadFromSecondsClocksAndJapaneseUnits) {
    struct Case {
        std::string_view text;
        std::int64_t seconds;
        DurationFault fault;
    };
    const std::vector<Case> cases{
        {"90", 90, DurationFault::None},
        {"5分", 300, DurationFault::None},
        {"30秒", 30, DurationFault::None},
        {"2時間", 7200, DurationFault::None},
        {"1時間30分", 5400, DurationFault::None},
        {"１０分", 600, DurationFault::None},
        {" 1:30:00 ", 5400, DurationFault::None},
        {"5:00", 300, DurationFault::None},
        {"168時間", 604800, DurationFault::None},
        {"169時間", 0, DurationFault::TooLong},
        {"99999999999999999999999", 0, DurationFault::TooLong},
        {"abc", 0, DurationFault::NotADuration},
        {"5日", 0, DurationFault::NotADuration},
        {"分", 0, DurationFault::NotADuration},
        {"", 0, DurationFault::NotADuration},
        {"0", 0, DurationFault::NotADuration},
        {"1:75", 0, DurationFault::NotADuration},
        {"1:2:3:4", 0, DurationFault::NotADuration},
    };
    for (const Case& c : cases) {
        const DurationReading reading = readDuration(c.text);
        EXPECT_EQ(reading.fault, c.fault) << c.text;
        EXPECT_EQ(reading.seconds, c.seconds) << c.text;
    }
}

TEST(RuleTimers, TheLengthComesFromTheFirstCaptureGroupAndAWrongOneIsSaidOnce) {
    TimerRig rig(R"js({"rules": [{"name": "boss", "pattern": "湧き (\\S+)", "regex": true,
        "timer": {"name": "{speaker}の{text}", "onRepeat": "second"}}]})js");
    ASSERT_TRUE(rig.problems.empty());
    for (const std::string_view said : {"90", "5分", "30秒", "2時間"}) {
        rig.line(kAtNine, "ミカ : 湧き " + std::string(said));
    }
    std::vector<std::int64_t> lengths;
    for (const RunningTimer& timer : rig.timers.running()) {
        lengths.push_back(timer.seconds());
    }
    EXPECT_EQ(lengths, (std::vector<std::int64_t>{90, 300, 30, 7200}));
    EXPECT_EQ(rig.timers.running()[0].name, "ミカの湧き 90");

    for (const std::string_view said : {"9999時間", "abc", "すぐ"}) {
        rig.line(kAtNine, "ミカ : 湧き " + std::string(said));
    }
    EXPECT_EQ(rig.timers.running().size(), 4u);
    ASSERT_EQ(rig.errors.lines.size(), 1u);
    EXPECT_NE(cp932::toUtf8(rig.errors.lines[0]).find("「boss」"), std::string::npos);
    EXPECT_NE(rig.errors.lines[0].find("9999"), std::string::npos);
}

TEST(RuleTimers, ACaptureLengthNeedsAGroupOfARegularExpression) {
    TimerRig rig(R"({"rules": [
        {"name": "plain", "pattern": "湧き", "timer": {"name": "t"}},
        {"name": "no group", "pattern": "湧き", "regex": true, "timer": {"name": "t"}},
        {"name": "bad stop", "pattern": "湧き", "timer": {"name": "t", "duration": 60,
         "stop": "(", "onRepeat": "ignore"}, "regex": true}]})");
    ASSERT_EQ(rig.problems.size(), 3u);
    rig.line(kAtNine, "ミカ : 湧き");
    EXPECT_TRUE(rig.timers.running().empty());
    // The rules themselves still hit.
    EXPECT_EQ(rig.engine.outcome().hits.size(), 3u);
}

TEST(RuleTimers, WarnBeforeTheEndAndRingTheRulesChosenActions) {
    TimerRig rig(R"({"rules": [{"name": "buff", "pattern": "バフ", "sound": "a.wav",
        "speak": "{speaker}のバフ", "alert": true,
        "timer": {"name": "バフ", "duration": "0:02:00", "warnSeconds": 60,
                  "atWarning": ["sound"], "atEnd": ["sound", "speak", "alert"]}}]})");
    rig.line(kAtNine, "ミカ : バフ");
    rig.wait(59);
    EXPECT_TRUE(rig.alarms.rung.empty());
    rig.wait(1);
    EXPECT_EQ(rig.alarms.rung, std::vector<std::string>{"a.wav|"});
    rig.wait(59);
    EXPECT_EQ(rig.secondsLeft(), std::vector<std::int64_t>{1});
    rig.wait(1);
    EXPECT_EQ(rig.alarms.rung, (std::vector<std::string>{"a.wav|", "a.wav|ミカのバフ|alert"}));
    EXPECT_TRUE(rig.timers.running().empty());
}

TEST(RuleTimers, ANewHitRestartsIgnoresOrStartsASecondTimer) {
    struct Case {
        std::string_view repeat;
        std::vector<std::int64_t> left;  // 30 s after the first hit, when the second comes
    };
    const std::vector<Case> cases{
        {"restart", {120}},
        {"ignore", {90}},
        {"second", {90, 120}},
    };
    for (const Case& c : cases) {
        TimerRig rig(R"({"rules": [{"name": "boss", "pattern": "湧き",
            "timer": {"name": "ボス", "duration": 120, "onRepeat": ")" +
                     std::string(c.repeat) + R"("}}]})");
        rig.line(kAtNine, "ミカ : 湧き");
        rig.wait(30);
        rig.line("[05/01 21:00:30] ", "ミカ : 湧き");
        EXPECT_EQ(rig.secondsLeft(), c.left) << c.repeat;
    }
}

TEST(RuleTimers, AStopPatternEndsOnlyItsRulesTimersInItsChannels) {
    TimerRig rig(R"({"rules": [
        {"name": "boss", "pattern": "湧き", "channels": ["システム"],
         "timer": {"name": "ボス", "duration": 600, "stop": "討伐"}},
        {"name": "buff", "pattern": "バフ", "timer": {"name": "バフ", "duration": 600}}]})");
    rig.line(kAtNine, "ボスが湧きました", ChatChannel::System);
    rig.line(kAtNine, "ミカ : バフ");
    ASSERT_EQ(rig.timers.running().size(), 2u);
    rig.line(kAtNine, "ミカ : 討伐した?");  // not in the rule's channels
    EXPECT_EQ(rig.timers.running().size(), 2u);
    rig.line(kAtNine, "ボスが討伐されました", ChatChannel::System);
    ASSERT_EQ(rig.timers.running().size(), 1u);
    EXPECT_EQ(rig.timers.running()[0].rule, "buff");
    EXPECT_TRUE(rig.alarms.rung.empty());
}

TEST(RuleTimers, TheLinesStampDecidesHowMuchIsLeftAcrossMidnightAndNewYear) {
    struct Case {
        platform::LocalDateTime now;
        std::string_view stamp;
        std::vector<std::int64_t> left;  // of a 60 s timer
    };
    const std::vector<Case> cases{
        {kNine, kAtNine, {60}},
        {{2024, 5, 1, 21, 0, 30}, kAtNine, {30}},  // read late
        {{2024, 5, 1, 21, 1, 0}, kAtNine, {}},     // as old as its length
        {{2024, 5, 2, 0, 0, 10}, "[23:59:50]       ", {40}},
        {{2024, 5, 1, 23, 59, 50}, "[00:00:10]       ", {80}},
        {{2025, 1, 1, 0, 0, 5}, "[12/31 23:59:50] ", {45}},
        {{2024, 5, 2, 0, 0, 10}, "[05/01 23:59:50] ", {40}},
        {{2024, 5, 1, 21, 0, 0}, "?????????????????", {60}},  // no time: now
    };
    for (const Case& c : cases) {
        TimerRig rig(R"({"rules": [{"name": "t", "pattern": "湧き",
            "timer": {"name": "t", "duration": 60}}]})",
                     c.now);
        rig.line(c.stamp, "ミカ : 湧き");
        EXPECT_EQ(rig.secondsLeft(), c.left) << c.stamp;
    }
}

TEST(RuleTimers, TidiedLinesStartTimersOnlyWhenTheRuleAllows) {
    TimerRig rig(R"({"rules": [
        {"name": "coloured only", "pattern": "湧き", "timer": {"name": "a", "duration": 60}},
        {"name": "allowed", "pattern": "湧き",
         "timer": {"name": "b", "duration": 60, "tidiedLines": true}}]})");
    rig.line(kAtNine, "ミカ : 湧き", ChatChannel::Open, LineUse::ColourOnly);
    ASSERT_EQ(rig.timers.running().size(), 1u);
    EXPECT_EQ(rig.timers.running()[0].name, "b");
}

TEST(RuleTimers, RunningTimersResumeAfterARestartAndEndedOnesAreDropped) {
    TempFolder folder;
    const std::string json = R"js({"rules": [{"name": "boss", "pattern": "湧き (\\d+分)",
        "regex": true, "sound": "a.wav", "timer": {"name": "ボス", "onRepeat": "second"}}]})js";
    {
        TimerRig rig(json);
        rig.line(kAtNine, "ミカ : 湧き 10分");
        rig.line(kAtNine, "ミカ : 湧き 1分");
        rig.timers.save(folder.path());
    }
    const std::string kept = readBytes(folder / kTimersFileName);
    {
        // Closed for two minutes: the one-minute timer ended meanwhile, unrung.
        TimerRig rig(json, {2024, 5, 1, 21, 2, 0});
        rig.timers.load(folder.path());
        EXPECT_EQ(rig.secondsLeft(), std::vector<std::int64_t>{480});
        rig.wait(480);
        EXPECT_EQ(rig.alarms.rung, std::vector<std::string>{"a.wav|"});
        rig.timers.save(folder.path());
    }
    EXPECT_FALSE(std::filesystem::exists(folder / kTimersFileName));

    // A start and an exit with the same timers leave the file as it was.
    writeBytes(folder / kTimersFileName, kept);
    const auto written = std::filesystem::last_write_time(folder / kTimersFileName);
    {
        TimerRig rig(json, {2024, 5, 1, 21, 0, 30});
        rig.timers.load(folder.path());
        EXPECT_EQ(rig.secondsLeft(), (std::vector<std::int64_t>{570, 30}));
        rig.timers.save(folder.path());
    }
    EXPECT_EQ(readBytes(folder / kTimersFileName), kept);
    EXPECT_EQ(std::filesystem::last_write_time(folder / kTimersFileName), written);

    // With no timers and no file, none is written.
    TempFolder empty;
    TimerRig(json).timers.save(empty.path());
    EXPECT_TRUE(std::filesystem::is_empty(empty.path()));
}

TEST(RulesFile, ATimerRoundTripsAndItsFaultsNameTheirLine) {
    const std::string text = R"({"rules": [
        {"name": "boss", "pattern": "湧き", "timer": {"name": "ボス {text}", "duration": "1:30:00",
         "warnSeconds": 60, "atWarning": ["sound"], "atEnd": ["speak", "alert"],
         "onRepeat": "ignore", "stop": "討伐", "tidiedLines": true}},
        {"name": "plain", "pattern": "a"}]})";
    const RulesReading reading = parseRules(text, "rules.json");
    ASSERT_FALSE(reading.error) << reading.error->message();
    const RuleTimer& timer = *reading.rules.rules[0].timer;
    EXPECT_EQ(timer.seconds, 5400);
    EXPECT_EQ(timer.atWarning, (TimerAlarmUse{true, false, false}));
    EXPECT_EQ(timer.repeat, TimerRepeat::Ignore);
    EXPECT_FALSE(reading.rules.rules[1].timer);
    const std::string written = rulesJson(reading.rules);
    EXPECT_EQ(parseRules(written, "rules.json").rules, reading.rules);
    EXPECT_EQ(written.find("\"timer\""), written.rfind("\"timer\""));

    struct Case {
        std::string_view text;
        std::string_view reason;
    };
    const std::vector<Case> cases{
        {R"("timer": {"duration": 60})", "no \"name\""},
        {R"("timer": {"name": "t", "duration": "soon"})", "\"duration\""},
        {R"("timer": {"name": "t", "duration": -5})", "\"duration\""},
        {R"("timer": {"name": "t", "onRepeat": "twice"})", "\"onRepeat\""},
        {R"("timer": {"name": "t", "atEnd": ["beep"]})", "\"beep\""},
        {R"("timer": {"name": "t", "warnSeconds": "60"})", "\"warnSeconds\""},
        {R"("timer": 5)", "not a JSON object"},
    };
    for (const Case& c : cases) {
        const std::string bad =
            "{\"rules\": [{\"name\": \"a\",\n \"pattern\": \"b\",\n " + std::string(c.text) + "}]}";
        const RulesReading damaged = parseRules(bad, "rules.json");
        ASSERT_TRUE(damaged.error) << c.text;
        EXPECT_EQ(damaged.error->line, 3) << c.text;
        EXPECT_NE(damaged.error->reason.find(c.reason), std::string::npos) << damaged.error->reason;
    }
}

class QuietTrialListener final : public RuleTrialListener {
  public:
    void progressed(RuleTrialProgress) override {}
    void finished(const RuleTrialReport&) override {}
};

TEST(RuleTrialTimers, CountsTheTimersEachRuleWouldStartOnTheLinesOwnTime) {
    TempFolder folder;
    std::string log =
        std::string(markers::kHeaderBody) + "\n" + std::string(markers::kHeaderTitle) + "\n";
    for (const std::string_view stamp :
         {"[05/01 21:00:00] ", "[05/01 21:00:30] ", "[05/01 21:02:00] ", "[05/01 21:02:10] "}) {
        log += chatLine("c8ffc8", sj("ミカ : 湧き"), TagForm::BlankBefore, stamp) + "\n";
    }
    const std::filesystem::path day = folder / dailyLogName(CivilDate{2024, 5, 1});
    writeBytes(day, log);
    const RulesReading reading = parseRules(R"({"rules": [
        {"name": "restart", "pattern": "湧き", "timer": {"name": "a", "duration": 60}},
        {"name": "ignore", "pattern": "湧き",
         "timer": {"name": "b", "duration": 60, "onRepeat": "ignore"}},
        {"name": "cooled", "pattern": "湧き", "cooldownSeconds": 600,
         "timer": {"name": "c", "duration": 60, "onRepeat": "second"}},
        {"name": "none", "pattern": "湧き"}]})",
                                            "rules.json");
    ASSERT_FALSE(reading.error);
    QuietTrialListener listener;
    const std::atomic<bool> cancel{false};
    const RuleTrialReport report = runRuleTrial(
        RuleTrialRun{reading.rules, {DailyLog{CivilDate{2024, 5, 1}, day}}}, listener, cancel);
    std::vector<std::int64_t> timers;
    for (const RuleTrialResult& result : report.rules) {
        timers.push_back(result.timers);
    }
    // Four hits: the first two share a minute, the last two another.
    EXPECT_EQ(timers, (std::vector<std::int64_t>{4, 2, 1, 0}));
}

}  // namespace
}  // namespace ruv::testing
