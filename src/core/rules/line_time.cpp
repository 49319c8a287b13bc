#include "core/rules/line_time.h"

#include <cstddef>

namespace ruv {

namespace {

constexpr std::int64_t kSecondsPerDay = 86'400;
// Days are told apart by month and day alone: a later day of the year is later.
constexpr std::int64_t kDaysPerMonthSlot = 31;

bool isDigit(char c) noexcept {
    return c >= '0' && c <= '9';
}

// The number of one or two digits ending just before end, or empty.
std::optional<int> digitsBefore(std::string_view text, std::size_t end) noexcept {
    if (end == 0 || !isDigit(text[end - 1])) {
        return std::nullopt;
    }
    std::size_t start = end - 1;
    if (start > 0 && isDigit(text[start - 1])) {
        --start;
    }
    if (start > 0 && isDigit(text[start - 1])) {
        return std::nullopt;
    }
    int value = 0;
    for (std::size_t i = start; i < end; ++i) {
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

// Two digits starting at start, or empty.
std::optional<int> twoDigitsAt(std::string_view text, std::size_t start) noexcept {
    if (start + 1 >= text.size() || !isDigit(text[start]) || !isDigit(text[start + 1])) {
        return std::nullopt;
    }
    return (text[start] - '0') * 10 + (text[start + 1] - '0');
}

}  // namespace

std::optional<StampParts> stampParts(std::string_view stamp) noexcept {
    const std::size_t colon = stamp.find(':');
    if (colon == std::string_view::npos) {
        return std::nullopt;
    }
    const std::optional<int> hour = digitsBefore(stamp, colon);
    std::optional<int> minute = twoDigitsAt(stamp, colon + 1);
    if (!minute && colon + 1 < stamp.size() && isDigit(stamp[colon + 1])) {
        minute = stamp[colon + 1] - '0';
    }
    if (!hour || !minute || *hour > 23 || *minute > 59) {
        return std::nullopt;
    }
    StampParts parts;
    parts.hour = *hour;
    parts.minute = *minute;
    if (colon + 3 < stamp.size() && stamp[colon + 3] == ':') {
        const std::optional<int> seconds = twoDigitsAt(stamp, colon + 4);
        if (!seconds || *seconds > 59) {
            return std::nullopt;
        }
        parts.second = *seconds;
    }
    const std::size_t slash = stamp.substr(0, colon).rfind('/');
    if (slash != std::string_view::npos) {
        const std::optional<int> month = digitsBefore(stamp, slash);
        const std::optional<int> dayOfMonth = twoDigitsAt(stamp, slash + 1);
        if (month && dayOfMonth) {
            parts.month = month;
            parts.day = dayOfMonth;
        }
    }
    return parts;
}

std::optional<LineSeconds> stampSeconds(std::string_view stamp) noexcept {
    const std::optional<StampParts> parts = stampParts(stamp);
    if (!parts) {
        return std::nullopt;
    }
    const std::int64_t day =
        parts->month ? std::int64_t{*parts->month} * kDaysPerMonthSlot + *parts->day : 0;
    return LineSeconds{day * kSecondsPerDay + std::int64_t{parts->hour} * 3600 +
                       parts->minute * 60 + parts->second};
}

std::optional<LineSeconds> LineClock::next(std::string_view stamp) noexcept {
    if (const std::optional<LineSeconds> seconds = stampSeconds(stamp)) {
        last_ = seconds;
    }
    return last_;
}

}  // namespace ruv
