#pragma once
// A TCP server on 127.0.0.1 that records what each connection carried, on
// Windows (Winsock) as on Linux, for the window tests that also run under Wine.

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/select.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace ruv::testing {

class PortableTcpRecorder {
  public:
    PortableTcpRecorder() {
#ifdef _WIN32
        WSADATA data{};
        WSAStartup(MAKEWORD(2, 2), &data);
#endif
        listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = 0;
        if (::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
            ::listen(listener_, 16) != 0) {
            closeSocket(listener_);
            throw std::runtime_error("bind/listen");
        }
        socklen_t length = sizeof(address);
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
        thread_ = std::thread([this] { run(); });
    }

    ~PortableTcpRecorder() {
        stop_ = true;
        thread_.join();
        closeSocket(listener_);
#ifdef _WIN32
        WSACleanup();
#endif
    }

    PortableTcpRecorder(const PortableTcpRecorder&) = delete;
    PortableTcpRecorder& operator=(const PortableTcpRecorder&) = delete;

    std::uint16_t port() const {
        return port_;
    }

    // What each finished connection carried, in order.
    std::vector<std::string> received() {
        std::lock_guard lock(mutex_);
        return received_;
    }

  private:
#ifdef _WIN32
    using Socket = SOCKET;
    static void closeSocket(Socket s) {
        closesocket(s);
    }
#else
    using Socket = int;
    static void closeSocket(Socket s) {
        ::close(s);
    }
#endif

    static bool readable(Socket s) {
        fd_set set;
        FD_ZERO(&set);
        FD_SET(s, &set);
        timeval wait{0, 50'000};
        return ::select(static_cast<int>(s) + 1, &set, nullptr, nullptr, &wait) > 0;
    }

    void run() {
        while (!stop_) {
            if (!readable(listener_)) {
                continue;
            }
            const Socket client = ::accept(listener_, nullptr, nullptr);
            std::string carried;
            char buffer[4096];
            while (!stop_) {
                if (!readable(client)) {
                    continue;
                }
                const auto got = ::recv(client, buffer, sizeof(buffer), 0);
                if (got <= 0) {
                    break;
                }
                carried.append(buffer, static_cast<std::size_t>(got));
            }
            closeSocket(client);
            std::lock_guard lock(mutex_);
            received_.push_back(std::move(carried));
        }
    }

    Socket listener_;
    std::uint16_t port_ = 0;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::vector<std::string> received_;
    std::thread thread_;
};

}  // namespace ruv::testing
