#pragma once
// Generates realistic game chat logs as CP932 bytes, for tests, benchmarks and
// the demo: every channel, both tag-block forms, Japanese names and messages,
// experience gains, level-ups and the header block.

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "core/log/chat_format.h"

namespace ruv::loggen {

struct LogDate {
    int year = 2024;
    int month = 5;
    int day = 1;
};

// What a generated line is, so tests can check where it must land.
struct GeneratedLine {
    std::string bytes;  // the whole line, without its line feed
    std::optional<ChatChannel> channel;
    Colour colour;
    std::int64_t gain = 0;  // experience gained, 0 if none
    bool levelUp = false;
};

// Totals of what was generated, for checking day totals.
struct GeneratedTotals {
    std::int64_t lines = 0;
    std::int64_t gainSum = 0;
    std::int64_t gainCount = 0;
    std::int64_t levelUps = 0;
};

class LogGenerator {
public:
    explicit LogGenerator(std::uint64_t seed, LogDate date = {});

    // The four header lines of a new day's file, each ending in a line feed.
    std::string header() const;
    // One chat line of a random channel (with the channel mix of a busy evening).
    GeneratedLine nextLine();
    // The header and then lines, each ending in a line feed, until at least
    // approxBytes bytes were produced.
    std::string generate(std::size_t approxBytes);

    const GeneratedTotals& totals() const { return totals_; }

private:
    std::mt19937_64 random_;
    LogDate date_;
    GeneratedTotals totals_;
    int secondsOfDay_ = 0;
};

}  // namespace ruv::loggen
