// Lines the game appends reach the window's views through the watcher, the
// reader and routing.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <fstream>

#include "core/views/ng_lists.h"
#include "loggen/log_generator.h"
#include "shell/app/main_window_fixture.h"
#include "shell/app/session.h"
#include "shell/log/live_log.h"
#include "shell/views/channel_view.h"
#include "support/recording_messages.h"

namespace ruv::testing {
namespace {

class LiveRoutingTest : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        ASSERT_TRUE(dir.isValid());
        log = std::filesystem::path(dir.filePath("MHChatLog_2024_05_01.html").toStdString());
        std::ofstream(log, std::ios::binary) << generator.header();
    }

    void append(const std::string& bytes) {
        std::ofstream out(log, std::ios::binary | std::ios::app);
        out << bytes;
    }
    std::string chatLine(Colour colour, const char* utf8Body) {
        return generator.makeLine(colour, loggen::TagBlockForm::BlankBefore, sj(utf8Body)).bytes +
               "\n";
    }
    std::string lastLine(ChatChannel channel) const {
        const ChannelView* view = window->view(channel);
        if (view->lineCount().value == 0) {
            return {};
        }
        const std::string text = view->text();
        const auto pos = text.rfind("\r\n");
        return pos == std::string::npos ? text : text.substr(pos + 2);
    }

    QTemporaryDir dir;
    std::filesystem::path log;
    loggen::LogGenerator generator{7};
};

TEST_F(LiveRoutingTest, AppendedTeamLineLandsInNormalAndTeamInItsColour) {
    window->liveLog().attach(
        log, ByteOffset{static_cast<std::int64_t>(std::filesystem::file_size(log))});
    append(chatLine(colours::kTeam, "ソラ : 表で待ってます"));
    window->liveLog().catchUp();

    EXPECT_EQ(window->view(ChatChannel::Team)->lineCount().value, 1);
    EXPECT_EQ(window->view(ChatChannel::Normal)->lineCount().value, 1);
    EXPECT_EQ(window->session().core.book.lastLineColour(ChatChannel::Normal), colours::kTeam);
    EXPECT_NE(lastLine(ChatChannel::Team).find(sj("ソラ : 表で待ってます")), std::string::npos);
    EXPECT_EQ(window->view(ChatChannel::Open)->lineCount().value, 0);
}

TEST_F(LiveRoutingTest, WatcherDeliversLinesWrittenAfterAttachOnly) {
    append(chatLine(colours::kOpenGreen, "Old : before attach"));
    window->liveLog().attach(
        log, ByteOffset{static_cast<std::int64_t>(std::filesystem::file_size(log))});
    QSignalSpy routed(&window->liveLog(), &LiveLog::linesRouted);
    append(chatLine(colours::kWhis, "Mika : psst"));
    ASSERT_TRUE(routed.wait(3000));
    EXPECT_EQ(window->view(ChatChannel::Whis)->lineCount().value, 1);
    EXPECT_EQ(window->view(ChatChannel::Open)->lineCount().value, 0);
}

TEST_F(LiveRoutingTest, NgUserLineGoesToTheNgViewOnlyAndCountsThere) {
    window->ngLists().users.push_back("Troll");
    window->ngUserSwitch()->setChecked(true);
    window->setActiveTab(Tab::Open);
    window->liveLog().attach(
        log, ByteOffset{static_cast<std::int64_t>(std::filesystem::file_size(log))});
    append(chatLine(colours::kOpenWhite, "Troll : spam"));
    window->liveLog().catchUp();

    EXPECT_EQ(window->view(ChatChannel::NG)->lineCount().value, 1);
    EXPECT_EQ(window->view(ChatChannel::Normal)->lineCount().value, 0);
    EXPECT_EQ(window->caption(Tab::NG), QStringLiteral("NGフィルター(1)"));
}

TEST_F(LiveRoutingTest, HiddenTabUnticksItsCallSoundBoxButOtherViewsStillFill) {
    window->setKeywordArmed(ChatChannel::Club, KeywordSwitch::On);
    window->setTabShown(Tab::Club, TabVisibility::Hidden);
    window->liveLog().attach(
        log, ByteOffset{static_cast<std::int64_t>(std::filesystem::file_size(log))});
    append(chatLine(colours::kClub, "Ren : hi club"));
    window->liveLog().catchUp();

    EXPECT_FALSE(window->keywordCheckBox(ChatChannel::Club)->isChecked());
    EXPECT_FALSE(window->keywordEdit(ChatChannel::Club)->isEnabled());
    EXPECT_EQ(window->view(ChatChannel::Club)->lineCount().value, 0);
    EXPECT_EQ(window->view(ChatChannel::Normal)->lineCount().value, 1);
}

TEST_F(LiveRoutingTest, BadGainLineIsNamedOnceAndFollowingGoesOn) {
    window->liveLog().attach(
        log, ByteOffset{static_cast<std::int64_t>(std::filesystem::file_size(log))});
    append(chatLine(colours::kBattle, "経験値が x 上がりました。"));
    append(chatLine(colours::kShout, "Kai : after"));
    window->liveLog().catchUp();

    EXPECT_TRUE(window->errorLog()->toPlainText().startsWith(
        QStringLiteral("経験値を読めない行があり、数えずに進みました: ")));
    EXPECT_TRUE(
        window->errorLog()->toPlainText().endsWith(QStringLiteral(" 経験値が x 上がりました。")));
    EXPECT_EQ(window->errorLog()->document()->lineCount(), 1);
    EXPECT_EQ(window->view(ChatChannel::Shout)->lineCount().value, 1);
}

TEST(LiveRoutingMessages, AVanishedLogIsReportedOnceAndFollowedAgainWhenBack) {
    QTemporaryDir dir;
    const std::filesystem::path log(dir.filePath("MHChatLog_2024_05_01.html").toStdString());
    loggen::LogGenerator generator{3};
    std::ofstream(log, std::ios::binary) << generator.header();
    RecordingMessages messages;
    AppEnvironment environment;
    environment.messages = &messages;
    MainWindow window(environment);
    const auto size = static_cast<std::int64_t>(std::filesystem::file_size(log));
    window.liveLog().attach(log, ByteOffset{size});
    QSignalSpy noticed(&window.liveLog().watcher(), &LogWatcher::sizeMayHaveChanged);

    std::filesystem::remove(log);
    window.liveLog().catchUp();
    window.liveLog().catchUp();
    // The watcher noticed the removal too; its slice is the catch-up below.
    ASSERT_TRUE(noticed.count() > 0 || noticed.wait(5000));
    window.liveLog().catchUp();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].second, QStringLiteral("ファイルサイズを取得できません。"));

    // The game writes the file again: following resumes at the old end.
    const std::string line =
        generator.makeLine(colours::kTeam, loggen::TagBlockForm::BlankBefore, "Ren : back").bytes;
    std::ofstream(log, std::ios::binary) << generator.header() << line << "\n";
    window.liveLog().catchUp();
    EXPECT_EQ(window.view(ChatChannel::Team)->lineCount().value, 1);
    EXPECT_EQ(messages.shown.size(), 1u);
}

}  // namespace
}  // namespace ruv::testing
