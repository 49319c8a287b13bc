// Speech against a real TCP server on 127.0.0.1: a line the game writes, the
// test buttons of the dialog, and the reports of the sender.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QSlider>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <fstream>

#include "core/lines/chat_format.h"
#include "core/speech/speech_test_buttons.h"
#include "loggen/log_generator.h"
#include "shell/app/session.h"
#include "shell/log/live_log.h"
#include "shell/speech/speech_dialog.h"
#include "shell/speech/speech_side.h"
#include "shell/speech/speech_window_fixture.h"
#include "support/accept_queue_filler.h"
#include "support/log_session_fakes.h"
#include "support/recording_tcp_server.h"

namespace ruv::testing {
namespace {

using namespace std::chrono_literals;

std::string bytes(std::initializer_list<unsigned char> values) {
    return std::string(values.begin(), values.end());
}

class SpeechEndToEndTest : public SpeechWindowTest {
  protected:
    void SetUp() override {
        SpeechWindowTest::SetUp();
        SpeechSettingTexts texts = speechSettingResetTexts();
        texts.port = std::to_string(server.port());
        window->storedSpeech().setSpeechSettingTexts(texts);
        // Every line at once, as the recording server counts each connection.
        window->session().speechSide.setQueueSettings({0, 0, 0, {}});
    }

    RecordingTcpServer server;
};

TEST_F(SpeechEndToEndTest, MixedLineTheGameWritesReachesTheSpeechProgram) {
    window->setTabShown(Tab::Original, TabVisibility::Shown);
    window->mixCheckBox(ChatChannel::Open)->setChecked(true);
    window->speechSwitch()->setChecked(true);
    window->storedSpeech().setVoiceProfiles({{"abc", 3, 80, 120, 90}});

    loggen::LogGenerator generator{11};
    const auto log = folder() / "MHChatLog_2024_05_01.html";
    std::ofstream(log, std::ios::binary) << generator.header();
    window->liveLog().attach(
        log, ByteOffset{static_cast<std::int64_t>(std::filesystem::file_size(log))});
    {
        std::ofstream out(log, std::ios::binary | std::ios::app);
        out << generator
                   .makeLine(colours::kOpenWhite, loggen::TagBlockForm::BlankBefore, "abc : hello")
                   .bytes
            << "\n"
            << generator.makeLine(colours::kTeam, loggen::TagBlockForm::BlankBefore, "Kai : yo")
                   .bytes
            << "\n";
    }
    window->liveLog().catchUp();

    ASSERT_TRUE(server.waitForConnections(1, 5s));
    // Only the 一般 line is mixed; names are not read, so only the message goes.
    EXPECT_EQ(
        server.received().front(),
        bytes({0x01, 0x00, 120, 0x00, 90, 0x00, 80, 0x00, 3, 0x00, 0x02, 5, 0, 0, 0}) + "hello");
    EXPECT_TRUE(window->session().speechSide.client().waitUntilIdle(2s));
    EXPECT_EQ(server.connections(), 1u);
    EXPECT_TRUE(errorLines().isEmpty());
}

TEST_F(SpeechEndToEndTest, OnlySpeakerLinesFromRoutingLoseTheirName) {
    window->session().core.speech.SpeakLine("abc : hello", SpeakerLine::Yes);  // routing's port
    window->session().core.speech.SpeakLine("abc : shout", SpeakerLine::No);
    ASSERT_TRUE(server.waitForConnections(2, 5s));
    const std::vector<std::string> received = server.received();
    EXPECT_EQ(received[0].substr(15), "hello");
    EXPECT_EQ(received[1].substr(15), "abc : shout");
}

class ConnectionTestButton : public SpeechEndToEndTest {
  protected:
    void SetUp() override {
        SpeechEndToEndTest::SetUp();
        window->openSpeechSettings();
        dialog = window->speechDialog();
        ASSERT_NE(dialog, nullptr);
    }
    SpeechDialog* dialog = nullptr;
};

TEST_F(ConnectionTestButton, SendsTheTestRequestAndAsksWhenTheWaitIsOver) {
    messages.answers = {Answer::Yes};
    dialog->connectionTestClicked();

    ASSERT_TRUE(server.waitForConnections(1, 5s));
    EXPECT_EQ(server.received().front(),
              bytes({0x01, 0x00, 100, 0x00, 100, 0x00, 100, 0x00, 0, 0x00, 0x02, 10, 0, 0, 0}) +
                  std::string(kConnectionTestMessage));
    ASSERT_TRUE(QTest::qWaitFor([this] { return dialog->connectionTestWaiting(); }, 5000));
    dialog->connectionTestClicked();  // still waiting: no second request
    timers.advance(2500ms - 1us);
    EXPECT_TRUE(messages.asked.isEmpty());

    timers.advance(1us);
    EXPECT_EQ(messages.asked,
              QStringList{QStringLiteral("棒読みちゃんが「通信テスト」と読み上げましたか？")});
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0],
              std::make_pair(MessageKind::Information, QStringLiteral("通信テスト終了")));
    EXPECT_EQ(server.connections(), 1u);
}

TEST_F(ConnectionTestButton, GoesAheadOfWaitingLinesAndOkDropsThoseForTheOldEndpoint) {
    RecordingTcpServer dead(RecordingTcpServer::Mode::NeverAccept);
    AcceptQueueFiller backlog(dead.port());
    if (!backlog.hanging()) {
        GTEST_SKIP() << "connects to a full accept queue do not hang here";
    }
    // The stored endpoint hangs each live line for the 2-second connect timeout;
    // the dialog's fields still name the working server.
    storePort(dead.port());
    SpeechClient& client = window->session().speechSide.client();
    for (int i = 0; i < 5; ++i) {
        window->session().core.speech.SpeakLine("abc : hello", SpeakerLine::Yes);
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return client.waiting() == 4; }, 5000));

    dialog->connectionTestClicked();
    EXPECT_FALSE(dialog->connectionTestWaiting());  // not tried yet
    ASSERT_TRUE(server.waitForConnections(1, 5s));
    ASSERT_TRUE(QTest::qWaitFor([this] { return dialog->connectionTestWaiting(); }, 5000));
    const std::size_t stillWaiting = client.waiting();
    EXPECT_GE(stillWaiting, 2u);  // the test went ahead of them

    dialog->okClicked();  // stores the working server's port
    EXPECT_EQ(client.waiting(), 0u);
    // Beside it, the dead endpoint's outage may have been told once.
    QStringList errors = errorLines();
    errors.removeIf([](const QString& line) {
        return line.startsWith(QStringLiteral("通信に失敗しました。"));
    });
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].startsWith(
        QStringLiteral("毒電波の送信先が変わったため、前の送信先への読み上げ要求を%1件破棄しました"
                       "(Button01Click) ")
            .arg(stillWaiting)))
        << errors[0].toStdString();
}

TEST_F(ConnectionTestButton, NoGivesTheAdviceOnSixLines) {
    messages.answers = {Answer::No};
    dialog->connectionTestClicked();
    ASSERT_TRUE(QTest::qWaitFor([this] { return dialog->connectionTestWaiting(); }, 5000));
    timers.advance(2500ms);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].first, MessageKind::Warning);
    EXPECT_EQ(
        messages.shown[0].second,
        QStringLiteral("以下の事を確認して、再度通信テストをして見てください\r\n\r\n"
                       "１：棒読みちゃんの起動の確認\r\n"
                       "２：棒読みちゃんの「Socket通信を使う」が「True」になっているか確認\r\n"
                       "３：棒読みちゃんのポート番号の確認\r\n"
                       "４：ファイヤーウォール等の設定の確認"));
}

// Nothing reached the speech program, so there is nothing to ask about.
TEST_F(ConnectionTestButton, ARefusedConnectionSaysSendingFailedInsteadOfAsking) {
    dialog->findChild<QLineEdit*>(QStringLiteral("PortEdit01"))
        ->setText(QString::number(closedLocalPort()));
    for (const bool voiceTest : {false, true}) {
        messages.shown.clear();
        if (voiceTest) {
            dialog->voiceTestClicked();
        } else {
            dialog->connectionTestClicked();
        }
        ASSERT_TRUE(QTest::qWaitFor([this] { return !messages.shown.empty(); }, 5000));
        EXPECT_EQ(messages.shown[0],
                  std::make_pair(MessageKind::Warning, QStringLiteral("通信に失敗しました。")));
    }
    EXPECT_FALSE(dialog->connectionTestWaiting());
    timers.advance(2500ms);
    EXPECT_TRUE(messages.asked.isEmpty());
    EXPECT_EQ(messages.shown.size(), 1u);
}

TEST_F(ConnectionTestButton, VoiceTestSendsTheSlidersOfItsPage) {
    dialog->findChild<QSlider*>(QStringLiteral("TrackBar11"))->setValue(70);
    dialog->findChild<QSlider*>(QStringLiteral("TrackBar12"))->setValue(150);
    dialog->findChild<QSlider*>(QStringLiteral("TrackBar13"))->setValue(60);
    dialog->characterVoiceTestClicked();
    ASSERT_TRUE(server.waitForConnections(1, 5s));
    EXPECT_EQ(server.received().front(),
              bytes({0x01, 0x00, 150, 0x00, 60, 0x00, 70, 0x00, 0, 0x00, 0x02, 12, 0, 0, 0}) +
                  std::string(kVoiceTestMessage));
    EXPECT_TRUE(messages.asked.isEmpty());
}

TEST_F(ConnectionTestButton, APortThatIsNoNumberSendsNothing) {
    auto* port = dialog->findChild<QLineEdit*>(QStringLiteral("PortEdit01"));
    const QString goodPort = port->text();
    port->setText(QStringLiteral("50o01"));
    dialog->connectionTestClicked();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].second, QStringLiteral("'50o01' は有効な整数値ではありません"));
    EXPECT_FALSE(dialog->connectionTestWaiting());

    // Test requests go out in order: the first to arrive is the one sent after.
    port->setText(goodPort);
    dialog->characterVoiceTestClicked();
    ASSERT_TRUE(server.waitForConnections(1, 5s));
    EXPECT_TRUE(server.received().front().ends_with(std::string(kVoiceTestMessage)));
}

TEST_F(SpeechWindowTest, ClosingTheWindowDoesNotWaitForAHangingConnect) {
    RecordingTcpServer server(RecordingTcpServer::Mode::NeverAccept);
    AcceptQueueFiller backlog(server.port());
    if (!backlog.hanging()) {
        GTEST_SKIP() << "connects to a full accept queue do not hang here";
    }
    storePort(server.port());
    const std::size_t hangingBefore = backlog.hangingConnects();
    window->session().core.speech.SpeakLine("abc : hello", SpeakerLine::Yes);
    window->session().core.speech.SpeakLine("abc : again", SpeakerLine::Yes);
    // The sender is inside its connect: its SYN is waiting for an answer.
    ASSERT_TRUE(QTest::qWaitFor([&] { return backlog.hangingConnects() > hangingBefore; }, 5000));

    const auto start = std::chrono::steady_clock::now();
    window.reset();
    // The connect timeout is 2 s; stopping interrupts it.
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1500ms);
}

// The sender's reports arrive as error lines on the user-interface thread.
TEST(SpeechSideReports, DroppedRequestsBecomeErrorLinesOnceTheEventLoopRuns) {
    RecordingErrors errors;
    platform::ManualClock clock{platform::LocalDateTime{2024, 5, 1, 9, 5, 7}};
    const std::uint16_t closedPort = closedLocalPort();
    SpeechSide side(errors, clock, SpeechClientOptions{1, 2000ms});
    for (int i = 0; i < 200; ++i) {
        side.client().Send(SpeechRequest{SpeechEndpoint{"127.0.0.1", closedPort}, {}});
    }
    EXPECT_TRUE(errors.lines.empty());  // never written from inside routing
    ASSERT_TRUE(QTest::qWaitFor([&] { return !errors.lines.empty(); }, 5000));
    // "毒電波の送信待ちが溢れたため、古い読み上げ要求を" N "件破棄しました(SpeakLine) " + date
    const std::string prefix =
        cp932::fromUtf8("毒電波の送信待ちが溢れたため、古い読み上げ要求を").value();
    const std::string suffix =
        cp932::fromUtf8("件破棄しました(SpeakLine) 2024/05/01 9:05:07").value();
    // Beside them, once, the outage: nothing listens on the port.
    const std::string outage = cp932::fromUtf8("通信に失敗しました。").value();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return std::ranges::any_of(errors.lines,
                                       [&](const std::string& l) { return l.starts_with(outage); });
        },
        5000));
    for (const std::string& line : errors.lines) {
        if (line.starts_with(outage)) {
            continue;
        }
        EXPECT_EQ(line.rfind(prefix, 0), 0u) << line;
        EXPECT_TRUE(line.ends_with(suffix)) << line;
    }
}

}  // namespace
}  // namespace ruv::testing
