#pragma once
// A TCP server on 127.0.0.1 for speech tests: records what each connection
// carried, or accepts and never reads, or never accepts, or misbehaves (POSIX).

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
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

namespace ruv::testing {

class RecordingTcpServer {
  public:
    enum class Mode {
        // Reads each request to its end and closes.
        Record,
        AcceptNeverRead,
        NeverAccept,
        // Reads the request's header, then closes with a zero linger: the
        // client gets a reset.
        ResetAfterHeader,
        // Writes random bytes back, then reads the request to its end and closes.
        AnswerGarbage,
    };
    static constexpr std::size_t kHeaderBytes = 15;

    // Port 0 takes a free one; a given port may be one a server just left.
    explicit RecordingTcpServer(Mode mode = Mode::Record, std::uint16_t port = 0) : mode_(mode) {
        listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
        if (listener_ < 0) {
            throw std::runtime_error("socket");
        }
        const int on = 1;
        ::setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &on, sizeof(on));
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(port);
        if (::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
            ::listen(listener_, mode == Mode::NeverAccept ? 0 : 4096) != 0) {
            ::close(listener_);
            throw std::runtime_error("bind/listen");
        }
        socklen_t length = sizeof(address);
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
        if (mode != Mode::NeverAccept) {
            thread_ = std::thread([this] { run(); });
        }
    }

    ~RecordingTcpServer() {
        stop_ = true;
        if (thread_.joinable()) {
            thread_.join();
        }
        for (const int fd : held_) {
            ::close(fd);
        }
        ::close(listener_);
    }

    RecordingTcpServer(const RecordingTcpServer&) = delete;
    RecordingTcpServer& operator=(const RecordingTcpServer&) = delete;

    std::uint16_t port() const { return port_; }

    // Waits until `count` connections were recorded (Record) or accepted.
    bool waitForConnections(std::size_t count, std::chrono::milliseconds timeout) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, timeout, [&] { return connections_ >= count; });
    }

    // What each finished connection carried, in the order they were accepted
    // (nothing for AcceptNeverRead).
    std::vector<std::string> received() {
        std::lock_guard lock(mutex_);
        return received_;
    }

    std::size_t connections() {
        std::lock_guard lock(mutex_);
        return connections_;
    }

  private:
    static bool readable(int fd, int ms) {
        pollfd p{fd, POLLIN, 0};
        return ::poll(&p, 1, ms) > 0;
    }

    void run() {
        while (!stop_) {
            if (!readable(listener_, 20)) {
                continue;
            }
            const int fd = ::accept(listener_, nullptr, nullptr);
            if (fd < 0) {
                continue;
            }
            if (mode_ == Mode::AcceptNeverRead) {
                held_.push_back(fd);
                finish({});
                continue;
            }
            if (mode_ == Mode::AnswerGarbage) {
                answerGarbage(fd);
            }
            std::string data =
                read(fd, mode_ == Mode::ResetAfterHeader ? kHeaderBytes : std::string::npos);
            if (mode_ == Mode::ResetAfterHeader) {
                const linger abort{1, 0};
                ::setsockopt(fd, SOL_SOCKET, SO_LINGER, &abort, sizeof(abort));
            }
            ::close(fd);
            finish(std::move(data));
        }
    }

    // Up to limit bytes, until the client closes or 5 seconds passed.
    std::string read(int fd, std::size_t limit) {
        std::string data;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!stop_ && data.size() < limit && std::chrono::steady_clock::now() < deadline) {
            if (!readable(fd, 20)) {
                continue;
            }
            char buffer[4096];
            const auto got = ::recv(fd, buffer, std::min(sizeof(buffer), limit - data.size()), 0);
            if (got <= 0) {
                break;
            }
            data.append(buffer, static_cast<std::size_t>(got));
        }
        return data;
    }

    void answerGarbage(int fd) {
        std::string garbage(1 + random_() % 2048, '\0');
        for (char& byte : garbage) {
            byte = static_cast<char>(random_());
        }
        ::send(fd, garbage.data(), garbage.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
    }

    void finish(std::string data) {
        {
            std::lock_guard lock(mutex_);
            if (mode_ != Mode::AcceptNeverRead) {
                received_.push_back(std::move(data));
            }
            ++connections_;
        }
        changed_.notify_all();
    }

    Mode mode_;
    int listener_ = -1;
    std::uint16_t port_ = 0;
    std::atomic<bool> stop_{false};
    std::thread thread_;
    std::vector<int> held_;
    std::mt19937 random_{42};
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::string> received_;
    std::size_t connections_ = 0;
};

// A port on 127.0.0.1 that nothing listens on: one a server just left.
inline std::uint16_t closedLocalPort() {
    return RecordingTcpServer(RecordingTcpServer::Mode::NeverAccept).port();
}

}  // namespace ruv::testing
