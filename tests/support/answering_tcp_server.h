#pragma once
// A speech program on 127.0.0.1 that answers each connection as soon as it
// accepts it, before reading anything, then reads the request to its end and
// closes. It records what each connection carried and whether it ended in
// order or with a reset. Runs on POSIX and on Windows Sockets alike.

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#include <cerrno>
#endif

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "core/platform/tcp_send.h"

namespace ruv::testing {

class AnsweringTcpServer {
  public:
    struct Connection {
        std::string received;
        bool reset = false;
    };

    AnsweringTcpServer() {
        listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
        if (listener_ == kNoSocket) {
            throw std::runtime_error("socket");
        }
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = 0;
        if (::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
            ::listen(listener_, 64) != 0) {
            closeSocket(listener_);
            throw std::runtime_error("bind/listen");
        }
        AddressLength length = sizeof(address);
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
        thread_ = std::thread([this] { run(); });
    }

    ~AnsweringTcpServer() {
        stop_ = true;
        thread_.join();
        closeSocket(listener_);
    }

    AnsweringTcpServer(const AnsweringTcpServer&) = delete;
    AnsweringTcpServer& operator=(const AnsweringTcpServer&) = delete;

    std::uint16_t port() const { return port_; }

    bool waitForConnections(std::size_t count, std::chrono::milliseconds timeout) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, timeout, [&] { return connections_.size() >= count; });
    }

    // Every finished connection, in the order they were accepted.
    std::vector<Connection> connections() {
        std::lock_guard lock(mutex_);
        return connections_;
    }

  private:
#ifdef _WIN32
    using Socket = SOCKET;
    using AddressLength = int;
    static constexpr Socket kNoSocket = INVALID_SOCKET;
    static void closeSocket(Socket s) {
        ::closesocket(s);
    }
    static int pollOne(pollfd* fd, int ms) {
        return ::WSAPoll(fd, 1, ms);
    }
    static bool wasReset() {
        return ::WSAGetLastError() == WSAECONNRESET;
    }
#else
    using Socket = int;
    using AddressLength = socklen_t;
    static constexpr Socket kNoSocket = -1;
    static void closeSocket(Socket s) {
        ::close(s);
    }
    static int pollOne(pollfd* fd, int ms) {
        return ::poll(fd, 1, ms);
    }
    static bool wasReset() {
        return errno == ECONNRESET;
    }
#endif

    static bool readable(Socket s, int ms) {
        pollfd fd{};
        fd.fd = s;
        fd.events = POLLIN;
        return pollOne(&fd, ms) > 0;
    }

    void run() {
        static constexpr char kAnswer[] = "answered before reading";
        while (!stop_) {
            if (!readable(listener_, 20)) {
                continue;
            }
            const Socket s = ::accept(listener_, nullptr, nullptr);
            if (s == kNoSocket) {
                continue;
            }
            ::send(s, kAnswer, sizeof(kAnswer), 0);
            Connection connection = readToEnd(s);
            closeSocket(s);
            {
                std::lock_guard lock(mutex_);
                connections_.push_back(std::move(connection));
            }
            changed_.notify_all();
        }
    }

    // Until the client ends its side or resets, or 5 seconds passed.
    Connection readToEnd(Socket s) {
        Connection connection;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!stop_ && std::chrono::steady_clock::now() < deadline) {
            if (!readable(s, 20)) {
                continue;
            }
            char buffer[4096];
            const auto got = ::recv(s, buffer, sizeof(buffer), 0);
            if (got <= 0) {
                connection.reset = got < 0 && wasReset();
                break;
            }
            connection.received.append(buffer, static_cast<std::size_t>(got));
        }
        return connection;
    }

    platform::SocketLibrary sockets_;  // started before any socket call
    Socket listener_ = kNoSocket;
    std::uint16_t port_ = 0;
    std::atomic<bool> stop_{false};
    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<Connection> connections_;
};

}  // namespace ruv::testing
