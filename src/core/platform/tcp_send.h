#pragma once
// One short-lived IPv4 TCP connection that carries a few byte blocks and is
// closed: the socket calls behind the speech client.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace ruv::platform {

// Starts the socket library where the platform needs it (Windows Sockets) for
// the life of the object; nothing elsewhere.
class SocketLibrary {
  public:
    SocketLibrary();
    ~SocketLibrary();
    SocketLibrary(const SocketLibrary&) = delete;
    SocketLibrary& operator=(const SocketLibrary&) = delete;

    bool ready() const noexcept { return ready_; }

  private:
    bool ready_ = false;
};

enum class TcpSendResult {
    // Connected, every block handed to the operating system and the sending
    // side shut down.
    Delivered,
    // Refused, unreachable, timed out, reset or not a dotted IPv4 address.
    NotDelivered,
    // The stop flag was raised while waiting.
    Stopped,
    // The socket could not be created or waited on.
    Fault,
};

// Why a connection carried nothing, or nothing came back.
enum class TcpFailure {
    BadAddress,  // not a dotted IPv4 address
    Refused,     // nothing listens on the port
    TimedOut,    // the connect was not answered in time
    Reset,       // the connection broke while sending
    NoAnswer,    // connected, but the answer was missing or short
    Fault,       // the socket could not be created or waited on
};

struct TcpTarget {
    std::string_view dottedAddress;
    std::uint16_t port = 0;
};

// Connects, sends each non-empty block with a send of its own, shuts down the
// sending side, reads and discards whatever the peer answers until it closes,
// and closes. Connecting, each wait for send space and the reading of the
// answer give up after `timeout`; every wait also ends within a few
// milliseconds of `stop` becoming true.
TcpSendResult sendOnNewConnection(TcpTarget target, std::span<const std::string_view> blocks,
                                  std::chrono::milliseconds timeout, const std::atomic<bool>& stop);

struct TcpExchange {
    TcpSendResult result = TcpSendResult::NotDelivered;
    std::optional<TcpFailure> failure;  // set unless Delivered with its answer
    std::string answer;
};

// As sendOnNewConnection, then reads an answer of exactly `answerBytes` (the
// peer may close after it). A missing or short answer fails with NoAnswer.
// With `answerBytes` 0, whatever comes back is read away as by
// sendOnNewConnection.
TcpExchange exchangeOnNewConnection(TcpTarget target, std::span<const std::string_view> blocks,
                                    std::size_t answerBytes, std::chrono::milliseconds timeout,
                                    const std::atomic<bool>& stop);

}  // namespace ruv::platform
