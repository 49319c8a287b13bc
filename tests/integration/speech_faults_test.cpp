// The speech client against servers that misbehave: one that resets every
// connection and one that answers with garbage.

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "core/speech/speech_client.h"
#include "core/speech/speech_request.h"
#include "core/speech/voice_params.h"
#include "support/recording_tcp_server.h"
#include "support/speech_reports.h"

namespace {

using namespace std::chrono_literals;
using ruv::SpeechClient;
using ruv::SpeechClientOptions;
using ruv::testing::RecordingSpeechReports;
using ruv::testing::RecordingTcpServer;

constexpr std::size_t kHeaderBytes = RecordingTcpServer::kHeaderBytes;

// Request i carries a message of its own length, so even its header tells it apart.
std::vector<ruv::SpeechRequest> numberedRequests(std::uint16_t port, int count, int first = 0) {
    std::vector<ruv::SpeechRequest> requests;
    for (int i = first; i < first + count; ++i) {
        const std::string message =
            "line " + std::to_string(i) + std::string(static_cast<std::size_t>(i), '.');
        requests.push_back(
            {{"127.0.0.1", port}, ruv::speechRequestBytes(ruv::VoiceParams{}, message)});
    }
    return requests;
}

TEST(SpeechFaults, ResetConnectionsAreTriedInOrderAndLaterRequestsReachANewServer) {
    RecordingSpeechReports reports;
    SpeechClient client(reports.fn(), SpeechClientOptions{256, 2s});
    std::uint16_t port = 0;
    const std::vector<ruv::SpeechRequest> first = numberedRequests(0, 40);
    {
        RecordingTcpServer resetting(RecordingTcpServer::Mode::ResetAfterHeader);
        port = resetting.port();
        for (ruv::SpeechRequest request : first) {
            request.endpoint.port = port;
            client.Send(std::move(request));
        }
        ASSERT_TRUE(client.waitUntilIdle(10s));
        ASSERT_TRUE(resetting.waitForConnections(first.size(), 5s));
        const std::vector<std::string> headers = resetting.received();
        ASSERT_EQ(headers.size(), first.size());
        for (std::size_t i = 0; i < first.size(); ++i) {
            EXPECT_EQ(headers[i], first[i].bytes.substr(0, kHeaderBytes)) << "request " << i;
        }
    }
    // A speech program that cannot be reached is silent; only socket faults are reported.
    EXPECT_TRUE(reports.all().empty());

    RecordingTcpServer normal(RecordingTcpServer::Mode::Record, port);
    const std::vector<ruv::SpeechRequest> later = numberedRequests(port, 10, 100);
    for (const ruv::SpeechRequest& request : later) {
        client.Send(request);
    }
    ASSERT_TRUE(client.waitUntilIdle(10s));
    ASSERT_TRUE(normal.waitForConnections(later.size(), 5s));
    const std::vector<std::string> got = normal.received();
    ASSERT_EQ(got.size(), later.size());
    for (std::size_t i = 0; i < later.size(); ++i) {
        EXPECT_EQ(got[i], later[i].bytes) << "request " << i;
    }
    EXPECT_TRUE(reports.all().empty());
}

TEST(SpeechFaults, GarbageAnswersDoNotStopAnyRequestArrivingWholeAndInOrder) {
    RecordingTcpServer garbage(RecordingTcpServer::Mode::AnswerGarbage);
    RecordingSpeechReports reports;
    SpeechClient client(reports.fn(), SpeechClientOptions{256, 2s});
    const std::vector<ruv::SpeechRequest> requests = numberedRequests(garbage.port(), 60);
    for (const ruv::SpeechRequest& request : requests) {
        client.Send(request);
    }
    ASSERT_TRUE(client.waitUntilIdle(10s));
    ASSERT_TRUE(garbage.waitForConnections(requests.size(), 5s));
    const std::vector<std::string> got = garbage.received();
    ASSERT_EQ(got.size(), requests.size());
    for (std::size_t i = 0; i < requests.size(); ++i) {
        EXPECT_EQ(got[i], requests[i].bytes) << "request " << i;
    }
    EXPECT_TRUE(reports.all().empty());
}

}  // namespace
