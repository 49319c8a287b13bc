#include "core/exp/hourly_exp.h"

#include <gtest/gtest.h>

#include <optional>

namespace ruv {
namespace {

using platform::LocalDateTime;

LocalDateTime at(int day, int hour, int minute) {
    return LocalDateTime{2024, 5, day, hour, minute, 0};
}

TEST(StampTimeOfDay, ReadsTheHourBeforeTheFirstColon) {
    struct Case {
        const char* stamp;
        std::optional<TimeOfDay> time;
    };
    const Case cases[] = {
        {"[2024/05/01 21:0]", TimeOfDay{21, 0}}, {"[ 07:45:12 ]     ", TimeOfDay{7, 45}},
        {"[5/1 0:59]       ", TimeOfDay{0, 59}}, {"[24:00]          ", std::nullopt},
        {"[123:00]         ", std::nullopt},     {"[--:--]          ", std::nullopt},
        {"no time at all   ", std::nullopt},     {"", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stamp);
        EXPECT_EQ(stampTimeOfDay(c.stamp), c.time);
    }
}

TEST(HourlyExp, SumsTidiedAndLiveGainsByHourWithTotalAndBestHour) {
    HourlyExp chart;
    chart.addTidiedGain("[2024/05/01 9:15]", 100);
    chart.addTidiedGain("[2024/05/01 9:59]", 50);
    chart.addTidiedGain("[2024/05/01 10:0]", 120);
    chart.addTidiedGain("[unreadable]     ", 7);  // the total only
    chart.addTidiedLevelUp("[2024/05/01 9:30]");
    chart.addLiveGain(at(1, 10, 5), 40);
    chart.addLiveLevelUp(at(1, 10, 6));

    EXPECT_EQ(chart.expInHour(9), 150);
    EXPECT_EQ(chart.expInHour(10), 160);
    EXPECT_EQ(chart.expInHour(11), 0);
    EXPECT_EQ(chart.total(), 317);
    EXPECT_EQ(chart.bestHour(), 10);
    EXPECT_EQ(chart.currentHour(), 10);
    EXPECT_EQ(chart.levelUps(), (std::vector<TimeOfDay>{{9, 30}, {10, 6}}));
}

TEST(HourlyExp, ALiveGainPastMidnightStartsANewDay) {
    HourlyExp chart;
    chart.addTidiedGain("[2024/05/01 0:10]", 10);
    chart.addLiveGain(at(1, 23, 59), 300);
    chart.addLiveLevelUp(at(1, 23, 59));
    chart.addLiveGain(at(2, 0, 1), 20);

    EXPECT_EQ(chart.expInHour(23), 0);
    EXPECT_EQ(chart.expInHour(0), 20);  // not yesterday's 10 as well
    EXPECT_EQ(chart.total(), 20);
    EXPECT_TRUE(chart.levelUps().empty());
    EXPECT_EQ(chart.currentHour(), 0);
}

TEST(HourlyExp, ResetEmptiesTheChartAndForgetsTheDate) {
    HourlyExp chart;
    chart.addLiveGain(at(1, 8, 0), 90);
    chart.addLiveLevelUp(at(1, 8, 1));
    chart.reset();

    EXPECT_EQ(chart.total(), 0);
    EXPECT_EQ(chart.expInHour(8), 0);
    EXPECT_EQ(chart.bestHour(), std::nullopt);
    EXPECT_EQ(chart.currentHour(), std::nullopt);
    EXPECT_TRUE(chart.levelUps().empty());

    // A log of an earlier day attached afterwards is charted, not dropped.
    chart.addTidiedGain("[2024/04/30 8:0] ", 5);
    chart.addLiveGain(at(3, 8, 0), 1);
    EXPECT_EQ(chart.expInHour(8), 6);
}

}  // namespace
}  // namespace ruv
