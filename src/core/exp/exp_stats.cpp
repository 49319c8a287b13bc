#include "core/exp/exp_stats.h"

#include <limits>

#include "core/exp/exp_texts.h"
#include "core/vocabulary/checked_math.h"

namespace ruv {

namespace {

namespace tx = exp_texts;

constexpr std::int64_t kSecondsPerHour = 3600;
constexpr std::int64_t kLastHourMark = 23 * kSecondsPerHour;

bool fitsInt32(std::int64_t value) {
    return value >= std::numeric_limits<std::int32_t>::min() &&
           value <= std::numeric_limits<std::int32_t>::max();
}

std::string text(std::int64_t value) {
    return std::to_string(value);
}

}  // namespace

int secondsOf(IntervalItem item) noexcept {
    switch (item) {
        case IntervalItem::Seconds1:
            return 1;
        case IntervalItem::Seconds5:
            return 5;
        case IntervalItem::Seconds10:
            return 10;
        case IntervalItem::Seconds30:
            return 30;
        case IntervalItem::Seconds60:
            return 60;
        case IntervalItem::Stop:
            break;
    }
    return 0;
}

ExpStats::ExpStats(LevelForecast& forecast, ExpPorts ports)
    : forecast_(forecast),
      ports_(ports),
      label01_(tx::kUpdateIntervalLabel),
      label01Colour_(kLabelBlack) {
    ports_.timer.setPeriod(tickPeriod_);
}

GainOutcome ExpStats::recordGain(std::optional<std::int64_t> amount) {
    if (!timerRunning_ && checkedItem_ != IntervalItem::Stop) {
        startTimer();
        elapsedSeconds_ = 0;
    }
    if (!amount || !fitsInt32(*amount)) {
        return GainOutcome::AmountNotANumber;
    }
    if (paused_) {
        lostExp_ = saturatingAdd(lostExp_, *amount);
        lostCount_ += 1;
        return GainOutcome::CountedAsLost;
    }
    dayTotal_ = saturatingAdd(dayTotal_, *amount);
    dayPerHour_ = dayTotal_ / 24;
    dayCount_ += 1;
    gained_ = saturatingAdd(gained_, *amount);
    accumulated_ = saturatingAdd(accumulated_, *amount);
    forecast_.applyGain(*amount);
    gainCount_ += 1;
    averageGain_ = gained_ / gainCount_;
    return GainOutcome::Counted;
}

void ExpStats::addDayGain(std::int64_t amount) {
    dayTotal_ = saturatingAdd(dayTotal_, amount);
    dayPerHour_ = dayTotal_ / 24;
    dayCount_ += 1;
}

void ExpStats::resetForAttach() {
    gained_ = gainCount_ = averageGain_ = hourlyRate_ = 0;
    maxHourly_ = minHourly_ = 0;
    dayTotal_ = dayPerHour_ = dayCount_ = 0;
    accumulated_ = 0;
    stopTimer();
    elapsedSeconds_ = hours_ = minutes_ = seconds_ = 0;
    if (paused_) {
        endPause();
    }
    forecast_.resetForAttach();
}

void ExpStats::resetByUser() {
    if (ports_.questions.ask(tx::kResetTitle, tx::kResetQuestion) == Answer::No) {
        return;
    }
    hourlyRate_ = maxHourly_ = minHourly_ = 0;
    gainCount_ = averageGain_ = gained_ = 0;
    hours_ = minutes_ = seconds_ = elapsedSeconds_ = 0;
    stopTimer();
    if (paused_) {
        endPause();
    }
    accumulated_ = 0;
    if (statusBarShown_) {
        ports_.statusBar.showPanels(tx::kAttachPanel, attachedLogPath_);
    }
    forecast_.clearInputError();
}

void ExpStats::togglePause() {
    if (!paused_) {
        paused_ = true;
        label01_ = tx::kPausedLabel;
        label01Colour_ = colours::kNotice;
        return;
    }
    if (lostExp_ > 0 &&
        ports_.questions.ask(tx::kLostMergeTitle, tx::kLostMergeQuestion) == Answer::Yes) {
        gained_ = saturatingAdd(gained_, lostExp_);
        gainCount_ += lostCount_;
        elapsedSeconds_ += lostSeconds_;
        dayTotal_ = saturatingAdd(dayTotal_, lostExp_);
        dayCount_ += lostCount_;
        averageGain_ = gained_ / gainCount_;
        dayPerHour_ = dayTotal_ / 24;
    }
    endPause();
}

void ExpStats::endPause() {
    paused_ = false;
    label01_ = tx::kUpdateIntervalLabel;
    label01Colour_ = kLabelBlack;
    lostExp_ = lostCount_ = lostSeconds_ = 0;
}

void ExpStats::clickIntervalItem(IntervalItem item) {
    checkedItem_ = item;  // the entries are one radio group: one is always checked
    if (item == IntervalItem::Stop) {
        stopUpdates();
    } else {
        setUpdateInterval(secondsOf(item));
    }
}

void ExpStats::setUpdateInterval(int seconds) {
    if (seconds <= 0) {
        return;
    }
    chosenInterval_ = seconds;
    syncing_ = true;
}

void ExpStats::stopUpdates() {
    if (checkedItem_ == IntervalItem::Stop) {
        stopTimer();
    }
}

void ExpStats::tick() {
    if (!rateSection()) {
        appendError(tx::kTickErrorText);
    }
    forecastSection();
}

bool ExpStats::rateSection() {
    const std::int64_t step = tickPeriod_.count() / 1000;
    if (!paused_) {
        elapsedSeconds_ += step;
    } else if (lostExp_ > 0) {
        lostSeconds_ += step;
        label01_ = std::string(tx::kLostCountingPrefix) + text(lostExp_) +
                   " CT:" + text(lostCount_) + " " + text(lostSeconds_) +
                   std::string(tx::kSecondsLabel);
        label01Colour_ = colours::kNotice;
    }
    if (!paused_) {
        const auto scaled = checkedScale(gained_, kSecondsPerHour);
        if (!scaled) {
            return false;
        }
        hourlyRate_ = *scaled / elapsedSeconds_;
    }
    if (elapsedSeconds_ > 0 && elapsedSeconds_ <= kLastHourMark &&
        elapsedSeconds_ % kSecondsPerHour == 0) {
        if (maxHourly_ < hourlyRate_) {
            maxHourly_ = hourlyRate_;
        }
        if (minHourly_ == 0) {
            minHourly_ = maxHourly_;
        } else if (minHourly_ > hourlyRate_) {
            minHourly_ = hourlyRate_;
        }
    }
    hours_ = elapsedSeconds_ / kSecondsPerHour;
    minutes_ = (elapsedSeconds_ - kSecondsPerHour * hours_) / 60;
    seconds_ = elapsedSeconds_ - kSecondsPerHour * hours_ - 60 * minutes_;

    if (elapsedSeconds_ % chosenInterval_ == 0) {
        const std::chrono::milliseconds period{std::int64_t{chosenInterval_} * 1000};
        if (period != tickPeriod_) {
            tickPeriod_ = period;
            ports_.timer.setPeriod(period);
        }
        label02Seconds_ = chosenInterval_;
        syncing_ = false;
    }

    if (statusBarShown_) {
        const std::string clock = text(hours_) + ":" + text(minutes_) + ":" + text(seconds_);
        const std::string figures = "CT:" + text(gainCount_) + std::string(tx::kStatusGainedLabel) +
                                    text(gained_) + std::string(tx::kStatusHourlyLabel) +
                                    text(hourlyRate_);
        ports_.statusBar.showPanels(clock, figures);
    } else {
        ports_.statusBar.showPanels(tx::kAttachPanel, attachedLogPath_);
    }
    return true;
}

void ExpStats::forecastSection() {
    if (forecast_.forecastTick(hourlyRate_) == ForecastOutcome::Failed && !paused_) {
        appendError(tx::kForecastErrorText);
    }
}

void ExpStats::startTimer() {
    if (!timerRunning_) {
        timerRunning_ = true;
        ports_.timer.start();
    }
}

void ExpStats::stopTimer() {
    if (timerRunning_) {
        timerRunning_ = false;
        ports_.timer.stop();
    }
}

void ExpStats::appendError(std::string_view fixedText) {
    ports_.errors.append(std::string(fixedText) + platform::formatDateTime(ports_.clock.now()));
}

ExpStatsView ExpStats::view() const {
    ExpStatsView v;
    v.elapsed = text(elapsedSeconds_);
    v.gained = text(gained_);
    v.gainCount = text(gainCount_);
    v.averageGain = text(averageGain_);
    v.hourlyRate = text(hourlyRate_);
    v.maxHourly = text(maxHourly_);
    v.minHourly = text(minHourly_);
    v.dayTotal = text(dayTotal_);
    v.dayPerHour = text(dayPerHour_);
    v.dayCount = text(dayCount_);
    v.accumulated = text(accumulated_);
    v.hours = text(hours_);
    v.minutes = text(minutes_);
    v.seconds = text(seconds_);
    v.label01 = label01_;
    v.label01Colour = label01Colour_;
    v.label02 = text(label02Seconds_) + std::string(tx::kSecondsLabel);
    v.label02Shown = !paused_;
    v.syncingShown = syncing_;
    v.pauseCaption = paused_ ? tx::kResumeCaption : tx::kPauseCaption;
    v.pauseButtonDown = paused_;
    v.lostExp = text(lostExp_);
    v.lostCount = text(lostCount_);
    v.lostSeconds = text(lostSeconds_);
    return v;
}

}  // namespace ruv
