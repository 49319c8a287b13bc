#pragma once
// Generates realistic game chat logs as CP932 bytes, for tests, benchmarks and
// the demo: every channel, both tag-block forms, Japanese names and messages,
// experience gains, level-ups and the header block.

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "core/lines/chat_format.h"

namespace ruv::loggen {

struct LogDate {
    int year = 2024;
    int month = 5;
    int day = 1;
};

// "yyyy-mm-dd"; empty when the text is not such a date.
std::optional<LogDate> parseLogDate(std::string_view text);

// Which of the two 39-byte tag-block forms a line uses.
enum class TagBlockForm { BlankBefore, BlankAfter };

// What a generated line is, so tests can check where it must land.
struct GeneratedLine {
    std::string bytes;  // the whole line as the game writes it, without its line feed
    std::optional<ChatChannel> channel;  // none for the blank-after form of non-Open colours
    Colour colour;                       // the colour written in the tag block
    TagBlockForm form = TagBlockForm::BlankBefore;
    std::int64_t gain = 0;  // experience gained, 0 if none
    bool levelUp = false;
    bool hasEntity = false;  // bytes hold "&nbsp" that entity removal deletes
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
    // As generate, and every generated line (header lines not included) is
    // appended to lines.
    std::string generate(std::size_t approxBytes, std::vector<GeneratedLine>& lines);

    // One chat line built to order, for fixtures: colour and form of the tag
    // block and the body (CP932) between tag block and closing tags.
    GeneratedLine makeLine(Colour colour, TagBlockForm form, std::string_view body);

    const GeneratedTotals& totals() const { return totals_; }

    // A uniformly drawn number in [0, bound); the same sequence on every platform.
    std::uint64_t below(std::uint64_t bound);

  private:
    std::string timeStamp();
    std::string chatBody();
    std::string battleBody(std::int64_t& gain, bool& levelUp);
    std::string systemBody();
    const std::string& pick(const std::vector<std::string>& pool);

    std::mt19937_64 random_;
    LogDate date_;
    GeneratedTotals totals_;
    int secondsOfDay_ = 0;
};

// The 17-byte time stamp the game writes before each line's tag block.
std::string timeStampText(LogDate date, int secondsOfDay);
// The 39-byte tag block for a colour in either form.
std::string tagBlock(Colour colour, TagBlockForm form);

}  // namespace ruv::loggen
