#include <gtest/gtest.h>

#include "core/exp/exp_texts.h"
#include "support/exp_fakes.h"

namespace {

using namespace ruv;
using ruv::testing::ExpHarness;
using ruv::testing::sj;
using namespace std::chrono_literals;

TEST(ExpStatsRate, FirstGainStartsTheClockAtZeroAndOneTickLater) {
    ExpHarness h;
    h.stats.resetForAttach();
    EXPECT_FALSE(h.timer.running);
    EXPECT_EQ(h.stats.recordGain(1500), GainOutcome::Counted);
    EXPECT_TRUE(h.timer.running);
    EXPECT_EQ(h.timer.period, 1000ms);
    h.runFor(1);
    const ExpStatsView v = h.stats.view();
    EXPECT_EQ(v.hours, "0");
    EXPECT_EQ(v.minutes, "0");
    EXPECT_EQ(v.seconds, "1");
    EXPECT_EQ(v.elapsed, "1");
    EXPECT_EQ(v.hourlyRate, "5400000");
    EXPECT_EQ(v.gained, "1500");
    EXPECT_EQ(v.gainCount, "1");
    EXPECT_EQ(v.averageGain, "1500");
    EXPECT_EQ(v.dayTotal, "1500");
    EXPECT_EQ(v.dayPerHour, "62");
    EXPECT_EQ(v.dayCount, "1");
    EXPECT_EQ(v.accumulated, "1500");
}

TEST(ExpStatsRate, TruncatesExactlyAndFillsTheStatusPanels) {
    ExpHarness h;
    h.stats.setStatusBarShown(true);
    h.stats.recordGain(400);
    h.stats.recordGain(500);
    h.stats.recordGain(600);
    h.runFor(307);
    EXPECT_EQ(h.stats.view().hourlyRate, "17589");
    EXPECT_EQ(h.stats.view().averageGain, "500");
    EXPECT_EQ(h.statusBar.panel0, "0:5:7");
    EXPECT_EQ(h.statusBar.panel1, sj("CT:3 取得EXP:1500 時給EXP:17589"));

    // Turning the option off puts the attach status back on the next tick.
    h.stats.setAttachedLogPath("C:\\log\\MHChatLog_2024_05_06.html");
    h.stats.setStatusBarShown(false);
    h.runFor(1);
    EXPECT_EQ(h.statusBar.panel0, sj("アタッチ"));
    EXPECT_EQ(h.statusBar.panel1, "C:\\log\\MHChatLog_2024_05_06.html");
}

TEST(ExpStatsRate, IntegerRateDoesNotLoseAUnitToFloatingPoint) {
    // 13 ÷ 3 × 3600 in double precision is 15599.999...
    ExpHarness h;
    h.stats.recordGain(13);
    h.runFor(3);
    EXPECT_EQ(h.stats.hourlyRate(), 15600);
}

TEST(ExpStatsRate, ExtremesAreSampledOnlyOnExactHourMarksUntil24Hours) {
    ExpHarness h;
    h.stats.recordGain(3600);  // 3600 EXP an hour for the first hour
    h.runFor(3599);
    EXPECT_EQ(h.stats.view().maxHourly, "0");
    EXPECT_EQ(h.stats.view().minHourly, "0");
    h.runFor(1);
    EXPECT_EQ(h.stats.view().maxHourly, "3600");
    EXPECT_EQ(h.stats.view().minHourly, "3600");

    h.stats.recordGain(3600);
    h.runFor(1);  // 3601 s: the rate moved, the extremes did not
    EXPECT_EQ(h.stats.hourlyRate(), 7200 * 3600 / 3601);
    EXPECT_EQ(h.stats.view().maxHourly, "3600");

    h.runFor(3599);  // 7200 s: 7200 EXP over two hours, same rate: nothing changes
    EXPECT_EQ(h.stats.view().maxHourly, "3600");
    EXPECT_EQ(h.stats.view().minHourly, "3600");

    h.stats.recordGain(18000);  // 25200 over three hours: 8400
    h.runFor(3600);
    EXPECT_EQ(h.stats.view().maxHourly, "8400");
    EXPECT_EQ(h.stats.view().minHourly, "3600");

    h.runFor(3600);  // 25200 over four hours: 6300, neither higher nor lower
    EXPECT_EQ(h.stats.view().maxHourly, "8400");
    EXPECT_EQ(h.stats.view().minHourly, "3600");

    h.runFor(20 * 3600);  // 24 h: 1050 an hour, but the 24-hour mark is no sample
    EXPECT_EQ(h.stats.view().hours, "24");
    EXPECT_EQ(h.stats.hourlyRate(), 1050);
    // The last sample was at 23 h: 25200 ÷ 23.
    EXPECT_EQ(h.stats.view().minHourly, "1095");
    h.stats.recordGain(100000000);
    h.runFor(3600);
    EXPECT_EQ(h.stats.view().maxHourly, "8400");
    EXPECT_EQ(h.stats.view().minHourly, "1095");
}

TEST(ExpStatsPause, GainsWhilePausedAreLostAndCountLostSecondsFromTheFirstEXP) {
    ExpHarness h;
    h.stats.togglePause();
    EXPECT_EQ(h.stats.view().pauseCaption, sj("再開"));
    EXPECT_EQ(h.stats.view().label01, sj("更新処理停止中..."));
    EXPECT_EQ(h.stats.view().label01Colour, colours::kNotice);
    EXPECT_FALSE(h.stats.view().label02Shown);

    // A gain during a pause still starts the clock.
    EXPECT_EQ(h.stats.recordGain(1), GainOutcome::CountedAsLost);
    EXPECT_TRUE(h.timer.running);
    h.runFor(2);
    ExpStatsView v = h.stats.view();
    EXPECT_EQ(v.elapsed, "0");
    EXPECT_EQ(v.gained, "0");
    EXPECT_EQ(v.dayTotal, "0");
    EXPECT_EQ(v.lostExp, "1");
    EXPECT_EQ(v.lostCount, "1");
    EXPECT_EQ(v.lostSeconds, "2");
    EXPECT_EQ(v.label01, sj("ロストカウント発生中...　EXP:1 CT:1 2秒"));
    EXPECT_EQ(v.label01Colour, colours::kNotice);
}

struct PausedWithLostCount : ::testing::Test {
    ExpHarness h;
    void SetUp() override {
        h.stats.recordGain(1000);
        h.runFor(10);
        h.stats.togglePause();
        h.stats.recordGain(200);
        h.stats.recordGain(300);
        h.runFor(5);
    }
};

TEST_F(PausedWithLostCount, ResumingWithYesMergesTheLostCount) {
    h.forecast.setExpText("50");
    h.questions.answer = Answer::Yes;
    h.stats.togglePause();
    ASSERT_EQ(h.questions.asked.size(), 1u);
    EXPECT_EQ(h.questions.asked[0].first, sj("ロストカウントの行方"));
    EXPECT_EQ(h.questions.asked[0].second,
              sj("ロストカウント分を加算しますか？\r\n（一時停止中に計算した情報を加算します）\r\n"
                 "（ただし最高・最低時給は反映されません）"));
    const ExpStatsView v = h.stats.view();
    EXPECT_EQ(v.gained, "1500");
    EXPECT_EQ(v.gainCount, "3");
    EXPECT_EQ(v.averageGain, "500");
    EXPECT_EQ(v.elapsed, "15");
    EXPECT_EQ(v.dayTotal, "1500");
    EXPECT_EQ(v.dayCount, "3");
    EXPECT_EQ(v.dayPerHour, "62");  // ÷ 24, not ÷ the count
    EXPECT_EQ(v.accumulated, "1000");
    EXPECT_EQ(h.forecast.expText(), "50");
    EXPECT_EQ(v.lostExp, "0");
    EXPECT_EQ(v.lostCount, "0");
    EXPECT_EQ(v.lostSeconds, "0");
    EXPECT_EQ(v.pauseCaption, sj("一時停止"));
    EXPECT_EQ(v.label01, sj("時給計算の更新時間"));
    EXPECT_EQ(v.label01Colour, kLabelBlack);
    EXPECT_TRUE(v.label02Shown);
}

TEST_F(PausedWithLostCount, ResumingWithNoDiscardsTheLostCount) {
    h.questions.answer = Answer::No;
    h.stats.togglePause();
    EXPECT_EQ(h.questions.asked.size(), 1u);
    const ExpStatsView v = h.stats.view();
    EXPECT_EQ(v.gained, "1000");
    EXPECT_EQ(v.gainCount, "1");
    EXPECT_EQ(v.elapsed, "10");
    EXPECT_EQ(v.lostExp, "0");
    EXPECT_FALSE(h.stats.paused());
}

TEST_F(PausedWithLostCount, ResetWhilePausedEndsThePauseWithoutAskingAboutTheLostCount) {
    h.stats.setStatusBarShown(true);
    h.stats.setAttachedLogPath("log.html");
    h.stats.resetByUser();
    ASSERT_EQ(h.questions.asked.size(), 1u);
    EXPECT_EQ(h.questions.asked[0].first, sj("リセットの確認"));
    EXPECT_EQ(h.questions.asked[0].second,
              sj("日給・平均時給・取得EXPの総カウント数以外をリセットします。"));
    const ExpStatsView v = h.stats.view();
    EXPECT_FALSE(h.stats.paused());
    EXPECT_FALSE(h.timer.running);
    EXPECT_EQ(v.pauseCaption, sj("一時停止"));
    EXPECT_EQ(v.lostExp, "0");
    EXPECT_EQ(v.gained, "0");
    EXPECT_EQ(v.hourlyRate, "0");
    EXPECT_EQ(v.elapsed, "0");
    EXPECT_EQ(v.seconds, "0");
    EXPECT_EQ(v.accumulated, "0");
    EXPECT_EQ(v.dayTotal, "1000");
    EXPECT_EQ(v.dayCount, "1");
    EXPECT_EQ(h.statusBar.panel0, sj("アタッチ"));
    EXPECT_EQ(h.statusBar.panel1, "log.html");

    h.stats.recordGain(10);
    EXPECT_TRUE(h.timer.running);
    h.runFor(1);
    EXPECT_EQ(h.stats.view().elapsed, "1");
}

TEST_F(PausedWithLostCount, ResetAnsweredNoChangesNothing) {
    h.questions.answer = Answer::No;
    h.stats.resetByUser();
    EXPECT_TRUE(h.stats.paused());
    EXPECT_TRUE(h.timer.running);
    EXPECT_EQ(h.stats.view().gained, "1000");
    EXPECT_EQ(h.stats.view().lostExp, "500");
}

TEST(ExpStatsPause, ResumingWithoutLostEXPAsksNothing) {
    ExpHarness h;
    h.stats.togglePause();
    h.runFor(3);
    h.stats.togglePause();
    EXPECT_TRUE(h.questions.asked.empty());
    EXPECT_FALSE(h.stats.paused());
}

TEST(ExpStatsInterval, NewIntervalTakesEffectOnTheFirstMultipleOfIt) {
    ExpHarness h;
    h.stats.recordGain(100);
    h.runFor(61);
    h.stats.clickIntervalItem(IntervalItem::Seconds60);
    EXPECT_TRUE(h.stats.view().syncingShown);
    EXPECT_EQ(h.stats.view().label02, sj("1秒"));
    h.tickTimesMs.clear();
    h.runFor(59);
    EXPECT_EQ(h.tickTimesMs.size(), 59u);  // every second until 120 s
    EXPECT_EQ(h.stats.view().elapsed, "120");
    EXPECT_FALSE(h.stats.view().syncingShown);
    EXPECT_EQ(h.stats.view().label02, sj("60秒"));
    EXPECT_EQ(h.timer.period, 60000ms);
    h.tickTimesMs.clear();
    h.runFor(180);
    EXPECT_EQ(h.tickTimesMs.size(), 3u);
    EXPECT_EQ(h.stats.view().elapsed, "300");
}

TEST(ExpStatsInterval, StopFreezesTheClockUntilTheFirstGainAfterAnotherInterval) {
    ExpHarness h;
    h.stats.recordGain(100);
    h.runFor(10);
    h.stats.clickIntervalItem(IntervalItem::Stop);
    EXPECT_FALSE(h.timer.running);
    h.stats.recordGain(50);
    EXPECT_FALSE(h.timer.running);
    h.runFor(10);
    EXPECT_EQ(h.stats.view().elapsed, "10");
    EXPECT_EQ(h.stats.view().gained, "150");

    h.stats.clickIntervalItem(IntervalItem::Seconds5);
    EXPECT_EQ(h.stats.checkedIntervalItem(), IntervalItem::Seconds5);
    h.runFor(10);
    EXPECT_FALSE(h.timer.running);
    h.stats.recordGain(50);
    EXPECT_TRUE(h.timer.running);
    EXPECT_EQ(h.stats.elapsedSeconds(), 0);
    h.runFor(5);  // the old 1-second period until 5 s, then 5 s
    EXPECT_EQ(h.stats.view().elapsed, "5");
    EXPECT_EQ(h.timer.period, 5000ms);
}

TEST(ExpStatsInterval, ClickingTheCheckedItemKeepsItChecked) {
    ExpHarness h;
    h.stats.clickIntervalItem(IntervalItem::Stop);
    EXPECT_EQ(h.stats.checkedIntervalItem(), IntervalItem::Stop);
    h.stats.clickIntervalItem(IntervalItem::Stop);
    EXPECT_EQ(h.stats.checkedIntervalItem(), IntervalItem::Stop);
    h.stats.recordGain(100);  // "停止" still keeps the clock from starting
    EXPECT_FALSE(h.timer.running);
    h.stats.clickIntervalItem(IntervalItem::Seconds10);
    h.stats.recordGain(100);  // another entry lets the next gain start it
    EXPECT_TRUE(h.timer.running);
}

TEST(ExpStatsInterval, ARestoredStopMarkKeepsTheClockFromStarting) {
    ExpHarness h;
    h.stats.restoreIntervalItem(IntervalItem::Stop);
    h.stats.recordGain(100);
    EXPECT_FALSE(h.timer.running);
    EXPECT_EQ(h.stats.view().gained, "100");
}

TEST(ExpStatsDay, AddDayGainTouchesOnlyTheDayFigures) {
    ExpHarness h;
    h.stats.resetForAttach();
    h.stats.addDayGain(100);
    h.stats.addDayGain(140);
    EXPECT_FALSE(h.timer.running);
    ExpStatsView v = h.stats.view();
    EXPECT_EQ(v.dayTotal, "240");
    EXPECT_EQ(v.dayPerHour, "10");
    EXPECT_EQ(v.dayCount, "2");
    EXPECT_EQ(v.gained, "0");
    EXPECT_EQ(v.gainCount, "0");
    EXPECT_EQ(v.hourlyRate, "0");
    EXPECT_EQ(v.accumulated, "0");

    h.stats.recordGain(60);
    h.runFor(1);
    h.stats.addDayGain(1000);
    v = h.stats.view();
    EXPECT_EQ(v.hourlyRate, "216000");
    EXPECT_EQ(v.elapsed, "1");
    EXPECT_EQ(v.dayTotal, "1300");
    EXPECT_EQ(v.dayCount, "4");
}

TEST(ExpStatsGain, AnAmountThatIsNotANumberStillStartsTheClock) {
    ExpHarness h;
    EXPECT_EQ(h.stats.recordGain(std::nullopt), GainOutcome::AmountNotANumber);
    EXPECT_TRUE(h.timer.running);
    EXPECT_EQ(h.stats.recordGain(std::int64_t{1} << 31), GainOutcome::AmountNotANumber);
    EXPECT_EQ(h.stats.view().gainCount, "0");
    EXPECT_EQ(h.stats.view().dayCount, "0");
}

TEST(ExpStatsAttach, ResetForAttachClearsEverythingButTheInterval) {
    ExpHarness h;
    h.forecast.selectLevel(10);
    h.forecast.setExpText("3000");
    h.forecast.setCorrectionText("5");
    h.stats.recordGain(500);
    h.stats.clickIntervalItem(IntervalItem::Seconds5);
    h.runFor(3600);
    h.stats.togglePause();
    h.stats.recordGain(7);
    h.stats.resetForAttach();
    const ExpStatsView v = h.stats.view();
    for (const std::string* field :
         {&v.elapsed, &v.gained, &v.gainCount, &v.averageGain, &v.hourlyRate, &v.maxHourly,
          &v.minHourly, &v.dayTotal, &v.dayPerHour, &v.dayCount, &v.accumulated, &v.hours,
          &v.minutes, &v.seconds, &v.lostExp, &v.lostCount, &v.lostSeconds}) {
        EXPECT_EQ(*field, "0");
    }
    EXPECT_FALSE(h.timer.running);
    EXPECT_FALSE(h.stats.paused());
    EXPECT_TRUE(h.questions.asked.empty());
    EXPECT_EQ(h.stats.chosenInterval(), 5);
    EXPECT_EQ(h.stats.tickPeriod(), 5000ms);
    EXPECT_EQ(h.forecast.expText(), "0");
    EXPECT_EQ(h.forecast.correctionText(), "0");
    EXPECT_EQ(h.forecast.level(), 10);
    EXPECT_EQ(h.forecast.nextForecastText(), sj("Next EXP Over　0日　0時　0分　0秒"));
}

TEST(ExpStatsTick, ForecastFailureIsLoggedOnlyWhenNotPaused) {
    ExpHarness h;
    h.stats.recordGain(3600);
    h.forecast.setExpText("");
    h.runFor(1);
    ASSERT_EQ(h.errors.lines.size(), 1u);
    EXPECT_EQ(h.errors.lines[0],
              sj("LvUP予想時間処理に失敗しました(Timer01Timer) 2024/05/06 7:08:09"));
    h.stats.togglePause();
    h.runFor(3);
    EXPECT_EQ(h.errors.lines.size(), 1u);
}

TEST(ExpStatsTick, NoHourlyRateLogsNothingAndKeepsTheForecast) {
    ExpHarness h;
    h.stats.recordGain(0);
    h.runFor(5);
    EXPECT_TRUE(h.errors.lines.empty());
    EXPECT_EQ(h.forecast.nextForecastText(), sj("Next EXP Over　0日　0時　0分　0秒"));
}

TEST(ExpStatsTick, RateOverflowIsReportedAsTheRateSectionsFailure) {
    ExpHarness h;
    // Beyond 2^63 ÷ 3600 EXP the hourly product no longer fits 64 bits.
    h.stats.togglePause();
    constexpr std::int64_t kGain = 2147483647;
    for (int i = 0; i < 1200000; ++i) {
        h.stats.recordGain(kGain);
    }
    h.stats.togglePause();  // merged: Yes
    h.runFor(1);
    ASSERT_FALSE(h.errors.lines.empty());
    EXPECT_EQ(h.errors.lines[0], sj("時給計算処理に失敗しました(Timer01Timer) 2024/05/06 7:08:09"));
    EXPECT_EQ(h.stats.view().elapsed, "1");  // what ran before the failure stays
}

}  // namespace
