// The speech client against servers that are missing, slow or never read.

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "core/speech/speak_line.h"
#include "core/speech/speech_client.h"
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

TEST(SpeechClient, HangingConnectGivesUpAfterItsTimeout) {
    RecordingTcpServer server(RecordingTcpServer::Mode::NeverAccept);
    AcceptQueueFiller backlog(server.port());
    ASSERT_TRUE(backlog.hanging());

    RecordingSpeechReports reports;
    SpeechClient client(reports.fn(), SpeechClientOptions{256, 150ms});
    for (int i = 0; i < 3; ++i) {
        client.Send(request(server.port()));
    }
    EXPECT_TRUE(client.waitUntilIdle(10s));
    EXPECT_TRUE(reports.all().empty());
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

TEST(SpeechClient, MissingServerOrBadAddressIsSilent) {
    RecordingSpeechReports reports;
    SpeechClient client(reports.fn());
    const std::uint16_t port = ruv::testing::closedLocalPort();
    for (int i = 0; i < 200; ++i) {
        client.Send(request(port));
    }
    client.Send({{"not an address", 50001}, "x"});
    EXPECT_TRUE(client.waitUntilIdle(20s));
    EXPECT_TRUE(reports.all().empty());
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
