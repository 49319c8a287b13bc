// The speech client against servers that are missing, slow or never read.

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "core/speech/speak_line.h"
#include "core/speech/speech_client.h"
#include "core/text/cp932.h"
#include "support/accept_queue_filler.h"
#include "support/recording_tcp_server.h"
#include "support/speech_reports.h"
#include "support/wait_until.h"

namespace {

using namespace std::chrono_literals;
using ruv::SpeechClient;
using ruv::SpeechClientOptions;
using ruv::SpeechClientReport;
using ruv::testing::AcceptQueueFiller;
using ruv::testing::RecordingSpeechReports;
using ruv::testing::RecordingTcpServer;
using ruv::testing::waitUntil;

ruv::SpeechRequest request(std::uint16_t port, const std::string& message = "hi") {
    return {{"127.0.0.1", port}, ruv::speechRequestBytes(ruv::VoiceParams{}, message)};
}

TEST(SpeechClient, StopReturnsPromptlyWhileAConnectHangs) {
    RecordingTcpServer server(RecordingTcpServer::Mode::NeverAccept);
    AcceptQueueFiller backlog(server.port());
    ASSERT_TRUE(backlog.hanging());

    const std::size_t hangingBefore = backlog.hangingConnects();
    RecordingSpeechReports reports;
    SpeechClient client(reports.fn(), SpeechClientOptions{256, 60s});
    for (int i = 0; i < 3; ++i) {
        client.Send(request(server.port()));
    }
    ASSERT_TRUE(waitUntil([&] { return client.waiting() == 2; }, 5s));
    // The worker is inside its connect: its SYN is waiting for an answer.
    ASSERT_TRUE(waitUntil([&] { return backlog.hangingConnects() > hangingBefore; }, 5s));

    const auto started = std::chrono::steady_clock::now();
    client.stop();
    EXPECT_LT(std::chrono::steady_clock::now() - started, 2s);
    EXPECT_TRUE(reports.all().empty());

    client.Send(request(server.port()));
    EXPECT_EQ(client.waiting(), 0u);
}

// An unanswered connect is an outage: the lines wait until they are too old.
TEST(SpeechClient, HangingConnectKeepsTheLinesUntilTheyAreStaleAndSaysSoOnce) {
    RecordingTcpServer server(RecordingTcpServer::Mode::NeverAccept);
    AcceptQueueFiller backlog(server.port());
    ASSERT_TRUE(backlog.hanging());

    RecordingSpeechReports reports;
    SpeechClientOptions options{256, 150ms};
    options.policy.staleAfter = 1500ms;
    SpeechClient client(reports.fn(), options);
    for (int i = 0; i < 3; ++i) {
        client.Send(request(server.port()));
    }
    EXPECT_TRUE(client.waitUntilIdle(10s));
    EXPECT_EQ(client.status().dropped.stale, 3u);
    const auto got = reports.all();
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].kind, SpeechClientReport::Kind::OutageBegan);
    EXPECT_EQ(got[0].reason, ruv::platform::TcpFailure::TimedOut);
}

TEST(SpeechClient, FullQueueDropsTheWaitingRequestsAndReportsHowManyOnce) {
    RecordingTcpServer server(RecordingTcpServer::Mode::NeverAccept);
    AcceptQueueFiller backlog(server.port());
    ASSERT_TRUE(backlog.hanging());

    RecordingSpeechReports reports;
    SpeechClient client(reports.fn(), SpeechClientOptions{256, 60s});
    client.Send(request(server.port()));
    ASSERT_TRUE(waitUntil([&] { return client.waiting() == 0; }, 5s));

    for (int i = 0; i < 256; ++i) {
        client.Send(request(server.port()));
    }
    EXPECT_EQ(client.waiting(), 256u);
    EXPECT_TRUE(reports.all().empty());

    client.Send(request(server.port()));
    EXPECT_EQ(client.waiting(), 1u);
    const auto got = reports.all();
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].kind, SpeechClientReport::Kind::RequestsDropped);
    EXPECT_EQ(got[0].dropped, 256u);
    const std::string text = ruv::speechClientReportText(got[0]);
    EXPECT_NE(text.find("256"), std::string::npos);
    EXPECT_TRUE(text.ends_with("(SpeakLine) "));
}

// Nothing is lost unseen: the lines wait, and the error log hears of it once.
TEST(SpeechClient, MissingServerOrBadAddressKeepsTheLinesAndIsReportedOnce) {
    struct Case {
        ruv::SpeechEndpoint endpoint;
        ruv::platform::TcpFailure reason;
    };
    for (const Case& c :
         {Case{{"127.0.0.1", ruv::testing::closedLocalPort()}, ruv::platform::TcpFailure::Refused},
          Case{{"not an address", 50001}, ruv::platform::TcpFailure::BadAddress}}) {
        RecordingSpeechReports reports;
        SpeechClient client(reports.fn());
        for (int i = 0; i < 200; ++i) {
            client.Send({c.endpoint, "x"});
        }
        ASSERT_TRUE(waitUntil([&] { return !reports.all().empty(); }, 5s));
        std::this_thread::sleep_for(1500ms);  // retried meanwhile
        const auto got = reports.all();
        ASSERT_EQ(got.size(), 1u);
        EXPECT_EQ(got[0].kind, SpeechClientReport::Kind::OutageBegan);
        EXPECT_EQ(got[0].reason, c.reason);
        EXPECT_EQ(client.waiting(), 200u);
        const std::string text = ruv::speechClientReportText(got[0]);
        EXPECT_TRUE(text.starts_with(ruv::cp932::fromUtf8("通信に失敗しました。").value()));
        EXPECT_TRUE(text.ends_with("(SpeakLine) "));
    }
}

// Each request to a server that takes the connection but never reads waits
// for it to close no longer than the client's own timeout, so the next
// request goes out within that time.
TEST(SpeechClient, EachRequestToAServerThatNeverReadsEndsWithinTheTimeout) {
    RecordingTcpServer server(RecordingTcpServer::Mode::AcceptNeverRead);
    RecordingSpeechReports reports;
    SpeechClient client(reports.fn());
    const auto timeout = SpeechClientOptions{}.connectTimeout;
    constexpr std::size_t kRequests = 3;
    for (std::size_t i = 0; i < kRequests; ++i) {
        client.Send(request(server.port(), std::string(400, 'a')));
    }
    // Each wait starts when the request before was taken.
    for (std::size_t taken = 1; taken <= kRequests; ++taken) {
        ASSERT_TRUE(server.waitForConnections(taken, timeout + 500ms)) << "request " << taken;
    }
    EXPECT_TRUE(client.waitUntilIdle(timeout + 500ms));
    EXPECT_TRUE(reports.all().empty());
}

}  // namespace
