#include "shell/exp/exp_monitor.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTimer>

#include <array>

#include "core/exp/exp_key_filters.h"
#include "core/log/route_line.h"
#include "core/text/cp932.h"
#include "core/views/tab_rules.h"
#include "shell/exp/exp_key_filter.h"

namespace ruv {

namespace {

std::optional<IntervalItem> intervalItemOf(int seconds) {
    for (const IntervalItem item :
         {IntervalItem::Stop, IntervalItem::Seconds1, IntervalItem::Seconds5,
          IntervalItem::Seconds10, IntervalItem::Seconds30, IntervalItem::Seconds60}) {
        if (secondsOf(item) == seconds) {
            return item;
        }
    }
    return std::nullopt;
}

bool acceptsExp(char32_t typed) noexcept {
    return acceptsExpKey(typed);
}

bool acceptsCorrection(char32_t typed) noexcept {
    return acceptsCorrectionKey(typed);
}

// What the user typed, as CP932; text the field's validator would refuse reads
// as empty, which the forecast treats as not a number.
std::string cp932Of(const QString& text) {
    return cp932::fromUtf16(text.toStdU16String()).value_or(std::string{});
}

}  // namespace

ExpMonitor::ExpMonitor(const ExpMonitorControls& controls, const platform::Clock& clock,
                       platform::ErrorLog& errors, UserMessages& messages,
                       StatusBarPanels& statusBar)
    : rateInStatusBar_(controls.rateInStatusBar),
      intervals_(controls.intervals),
      clock_(clock),
      timer_(controls.tickTimer),
      questions_(messages),
      stats_(forecast_, ExpPorts{clock, timer_, errors, questions_, statusBar}),
      pages_(controls.basicPage, controls.extendedPage, controls.storagePage,
             controls.syncingLabel) {
    connectPages();
    connectMenu();
    connect(&controls.tickTimer, &QTimer::timeout, this, &ExpMonitor::onExpTick);
    refreshSoon_.setSingleShot(true);
    refreshSoon_.setInterval(0);
    connect(&refreshSoon_, &QTimer::timeout, this, &ExpMonitor::flushRefresh);
    refresh();
}

ExpMonitor::~ExpMonitor() = default;

void ExpMonitor::connectPages() {
    connect(pages_.pauseButton(), &QPushButton::clicked, this, &ExpMonitor::pauseClicked);
    connect(pages_.resetButton(), &QPushButton::clicked, this, &ExpMonitor::resetClicked);
    connect(pages_.levelList(), &QComboBox::currentIndexChanged, this, &ExpMonitor::onLevelChosen);
    connect(pages_.layoutList(), &QComboBox::currentIndexChanged, this,
            &ExpMonitor::onLayoutChosen);
    connect(pages_.expEdit(), &QLineEdit::textEdited, this, &ExpMonitor::onExpEdited);
    connect(pages_.correctionEdit(), &QLineEdit::textEdited, this, &ExpMonitor::onCorrectionEdited);
    pages_.expEdit()->installEventFilter(new TypedKeyFilter(&acceptsExp, pages_.expEdit()));
    pages_.correctionEdit()->installEventFilter(
        new TypedKeyFilter(&acceptsCorrection, pages_.correctionEdit()));
}

void ExpMonitor::connectMenu() {
    for (const IntervalEntry& entry : intervals_) {
        connect(entry.action, &QAction::triggered, this,
                [this, item = entry.item] { intervalEntryChosen(item); });
    }
    stats_.setStatusBarShown(rateInStatusBar_.isChecked());
    connect(&rateInStatusBar_, &QAction::toggled, this,
            [this](bool shown) { stats_.setStatusBarShown(shown); });
    mirrorIntervalEntries();
}

QAction* ExpMonitor::intervalEntry(IntervalItem item) const {
    for (const IntervalEntry& entry : intervals_) {
        if (entry.item == item) {
            return entry.action;
        }
    }
    return nullptr;
}

void ExpMonitor::intervalEntryChosen(IntervalItem item) {
    stats_.clickIntervalItem(item);
    mirrorIntervalEntries();
    refresh();
}

void ExpMonitor::mirrorIntervalEntries() {
    const std::optional<IntervalItem> checked = stats_.checkedIntervalItem();
    for (const IntervalEntry& entry : intervals_) {
        entry.action->setChecked(checked == entry.item);
    }
}

void ExpMonitor::refresh() {
    refreshPending_ = false;
    refreshSoon_.stop();
    pages_.show(stats_.view(), forecast_);
    if (hourlyChart_) {
        hourlyChart_->refresh();
    }
}

void ExpMonitor::setHourlyChart(HourlyExpChart* chart) {
    hourlyChart_ = chart;
    refresh();
}

void ExpMonitor::refreshAfterRouting() {
    if (!refreshPending_) {
        refreshPending_ = true;
        refreshSoon_.start();
    }
}

void ExpMonitor::flushRefresh() {
    if (refreshPending_) {
        refresh();
    }
}

// --- Routing -------------------------------------------------------------

void ExpMonitor::StartExpClock() {
    // An absent amount only starts the clock; the amount follows in RecordGain.
    stats_.recordGain(std::nullopt);
    refreshAfterRouting();
}

void ExpMonitor::RecordGain(std::int64_t amount) {
    const GainOutcome outcome = stats_.recordGain(amount);
    // Gains during a pause were still gained in that hour.
    if (outcome != GainOutcome::AmountNotANumber) {
        hourly_.addLiveGain(clock_.now(), amount);
    }
    refreshAfterRouting();
    if (outcome == GainOutcome::AmountNotANumber) {
        throw RouteError("experience gain amount does not fit in 32 bits");
    }
}

void ExpMonitor::RecordLevelUp() {
    const LevelUpOutcome outcome = forecast_.recordLevelUp();
    hourly_.addLiveLevelUp(clock_.now());
    refreshAfterRouting();
    if (outcome == LevelUpOutcome::ExpNotANumber) {
        throw RouteError("level-up with an EXP that is not a number");
    }
}

// --- Attaching -----------------------------------------------------------

void ExpMonitor::ResetForAttach() {
    stats_.resetForAttach();
    hourly_.reset();
    refresh();
}

void ExpMonitor::AddDayGain(std::int64_t amount, std::string_view stamp) {
    stats_.addDayGain(amount);
    hourly_.addTidiedGain(stamp, amount);
    refresh();
}

void ExpMonitor::AddTidiedLevelUp(std::string_view stamp) {
    hourly_.addTidiedLevelUp(stamp);
    refresh();
}

void ExpMonitor::SetAttachedLogPath(std::string_view cp932Path) {
    stats_.setAttachedLogPath(std::string(cp932Path));
}

// --- Handlers ------------------------------------------------------------

void ExpMonitor::onExpTick() {
    stats_.tick();
    refresh();
}

void ExpMonitor::resetClicked() {
    stats_.resetByUser();
    refresh();
}

void ExpMonitor::pauseClicked() {
    stats_.togglePause();
    refresh();
}

void ExpMonitor::onLevelChosen(int index) {
    forecast_.selectLevel(index);
    refresh();
}

void ExpMonitor::onLayoutChosen(int index) {
    if (const auto layout = expLayoutFromIndex(index)) {
        layout_ = *layout;
        pages_.arrange(layout_);
    }
}

void ExpMonitor::onExpEdited(const QString& text) {
    forecast_.setExpText(cp932Of(text));
}

void ExpMonitor::onCorrectionEdited(const QString& text) {
    forecast_.setCorrectionText(cp932Of(text));
}

// --- Settings ------------------------------------------------------------

void ExpMonitor::restoreIntervalSetting(int seconds) {
    if (const auto item = intervalItemOf(seconds)) {
        stats_.restoreIntervalItem(item);
        mirrorIntervalEntries();
    }
}

std::optional<int> ExpMonitor::intervalSetting() const {
    if (const auto item = stats_.checkedIntervalItem()) {
        return secondsOf(*item);
    }
    return std::nullopt;
}

bool ExpMonitor::restoreLayoutIndex(int index) {
    if (!expLayoutFromIndex(index)) {
        return false;
    }
    {
        const QSignalBlocker quiet(pages_.layoutList());
        pages_.layoutList()->setCurrentIndex(index);
    }
    onLayoutChosen(index);
    return true;
}

int ExpMonitor::layoutIndex() const {
    return indexOf(layout_);
}

void ExpMonitor::restoreStatusBarShown(bool shown) {
    rateInStatusBar_.setChecked(shown);
}

bool ExpMonitor::statusBarShown() const {
    return stats_.statusBarShown();
}

}  // namespace ruv
