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

#include "core/log/chat_format.h"
#include "core/temp_folder.h"
#include "loggen/log_generator.h"

namespace ruv::testing {

namespace fs = std::filesystem;

using TempDir = ruv::testing::TempFolder;

inline void append(const fs::path& path, std::string_view bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::app);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The raw lines the reader must deliver for the writer's log.
inline std::vector<std::string> expectedLines(std::uint64_t seed, std::size_t bytes) {
    ruv::loggen::LogGenerator generator(seed);
    const std::string log = generator.generate(bytes);
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t feed = log.find('\n'); feed != std::string::npos;
         feed = log.find('\n', start)) {
        lines.push_back(ruv::removeEntities(std::string_view(log).substr(start, feed - start)));
        start = feed + 1;
    }
    return lines;
}

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
