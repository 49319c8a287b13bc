#include "core/rules/wall_time.h"

#include <array>
#include <cstdio>
#include <cstdlib>

#include "core/rules/line_time.h"

namespace ruv {

namespace {

constexpr std::int64_t kDay = 86'400;

// Days since 1970-01-01 of a proleptic Gregorian date (Howard Hinnant's method).
std::int64_t daysFromCivil(std::int64_t y, int m, int d) noexcept {
    y -= m <= 2 ? 1 : 0;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146'097 + doe - 719'468;
}

platform::LocalDateTime civilFromDays(std::int64_t z) noexcept {
    z += 719'468;
    const std::int64_t era = (z >= 0 ? z : z - 146'096) / 146'097;
    const std::int64_t doe = z - era * 146'097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36'524 - doe / 146'096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    const auto y = static_cast<int>(yoe + era * 400 + (m <= 2 ? 1 : 0));
    return {y, m, d, 0, 0, 0};
}

std::int64_t distance(std::int64_t a, std::int64_t b) noexcept {
    return a > b ? a - b : b - a;
}

}  // namespace

WallSeconds wallSecondsOf(const platform::LocalDateTime& time) noexcept {
    return WallSeconds{daysFromCivil(time.year, time.month, time.day) * kDay +
                       std::int64_t{time.hour} * 3600 + time.minute * 60 + time.second};
}

platform::LocalDateTime localTimeOf(WallSeconds seconds) noexcept {
    const std::int64_t days =
        (seconds.value >= 0 ? seconds.value : seconds.value - (kDay - 1)) / kDay;
    const std::int64_t inDay = seconds.value - days * kDay;
    platform::LocalDateTime time = civilFromDays(days);
    time.hour = static_cast<int>(inDay / 3600);
    time.minute = static_cast<int>(inDay / 60 % 60);
    time.second = static_cast<int>(inDay % 60);
    return time;
}

WallSeconds stampMoment(std::string_view stamp, const platform::LocalDateTime& now) noexcept {
    const WallSeconds at = wallSecondsOf(now);
    const std::optional<StampParts> parts = stampParts(stamp);
    if (!parts) {
        return at;
    }
    const std::int64_t timeOfDay =
        std::int64_t{parts->hour} * 3600 + parts->minute * 60 + parts->second;
    std::array<std::int64_t, 3> candidates{};
    if (parts->month) {
        for (int i = 0; i < 3; ++i) {
            candidates[static_cast<std::size_t>(i)] =
                daysFromCivil(now.year - 1 + i, *parts->month, *parts->day) * kDay + timeOfDay;
        }
    } else {
        const std::int64_t today = daysFromCivil(now.year, now.month, now.day);
        for (int i = 0; i < 3; ++i) {
            candidates[static_cast<std::size_t>(i)] = (today - 1 + i) * kDay + timeOfDay;
        }
    }
    std::int64_t nearest = candidates[0];
    for (const std::int64_t candidate : candidates) {
        if (distance(candidate, at.value) < distance(nearest, at.value)) {
            nearest = candidate;
        }
    }
    return WallSeconds{nearest};
}

std::string momentText(WallSeconds seconds) {
    const platform::LocalDateTime t = localTimeOf(seconds);
    std::array<char, 48> buffer{};
    const int n = std::snprintf(buffer.data(), buffer.size(), "%04d-%02d-%02d %02d:%02d:%02d",
                                t.year, t.month, t.day, t.hour, t.minute, t.second);
    return std::string(buffer.data(), static_cast<std::size_t>(n > 0 ? n : 0));
}

std::optional<WallSeconds> momentOfText(std::string_view text) {
    platform::LocalDateTime t;
    char tail = 0;
    const std::string copy(text);
    if (std::sscanf(copy.c_str(), "%4d-%2d-%2d %2d:%2d:%2d%c", &t.year, &t.month, &t.day, &t.hour,
                    &t.minute, &t.second, &tail) != 6 ||
        t.month < 1 || t.month > 12 || t.day < 1 || t.day > 31 || t.hour > 23 || t.minute > 59 ||
        t.second > 59 || t.hour < 0 || t.minute < 0 || t.second < 0) {
        return std::nullopt;
    }
    return wallSecondsOf(t);
}

}  // namespace ruv
