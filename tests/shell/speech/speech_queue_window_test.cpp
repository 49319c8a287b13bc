// The speech queue as the player sees it in the window: the status bar's
// panel, the 読み上げ menu and the settings file, against a stand-in for
// 棒読みちゃん on 127.0.0.1.

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QTest>

#include <chrono>
#include <filesystem>

#include "core/speech/speech_queue_settings.h"
#include "shell/app/session.h"
#include "shell/speech/speech_dialog.h"
#include "shell/speech/speech_side.h"
#include "shell/speech/speech_window_fixture.h"
#include "support/fake_speech_program.h"
#include "support/recording_tcp_server.h"

namespace ruv::testing {
namespace {

using namespace std::chrono_literals;

class SpeechQueueWindowTest : public SpeechWindowTest {
  protected:
    QLabel* panel() { return window->findChild<QLabel*>(QStringLiteral("SpeechStatusPanel")); }
    QAction* entry(const char* name) {
        return window->findChild<QAction*>(QString::fromLatin1(name));
    }
    void tickSending(bool ticked) {
        window->findChild<QCheckBox*>(QStringLiteral("ChatLogCheckBoxBouyomi"))->setChecked(ticked);
    }
    // Runs the panel's timer until `done` holds or 5 s passed.
    bool refreshUntil(const std::function<bool()>& done) {
        return QTest::qWaitFor(
            [&] {
                timers.advance(250ms);
                return done();
            },
            5000);
    }
};

TEST_F(SpeechQueueWindowTest, PanelShowsOnlyWhileSendingAndSaysNoAnswerWithinTwoSeconds) {
    storePort(closedLocalPort());
    ASSERT_NE(panel(), nullptr);
    timers.advance(250ms);
    EXPECT_FALSE(panel()->isVisibleTo(window.get()));

    tickSending(true);
    const auto started = std::chrono::steady_clock::now();
    window->session().core.speech.SpeakLine("abc : hello", SpeakerLine::Yes);
    ASSERT_TRUE(refreshUntil([&] {
        return panel()->text().contains(QStringLiteral("から)")) && !errorLines().isEmpty();
    }));
    EXPECT_LT(std::chrono::steady_clock::now() - started, 2s);
    EXPECT_TRUE(panel()->isVisibleTo(window.get()));
    EXPECT_EQ(panel()->text(), QStringLiteral("読み上げ: 応答なし (09:05:07から) 待ち 1行"));
    EXPECT_EQ(panel()->toolTip(), QStringLiteral("接続を拒否されました"));
    ASSERT_EQ(errorLines().size(), 1);
    EXPECT_TRUE(errorLines()[0].startsWith(QStringLiteral("通信に失敗しました。")));

    tickSending(false);
    timers.advance(250ms);
    EXPECT_FALSE(panel()->isVisibleTo(window.get()));
}

TEST_F(SpeechQueueWindowTest, PauseEntryHoldsTheQueueUntilItIsUnticked) {
    FakeSpeechProgram program(400);
    storePort(program.port());
    window->session().speechSide.client().setEndpoint({"127.0.0.1", program.port()});
    tickSending(true);
    entry("SpeechPause")->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return program.paused(); }, 5000));
    window->session().core.speech.SpeakLine("abc : held", SpeakerLine::Yes);
    ASSERT_TRUE(
        refreshUntil([&] { return panel()->text().contains(QStringLiteral("一時停止中")); }));
    EXPECT_TRUE(program.taken().empty());

    entry("SpeechPause")->trigger();
    ASSERT_TRUE(program.waitForTaken(1, 5s));
    EXPECT_FALSE(program.paused());
    entry("SpeechSkip")->trigger();
    entry("SpeechClear")->trigger();
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return program.commands(0x0030) == 1 && program.commands(0x0040) == 1; }, 5000));
}

TEST_F(SpeechQueueWindowTest, QueueSettingsFileIsWrittenOnlyOnceChanged) {
    const auto file = folder() / kSpeechQueueFile;
    window->close();
    window.reset();
    EXPECT_FALSE(std::filesystem::exists(file));

    window = makeWindow();
    window->session().speechSide.setQueueSettings({2, 30, 0, {}});
    window->close();
    window.reset();
    ASSERT_TRUE(std::filesystem::exists(file));

    window = makeWindow();
    EXPECT_EQ(window->session().speechSide.queueSettings(), (SpeechQueueSettings{2, 30, 0, {}}));
    const auto written = std::filesystem::last_write_time(file);
    window->close();
    window.reset();
    EXPECT_EQ(std::filesystem::last_write_time(file), written);
}

TEST_F(SpeechQueueWindowTest, HotkeyFieldsSayTheyAreUnavailableWithoutAnXDisplay) {
    window->openSpeechSettings();
    SpeechDialog* dialog = window->speechDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_NE(dialog->findChild<QLabel*>(QStringLiteral("HotkeysUnavailable")), nullptr);
    auto* field = dialog->findChild<QKeySequenceEdit*>(QStringLiteral("HotkeySkipEdit"));
    ASSERT_NE(field, nullptr);
    EXPECT_FALSE(field->isEnabled());
    dialog->cancelClicked();
}

TEST_F(SpeechQueueWindowTest, QueueSettingsFileThatCannotBeWrittenIsTheOneTheExitWarningNames) {
    std::filesystem::create_directory(folder() / kSpeechQueueFile);
    window->session().speechSide.setQueueSettings({2, 30, 0, {}});
    window->close();
    window.reset();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].second.contains(QString::fromLatin1(kSpeechQueueFile)))
        << messages.shown[0].second.toStdString();
    EXPECT_FALSE(messages.shown[0].second.contains(QStringLiteral("bouyomiuserlist.txt")));
}

}  // namespace
}  // namespace ruv::testing
