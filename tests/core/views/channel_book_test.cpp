#include "core/views/channel_book.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace ruv::testing {
namespace {

using ::testing::ElementsAre;

// Every notice, as "added Team text", "cleared Team", "dropped Team", "gone Team".
struct RecordedNotices final : ViewLinesObserver {
    void linesAdded(ChatChannel view, std::string_view text, Colour) override {
        notices.push_back("added " + std::string(settingsKey(view)) + " " + std::string(text));
    }
    void linesCleared(ChatChannel view) override { note("cleared", view); }
    void linesDropped(ChatChannel view) override { note("dropped", view); }
    void linesGone(ChatChannel view) override { note("gone", view); }
    void note(const char* what, ChatChannel view) {
        notices.push_back(what + std::string(" ") + std::string(settingsKey(view)));
    }
    std::vector<std::string> notices;
};

TEST(ChannelBook, LastLineColourFallsBackToTheViewsDefaultWhileEmpty) {
    constexpr Colour kWindow{0x101010};
    ChannelBook book;
    book.setWindowColour(kWindow);
    EXPECT_EQ(book.lastLineColour(ChatChannel::Team), colours::kTeam);
    EXPECT_EQ(book.lastLineColour(ChatChannel::NG), kWindow);

    book.append(ChatChannel::Team, "a", colours::kWhis);
    book.append(ChatChannel::NG, "b", colours::kShout);
    EXPECT_EQ(book.lastLineColour(ChatChannel::Team), colours::kWhis);
    EXPECT_EQ(book.lastLineColour(ChatChannel::NG), colours::kShout);

    book.clear(ChatChannel::Team);
    EXPECT_EQ(book.lastLineColour(ChatChannel::Team), colours::kTeam);
    EXPECT_EQ(book.lines(ChatChannel::NG).store().size(), 1u);

    book.append(ChatChannel::ExpMonitor, "nowhere", colours::kBattle);
    EXPECT_TRUE(book.lines(ChatChannel::ExpMonitor).store().empty());
}

TEST(ChannelBook, WatchersHearOfTheirViewsChangesUntilTheyStop) {
    auto book = std::make_unique<ChannelBook>();
    RecordedNotices team;
    RecordedNotices other;
    book->lines(ChatChannel::Team).watch(team);
    book->lines(ChatChannel::Club).watch(other);

    book->append(ChatChannel::Team, "one\r\ntwo", colours::kTeam);
    book->lines(ChatChannel::Team).setCapacity(LineCount{5});  // nothing to drop
    book->lines(ChatChannel::Team).setCapacity(LineCount{1});
    book->clear(ChatChannel::Team);
    book->lines(ChatChannel::Club).unwatch(other);
    book->append(ChatChannel::Club, "unheard", colours::kClub);
    book.reset();

    EXPECT_THAT(team.notices,
                ElementsAre("added Team one\r\ntwo", "dropped Team", "cleared Team", "gone Team"));
    EXPECT_TRUE(other.notices.empty());
}

}  // namespace
}  // namespace ruv::testing
