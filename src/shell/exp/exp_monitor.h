#pragma once
// The EXP monitor of the main window: the pages of the 経験値情報 tab over the
// session's EXP figures, the tick of Timer01, the interval menu and N22.

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <optional>
#include <string_view>

#include "core/exp/exp_session.h"
#include "shell/exp/exp_monitor_controls.h"
#include "shell/exp/exp_pages.h"
#include "shell/exp/hourly_exp_chart.h"

class QAction;

namespace ruv {

// The session's notice that the EXP figures changed, as a Qt signal: the EXP
// monitor that shows them is made after the session.
class ExpRefreshSignal final : public QObject, public ExpNotices {
    Q_OBJECT
  public:
    void figuresChanged(ExpRefresh when) override { emit changed(when); }

  signals:
    void changed(ruv::ExpRefresh when);
};

class ExpMonitor final : public QObject {
    Q_OBJECT
  public:
    // Builds the pages over the session's EXP figures, and shows them when the
    // session says they changed.
    ExpMonitor(const ExpMonitorControls& controls, ExpSession& session,
               ExpRefreshSignal& refreshes);
    ~ExpMonitor() override;

    ExpStats& stats() { return session_.stats(); }
    LevelForecast& forecast() { return session_.forecast(); }
    ExpPages& pages() { return pages_; }
    // The day's EXP by hour: tidied gains by their stamp, live gains and
    // level-ups by the clock; emptied by an attach.
    const HourlyExp& hourlyExp() const { return session_.hourly(); }
    // The グラフ page that shows hourlyExp(), made by the window; refreshed
    // with the other pages.
    void setHourlyChart(HourlyExpChart* chart);

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
    ExpSession& session_;
    ExpPages pages_;
    QPointer<HourlyExpChart> hourlyChart_;
    ExpLayout layout_ = ExpLayout::Layout01;
    QTimer refreshSoon_;
    bool refreshPending_ = false;
};

}  // namespace ruv
