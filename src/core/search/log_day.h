#pragma once
// The day of a daily log, read from its file name MHChatLog_yyyy_mm_dd.html,
// and written and read as yyyy-mm-dd.

#include <optional>
#include <string>
#include <string_view>

#include "core/lines/daily_log_name.h"

namespace ruv {

// The day a daily log's file name stands for; empty for any other name.
std::optional<CivilDate> dayOfLogName(std::string_view fileName);
// "yyyy-mm-dd"; empty for any other text.
std::optional<CivilDate> parseLogDay(std::string_view text);
// "yyyy-mm-dd"
std::string logDayText(CivilDate day);

}  // namespace ruv
