// The speech client against servers that misbehave: one that resets every
// connection and one that answers with garbage.

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <random>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "core/speech/speech_client.h"
#include "core/speech/speech_request.h"
#include "core/speech/voice_params.h"

namespace {

using namespace std::chrono_literals;
using ruv::SpeechClient;
using ruv::SpeechClientOptions;
using ruv::SpeechClientReport;

constexpr std::size_t kHeaderBytes = 15;

bool readable(int fd, int ms) {
    pollfd p{fd, POLLIN, 0};
    return ::poll(&p, 1, ms) > 0;
}

// A server on 127.0.0.1 that treats every connection one way and records, per
// connection in the order accepted, what it read.
class FaultyServer {
  public:
    enum class Behaviour {
        // Reads the request's header, then closes with a zero linger: the
        // client gets a reset.
        ResetAfterHeader,
        // Writes random bytes back, then reads the request to its end and closes.
        AnswerGarbage,
        // Reads the request to its end and closes.
        Record,
    };

    explicit FaultyServer(Behaviour behaviour, std::uint16_t port = 0) : behaviour_(behaviour) {
        listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
        const int on = 1;
        ::setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &on, sizeof(on));
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(port);
        if (::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
            ::listen(listener_, 512) != 0) {
            ::close(listener_);
            throw std::runtime_error("bind/listen");
        }
        socklen_t length = sizeof(address);
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
        thread_ = std::thread([this] { run(); });
    }
    ~FaultyServer() {
        stop_ = true;
        thread_.join();
        ::close(listener_);
    }
    FaultyServer(const FaultyServer&) = delete;
    FaultyServer& operator=(const FaultyServer&) = delete;

    std::uint16_t port() const { return port_; }

    bool waitForConnections(std::size_t count, std::chrono::milliseconds timeout) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, timeout, [&] { return received_.size() >= count; });
    }
    std::vector<std::string> received() {
        std::lock_guard lock(mutex_);
        return received_;
    }

  private:
    void run() {
        std::mt19937 random(42);
        while (!stop_) {
            if (!readable(listener_, 20)) {
                continue;
            }
            const int fd = ::accept(listener_, nullptr, nullptr);
            if (fd < 0) {
                continue;
            }
            std::string data;
            if (behaviour_ == Behaviour::AnswerGarbage) {
                std::string garbage(1 + random() % 2048, '\0');
                for (char& byte : garbage) {
                    byte = static_cast<char>(random());
                }
                ::send(fd, garbage.data(), garbage.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
            }
            const std::size_t limit =
                behaviour_ == Behaviour::ResetAfterHeader ? kHeaderBytes : std::string::npos;
            const auto deadline = std::chrono::steady_clock::now() + 3s;
            while (data.size() < limit && std::chrono::steady_clock::now() < deadline) {
                if (!readable(fd, 20)) {
                    continue;
                }
                char buffer[4096];
                const std::size_t want = std::min(sizeof(buffer), limit - data.size());
                const auto got = ::recv(fd, buffer, want, 0);
                if (got <= 0) {
                    break;
                }
                data.append(buffer, static_cast<std::size_t>(got));
            }
            if (behaviour_ == Behaviour::ResetAfterHeader) {
                const linger abort{1, 0};
                ::setsockopt(fd, SOL_SOCKET, SO_LINGER, &abort, sizeof(abort));
            }
            ::close(fd);
            {
                std::lock_guard lock(mutex_);
                received_.push_back(std::move(data));
            }
            changed_.notify_all();
        }
    }

    Behaviour behaviour_;
    int listener_ = -1;
    std::uint16_t port_ = 0;
    std::atomic<bool> stop_{false};
    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::string> received_;
};

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
    Reports reports;
    SpeechClient client(reports.fn(), SpeechClientOptions{256, 2s});
    std::uint16_t port = 0;
    const std::vector<ruv::SpeechRequest> first = numberedRequests(0, 40);
    {
        FaultyServer resetting(FaultyServer::Behaviour::ResetAfterHeader);
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

    FaultyServer normal(FaultyServer::Behaviour::Record, port);
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
    FaultyServer garbage(FaultyServer::Behaviour::AnswerGarbage);
    Reports reports;
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
