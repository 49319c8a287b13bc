#pragma once
// The day's EXP by hour of the day, for the グラフ page: 24 hourly sums, the
// level-ups with their time, the day's total and the best hour.
//
// Gains found while tidying the attached log are placed by the hour of their
// line's time stamp; live gains by the clock. The chart holds one day: the
// log is one file a day and attaching resets the chart, and a live gain on
// another date than the live ones before it (following past midnight) starts
// a new chart, so an hour's bar never adds two days together.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "core/platform/clock.h"

namespace ruv {

struct TimeOfDay {
    int hour = 0;    // 0 to 23
    int minute = 0;  // 0 to 59
    friend constexpr bool operator==(TimeOfDay, TimeOfDay) = default;
};

// The time a line's 17-byte stamp names: the one or two digits before its
// first ":" are the hour, those after it the minute (0 when absent). Empty
// when the stamp names no hour of the day.
std::optional<TimeOfDay> stampTimeOfDay(std::string_view stamp) noexcept;

class HourlyExp {
  public:
    static constexpr int kHours = 24;

    // A gain line met while the attached log is tidied; stamp: the line's
    // time stamp (the first bytes of its display text). A stamp without an
    // hour counts in the total only.
    void addTidiedGain(std::string_view stamp, std::int64_t amount);
    void addTidiedLevelUp(std::string_view stamp);
    // A live gain line, at the clock's time.
    void addLiveGain(const platform::LocalDateTime& now, std::int64_t amount);
    // level: the level reached, when the player gave one.
    void addLiveLevelUp(const platform::LocalDateTime& now,
                        std::optional<int> level = std::nullopt);
    // A log was attached.
    void reset();

    std::int64_t expInHour(int hour) const { return hours_.at(static_cast<std::size_t>(hour)); }
    std::int64_t total() const { return total_; }
    // The earliest of the hours with the most EXP; empty before any gain.
    std::optional<int> bestHour() const;
    // The hour of the latest live line, whose bar grows as gains arrive.
    std::optional<int> currentHour() const { return currentHour_; }
    const std::vector<TimeOfDay>& levelUps() const { return levelUps_; }
    // The level reached at levelUps()[index]; empty when not known.
    std::optional<int> levelReached(std::size_t index) const;

  private:
    void followDate(const platform::LocalDateTime& now);

    std::array<std::int64_t, kHours> hours_{};
    std::int64_t total_ = 0;
    std::vector<TimeOfDay> levelUps_;
    std::vector<std::optional<int>> levelsReached_;  // beside levelUps_
    std::optional<int> currentHour_;
    // The date of the live lines so far.
    std::optional<platform::LocalDateTime> liveDate_;
};

}  // namespace ruv
