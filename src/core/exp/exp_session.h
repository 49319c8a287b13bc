#pragma once
// The EXP monitor without a widget: the hourly rate and day totals
// (ExpStats), the next-level forecast with the EXP, correction and level the
// user gave it (LevelForecast), and the day's EXP by hour. Routing and
// attaching report to it; the shell shows its figures when told they changed.

#include <cstdint>
#include <string_view>

#include "core/exp/exp_ports.h"
#include "core/exp/exp_stats.h"
#include "core/exp/hourly_exp.h"
#include "core/exp/level_forecast.h"
#include "core/lines/route_ports.h"
#include "core/log/log_session_ports.h"

namespace ruv {

// Routing can record thousands of gains in one slice: those figures are shown
// once the slice has been routed; everything else at once.
enum class ExpRefresh { AfterSlice, Now };

class ExpNotices {
  public:
    virtual ~ExpNotices() = default;
    virtual void figuresChanged(ExpRefresh when) = 0;
};

class ExpSession final : public ExpEvents, public ExpAttachEvents {
  public:
    ExpSession(const ExpPorts& ports, ExpNotices& notices);
    ExpSession(const ExpSession&) = delete;
    ExpSession& operator=(const ExpSession&) = delete;

    ExpStats& stats() { return stats_; }
    const ExpStats& stats() const { return stats_; }
    LevelForecast& forecast() { return forecast_; }
    const LevelForecast& forecast() const { return forecast_; }
    const HourlyExp& hourly() const { return hourly_; }

    // --- Routing (live lines) ---
    // Starts the clock unless it runs or "停止" is checked; the gain that
    // follows no longer starts it.
    void StartExpClock() override;
    // Throws RouteError when the amount does not fit in 32 bits.
    void RecordGain(std::int64_t amount, std::string_view stamp) override;
    // Throws RouteError when EXP is not a number.
    void RecordLevelUp(std::string_view stamp) override;

    // --- Attaching ---
    void ResetForAttach() override;
    void AddDayGain(std::int64_t amount, std::string_view stamp) override;
    void AddTidiedLevelUp(std::string_view stamp) override;
    void StartNewDayChart() override;
    void SetAttachedLogPath(std::string_view cp932Path) override;

  private:
    ExpNotices& notices_;
    LevelForecast forecast_;
    ExpStats stats_;
    HourlyExp hourly_;
};

}  // namespace ruv
