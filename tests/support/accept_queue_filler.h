#pragma once
// Fills the accept queue of a server on 127.0.0.1 that never accepts, so that
// every later connect to it hangs; the connections stay open for the object's
// life (POSIX; the count of hanging connects reads Linux's /proc/net/tcp).

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace ruv::testing {

class AcceptQueueFiller {
  public:
    explicit AcceptQueueFiller(std::uint16_t port) : port_(port) {
        for (int i = 0; i < 16 && !hanging_; ++i) {
            const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
            ::fcntl(fd, F_SETFL, O_NONBLOCK);
            sockaddr_in address{};
            address.sin_family = AF_INET;
            address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
            address.sin_port = htons(port);
            ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address));
            fds_.push_back(fd);
            pollfd p{fd, POLLOUT, 0};
            hanging_ = ::poll(&p, 1, 300) == 0;
        }
    }
    ~AcceptQueueFiller() {
        for (const int fd : fds_) {
            ::close(fd);
        }
    }
    AcceptQueueFiller(const AcceptQueueFiller&) = delete;
    AcceptQueueFiller& operator=(const AcceptQueueFiller&) = delete;

    // Whether the queue is full: the last connect hangs.
    bool hanging() const { return hanging_; }

    // Connects to the port still waiting for the server's answer (SYN sent),
    // this filler's own last one among them: how a test sees that the code
    // under test is inside its connect.
    std::size_t hangingConnects() const {
        std::ifstream table("/proc/net/tcp");
        std::string line;
        std::getline(table, line);  // the column names
        std::size_t count = 0;
        while (std::getline(table, line)) {
            std::istringstream fields(line);
            std::string slot, local, remote, state;
            fields >> slot >> local >> remote >> state;
            const auto colon = remote.find(':');
            if (colon != std::string::npos && state == "02" &&
                std::stoul(remote.substr(colon + 1), nullptr, 16) == port_) {
                ++count;
            }
        }
        return count;
    }

  private:
    std::uint16_t port_;
    std::vector<int> fds_;
    bool hanging_ = false;
};

}  // namespace ruv::testing
