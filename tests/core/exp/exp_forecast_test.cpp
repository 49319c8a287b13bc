#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/exp/exp_correction.h"
#include "core/exp/exp_key_filters.h"
#include "core/exp/level_forecast.h"
#include "core/exp/level_tables.h"
#include "support/exp_fakes.h"

namespace {

using namespace ruv;
using ruv::testing::ExpHarness;
using ruv::testing::sj;

TEST(LevelTables, HoldTheListedValues) {
    EXPECT_EQ(nextExpOfLevel(0), 0);
    EXPECT_EQ(limitExpOfLevel(0), 0);
    EXPECT_EQ(nextExpOfLevel(4), 400);
    EXPECT_EQ(limitExpOfLevel(4), 1000);
    EXPECT_EQ(nextExpOfLevel(10), 3075);
    EXPECT_EQ(limitExpOfLevel(10), 4745);
    EXPECT_EQ(nextExpOfLevel(11), 4740);
    EXPECT_EQ(limitExpOfLevel(11), 6033);
    EXPECT_EQ(nextExpOfLevel(152), 375865);
    EXPECT_EQ(limitExpOfLevel(240), 2389810);
    EXPECT_EQ(nextExpOfLevel(255), 52651984);
    EXPECT_EQ(limitExpOfLevel(255), 72087095);
}

TEST(LevelTables, NextNeverExceedsLimitAndBothNeverDecrease) {
    for (int level = 0; level <= kMaxLevel; ++level) {
        EXPECT_LE(nextExpOfLevel(level), limitExpOfLevel(level)) << level;
        if (level > 0) {
            EXPECT_LE(nextExpOfLevel(level - 1), nextExpOfLevel(level)) << level;
            EXPECT_LE(limitExpOfLevel(level - 1), limitExpOfLevel(level)) << level;
        }
    }
}

TEST(LevelForecastSelect, ShowsTheTableValuesAndKeepsThemWithoutASelection) {
    LevelForecast f;
    f.setExpText("77");
    f.selectLevel(4);
    EXPECT_EQ(f.nextExpText(), "400");
    EXPECT_EQ(f.limitExpText(), "1000");
    f.selectLevel(-1);
    EXPECT_FALSE(f.level().has_value());
    EXPECT_EQ(f.nextExpText(), "400");
    EXPECT_EQ(f.expText(), "77");
}

struct LevelUpAt10 : ::testing::Test {
    LevelForecast f;
    void SetUp() override { f.selectLevel(10); }
    std::string levelUpFrom(const char* exp) {
        f.setExpText(exp);
        EXPECT_EQ(f.recordLevelUp(), LevelUpOutcome::Applied);
        EXPECT_EQ(f.level(), 11);
        EXPECT_EQ(f.nextExp(), 4740);
        EXPECT_EQ(f.limitExp(), 6033);
        return f.expText();
    }
};

TEST_F(LevelUpAt10, CarriesTheSurplusOverNextEXP) {
    EXPECT_EQ(levelUpFrom("3200"), "125");
}
TEST_F(LevelUpAt10, CarriesTheSurplusAboveLimitEXP) {
    EXPECT_EQ(levelUpFrom("5000"), "1925");
}
TEST_F(LevelUpAt10, CarriesTheSurplusAtExactlyLimitEXP) {
    EXPECT_EQ(levelUpFrom("4745"), "1670");
}
TEST_F(LevelUpAt10, StartsFromZeroBelowNextEXP) {
    EXPECT_EQ(levelUpFrom("3000"), "0");
}
TEST_F(LevelUpAt10, ExactlyNextEXPLeavesZero) {
    EXPECT_EQ(levelUpFrom("3075"), "0");
}
TEST_F(LevelUpAt10, IsAbandonedWhenEXPIsNotANumber) {
    f.setExpText("12a");
    EXPECT_EQ(f.recordLevelUp(), LevelUpOutcome::ExpNotANumber);
    EXPECT_EQ(f.level(), 10);
    EXPECT_EQ(f.expText(), "12a");
}

TEST(LevelForecastLevelUp, AtTheTopLevelLeavesNoSelectionAndThenStartsAtZero) {
    LevelForecast f;
    f.selectLevel(255);
    f.setExpText("60000000");
    EXPECT_EQ(f.recordLevelUp(), LevelUpOutcome::Applied);
    EXPECT_FALSE(f.level().has_value());
    EXPECT_EQ(f.nextExp(), 52651984);
    EXPECT_EQ(f.limitExp(), 72087095);
    EXPECT_EQ(f.expText(), "7348016");
    EXPECT_EQ(f.recordLevelUp(), LevelUpOutcome::Applied);
    EXPECT_EQ(f.level(), 0);
    EXPECT_EQ(f.nextExp(), 0);
    EXPECT_EQ(f.limitExp(), 0);
}

TEST(ExpCorrection, IsTruncatedExactlyFromTheDecimalText) {
    EXPECT_EQ(correctionFor("10", 150), 15);
    EXPECT_EQ(correctionFor("-5", 150), -7);
    EXPECT_EQ(correctionFor("0.7", 1000), 7);  // 6.999... in double precision
    EXPECT_EQ(correctionFor("-10.00", 155), -15);
    EXPECT_EQ(correctionFor(".5", 1000), 5);
    EXPECT_EQ(correctionFor("3.", 100), 3);
    EXPECT_EQ(correctionFor("+2", 100), 2);
    EXPECT_EQ(correctionFor("5", -300), -15);
    EXPECT_EQ(correctionFor("0.00000000000000000001", 1000), 0);
    EXPECT_EQ(correctionFor("", 150), 0);
    for (const std::string& bad :
         std::vector<std::string>{"-", ".", "1.2.3", "5%", "1e2", " 5", sj("５")}) {
        EXPECT_FALSE(correctionFor(bad, 100).has_value()) << bad;
    }
    EXPECT_FALSE(correctionFor("99999999999999999999", 100).has_value());
}

TEST(LevelForecastGain, AddsTheGainWithItsCorrection) {
    LevelForecast f;
    f.setExpText("1000");
    f.setCorrectionText("10");
    f.applyGain(150);
    EXPECT_EQ(f.expText(), "1165");
    f.setCorrectionText("-5");
    f.applyGain(150);
    EXPECT_EQ(f.expText(), "1308");
    f.setCorrectionText("");  // an empty correction counts as 0
    f.applyGain(150);
    EXPECT_EQ(f.expText(), "1458");
    EXPECT_EQ(f.notice(), sj("次のLvまでにかかる予想時間"));
}

TEST(LevelForecastGain, InputErrorZeroesBothFieldsUntilTheNextGoodGain) {
    LevelForecast f;
    f.setExpText("1000");
    f.setCorrectionText("5%");
    f.applyGain(150);
    EXPECT_EQ(f.expText(), "0");
    EXPECT_EQ(f.correctionText(), "0");
    EXPECT_EQ(f.notice(), sj("入力値エラーのため数値を0にします"));
    EXPECT_EQ(f.noticeColour(), colours::kNotice);
    f.applyGain(150);
    EXPECT_EQ(f.expText(), "150");
    EXPECT_EQ(f.notice(), sj("次のLvまでにかかる予想時間"));
    EXPECT_EQ(f.noticeColour(), kLabelBlack);

    f.setExpText("");
    f.setCorrectionText("3");
    f.applyGain(150);
    EXPECT_EQ(f.expText(), "0");
    EXPECT_EQ(f.correctionText(), "0");
    EXPECT_EQ(f.noticeColour(), colours::kNotice);
}

TEST(LevelForecastGain, ResetByUserTakesBackTheNoticeOnly) {
    ExpHarness h;
    h.forecast.setExpText(sj("１"));
    h.stats.recordGain(10);
    ASSERT_EQ(h.forecast.noticeColour(), colours::kNotice);
    h.forecast.setExpText("500");
    h.forecast.setCorrectionText("2");
    h.stats.resetByUser();
    EXPECT_EQ(h.forecast.notice(), sj("次のLvまでにかかる予想時間"));
    EXPECT_EQ(h.forecast.expText(), "500");
    EXPECT_EQ(h.forecast.correctionText(), "2");
}

TEST(LevelForecastTick, WritesDaysHoursMinutesSecondsWithFullWidthSpaces) {
    LevelForecast f;
    f.selectLevel(9);  // NextEXP 2600, LimitEXP 3585
    f.setExpText("1000");
    EXPECT_EQ(f.forecastTick(36000), ForecastOutcome::Written);
    EXPECT_EQ(f.nextForecastText(), sj("Next EXP Over　0日　0時　2分　40秒　"));
    EXPECT_EQ(f.limitForecastText(), sj("Limit EXP Over　0日　0時　4分　18秒　"));
    EXPECT_EQ(f.nextForecastColour(), kLabelBlack);

    f.selectLevel(255);
    f.setExpText("51751974");  // 900010 to go
    f.forecastTick(36000);
    EXPECT_EQ(f.nextForecastText(), sj("Next EXP Over　1日　1時　0分　1秒　"));
}

TEST(LevelForecastTick, UsesTheHourlyRateNotAWholeRatePerSecond) {
    LevelForecast f;
    f.selectLevel(4);
    f.setExpText("300");  // 100 to go
    EXPECT_EQ(f.forecastTick(3599), ForecastOutcome::Written);
    EXPECT_EQ(f.nextForecastText(), sj("Next EXP Over　0日　0時　1分　40秒　"));
    EXPECT_EQ(f.forecastTick(5399), ForecastOutcome::Written);
    EXPECT_EQ(f.nextForecastText(), sj("Next EXP Over　0日　0時　1分　6秒　"));
}

TEST(LevelForecastTick, OverNextEXPTurnsRedAndBackToBlack) {
    LevelForecast f;
    f.selectLevel(4);  // 400 / 1000
    f.setExpText("1360");
    f.forecastTick(3600);
    EXPECT_EQ(f.nextForecastText(), sj("Next EXP Over!!"));
    EXPECT_EQ(f.nextForecastColour(), colours::kNotice);
    EXPECT_EQ(f.limitForecastText(), sj("Limit EXP Over　0日　0時　-6分　0秒　"));
    f.setExpText("400");
    f.forecastTick(3600);
    EXPECT_EQ(f.nextForecastText(), sj("Next EXP Over　0日　0時　0分　0秒　"));
    EXPECT_EQ(f.nextForecastColour(), kLabelBlack);
}

TEST(LevelForecastTick, KeepsItsTextsWithoutARateOrANumber) {
    LevelForecast f;
    f.selectLevel(4);
    f.setExpText("100");
    f.forecastTick(3600);
    const std::string before = f.nextForecastText();
    f.setExpText("200");
    EXPECT_EQ(f.forecastTick(0), ForecastOutcome::NoRate);
    EXPECT_EQ(f.nextForecastText(), before);
    f.setExpText("abc");
    EXPECT_EQ(f.forecastTick(3600), ForecastOutcome::Failed);
    EXPECT_EQ(f.nextForecastText(), before);
}

TEST(LevelForecastReset, PutsBackTheInitialTextsAndKeepsTheLevel) {
    LevelForecast f;
    f.selectLevel(4);
    f.setExpText("9999");
    f.setCorrectionText("oops");
    f.applyGain(1);
    f.forecastTick(3600);
    f.resetForAttach();
    EXPECT_EQ(f.expText(), "0");
    EXPECT_EQ(f.correctionText(), "0");
    EXPECT_EQ(f.nextForecastText(), sj("Next EXP Over　0日　0時　0分　0秒"));
    EXPECT_EQ(f.limitForecastText(), sj("Limit EXP Over　0日　0時　0分　0秒"));
    EXPECT_EQ(f.nextForecastColour(), kLabelBlack);
    EXPECT_EQ(f.notice(), sj("次のLvまでにかかる予想時間"));
    EXPECT_EQ(f.level(), 4);
    EXPECT_EQ(f.nextExp(), 400);
}

TEST(ExpKeyFilters, AcceptOnlyTheirCharacters) {
    for (char32_t c = U'0'; c <= U'9'; ++c) {
        EXPECT_TRUE(acceptsExpKey(c));
        EXPECT_TRUE(acceptsCorrectionKey(c));
    }
    EXPECT_TRUE(acceptsExpKey(U'\b'));
    EXPECT_TRUE(acceptsCorrectionKey(U'\b'));
    EXPECT_FALSE(acceptsExpKey(U'-'));
    EXPECT_FALSE(acceptsExpKey(U'.'));
    EXPECT_TRUE(acceptsCorrectionKey(U'-'));
    EXPECT_TRUE(acceptsCorrectionKey(U'.'));
    for (char32_t c : {U'%', U'e', U'+', U' ', U'１', U'\x7F', U'/', U':'}) {
        EXPECT_FALSE(acceptsExpKey(c));
        EXPECT_FALSE(acceptsCorrectionKey(c));
    }
}

}  // namespace
