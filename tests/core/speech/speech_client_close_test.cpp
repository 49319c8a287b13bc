// How the speech client ends a connection with a speech program that answers
// before it has read the request.

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "core/speech/speech_client.h"
#include "core/speech/voice_params.h"
#include "support/answering_tcp_server.h"
#include "support/speech_reports.h"

namespace {

using namespace std::chrono_literals;

TEST(SpeechClientClose, ServerThatAnswersFirstGetsEveryRequestWholeAndAnOrderlyEnd) {
    ruv::testing::AnsweringTcpServer server;
    ruv::testing::RecordingSpeechReports reports;
    ruv::SpeechClient client(reports.fn(), ruv::SpeechClientOptions{512, 2s});
    std::vector<std::string> sent;
    for (int i = 0; i < 300; ++i) {
        sent.push_back(ruv::speechRequestBytes(ruv::VoiceParams{}, "line " + std::to_string(i)));
        client.Send({{"127.0.0.1", server.port()}, sent.back()});
    }
    ASSERT_TRUE(client.waitUntilIdle(60s));
    ASSERT_TRUE(server.waitForConnections(sent.size(), 10s));
    const std::vector<ruv::testing::AnsweringTcpServer::Connection> got = server.connections();
    ASSERT_EQ(got.size(), sent.size());
    int resets = 0;
    for (std::size_t i = 0; i < sent.size(); ++i) {
        resets += got[i].reset ? 1 : 0;
        EXPECT_EQ(got[i].received, sent[i]) << "request " << i;
    }
    EXPECT_EQ(resets, 0);
    EXPECT_TRUE(reports.all().empty());
}

}  // namespace
