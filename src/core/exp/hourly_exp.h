#pragma once
// The day's EXP by hour of the day, for the グラフ page: 24 hourly sums, the
// level-ups with their time, the day's total and the best hour.
//
// Every gain, tidied or live, is placed by its line's time stamp, never by the
// computer's clock. The chart holds one day, the day of its lines: a line whose
// stamp names another day than the lines before it starts a new chart, so an
// hour's bar never adds two days together. Sums saturate.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ruv {

struct TimeOfDay {
    int hour = 0;    // 0 to 23
    int minute = 0;  // 0 to 59
    friend constexpr bool operator==(TimeOfDay, TimeOfDay) = default;
};

// Where a line's 17-byte stamp places it: the one or two digits before its
// first ":" are the hour, those after it the minute (0 when absent); the text
// before the hour names the day (empty when it holds no digit).
struct StampPlace {
    std::string_view day;
    TimeOfDay time;
    friend constexpr bool operator==(StampPlace, StampPlace) = default;
};

// Empty when the stamp names no hour of the day.
std::optional<StampPlace> stampPlace(std::string_view stamp) noexcept;

// Whether a line was met while tidying the attached log or while following it.
enum class ChartLine { Tidied, Live };

class HourlyExp {
  public:
    static constexpr int kHours = 24;

    // stamp: the line's time stamp (the first bytes of its display text). A
    // stamp without an hour counts in the total only. level: the level
    // reached, when the player gave one.
    void addGain(ChartLine line, std::string_view stamp, std::int64_t amount);
    void addLevelUp(ChartLine line, std::string_view stamp,
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
    // The stamp's time, after starting a new chart if it names another day.
    std::optional<TimeOfDay> place(ChartLine line, std::string_view stamp);

    std::array<std::int64_t, kHours> hours_{};
    std::int64_t total_ = 0;
    std::vector<TimeOfDay> levelUps_;
    std::vector<std::optional<int>> levelsReached_;  // beside levelUps_
    std::optional<int> currentHour_;
    // The day the chart's lines name, as their stamps write it.
    std::string day_;
};

}  // namespace ruv
