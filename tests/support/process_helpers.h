#pragma once
// Helpers shared by the tests that run the log writer and the command line as
// separate processes (POSIX).

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "support/writer_log.h"

namespace ruv::testing {

inline bool exitedWith(std::optional<int> status, int code) {
    return status && WIFEXITED(*status) && WEXITSTATUS(*status) == code;
}

// Reads what the process printed until `lines` lines arrived or time ran out.
inline std::string readLines(int fd, std::size_t lines, std::chrono::milliseconds timeout) {
    std::string text;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) < lines) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            break;
        }
        pollfd descriptor{fd, POLLIN, 0};
        if (::poll(&descriptor, 1, static_cast<int>(left.count())) <= 0) {
            continue;
        }
        char buffer[65536];
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got <= 0) {
            break;
        }
        text.append(buffer, static_cast<std::size_t>(got));
    }
    return text;
}

// Everything a process that has ended printed.
inline std::string readToEnd(int fd) {
    std::string text;
    char buffer[65536];
    for (ssize_t got = ::read(fd, buffer, sizeof buffer); got > 0;
         got = ::read(fd, buffer, sizeof buffer)) {
        text.append(buffer, static_cast<std::size_t>(got));
    }
    return text;
}

}  // namespace ruv::testing
