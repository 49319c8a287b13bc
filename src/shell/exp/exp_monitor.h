#pragma once
// The EXP monitor of the main window: ExpStats and LevelForecast with their
// ports, the two pages of the 経験値情報 tab, the tick of Timer01, the interval
// menu and N22, and the events of routing and attaching.

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <optional>
#include <string_view>

#include "core/exp/exp_stats.h"
#include "core/exp/hourly_exp.h"
#include "core/exp/level_forecast.h"
#include "core/log/log_session_ports.h"
#include "core/log/route_ports.h"
#include "core/platform/clock.h"
#include "core/platform/error_log.h"
#include "shell/exp/exp_monitor_controls.h"
#include "shell/exp/exp_pages.h"
#include "shell/exp/exp_port_adapters.h"
#include "shell/exp/hourly_exp_chart.h"

class QAction;

namespace ruv {

class UserMessages;

class ExpMonitor final : public QObject, public ExpEvents, public ExpAttachEvents {
    Q_OBJECT
  public:
    // Builds the pages; routing and attaching are given it as their EXP ports.
    ExpMonitor(const ExpMonitorControls& controls, const platform::Clock& clock,
               platform::ErrorLog& errors, UserMessages& messages, StatusBarPanels& statusBar);
    ~ExpMonitor() override;

    ExpStats& stats() { return stats_; }
    LevelForecast& forecast() { return forecast_; }
    ExpPages& pages() { return pages_; }
    // The day's EXP by hour: tidied gains by their stamp, live gains and
    // level-ups by the clock; emptied by an attach.
    const HourlyExp& hourlyExp() const { return hourly_; }
    // The グラフ page that shows hourlyExp(), made by the window; refreshed
    // with the other pages.
    void setHourlyChart(HourlyExpChart* chart);

    // --- Routing (live lines) ---
    // Starts the clock unless it runs or "停止" is checked; the gain that
    // follows no longer starts it.
    void StartExpClock() override;
    // Throws RouteError when the amount does not fit in 32 bits.
    void RecordGain(std::int64_t amount) override;
    // Throws RouteError when EXP is not a number.
    void RecordLevelUp() override;

    // --- Attaching ---
    void ResetForAttach() override;
    void AddDayGain(std::int64_t amount, std::string_view stamp) override;
    void AddTidiedLevelUp(std::string_view stamp) override;
    void SetAttachedLogPath(std::string_view cp932Path) override;

    // --- Handlers ---
    void onExpTick();
    void resetClicked();
    void pauseClicked();
    void onLevelChosen(int index);
    void onLayoutChosen(int index);
    // The EXP and correction fields as the user left them.
    void onExpEdited(const QString& text);
    void onCorrectionEdited(const QString& text);

    // --- Settings ---
    // UpDateTime: 0 checks "停止"; 1, 5, 10, 30 or 60 that entry; any other
    // value changes nothing. Only the mark: the interval in effect stays.
    void restoreIntervalSetting(int seconds);
    // The checked entry as saved: 0 for "停止"; empty while none is checked.
    std::optional<int> intervalSetting() const;
    // ExpMonitorLayoutList: selects the layout and applies it; false (and
    // nothing changed) for an index that names no layout.
    bool restoreLayoutIndex(int index);
    int layoutIndex() const;
    // StatusBar: the check of N22.
    void restoreStatusBarShown(bool shown);
    bool statusBarShown() const;

    // Shows every figure afresh.
    void refresh();

    // Shows what routing recorded since the last refresh; called when a slice
    // of lines has been routed.
    void flushRefresh();

  private:
    // Routing can record thousands of gains in one slice: the pages show them
    // once, when the slice has routed its lines (or on the next turn of the
    // event loop), rather than once a line.
    void refreshAfterRouting();

    void connectPages();
    void connectMenu();
    void intervalEntryChosen(IntervalItem item);
    void mirrorIntervalEntries();
    QAction* intervalEntry(IntervalItem item) const;

    QAction& rateInStatusBar_;
    std::array<IntervalEntry, 6> intervals_;
    const platform::Clock& clock_;
    QtTickTimer timer_;
    MessageBoxQuestions questions_;
    LevelForecast forecast_;
    ExpStats stats_;
    ExpPages pages_;
    HourlyExp hourly_;
    QPointer<HourlyExpChart> hourlyChart_;
    ExpLayout layout_ = ExpLayout::Layout01;
    QTimer refreshSoon_;
    bool refreshPending_ = false;
};

}  // namespace ruv
