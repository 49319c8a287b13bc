#pragma once
// The day of a daily log, read from its file name MHChatLog_yyyy_mm_dd.html,
// and written and read as yyyy-mm-dd.

#include <compare>
#include <optional>
#include <string>
#include <string_view>

namespace ruv {

struct LogDay {
    int year = 0;
    int month = 0;
    int day = 0;

    friend constexpr auto operator<=>(const LogDay&, const LogDay&) = default;
};

// The day a daily log's file name stands for; empty for any other name.
std::optional<LogDay> dayOfLogName(std::string_view fileName);
// "yyyy-mm-dd"; empty for any other text.
std::optional<LogDay> parseLogDay(std::string_view text);
// "yyyy-mm-dd"
std::string logDayText(LogDay day);

}  // namespace ruv
