// The speech client against servers that are missing, slow or never read.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>

#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "core/speech/speak_line.h"
#include "core/speech/speech_client.h"
#include "support/recording_tcp_server.h"

namespace {

using namespace std::chrono_literals;
using ruv::SpeechClient;
using ruv::SpeechClientOptions;
using ruv::SpeechClientReport;
using ruv::testing::RecordingTcpServer;

class Reports {
  public:
    SpeechClient::ReportFn fn() {
        return [this](const SpeechClientReport& report) {
            std::lock_guard lock(mutex_);
            reports_.push_back(report);
        };
    }
    std::vector<SpeechClientReport> all() {
        std::lock_guard lock(mutex_);
        return reports_;
    }

  private:
    std::mutex mutex_;
    std::vector<SpeechClientReport> reports_;
};

// Connects to a server that never accepts until its accept queue is full, so
// that every later connect hangs. The sockets stay open for the object's life.
class FullBacklog {
  public:
    explicit FullBacklog(std::uint16_t port) {
        for (int i = 0; i < 16; ++i) {
            const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
            ::fcntl(fd, F_SETFL, O_NONBLOCK);
            sockaddr_in address{};
            address.sin_family = AF_INET;
            address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
            address.sin_port = htons(port);
            ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address));
            fds_.push_back(fd);
            pollfd p{fd, POLLOUT, 0};
            if (::poll(&p, 1, 300) == 0) {
                hanging_ = true;
                return;
            }
        }
    }
    ~FullBacklog() {
        for (const int fd : fds_) {
            ::close(fd);
        }
    }
    bool hanging() const { return hanging_; }

  private:
    std::vector<int> fds_;
    bool hanging_ = false;
};

std::uint16_t closedPort() {
    RecordingTcpServer probe(RecordingTcpServer::Mode::NeverAccept);
    return probe.port();
}

ruv::SpeechRequest request(std::uint16_t port, const std::string& message = "hi") {
    return {{"127.0.0.1", port}, ruv::speechRequestBytes(ruv::VoiceParams{}, message)};
}

bool waitUntil(const auto& condition, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

TEST(SpeechClient, StopReturnsPromptlyWhileAConnectHangs) {
    RecordingTcpServer server(RecordingTcpServer::Mode::NeverAccept);
    FullBacklog backlog(server.port());
    ASSERT_TRUE(backlog.hanging());

    Reports reports;
    SpeechClient client(reports.fn(), SpeechClientOptions{256, 60s});
    for (int i = 0; i < 3; ++i) {
        client.Send(request(server.port()));
    }
    ASSERT_TRUE(waitUntil([&] { return client.waiting() == 2; }, 5s));
    std::this_thread::sleep_for(100ms);

    const auto started = std::chrono::steady_clock::now();
    client.stop();
    EXPECT_LT(std::chrono::steady_clock::now() - started, 2s);
    EXPECT_TRUE(reports.all().empty());

    client.Send(request(server.port()));
    EXPECT_EQ(client.waiting(), 0u);
}

TEST(SpeechClient, HangingConnectGivesUpAfterItsTimeout) {
    RecordingTcpServer server(RecordingTcpServer::Mode::NeverAccept);
    FullBacklog backlog(server.port());
    ASSERT_TRUE(backlog.hanging());

    Reports reports;
    SpeechClient client(reports.fn(), SpeechClientOptions{256, 150ms});
    for (int i = 0; i < 3; ++i) {
        client.Send(request(server.port()));
    }
    EXPECT_TRUE(client.waitUntilIdle(10s));
    EXPECT_TRUE(reports.all().empty());
}

TEST(SpeechClient, FullQueueDropsTheWaitingRequestsAndReportsHowManyOnce) {
    RecordingTcpServer server(RecordingTcpServer::Mode::NeverAccept);
    FullBacklog backlog(server.port());
    ASSERT_TRUE(backlog.hanging());

    Reports reports;
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
    Reports reports;
    SpeechClient client(reports.fn());
    const std::uint16_t port = closedPort();
    for (int i = 0; i < 200; ++i) {
        client.Send(request(port));
    }
    client.Send({{"not an address", 50001}, "x"});
    EXPECT_TRUE(client.waitUntilIdle(20s));
    EXPECT_TRUE(reports.all().empty());
}

TEST(SpeechClient, ServerThatNeverReadsDoesNotHoldTheQueue) {
    RecordingTcpServer server(RecordingTcpServer::Mode::AcceptNeverRead);
    Reports reports;
    SpeechClient client(reports.fn(), SpeechClientOptions{256, 2s});
    for (int i = 0; i < 300; ++i) {
        client.Send(request(server.port(), std::string(400, 'a')));
        if (i == 150) {
            ASSERT_TRUE(client.waitUntilIdle(20s));
        }
    }
    EXPECT_TRUE(client.waitUntilIdle(20s));
    EXPECT_TRUE(server.waitForConnections(300, 10s));
    EXPECT_TRUE(reports.all().empty());
}

}  // namespace
