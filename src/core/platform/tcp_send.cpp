#include "core/platform/tcp_send.h"

#include <algorithm>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#include <cerrno>
#endif

namespace ruv::platform {

namespace {

// How often a wait looks at the stop flag.
constexpr std::chrono::milliseconds kStopCheckSlice{20};

#ifdef _WIN32
using NativeSocket = SOCKET;
constexpr NativeSocket kNoSocket = INVALID_SOCKET;
void closeNative(NativeSocket s) {
    closesocket(s);
}
bool setNonBlocking(NativeSocket s) {
    u_long on = 1;
    return ioctlsocket(s, FIONBIO, &on) == 0;
}
bool connectIsPending() {
    return WSAGetLastError() == WSAEWOULDBLOCK;
}
bool wouldBlock() {
    return WSAGetLastError() == WSAEWOULDBLOCK;
}
bool interrupted() {
    return WSAGetLastError() == WSAEINTR;
}
int pollNative(pollfd* fds, int ms) {
    return WSAPoll(fds, 1, ms);
}
int sendNative(NativeSocket s, const char* data, std::size_t size) {
    return ::send(s, data, static_cast<int>(std::min<std::size_t>(size, 1 << 30)), 0);
}
int receiveNative(NativeSocket s, char* data, std::size_t size) {
    return ::recv(s, data, static_cast<int>(size), 0);
}
void shutDownSending(NativeSocket s) {
    ::shutdown(s, SD_SEND);
}
#else
using NativeSocket = int;
constexpr NativeSocket kNoSocket = -1;
void closeNative(NativeSocket s) {
    ::close(s);
}
bool setNonBlocking(NativeSocket s) {
    const int flags = ::fcntl(s, F_GETFL, 0);
    return flags >= 0 && ::fcntl(s, F_SETFL, flags | O_NONBLOCK) == 0;
}
bool connectIsPending() {
    return errno == EINPROGRESS || errno == EINTR;
}
bool wouldBlock() {
    return errno == EAGAIN || errno == EWOULDBLOCK;
}
bool interrupted() {
    return errno == EINTR;
}
int pollNative(pollfd* fds, int ms) {
    return ::poll(fds, 1, ms);
}
#ifdef MSG_NOSIGNAL
constexpr int kSendFlags = MSG_NOSIGNAL;
#else
constexpr int kSendFlags = 0;
#endif
long sendNative(NativeSocket s, const char* data, std::size_t size) {
    return static_cast<long>(::send(s, data, size, kSendFlags));
}
long receiveNative(NativeSocket s, char* data, std::size_t size) {
    return static_cast<long>(::recv(s, data, size, 0));
}
void shutDownSending(NativeSocket s) {
    ::shutdown(s, SHUT_WR);
}
#endif

class SocketHandle {
  public:
    explicit SocketHandle(NativeSocket s) : socket_(s) {}
    ~SocketHandle() {
        if (socket_ != kNoSocket) {
            closeNative(socket_);
        }
    }
    SocketHandle(const SocketHandle&) = delete;
    SocketHandle& operator=(const SocketHandle&) = delete;
    NativeSocket get() const { return socket_; }

  private:
    NativeSocket socket_;
};

enum class WaitResult { Ready, TimedOut, Stopped, Fault };

using Deadline = std::chrono::steady_clock::time_point;

// Waits until the socket is ready for `events` (POLLIN, POLLOUT), in slices so
// that `stop` is seen promptly.
WaitResult waitReady(NativeSocket s, short events, Deadline deadline,
                     const std::atomic<bool>& stop) {
    for (;;) {
        if (stop.load(std::memory_order_relaxed)) {
            return WaitResult::Stopped;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            return WaitResult::TimedOut;
        }
        pollfd fd{};
        fd.fd = s;
        fd.events = events;
        const int ready =
            pollNative(&fd, static_cast<int>(std::min(left, kStopCheckSlice).count()));
        if (ready > 0) {
            return WaitResult::Ready;
        }
        if (ready < 0 && !interrupted()) {
            return WaitResult::Fault;
        }
    }
}

TcpSendResult fromWait(WaitResult wait) {
    switch (wait) {
        case WaitResult::Stopped:
            return TcpSendResult::Stopped;
        case WaitResult::Fault:
            return TcpSendResult::Fault;
        default:
            return TcpSendResult::NotDelivered;
    }
}

// The connect's error, 0 when it succeeded.
int connectionError(NativeSocket s) {
    int error = 0;
#ifdef _WIN32
    int length = sizeof(error);
    const int got = getsockopt(s, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &length);
#else
    socklen_t length = sizeof(error);
    const int got = getsockopt(s, SOL_SOCKET, SO_ERROR, &error, &length);
#endif
    return got == 0 ? error : -1;
}

bool refusedError(int error) {
#ifdef _WIN32
    return error == WSAECONNREFUSED;
#else
    return error == ECONNREFUSED;
#endif
}

int lastSocketError() {
#ifdef _WIN32
    return WSAGetLastError();
#else
    return errno;
#endif
}

TcpExchange failed(TcpSendResult result, TcpFailure failure) {
    return {result, failure, {}};
}

TcpFailure failureOfWait(WaitResult wait) {
    return wait == WaitResult::TimedOut ? TcpFailure::TimedOut : TcpFailure::Fault;
}

TcpSendResult sendBlock(NativeSocket s, std::string_view block, std::chrono::milliseconds timeout,
                        const std::atomic<bool>& stop) {
    while (!block.empty()) {
        const auto sent = sendNative(s, block.data(), block.size());
        if (sent > 0) {
            block.remove_prefix(static_cast<std::size_t>(sent));
            continue;
        }
        if (sent < 0 && interrupted()) {
            continue;
        }
        if (sent < 0 && wouldBlock()) {
            const WaitResult wait =
                waitReady(s, POLLOUT, std::chrono::steady_clock::now() + timeout, stop);
            if (wait != WaitResult::Ready) {
                return fromWait(wait);
            }
            continue;
        }
        return TcpSendResult::NotDelivered;
    }
    return TcpSendResult::Delivered;
}

// Reads and drops what the peer sends until it closes, a fault or the deadline.
WaitResult discardUntilClosed(NativeSocket s, Deadline deadline, const std::atomic<bool>& stop) {
    char answer[512];
    for (;;) {
        const auto got = receiveNative(s, answer, sizeof(answer));
        if (got > 0 || (got < 0 && interrupted())) {
            continue;
        }
        if (got < 0 && wouldBlock()) {
            const WaitResult wait = waitReady(s, POLLIN, deadline, stop);
            if (wait != WaitResult::Ready) {
                return wait;
            }
            continue;
        }
        return WaitResult::Ready;  // closed in order, or reset: nothing more will come
    }
}

// Reads until `bytes` arrived, the peer closed, a fault or the deadline.
WaitResult receiveAnswer(NativeSocket s, std::size_t bytes, std::string& answer, Deadline deadline,
                         const std::atomic<bool>& stop) {
    char buffer[64];
    while (answer.size() < bytes) {
        const auto got = receiveNative(s, buffer, std::min(sizeof(buffer), bytes - answer.size()));
        if (got > 0) {
            answer.append(buffer, static_cast<std::size_t>(got));
            continue;
        }
        if (got < 0 && interrupted()) {
            continue;
        }
        if (got < 0 && wouldBlock()) {
            const WaitResult wait = waitReady(s, POLLIN, deadline, stop);
            if (wait != WaitResult::Ready) {
                return wait;
            }
            continue;
        }
        return WaitResult::Ready;  // closed or reset before the whole answer
    }
    return WaitResult::Ready;
}

}  // namespace

SocketLibrary::SocketLibrary() {
#ifdef _WIN32
    WSADATA data{};
    ready_ = WSAStartup(MAKEWORD(2, 2), &data) == 0;
#else
    ready_ = true;
#endif
}

SocketLibrary::~SocketLibrary() {
#ifdef _WIN32
    if (ready_) {
        WSACleanup();
    }
#endif
}

TcpSendResult sendOnNewConnection(TcpTarget target, std::span<const std::string_view> blocks,
                                  std::chrono::milliseconds timeout,
                                  const std::atomic<bool>& stop) {
    return exchangeOnNewConnection(target, blocks, 0, timeout, stop).result;
}

TcpExchange exchangeOnNewConnection(TcpTarget target, std::span<const std::string_view> blocks,
                                    std::size_t answerBytes, std::chrono::milliseconds timeout,
                                    const std::atomic<bool>& stop) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(target.port);
    const std::string dotted(target.dottedAddress);
    if (inet_pton(AF_INET, dotted.c_str(), &address.sin_addr) != 1) {
        return failed(TcpSendResult::NotDelivered, TcpFailure::BadAddress);
    }

#if defined(SOCK_CLOEXEC)
    SocketHandle socket(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
#else
    SocketHandle socket(::socket(AF_INET, SOCK_STREAM, 0));
#endif
    if (socket.get() == kNoSocket || !setNonBlocking(socket.get())) {
        return failed(TcpSendResult::Fault, TcpFailure::Fault);
    }
#if defined(SO_NOSIGPIPE)
    const int on = 1;
    setsockopt(socket.get(), SOL_SOCKET, SO_NOSIGPIPE, &on, sizeof(on));
#endif
    // Each block leaves at once rather than waiting for the peer's answer.
    const int noDelay = 1;
    setsockopt(socket.get(), IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&noDelay),
               sizeof(noDelay));

    if (::connect(socket.get(), reinterpret_cast<const sockaddr*>(&address), sizeof(address)) !=
        0) {
        if (!connectIsPending()) {
            return failed(TcpSendResult::NotDelivered, refusedError(lastSocketError())
                                                           ? TcpFailure::Refused
                                                           : TcpFailure::TimedOut);
        }
        const WaitResult wait =
            waitReady(socket.get(), POLLOUT, std::chrono::steady_clock::now() + timeout, stop);
        if (wait != WaitResult::Ready) {
            return failed(fromWait(wait), failureOfWait(wait));
        }
        const int error = connectionError(socket.get());
        if (error != 0) {
            return failed(TcpSendResult::NotDelivered,
                          refusedError(error) ? TcpFailure::Refused : TcpFailure::TimedOut);
        }
    }

    for (const std::string_view block : blocks) {
        const TcpSendResult sent = sendBlock(socket.get(), block, timeout, stop);
        if (sent != TcpSendResult::Delivered) {
            return failed(sent,
                          sent == TcpSendResult::Fault ? TcpFailure::Fault : TcpFailure::Reset);
        }
    }
    // Closing with an answer still unread would reset the connection, and a
    // reset lets the peer drop the request it has not read yet. So the end of
    // the request goes out alone, and the answer is read away until the peer
    // closes in its turn.
    shutDownSending(socket.get());
    const Deadline deadline = std::chrono::steady_clock::now() + timeout;
    if (answerBytes > 0) {
        TcpExchange exchange{TcpSendResult::Delivered, std::nullopt, {}};
        const WaitResult wait =
            receiveAnswer(socket.get(), answerBytes, exchange.answer, deadline, stop);
        if (wait == WaitResult::Stopped) {
            return failed(TcpSendResult::Stopped, TcpFailure::NoAnswer);
        }
        if (exchange.answer.size() < answerBytes) {
            exchange.failure = TcpFailure::NoAnswer;
        }
        return exchange;
    }
    const WaitResult closed = discardUntilClosed(socket.get(), deadline, stop);
    return {closed == WaitResult::Stopped ? TcpSendResult::Stopped : TcpSendResult::Delivered,
            std::nullopt,
            {}};
}

}  // namespace ruv::platform
