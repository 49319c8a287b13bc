#include "core/views/unread_counters.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "core/text/cp932.h"
#include "core/views/counting_error_log.h"
#include "support/log_session_fakes.h"

namespace ruv::testing {
namespace {

struct RecordedCaptions final : TabCaptions {
    void SetCaption(Tab tab, std::string_view caption) override {
        shown[tab] = cp932::toUtf8(caption);
    }
    std::map<Tab, std::string> shown;
};

TEST(UnreadCounters, CountsShowInTheCaptionUntilReset) {
    RecordedCaptions captions;
    UnreadCounters counters(captions);
    counters.raise(Tab::Team);
    EXPECT_EQ(counters.raise(Tab::Team), 2);
    EXPECT_EQ(counters.raise(Tab::Whis), 1);
    EXPECT_EQ(captions.shown[Tab::Team], "チーム(2)");
    counters.reset(Tab::Team);
    EXPECT_EQ(counters.count(Tab::Team), 0);
    EXPECT_EQ(captions.shown[Tab::Team], "チーム");
    EXPECT_EQ(captions.shown[Tab::Whis], "耳打ち(1)");
}

TEST(UnreadCounters, TabsWithoutACounterKeepZeroAndTheirCaption) {
    RecordedCaptions captions;
    UnreadCounters counters(captions);
    for (const Tab tab : {Tab::Normal, Tab::Battle, Tab::ExpMonitor}) {
        EXPECT_EQ(counters.raise(tab), 0);
        counters.reset(tab);
    }
    EXPECT_TRUE(captions.shown.empty());
}

TEST(UnreadCounters, AttachResetKeepsOnlyTheNgCounter) {
    RecordedCaptions captions;
    UnreadCounters counters(captions);
    for (int page = pageIndex(Tab::Open); page <= pageIndex(Tab::NG); ++page) {
        counters.raise(static_cast<Tab>(page));
    }
    counters.resetAllButNg();
    for (int page = pageIndex(Tab::Open); page < pageIndex(Tab::NG); ++page) {
        EXPECT_EQ(counters.count(static_cast<Tab>(page)), 0) << page;
    }
    EXPECT_EQ(captions.shown[Tab::Original], "オリジナル");
    EXPECT_EQ(counters.count(Tab::NG), 1);
    EXPECT_EQ(captions.shown[Tab::NG], "NGフィルター(1)");
}

struct CurrentTab final : TabSelection {
    std::optional<ChatChannel> ActiveTab() const override { return channel; }
    std::optional<ChatChannel> channel = ChatChannel::Normal;
};

TEST(CountingErrorLog, ALineAddedWhileAnotherTabIsCurrentRaisesTheErrorLogCount) {
    RecordedCaptions captions;
    UnreadCounters counters(captions);
    RecordingErrors tab;
    CurrentTab current;
    CountingErrorLog errors(tab, current);
    errors.append("before the counters");
    errors.countInto(counters);
    errors.append("one");
    current.channel = ChatChannel::Team;
    errors.append("two");
    EXPECT_EQ(captions.shown[Tab::ErrorLog], "エラーログ(2)");
    current.channel.reset();  // エラーログ is current
    errors.append("three");
    EXPECT_EQ(counters.count(Tab::ErrorLog), 2);
    EXPECT_EQ(tab.lines.size(), 4U);
    counters.resetAllButNg();  // an attach clears no error line
    EXPECT_EQ(counters.count(Tab::ErrorLog), 2);
}

}  // namespace
}  // namespace ruv::testing
