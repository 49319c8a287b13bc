#include "core/log/auto_attach.h"

#include <gtest/gtest.h>

#include "support/cp932_text.h"

namespace ruv::testing {
namespace {

using platform::PathStyle;

constexpr CivilDate kToday{2024, 3, 1};

TEST(DailyLogDate, ReadsTheDateOfADailyName) {
    EXPECT_EQ(dailyLogDate("MHChatLog_2024_02_29.html"), (CivilDate{2024, 2, 29}));
    EXPECT_EQ(dailyLogDate("MHChatLog_2024_5_1.html"), (CivilDate{2024, 5, 1}));
}

TEST(DailyLogDate, RefusesNamesThatCarryNoValidDate) {
    for (const char* name :
         {"MHChatLog_2023_02_29.html", "MHChatLog_2024_13_01.html", "MHChatLog_2024_02_29.html.bak",
          "chat.html", "MHChatLog_.html", "MHChatLog_2024_02.html", "MHChatLog_2024_02_01_1.html",
          "MHChatLog_ 2024_02_01.html"}) {
        EXPECT_FALSE(dailyLogDate(name)) << name;
    }
}

TEST(DayBefore, CrossesMonthYearAndLeapDay) {
    EXPECT_EQ(dayBefore({2024, 3, 1}), (CivilDate{2024, 2, 29}));
    EXPECT_EQ(dayBefore({2023, 3, 1}), (CivilDate{2023, 2, 28}));
    EXPECT_EQ(dayBefore({2024, 1, 1}), (CivilDate{2023, 12, 31}));
    EXPECT_EQ(dailyLogName(dayBefore({2024, 1, 1})), "MHChatLog_2023_12_31.html");
}

TEST(PlanAutoAttach, YesterdaysLogSwitchesToTodaysInTheSameFolder) {
    const AutoAttachPlan plan =
        planAutoAttach("C:\\MH\\log\\MHChatLog_2024_02_29.html", kToday, PathStyle::Windows);
    EXPECT_EQ(plan.step, AutoAttachStep::SwitchTo);
    EXPECT_EQ(plan.todaysLog, "C:\\MH\\log\\MHChatLog_2024_03_01.html");

    const AutoAttachPlan posix =
        planAutoAttach("/home/u/log/MHChatLog_2024_02_29.html", kToday, PathStyle::Posix);
    EXPECT_EQ(posix.todaysLog, "/home/u/log/MHChatLog_2024_03_01.html");
}

TEST(PlanAutoAttach, TodaysAndOlderLogsStay) {
    EXPECT_EQ(planAutoAttach("C:\\log\\MHChatLog_2024_03_01.html", kToday, PathStyle::Windows).step,
              AutoAttachStep::Stay);
    EXPECT_EQ(planAutoAttach("C:\\log\\MHChatLog_2024_02_28.html", kToday, PathStyle::Windows).step,
              AutoAttachStep::Stay);
}

TEST(PlanAutoAttach, NameWithoutADateStays) {
    EXPECT_EQ(planAutoAttach("C:\\log\\mylog.html", kToday, PathStyle::Windows).step,
              AutoAttachStep::Stay);
}

TEST(PlanAutoAttach, FolderWithATrailByteSeparatorIsKeptWhole) {
    // ソ's trail byte is '\', not a separator, so the folder ends at the real one.
    ASSERT_EQ(sj("ソ").back(), '\\');
    const std::string folder = sj("C:\\ソ\\");
    const AutoAttachPlan plan =
        planAutoAttach(folder + "MHChatLog_2024_02_29.html", kToday, PathStyle::Windows);
    EXPECT_EQ(plan.todaysLog, folder + "MHChatLog_2024_03_01.html");
}

TEST(JoinFolderAndName, ExactlyOneSeparatorBetween) {
    EXPECT_EQ(joinFolderAndName("C:\\log\\", "a.html", PathStyle::Windows), "C:\\log\\a.html");
    EXPECT_EQ(joinFolderAndName("C:\\log", "a.html", PathStyle::Windows), "C:\\log\\a.html");
    EXPECT_EQ(joinFolderAndName("C:\\log\\\\", "a.html", PathStyle::Windows), "C:\\log\\a.html");
    EXPECT_EQ(joinFolderAndName("/var/log", "a.html", PathStyle::Posix), "/var/log/a.html");
    // 表's trail byte is '\', yet the folder still lacks its separator.
    ASSERT_EQ(sj("表").back(), '\\');
    EXPECT_EQ(joinFolderAndName(sj("C:\\表"), "a.html", PathStyle::Windows), sj("C:\\表\\a.html"));
    EXPECT_EQ(joinFolderAndName("", "a.html", PathStyle::Windows), "a.html");
}

TEST(FileNameOf, TakesTheTextAfterTheLastSeparator) {
    EXPECT_EQ(fileNameOf("C:\\log\\a.html", PathStyle::Windows), "a.html");
    EXPECT_EQ(fileNameOf("a.html", PathStyle::Windows), "a.html");
    // 表's trail byte is '\' but does not end the folder.
    EXPECT_EQ(fileNameOf(sj("C:\\表.html"), PathStyle::Windows), sj("表.html"));
}

}  // namespace
}  // namespace ruv::testing
