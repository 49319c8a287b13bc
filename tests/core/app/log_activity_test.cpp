// Whether the followed log is alive, on a clock and timers that move only
// when told.

#include "core/app/log_activity.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/cp932_text.h"
#include "support/log_session_fakes.h"
#include "support/temp_folder.h"

namespace ruv::testing {
namespace {

using namespace std::chrono_literals;

struct RecordedActivity final : LogActivityDisplay {
    void showActivity(const LogActivityView& view) override { shown.push_back(view); }
    std::vector<LogActivityView> shown;
};

class LogActivityTest : public ::testing::Test {
  protected:
    // Moves the wall clock (from 21:00:00, whole seconds) and the timers on together.
    void pass(platform::Microseconds by) {
        elapsed_ += by;
        const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(elapsed_).count();
        clock.set({2024, 5, 1, 21 + static_cast<int>(seconds / 3600),
                   static_cast<int>(seconds / 60 % 60), static_cast<int>(seconds % 60)});
        timers.advance(by);
    }
    const LogActivityView& shown() const { return display.shown.back(); }

    platform::ManualClock clock{{2024, 5, 1, 21, 0, 0}};
    platform::ManualTimers timers;
    RecordedActivity display;
    LogActivity activity{clock, timers, display};
    platform::Microseconds elapsed_{0};
};

TEST_F(LogActivityTest, ShowsWhenTheLogLastGrewAndAfterTheQuietLimitThatItStopped) {
    activity.followed();
    EXPECT_EQ(shown(), (LogActivityView{LogLiveness::Waiting, sj("21:00:00から更新待ち")}));

    pass(4min + 13s);
    activity.grew();
    EXPECT_EQ(shown(), (LogActivityView{LogLiveness::Alive, sj("最終更新 21:04:13")}));
    pass(LogActivity::kDefaultQuietLimit - 1us);
    EXPECT_EQ(shown().liveness, LogLiveness::Alive);
    pass(1us);
    EXPECT_EQ(shown(), (LogActivityView{LogLiveness::Stopped, sj("停止中 最終更新 21:04:13")}));

    // The game writes again: alive, and the limit counts from this growth.
    pass(1min);
    activity.grew();
    EXPECT_EQ(shown(), (LogActivityView{LogLiveness::Alive, sj("最終更新 21:10:13")}));
    pass(3min);
    activity.grew();
    pass(LogActivity::kDefaultQuietLimit - 1us);
    EXPECT_EQ(shown(), (LogActivityView{LogLiveness::Alive, sj("最終更新 21:13:13")}));
}

TEST_F(LogActivityTest, ALogThatNeverGrowsStopsFromWhenItWasFollowed) {
    activity.setQuietLimit(10s);
    activity.followed();
    pass(10s);
    EXPECT_EQ(shown(), (LogActivityView{LogLiveness::Stopped, sj("停止中 21:00:00から更新なし")}));

    // Followed anew (the new day's log): waiting again, from now.
    pass(50s);
    activity.followed();
    EXPECT_EQ(shown(), (LogActivityView{LogLiveness::Waiting, sj("21:01:00から更新待ち")}));
}

TEST_F(LogActivityTest, NothingFollowedShowsNothingWhateverTheTimersAndTheReaderSay) {
    activity.grew();
    EXPECT_TRUE(display.shown.empty());
    activity.followed();
    activity.grew();
    activity.unfollowed();
    EXPECT_EQ(shown(), LogActivityView{});
    const std::size_t shownSoFar = display.shown.size();
    activity.grew();
    pass(LogActivity::kDefaultQuietLimit);
    EXPECT_EQ(display.shown.size(), shownSoFar);
}

TEST_F(LogActivityTest, TheFollowedLogTellsTheActivityWhatItFollows) {
    TempFolder folder;
    platform::NativeFileOpener files;
    RecordingErrors errors;
    FileFollower follower{files, errors, clock};
    ActivityFollowedLog followed{follower, activity};

    followed.follow(folder / "a.html", ByteOffset{0});
    EXPECT_EQ(follower.tail.path(), folder / "a.html");
    EXPECT_EQ(shown().liveness, LogLiveness::Waiting);
    activity.grew();
    followed.switchFile(folder / "b.html", ByteOffset{0});
    EXPECT_EQ(follower.tail.path(), folder / "b.html");
    EXPECT_EQ(shown().liveness, LogLiveness::Waiting);
    followed.release();
    EXPECT_EQ(shown().liveness, LogLiveness::NotFollowing);
}

}  // namespace
}  // namespace ruv::testing
