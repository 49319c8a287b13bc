#pragma once
// A stand-in for 棒読みちゃん on 127.0.0.1: takes the read-aloud request and
// every command of its port (pause, resume, skip, clear and the three
// questions), and "reads" its queue at a set number of characters a second.
// It records every request it took, when, and the most lines it ever held.
// Runs on POSIX and on Windows Sockets alike.

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
#endif

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "core/platform/tcp_send.h"

namespace ruv::testing {

class FakeSpeechProgram {
  public:
    enum class Mode {
        // Answers every question.
        Answering,
        // Takes lines and commands but closes every question unanswered.
        NeverAnswers,
        // Accepts connections and never reads, answers or closes them.
        Hangs,
    };
    struct Taken {
        std::string request;  // header and message
        std::chrono::steady_clock::time_point at;
    };
    using Clock = std::chrono::steady_clock;
    static constexpr std::size_t kHeaderBytes = 15;

    // Port 0 takes a free one; a given port may be one a program just left.
    explicit FakeSpeechProgram(double charactersPerSecond = 20, Mode mode = Mode::Answering,
                               std::uint16_t port = 0)
        : mode_(mode), charactersPerSecond_(charactersPerSecond) {
        listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
        if (listener_ == kNoSocket) {
            throw std::runtime_error("socket");
        }
        const int on = 1;
        ::setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&on),
                     sizeof(on));
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(port);
        if (::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
            ::listen(listener_, 64) != 0) {
            closeSocket(listener_);
            throw std::runtime_error("bind/listen");
        }
        AddressLength length = sizeof(address);
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
        server_ = std::thread([this] { serve(); });
        reader_ = std::thread([this] { read(); });
    }

    ~FakeSpeechProgram() {
        {
            std::lock_guard lock(mutex_);
            stop_ = true;
        }
        changed_.notify_all();
        server_.join();
        reader_.join();
        for (const Socket s : held_) {
            closeSocket(s);
        }
        closeSocket(listener_);
    }

    FakeSpeechProgram(const FakeSpeechProgram&) = delete;
    FakeSpeechProgram& operator=(const FakeSpeechProgram&) = delete;

    std::uint16_t port() const { return port_; }

    // Every read-aloud request taken, in order.
    std::vector<Taken> taken() {
        std::lock_guard lock(mutex_);
        return taken_;
    }
    bool waitForTaken(std::size_t count, std::chrono::milliseconds timeout) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, timeout, [&] { return taken_.size() >= count; });
    }
    // When each message began to be read, in order.
    std::vector<Taken> readingStarted() {
        std::lock_guard lock(mutex_);
        return readingStarted_;
    }
    // The most lines it held at once: waiting ones and the one being read.
    std::size_t mostHeld() {
        std::lock_guard lock(mutex_);
        return mostHeld_;
    }
    std::size_t held() {
        std::lock_guard lock(mutex_);
        return waiting_.size() + (reading_ ? 1 : 0);
    }
    bool paused() {
        std::lock_guard lock(mutex_);
        return paused_;
    }
    // How many connections carried this command.
    std::size_t commands(std::uint16_t command) {
        std::lock_guard lock(mutex_);
        return static_cast<std::size_t>(std::count(commands_.begin(), commands_.end(), command));
    }
    std::size_t connections() {
        std::lock_guard lock(mutex_);
        return commands_.size() + held_.size();
    }
    bool waitForConnections(std::size_t count, std::chrono::milliseconds timeout) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, timeout,
                                 [&] { return commands_.size() + held_.size() >= count; });
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
#endif

    static bool readable(Socket s, int ms) {
        pollfd fd{};
        fd.fd = s;
        fd.events = POLLIN;
        return pollOne(&fd, ms) > 0;
    }

    // Reads until `want` bytes arrived (0: until the client ends its side).
    std::string receive(Socket s, std::size_t want) {
        std::string got;
        const auto deadline = Clock::now() + std::chrono::seconds(5);
        while (!stop_ && Clock::now() < deadline && (want == 0 || got.size() < want)) {
            if (!readable(s, 20)) {
                continue;
            }
            char buffer[4096];
            const std::size_t room = want == 0 ? sizeof(buffer) : want - got.size();
            const auto n = ::recv(s, buffer, static_cast<int>(std::min(sizeof(buffer), room)), 0);
            if (n <= 0) {
                break;
            }
            got.append(buffer, static_cast<std::size_t>(n));
        }
        return got;
    }

    void serve() {
        while (!stop_) {
            if (!readable(listener_, 20)) {
                continue;
            }
            const Socket s = ::accept(listener_, nullptr, nullptr);
            if (s == kNoSocket) {
                continue;
            }
            if (mode_ == Mode::Hangs) {
                std::lock_guard lock(mutex_);
                held_.push_back(s);
                changed_.notify_all();
                continue;
            }
            serveOne(s);
            closeSocket(s);
        }
    }

    void serveOne(Socket s) {
        const std::string head = receive(s, 2);
        if (head.size() < 2) {
            return;
        }
        const auto command = static_cast<std::uint16_t>(static_cast<unsigned char>(head[0]) |
                                                        static_cast<unsigned char>(head[1]) << 8);
        std::string answer;
        {
            std::unique_lock lock(mutex_);
            commands_.push_back(command);
            switch (command) {
                case 0x0001: {
                    lock.unlock();
                    std::string request = head + receive(s, 0);
                    lock.lock();
                    if (request.size() >= kHeaderBytes) {
                        taken_.push_back({request, Clock::now()});
                        waiting_.push_back(request.substr(kHeaderBytes));
                    }
                    break;
                }
                case 0x0010:
                    paused_ = true;
                    break;
                case 0x0020:
                    paused_ = false;
                    break;
                case 0x0030:
                    skip_ = true;
                    break;
                case 0x0040:
                    waiting_.clear();
                    break;
                case 0x0110:
                    answer = std::string(1, paused_ ? '\1' : '\0');
                    break;
                case 0x0120:
                    answer = std::string(1, reading_ ? '\1' : '\0');
                    break;
                case 0x0130: {
                    const auto n = static_cast<std::uint32_t>(waiting_.size());
                    for (int i = 0; i < 4; ++i) {
                        answer.push_back(static_cast<char>((n >> (8 * i)) & 0xff));
                    }
                    break;
                }
                default:
                    break;
            }
            mostHeld_ = std::max(mostHeld_, waiting_.size() + (reading_ ? 1 : 0));
        }
        changed_.notify_all();
        if (!answer.empty() && mode_ == Mode::Answering) {
            ::send(s, answer.data(), static_cast<int>(answer.size()), 0);
        }
    }

    // Characters of a CP932 message: a lead byte and its trail count once.
    static std::size_t characters(const std::string& message) {
        std::size_t count = 0;
        for (std::size_t i = 0; i < message.size(); ++i, ++count) {
            const auto byte = static_cast<unsigned char>(message[i]);
            if ((byte >= 0x81 && byte <= 0x9f) || (byte >= 0xe0 && byte <= 0xfc)) {
                ++i;
            }
        }
        return count;
    }

    void read() {
        std::unique_lock lock(mutex_);
        while (!stop_) {
            changed_.wait_for(lock, std::chrono::milliseconds(20));
            if (paused_ || waiting_.empty()) {
                continue;
            }
            const std::string message = waiting_.front();
            waiting_.pop_front();
            reading_ = true;
            skip_ = false;
            readingStarted_.push_back({message, Clock::now()});
            const auto until =
                Clock::now() +
                std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(
                    static_cast<double>(characters(message)) / charactersPerSecond_));
            changed_.wait_until(lock, until, [this] { return stop_ || skip_; });
            reading_ = false;
        }
    }

    platform::SocketLibrary sockets_;  // started before any socket call
    const Mode mode_;
    const double charactersPerSecond_;
    Socket listener_ = kNoSocket;
    std::uint16_t port_ = 0;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::atomic<bool> stop_{false};
    std::vector<Taken> taken_;
    std::vector<Taken> readingStarted_;  // the messages alone
    std::vector<std::uint16_t> commands_;
    std::vector<Socket> held_;
    std::deque<std::string> waiting_;
    bool reading_ = false;
    bool paused_ = false;
    bool skip_ = false;
    std::size_t mostHeld_ = 0;
    std::thread server_;
    std::thread reader_;
};

}  // namespace ruv::testing
