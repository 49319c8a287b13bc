#include "core/exp/hourly_exp.h"

#include <algorithm>

namespace ruv {

namespace {

bool isDigit(char c) noexcept {
    return c >= '0' && c <= '9';
}

platform::LocalDateTime dateOf(const platform::LocalDateTime& time) noexcept {
    return platform::LocalDateTime{time.year, time.month, time.day, 0, 0, 0};
}

}  // namespace

std::optional<TimeOfDay> stampTimeOfDay(std::string_view stamp) noexcept {
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
    return TimeOfDay{hour, minute};
}

void HourlyExp::addTidiedGain(std::string_view stamp, std::int64_t amount) {
    total_ += amount;
    if (const std::optional<TimeOfDay> time = stampTimeOfDay(stamp)) {
        hours_[static_cast<std::size_t>(time->hour)] += amount;
    }
}

void HourlyExp::addTidiedLevelUp(std::string_view stamp) {
    if (const std::optional<TimeOfDay> time = stampTimeOfDay(stamp)) {
        levelUps_.push_back(*time);
        levelsReached_.emplace_back();
    }
}

void HourlyExp::addLiveGain(const platform::LocalDateTime& now, std::int64_t amount) {
    followDate(now);
    total_ += amount;
    hours_[static_cast<std::size_t>(now.hour)] += amount;
}

void HourlyExp::addLiveLevelUp(const platform::LocalDateTime& now, std::optional<int> level) {
    followDate(now);
    levelUps_.push_back(TimeOfDay{now.hour, now.minute});
    levelsReached_.push_back(level);
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

void HourlyExp::followDate(const platform::LocalDateTime& now) {
    const platform::LocalDateTime date = dateOf(now);
    if (liveDate_ && *liveDate_ != date) {
        reset();
    }
    liveDate_ = date;
    currentHour_ = now.hour;
}

}  // namespace ruv
