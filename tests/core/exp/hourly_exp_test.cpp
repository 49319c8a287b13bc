#include "core/exp/hourly_exp.h"

#include <gtest/gtest.h>

#include <optional>

#include "core/exp/exp_session.h"
#include "support/exp_fakes.h"

namespace ruv {
namespace {

TEST(StampPlace, ReadsTheHourBeforeTheFirstColonAndTheDayBeforeIt) {
    struct Case {
        const char* stamp;
        std::optional<StampPlace> place;
    };
    const Case cases[] = {
        {"[05/01 21:05:03] ", StampPlace{"[05/01 ", TimeOfDay{21, 5}}},
        {"[2024/05/01 21:0]", StampPlace{"[2024/05/01 ", TimeOfDay{21, 0}}},
        {"[ 07:45:12 ]     ", StampPlace{"", TimeOfDay{7, 45}}},
        {"[5/1 0:59]       ", StampPlace{"[5/1 ", TimeOfDay{0, 59}}},
        {"[24:00]          ", std::nullopt},
        {"[123:00]         ", std::nullopt},
        {"[--:--]          ", std::nullopt},
        {"no time at all   ", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stamp);
        EXPECT_EQ(stampPlace(c.stamp), c.place);
    }
}

TEST(HourlyExp, SumsTidiedAndLiveGainsByHourWithTotalAndBestHour) {
    HourlyExp chart;
    chart.addGain(ChartLine::Tidied, "[05/01 09:15:00] ", 100);
    chart.addGain(ChartLine::Tidied, "[05/01 09:59:00] ", 50);
    chart.addGain(ChartLine::Tidied, "[05/01 10:00:00] ", 120);
    chart.addGain(ChartLine::Tidied, "[unreadable]     ", 7);  // the total only
    chart.addLevelUp(ChartLine::Tidied, "[05/01 09:30:00] ");
    EXPECT_EQ(chart.currentHour(), std::nullopt);
    chart.addGain(ChartLine::Live, "[05/01 10:05:00] ", 40);
    chart.addLevelUp(ChartLine::Live, "[05/01 10:06:00] ");

    EXPECT_EQ(chart.expInHour(9), 150);
    EXPECT_EQ(chart.expInHour(10), 160);
    EXPECT_EQ(chart.expInHour(11), 0);
    EXPECT_EQ(chart.total(), 317);
    EXPECT_EQ(chart.bestHour(), 10);
    EXPECT_EQ(chart.currentHour(), 10);
    EXPECT_EQ(chart.levelUps(), (std::vector<TimeOfDay>{{9, 30}, {10, 6}}));

    chart.reset();
    EXPECT_EQ(chart.total(), 0);
    EXPECT_EQ(chart.bestHour(), std::nullopt);
    EXPECT_EQ(chart.currentHour(), std::nullopt);
    EXPECT_TRUE(chart.levelUps().empty());
}

// The computer's clock says another day and hour than the lines.
TEST(HourlyExp, EveryGainIsPlacedByItsStampAndTheChartHoldsTheDayOfItsLines) {
    testing::ExpHarness h;
    struct NoNotices final : ExpNotices {
        void figuresChanged(ExpRefresh) override {}
    } notices;
    ExpSession exp(ExpPorts{h.clock, h.timer, h.errors, h.questions, h.statusBar}, notices);
    exp.AddDayGain(100, "[05/01 23:10:00] ");
    exp.AddTidiedLevelUp("[05/01 23:11:00] ");
    exp.RecordGain(50, "[05/01 23:40:00] ");
    EXPECT_EQ(exp.hourly().expInHour(23), 150);

    // Following on past midnight: the new day's chart alone.
    exp.RecordGain(20, "[05/02 00:05:00] ");
    EXPECT_EQ(exp.hourly().expInHour(23), 0);
    EXPECT_EQ(exp.hourly().expInHour(0), 20);
    EXPECT_EQ(exp.hourly().total(), 20);
    EXPECT_TRUE(exp.hourly().levelUps().empty());
    EXPECT_EQ(exp.hourly().currentHour(), 0);
}

}  // namespace
}  // namespace ruv
