#pragma once
// A timer's length as a player writes it or a line says it: seconds ("90"),
// a clock ("1:30:00", "5:00") or numbers with units ("5分", "30秒", "2時間",
// "1時間30分"); full-width digits too.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ruv {

// The longest timer: a week.
inline constexpr std::int64_t kLongestTimerSeconds = 7 * 24 * 3600;

enum class DurationFault { None, NotADuration, TooLong };

struct DurationReading {
    std::int64_t seconds = 0;  // 1 .. kLongestTimerSeconds when fault is None
    DurationFault fault = DurationFault::None;
};

DurationReading readDuration(std::string_view utf8);

// "h:mm:ss", hours not padded: "1:30:00", "0:01:30".
std::string durationText(std::int64_t seconds);

}  // namespace ruv
