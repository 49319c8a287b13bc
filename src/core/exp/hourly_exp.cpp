#include "core/exp/hourly_exp.h"

#include <algorithm>

#include "core/vocabulary/checked_math.h"

namespace ruv {

namespace {

bool isDigit(char c) noexcept {
    return c >= '0' && c <= '9';
}

}  // namespace

std::optional<StampPlace> stampPlace(std::string_view stamp) noexcept {
    const std::size_t colon = stamp.find(':');
    if (colon == std::string_view::npos || colon == 0 || !isDigit(stamp[colon - 1])) {
        return std::nullopt;
    }
    std::size_t start = colon - 1;
    if (start > 0 && isDigit(stamp[start - 1])) {
        --start;
        if (start > 0 && isDigit(stamp[start - 1])) {
            return std::nullopt;  // three digits name no hour
        }
    }
    int hour = 0;
    for (std::size_t i = start; i < colon; ++i) {
        hour = hour * 10 + (stamp[i] - '0');
    }
    int minute = 0;
    for (std::size_t i = colon + 1; i < stamp.size() && i < colon + 3 && isDigit(stamp[i]); ++i) {
        minute = minute * 10 + (stamp[i] - '0');
    }
    if (hour >= HourlyExp::kHours || minute >= 60) {
        return std::nullopt;
    }
    std::string_view day = stamp.substr(0, start);
    if (std::none_of(day.begin(), day.end(), isDigit)) {
        day = {};
    }
    return StampPlace{day, TimeOfDay{hour, minute}};
}

void HourlyExp::addGain(ChartLine line, std::string_view stamp, std::int64_t amount) {
    const std::optional<TimeOfDay> time = place(line, stamp);
    total_ = saturatingAdd(total_, amount);
    if (time) {
        std::int64_t& hour = hours_[static_cast<std::size_t>(time->hour)];
        hour = saturatingAdd(hour, amount);
    }
}

void HourlyExp::addLevelUp(ChartLine line, std::string_view stamp, std::optional<int> level) {
    if (const std::optional<TimeOfDay> time = place(line, stamp)) {
        levelUps_.push_back(*time);
        levelsReached_.push_back(level);
    }
}

std::optional<int> HourlyExp::levelReached(std::size_t index) const {
    return index < levelsReached_.size() ? levelsReached_[index] : std::nullopt;
}

void HourlyExp::reset() {
    *this = HourlyExp{};
}

std::optional<int> HourlyExp::bestHour() const {
    const auto best = std::max_element(hours_.begin(), hours_.end());
    if (*best <= 0) {
        return std::nullopt;
    }
    return static_cast<int>(best - hours_.begin());
}

std::optional<TimeOfDay> HourlyExp::place(ChartLine line, std::string_view stamp) {
    const std::optional<StampPlace> at = stampPlace(stamp);
    if (!at) {
        return std::nullopt;
    }
    if (!at->day.empty()) {
        if (!day_.empty() && day_ != at->day) {
            reset();
        }
        day_ = at->day;
    }
    if (line == ChartLine::Live) {
        currentHour_ = at->time.hour;
    }
    return at->time;
}

}  // namespace ruv
