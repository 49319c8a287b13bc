#include "core/views/unread_counters.h"

#include <gtest/gtest.h>

#include "support/log_lines.h"

namespace ruv::testing {
namespace {

TEST(UnreadCounters, CaptionsCarryTheCountAfterThePlainCaption) {
    EXPECT_EQ(UnreadCounters::CountedCaption(ChatChannel::Open, 3), sj("一般(3)"));
    EXPECT_EQ(UnreadCounters::CountedCaption(ChatChannel::Whis, 12), sj("耳打ち(12)"));
    EXPECT_EQ(UnreadCounters::CountedCaption(ChatChannel::NG, 1), sj("NGフィルター(1)"));
    EXPECT_EQ(UnreadCounters::PlainCaption(ChatChannel::Original), sj("オリジナル"));
    EXPECT_EQ(UnreadCounters::PlainCaption(ChatChannel::Club), sj("クラブ"));
    EXPECT_EQ(UnreadCounters::PlainCaption(ChatChannel::Shout), sj("叫び"));
    EXPECT_EQ(UnreadCounters::PlainCaption(ChatChannel::Team), sj("チーム"));
}

TEST(UnreadCounters, OnlySevenTabsCountAndAttachKeepsTheNgCount) {
    UnreadCounters counters;
    EXPECT_EQ(counters.Raise(ChatChannel::Normal), 0);
    EXPECT_EQ(counters.Raise(ChatChannel::Battle), 0);
    EXPECT_EQ(counters.Raise(ChatChannel::Team), 1);
    EXPECT_EQ(counters.Raise(ChatChannel::Team), 2);
    counters.Raise(ChatChannel::NG);
    counters.Raise(ChatChannel::Original);
    counters.ResetForAttach();
    EXPECT_EQ(counters.Count(ChatChannel::Team), 0);
    EXPECT_EQ(counters.Count(ChatChannel::Original), 0);
    EXPECT_EQ(counters.Count(ChatChannel::NG), 1);
    counters.Reset(ChatChannel::NG);
    EXPECT_EQ(counters.Raise(ChatChannel::NG), 1);
}

}  // namespace
}  // namespace ruv::testing
