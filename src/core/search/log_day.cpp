#include "core/search/log_day.h"

#include <array>
#include <cstdio>

namespace ruv {
namespace {

constexpr std::string_view kLogPrefix = "MHChatLog_";
constexpr std::string_view kLogSuffix = ".html";

// Exactly `digits` decimal digits.
std::optional<int> digitsAt(std::string_view text, std::size_t at, std::size_t digits) {
    if (at + digits > text.size()) {
        return std::nullopt;
    }
    int value = 0;
    for (std::size_t i = at; i < at + digits; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return std::nullopt;
        }
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

// yyyy, separator, mm, separator, dd: the whole text.
std::optional<CivilDate> dateWith(std::string_view text, char separator) {
    if (text.size() != 10 || text[4] != separator || text[7] != separator) {
        return std::nullopt;
    }
    const auto year = digitsAt(text, 0, 4);
    const auto month = digitsAt(text, 5, 2);
    const auto day = digitsAt(text, 8, 2);
    if (!year || !month || !day || *month < 1 || *month > 12 || *day < 1 || *day > 31) {
        return std::nullopt;
    }
    return CivilDate{*year, *month, *day};
}

}  // namespace

std::optional<CivilDate> dayOfLogName(std::string_view fileName) {
    if (!fileName.starts_with(kLogPrefix) || !fileName.ends_with(kLogSuffix)) {
        return std::nullopt;
    }
    fileName.remove_prefix(kLogPrefix.size());
    fileName.remove_suffix(kLogSuffix.size());
    return dateWith(fileName, '_');
}

std::optional<CivilDate> parseLogDay(std::string_view text) {
    return dateWith(text, '-');
}

std::string logDayText(CivilDate day) {
    std::array<char, 24> buffer{};
    const int n = std::snprintf(buffer.data(), buffer.size(), "%04d-%02d-%02d", day.year % 10000,
                                day.month % 100, day.day % 100);
    return std::string(buffer.data(), static_cast<std::size_t>(n));
}

}  // namespace ruv
