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

ExpMonitor::ExpMonitor(const ExpMonitorControls& controls, ExpSession& session,
                       ExpRefreshSignal& refreshes)
    : rateInStatusBar_(controls.rateInStatusBar),
      intervals_(controls.intervals),
      session_(session),
      pages_(controls.basicPage, controls.extendedPage, controls.storagePage,
             controls.syncingLabel) {
    connectPages();
    connectMenu();
    connect(&refreshes, &ExpRefreshSignal::changed, this, [this](ExpRefresh when) {
        if (when == ExpRefresh::AfterSlice) {
            refreshAfterRouting();
        } else {
            refresh();
        }
    });
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
    session_.stats().setStatusBarShown(rateInStatusBar_.isChecked());
    connect(&rateInStatusBar_, &QAction::toggled, this,
            [this](bool shown) { session_.stats().setStatusBarShown(shown); });
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
    session_.stats().clickIntervalItem(item);
    mirrorIntervalEntries();
    refresh();
}

void ExpMonitor::mirrorIntervalEntries() {
    const std::optional<IntervalItem> checked = session_.stats().checkedIntervalItem();
    for (const IntervalEntry& entry : intervals_) {
        entry.action->setChecked(checked == entry.item);
    }
}

void ExpMonitor::refresh() {
    refreshPending_ = false;
    refreshSoon_.stop();
    pages_.show(session_.stats().view(), session_.forecast());
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

// --- Handlers ------------------------------------------------------------

void ExpMonitor::onExpTick() {
    session_.stats().tick();
    refresh();
}

void ExpMonitor::resetClicked() {
    session_.stats().resetByUser();
    refresh();
}

void ExpMonitor::pauseClicked() {
    session_.stats().togglePause();
    refresh();
}

void ExpMonitor::onLevelChosen(int index) {
    session_.forecast().selectLevel(index);
    refresh();
}

void ExpMonitor::onLayoutChosen(int index) {
    if (const auto layout = expLayoutFromIndex(index)) {
        layout_ = *layout;
        pages_.arrange(layout_);
    }
}

void ExpMonitor::onExpEdited(const QString& text) {
    session_.forecast().setExpText(cp932Of(text));
}

void ExpMonitor::onCorrectionEdited(const QString& text) {
    session_.forecast().setCorrectionText(cp932Of(text));
}

// --- Settings ------------------------------------------------------------

void ExpMonitor::restoreIntervalSetting(int seconds) {
    if (const auto item = intervalItemOf(seconds)) {
        session_.stats().restoreIntervalItem(item);
        mirrorIntervalEntries();
    }
}

std::optional<int> ExpMonitor::intervalSetting() const {
    if (const auto item = session_.stats().checkedIntervalItem()) {
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
    return session_.stats().statusBarShown();
}

}  // namespace ruv
