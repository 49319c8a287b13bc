// Plays the game: appends a generated chat log to OUT in random chunks.
//
//   log_writer_process OUT --bytes N --seed S [--chunk-seed C] [--max-chunk B]
//                      [--pause-percent P] [--timing FILE]
//
// The log is LogGenerator(S).generate(N), so the reading side can build the
// same text. Chunks run from 1 byte to B bytes (300 KB by default), often end
// right after the lead byte of a double-byte character, and come with pauses
// and in bursts; --pause-percent scales the pauses (100, the game's pace, by
// default). Each chunk is one write, flushed at once. With --timing, FILE
// receives one line per chunk when done: the file size after the write and the
// steady clock in nanoseconds right after it.

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <string_view>
#include <thread>

#include "core/text/sjis.h"
#include "loggen/log_generator.h"

namespace {

std::uint64_t numberArg(int argc, char** argv, std::string_view name, std::uint64_t fallback) {
    for (int i = 1; i + 1 < argc; ++i) {
        if (argv[i] == name) {
            return std::strtoull(argv[i + 1], nullptr, 10);
        }
    }
    return fallback;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs("usage: log_writer_process OUT --bytes N --seed S\n", stderr);
        return 2;
    }
    const std::uint64_t bytes = numberArg(argc, argv, "--bytes", 1'000'000);
    const std::uint64_t seed = numberArg(argc, argv, "--seed", 1);
    const std::uint64_t chunkSeed = numberArg(argc, argv, "--chunk-seed", seed * 7919 + 1);
    const std::uint64_t maxChunk = numberArg(argc, argv, "--max-chunk", 300 * 1024);
    const std::uint64_t pausePercent = numberArg(argc, argv, "--pause-percent", 100);

    ruv::loggen::LogGenerator generator(seed);
    const std::string log = generator.generate(static_cast<std::size_t>(bytes));

    std::FILE* out = std::fopen(argv[1], "ab");
    if (out == nullptr) {
        std::perror(argv[1]);
        return 1;
    }
    std::mt19937_64 random(chunkSeed);
    auto below = [&](std::uint64_t bound) { return bound == 0 ? 0 : random() % bound; };

    const char* timingFile = nullptr;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::string_view(argv[i]) == "--timing") {
            timingFile = argv[i + 1];
        }
    }
    std::string timing;

    std::size_t written = 0;
    while (written < log.size()) {
        std::size_t chunk = 0;
        const std::uint64_t kind = below(100);
        if (kind < 60) {
            chunk = 1 + below(300);
        } else if (kind < 90) {
            chunk = 1 + below(8000);
        } else {
            chunk = 100'000 + below(maxChunk > 100'000 ? maxChunk - 100'000 : 1);
        }
        chunk = std::min<std::size_t>(
            {chunk, static_cast<std::size_t>(maxChunk), log.size() - written});
        // Often stop right after a lead byte, so a character is split.
        if (below(4) == 0) {
            for (std::size_t at = written + chunk; at < log.size() && at < written + chunk + 64;
                 ++at) {
                if (ruv::sjis::isLeadByte(log[at])) {
                    chunk = at + 1 - written;
                    break;
                }
            }
        }
        if (std::fwrite(log.data() + written, 1, chunk, out) != chunk || std::fflush(out) != 0) {
            std::perror("write");
            return 1;
        }
        written += chunk;
        if (timingFile != nullptr) {
            const auto now = std::chrono::steady_clock::now().time_since_epoch();
            timing +=
                std::to_string(written) + ' ' +
                std::to_string(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()) +
                '\n';
        }
        const std::uint64_t pause = below(100);
        const auto scaled = [pausePercent](std::uint64_t microseconds) {
            return std::chrono::microseconds(microseconds * pausePercent / 100);
        };
        if (pause < 10) {
            std::this_thread::sleep_for(scaled(1000 * (1 + below(15))));
        } else if (pause < 30) {
            std::this_thread::sleep_for(scaled(200 + below(800)));
        }
        // Otherwise the next chunk follows at once: a burst.
    }
    std::fclose(out);
    if (timingFile != nullptr) {
        std::FILE* times = std::fopen(timingFile, "wb");
        if (times == nullptr ||
            std::fwrite(timing.data(), 1, timing.size(), times) != timing.size()) {
            std::perror(timingFile);
            return 1;
        }
        std::fclose(times);
    }
    return 0;
}
