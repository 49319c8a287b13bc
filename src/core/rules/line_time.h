#pragma once
// A line's time as rules count it: read from its own time stamp
// ("[mm/dd hh:mm:ss]"; the date and the seconds may be missing), so the
// command line and the window agree. A stamp that cannot be read counts as
// the time of the line before it.

#include <cstdint>
#include <optional>
#include <string_view>

namespace ruv {

// Seconds, comparable between lines of one run; a later day counts more.
struct LineSeconds {
    std::int64_t value = 0;
    friend constexpr auto operator<=>(LineSeconds, LineSeconds) = default;
};

// What a stamp names: the time of day, and the date when it has one.
struct StampParts {
    std::optional<int> month;  // with day, or neither
    std::optional<int> day;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// The parts a 17-byte stamp names; empty when it names no time.
std::optional<StampParts> stampParts(std::string_view stamp) noexcept;
// The time a 17-byte stamp names; empty when it names none.
std::optional<LineSeconds> stampSeconds(std::string_view stamp) noexcept;

// The time of each line in turn, the line before's for an unreadable stamp.
class LineClock {
  public:
    // Empty until a stamp has been read.
    std::optional<LineSeconds> next(std::string_view stamp) noexcept;
    void reset() noexcept { last_.reset(); }

  private:
    std::optional<LineSeconds> last_;
};

}  // namespace ruv
