#pragma once
// The EXP rate calculator: gains, the hourly rate and its extremes, pause with
// the lost count, resets, the update interval and the tick.

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/exp/exp_ports.h"
#include "core/exp/level_forecast.h"

namespace ruv {

// The radio items of the menu 時給更新時間の設定.
enum class IntervalItem { Stop, Seconds1, Seconds5, Seconds10, Seconds30, Seconds60 };
// 1, 5, 10, 30 or 60; 0 for Stop.
int secondsOf(IntervalItem item) noexcept;

enum class GainOutcome { Counted, CountedAsLost, AmountNotANumber };

// Every text the basic page, the pause button and the hidden debug labels show.
struct ExpStatsView {
    std::string elapsed;      // TimeLabel01
    std::string gained;       // LabeledEdit09
    std::string gainCount;    // LabeledEdit07
    std::string averageGain;  // LabeledEdit08
    std::string hourlyRate;   // LabeledEdit03
    std::string maxHourly;    // LabeledEdit04
    std::string minHourly;    // LabeledEdit05
    std::string dayTotal;     // LabeledEdit01
    std::string dayPerHour;   // LabeledEdit02
    std::string dayCount;     // LabeledEdit06
    std::string accumulated;  // CurrentExpLabeledEdit01 (extended page)
    std::string hours;        // TimeH01
    std::string minutes;      // TimeM01
    std::string seconds;      // TimeS01
    std::string label01;
    Colour label01Colour;
    std::string label02;
    bool label02Shown = true;
    bool syncingShown = false;  // TimeInLabel01 "更新時間の同期中..." in red
    std::string_view pauseCaption;
    bool pauseButtonDown = false;
    std::string lostExp;      // DeLabel01
    std::string lostCount;    // DeLabel02
    std::string lostSeconds;  // DeLabel03
};

class ExpStats {
  public:
    ExpStats(LevelForecast& forecast, ExpPorts ports);

    // A live gain line. The clock starts before the amount is looked at, so a
    // line whose amount is missing or outside 32 bits still starts it; such a
    // line is then not counted and routing reports it.
    GainOutcome recordGain(std::optional<std::int64_t> amount);
    // A gain line met while a newly attached log is read in full: day totals only.
    void addDayGain(std::int64_t amount);
    // A log is attached, before its full read.
    void resetForAttach();
    // resetClicked: asks first; everything but the day figures back to 0.
    void resetByUser();
    // pauseClicked: pauses, or resumes and asks whether to merge the lost count.
    void togglePause();

    // A click on an interval menu item: the item's check mark toggles, then
    // setUpdateInterval or stopUpdates runs.
    void clickIntervalItem(IntervalItem item);
    // Start-up: restores the check mark from the settings without applying it.
    void restoreIntervalItem(std::optional<IntervalItem> item) { checkedItem_ = item; }
    std::optional<IntervalItem> checkedIntervalItem() const { return checkedItem_; }
    void setUpdateInterval(int seconds);
    void stopUpdates();

    // N22 "ステータスバーに時給を表示".
    void setStatusBarShown(bool shown) { statusBarShown_ = shown; }
    bool statusBarShown() const { return statusBarShown_; }
    // The attached log's path (CP932), restored to status panel 1.
    void setAttachedLogPath(std::string path) { attachedLogPath_ = std::move(path); }

    // onExpTick: the rate section, then the forecast section.
    void tick();

    std::int64_t hourlyRate() const { return hourlyRate_; }
    std::int64_t elapsedSeconds() const { return elapsedSeconds_; }
    bool paused() const { return paused_; }
    bool syncing() const { return syncing_; }
    bool timerRunning() const { return timerRunning_; }
    std::chrono::milliseconds tickPeriod() const { return tickPeriod_; }
    int chosenInterval() const { return chosenInterval_; }

    ExpStatsView view() const;

  private:
    bool rateSection();
    void forecastSection();
    void endPause();
    void startTimer();
    void stopTimer();
    void appendError(std::string_view text);

    LevelForecast& forecast_;
    ExpPorts ports_;

    std::int64_t elapsedSeconds_ = 0;
    std::int64_t gained_ = 0;
    std::int64_t gainCount_ = 0;
    std::int64_t averageGain_ = 0;
    std::int64_t hourlyRate_ = 0;
    std::int64_t maxHourly_ = 0;
    std::int64_t minHourly_ = 0;
    std::int64_t dayTotal_ = 0;
    std::int64_t dayPerHour_ = 0;
    std::int64_t dayCount_ = 0;
    std::int64_t accumulated_ = 0;
    std::int64_t hours_ = 0;
    std::int64_t minutes_ = 0;
    std::int64_t seconds_ = 0;
    bool paused_ = false;
    std::int64_t lostExp_ = 0;
    std::int64_t lostCount_ = 0;
    std::int64_t lostSeconds_ = 0;

    int chosenInterval_ = 1;
    std::chrono::milliseconds tickPeriod_{1000};
    bool timerRunning_ = false;
    bool syncing_ = false;
    int label02Seconds_ = 1;
    std::string label01_;
    Colour label01Colour_;
    std::optional<IntervalItem> checkedItem_ = IntervalItem::Seconds1;
    bool statusBarShown_ = false;
    std::string attachedLogPath_;
};

}  // namespace ruv
