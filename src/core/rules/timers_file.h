#pragma once
// Running timers kept between runs: ruvivuvaz_timers.json beside config.ini,
// UTF-8 JSON, each timer with its moments in local time. Written at exit.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/rules/timer_board.h"

namespace ruv {

inline constexpr std::string_view kTimersFileName = "ruvivuvaz_timers.json";

// The file's text for timers whose moments are WallSeconds.
std::string timersJson(const std::vector<RunningTimer>& timers);
// Empty with a reason (UTF-8) when the text is no timers file.
std::optional<std::vector<RunningTimer>> parseTimers(std::string_view utf8Json,
                                                     std::string& reason);

}  // namespace ruv
