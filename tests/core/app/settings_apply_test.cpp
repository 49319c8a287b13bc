#include "core/app/settings_apply.h"

#include <gtest/gtest.h>

#include <initializer_list>

#include "core/config/config_row.h"
#include "core/text/cp932.h"

namespace {

using namespace ruv::config;

ConfigStore storeOf(std::initializer_list<const char*> lines) {
    ConfigStore store;
    store.clear();
    for (const char* line : lines) {
        store.add(line);
    }
    return store;
}

struct Applied {
    ruv::SessionState settings;
    std::vector<StartupIssue> issues;
};

Applied apply(std::initializer_list<const char*> lines) {
    Applied out;
    out.issues = applyConfigRows(storeOf(lines), out.settings);
    return out;
}

TEST(ApplyConfigRows, OnlyZeroHidesATabAndOnlyOneShowsTheHiddenOnes) {
    const Applied a = apply({"Normal=2", "Open=0", "Battle=2", "System=1", "ExpMonitor=0"});
    EXPECT_TRUE(a.settings.route.tabShown[0]);
    EXPECT_FALSE(a.settings.route.tabShown[1]);
    EXPECT_FALSE(a.settings.route.tabShown[8]);
    EXPECT_TRUE(a.settings.route.tabShown[9]);
    EXPECT_FALSE(a.settings.route.tabShown[10]);
    EXPECT_TRUE(a.issues.empty());
}

TEST(ApplyConfigRows, AKeyGivenTwiceAppliesBothSoAHiddenTabStaysHidden) {
    const Applied a = apply({"Team=0", "Team=1"});
    EXPECT_FALSE(a.settings.route.tabShown[2]);
}

TEST(ApplyConfigRows, ShuffledRowsApplyByKeyAndUnknownKeysAreIgnored) {
    const Applied a = apply({"OldRuvIvuvaz=1", "Whatever=9", "ShoutCheck=1", "UpWindow=1",
                             "AutoUpdate=0", "StatusBar=1", "OpenCheck=0"});
    EXPECT_TRUE(a.settings.attach.tidyOnAttach);
    EXPECT_TRUE(a.settings.route.mix[4]);
    EXPECT_FALSE(a.settings.route.mix[0]);
    EXPECT_TRUE(a.settings.topMost);
    EXPECT_FALSE(a.settings.attach.autoAttach);
    EXPECT_TRUE(a.settings.statusBarRate);
    const ConfigStore rebuilt = canonicalStore(a.settings);
    ASSERT_EQ(rebuilt.count(), 60);
    EXPECT_TRUE(rebuilt.hasCanonicalLayout());
    EXPECT_EQ(rebuilt.value(ConfigRow::ShoutCheck), "1");
    EXPECT_EQ(rebuilt.value(ConfigRow::AutoUpdate), "0");
}

TEST(ApplyConfigRows, IntervalAndTransparencyTakeOnlyMenuValues) {
    EXPECT_EQ(apply({"UpDateTime=30"}).settings.intervalSeconds, 30);
    EXPECT_EQ(apply({"UpDateTime=7"}).settings.intervalSeconds, 1);
    EXPECT_EQ(apply({"UpDateTime=0"}).settings.intervalSeconds, 0);
    EXPECT_EQ(apply({"WindowsPenetration=20"}).settings.transparencyPercent, 20);
    EXPECT_EQ(apply({"WindowsPenetration=25"}).settings.transparencyPercent, 0);
}

TEST(ApplyConfigRows, NgRowsCrossTheirNames) {
    const Applied users = apply({"NGWordCheck=1"});
    EXPECT_TRUE(users.settings.route.ngUsersApplied);
    EXPECT_FALSE(users.settings.route.ngWordsApplied);
    const Applied words = apply({"NGUserCheck=1"});
    EXPECT_TRUE(words.settings.route.ngWordsApplied);
    EXPECT_FALSE(words.settings.route.ngUsersApplied);
    const ConfigStore rebuilt = canonicalStore(users.settings);
    EXPECT_EQ(rebuilt.value(ConfigRow::NGWordCheck), "1");
    EXPECT_EQ(rebuilt.value(ConfigRow::NGUserCheck), "0");
}

TEST(ApplyConfigRows, ABadRowIsReportedWithItsStageAndTheRestStillApplies) {
    const Applied a = apply({"BouVolume=loud", "BouyomiCheck01=1", "WindowTopPosition=x",
                             "WindowLeftPosition=40", "BouLimitMoji=20"});
    ASSERT_EQ(a.issues.size(), 2u);
    EXPECT_EQ(a.issues[0].stage, kStageSpeech);
    EXPECT_EQ(a.issues[1].stage, kStageWindow);
    EXPECT_TRUE(a.settings.route.speechSend);
    EXPECT_EQ(a.settings.bounds.left, 40);
    EXPECT_FALSE(a.settings.bounds.top.has_value());
    const ConfigStore rebuilt = canonicalStore(a.settings);
    EXPECT_EQ(rebuilt.value(ConfigRow::BouVolume), "100");
    EXPECT_EQ(rebuilt.value(ConfigRow::BouLimitMoji), "20");
    EXPECT_EQ(rebuilt.value(ConfigRow::WindowTopPosition), "");
    EXPECT_EQ(rebuilt.value(ConfigRow::WindowLeftPosition), "40");
}

TEST(ApplyConfigRows, EachBadRowIsNamedWithItsLineValueAndWhatIsUsedInstead) {
    const Applied a =
        apply({"UpDateTime=30", "BouPort=999999", "WindowsPenetration=25", "BouVolume=loud",
               "WindowTopPosition=x", "BouyomiCheck02=4", "UpDateTime=7", "BouPort=0"});
    const char* expected[] = {
        "config.ini 2行目 BouPort=999999: 使えない値です。代わりに 50001 を使います。",
        "config.ini 3行目 WindowsPenetration=25: 使えない値です。代わりに 0 を使います。",
        "config.ini 4行目 BouVolume=loud: 数値ではありません。代わりに 100 を使います。",
        "config.ini 5行目 WindowTopPosition=x: 数値ではありません。"
        "この行は使わず、既定の値のままにします。",
        "config.ini 6行目 BouyomiCheck02=4: 使えない値です。代わりに 0 を使います。",
        "config.ini 7行目 UpDateTime=7: 使えない値です。代わりに 30 を使います。",
        "config.ini 8行目 BouPort=0: 使えない値です。代わりに 50001 を使います。",
    };
    ASSERT_EQ(a.issues.size(), std::size(expected));
    for (std::size_t i = 0; i < a.issues.size(); ++i) {
        EXPECT_EQ(ruv::cp932::toUtf8(startupIssueText(a.issues[i])), expected[i]);
    }
    EXPECT_EQ(a.issues[0].stage, kStageSpeech);
    EXPECT_EQ(a.issues[5].stage, kStageIntervalAlpha);
}

TEST(CanonicalStore, SpeechRowsTakeTheirDefaultsWhenMissingOrNotPositive) {
    const Applied a = apply({"BouPort=0", "BouNoName=5", "BouIPAddress=", "BouVoiceKind=3"});
    const ConfigStore rebuilt = canonicalStore(a.settings);
    EXPECT_EQ(rebuilt.value(ConfigRow::BouPort), "50001");
    EXPECT_EQ(rebuilt.value(ConfigRow::BouIPAddress), "127.0.0.1");
    EXPECT_EQ(rebuilt.value(ConfigRow::BouNoName), "1");
    EXPECT_EQ(rebuilt.value(ConfigRow::BouVoiceKind), "3");
    EXPECT_EQ(rebuilt.value(ConfigRow::BouPitch), "100");
}

TEST(CanonicalStore, DefaultStateEqualsTheFirstRunRows) {
    EXPECT_EQ(canonicalStore(ruv::SessionState{}), firstRunConfigStore());
}

TEST(WriteExitRows, WritesEveryRowFromTheStateTheSpeechRowsIncluded) {
    ConfigStore store = firstRunConfigStore();
    ruv::SessionState state;
    state.route.tabShown[10] = false;
    state.soundPaths[6] = "C:\\sound\\nine.wav";
    state.attach.logFolder = "C:\\logs\\";
    state.bounds.top = -20;
    state.speech.address = "192.0.2.1";
    state.speech.limit = "64";
    state.speech.readMode = "2";
    writeExitRows(store, state);
    EXPECT_EQ(store.value(ConfigRow::ExpMonitor), "0");
    EXPECT_EQ(store.value(ConfigRow::SoundPathMemo09), "C:\\sound\\nine.wav");
    EXPECT_EQ(store.value(ConfigRow::MHFolderPath), "C:\\logs\\");
    EXPECT_EQ(store.value(ConfigRow::WindowTopPosition), "-20");
    EXPECT_EQ(store.value(ConfigRow::BouyomiCheck02), "2");
    EXPECT_EQ(store.value(ConfigRow::BouIPAddress), "192.0.2.1");
    EXPECT_EQ(store.value(ConfigRow::BouLimitMoji), "64");
    EXPECT_EQ(store.count(), 60);
}

TEST(ApplyConfigRows, EverySpeechRowIsReadIntoTheStateAndWrittenBackUnchanged) {
    const std::initializer_list<const char*> rows = {
        "BouIPAddress=10.0.0.2", "BouPort=50002",   "BouVolume=70",    "BouPitch=130",
        "BouOntei=80",           "BouVoiceKind=5",  "BouLimitMoji=20", "BouNoName=1",
        "BouyomiCheck01=1",      "BouyomiCheck02=3"};
    const Applied a = apply(rows);
    EXPECT_EQ(a.settings.speech, (ruv::SpeechSettingTexts{"10.0.0.2", "50002", "70", "130", "80",
                                                          "5", "20", "1", "3"}));
    EXPECT_TRUE(a.settings.route.speechSend);
    const ConfigStore read = storeOf(rows);
    const ConfigStore rebuilt = canonicalStore(a.settings);
    for (int n = 1; n <= read.count(); ++n) {
        const auto row = canonicalRow(read.key(configRow(n)));
        ASSERT_TRUE(row.has_value()) << n;
        EXPECT_EQ(rebuilt.value(*row), read.value(configRow(n))) << read.key(configRow(n));
    }
}

TEST(ApplyConfigRows, AReadModeOutsideTheListKeepsTheOneInForce) {
    EXPECT_EQ(apply({"BouyomiCheck02=2"}).settings.speech.readMode, "2");
    EXPECT_EQ(apply({"BouyomiCheck02=4"}).settings.speech.readMode, "0");
    EXPECT_EQ(apply({"BouyomiCheck02=-1"}).settings.speech.readMode, "0");
}

}  // namespace
