#pragma once
// Timers run by the wall clock: local time counted in seconds, and the moment
// a line's stamp names, read against the time it is read at.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/platform/clock.h"

namespace ruv {

// Local seconds since 1970-01-01 00:00, as the clock on the wall shows them.
struct WallSeconds {
    std::int64_t value = 0;
    friend constexpr auto operator<=>(WallSeconds, WallSeconds) = default;
};

WallSeconds wallSecondsOf(const platform::LocalDateTime& time) noexcept;
platform::LocalDateTime localTimeOf(WallSeconds seconds) noexcept;

// The moment a stamp names, the one nearest to now: a stamp without a date is
// yesterday's, today's or tomorrow's time (so 23:59 read at 00:01 is a minute
// ago), one with a month and day is of last, this or next year. A stamp that
// names no time gives now.
WallSeconds stampMoment(std::string_view stamp, const platform::LocalDateTime& now) noexcept;

// "yyyy-mm-dd hh:mm:ss", as files keep moments; read back by momentOfText.
std::string momentText(WallSeconds seconds);
std::optional<WallSeconds> momentOfText(std::string_view text);

}  // namespace ruv
