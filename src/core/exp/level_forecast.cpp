#include "core/exp/level_forecast.h"

#include <limits>

#include "core/exp/exp_correction.h"
#include "core/exp/exp_texts.h"
#include "core/exp/level_tables.h"
#include "core/vocabulary/checked_math.h"

namespace ruv {

namespace {

namespace tx = exp_texts;

std::optional<std::int64_t> readExp(std::string_view text) {
    return parseDecimal(text, false);
}

// Seconds until `remaining` EXP are earned at `hourlyRate` EXP an hour.
std::optional<std::int64_t> secondsFor(std::int64_t remaining, std::int64_t hourlyRate) {
    const auto scaled = checkedScale(remaining, 3600);
    if (!scaled) {
        return std::nullopt;
    }
    return *scaled / hourlyRate;
}

std::string forecastText(std::string_view prefix, std::int64_t t) {
    const std::int64_t d = t / 86400;
    const std::int64_t h = (t - 86400 * d) / 3600;
    const std::int64_t m = (t - 86400 * d - 3600 * h) / 60;
    const std::int64_t s = t - 86400 * d - 3600 * h - 60 * m;
    std::string out(prefix);
    out += std::to_string(d);
    out += tx::kDaysUnit;
    out += std::to_string(h);
    out += tx::kHoursUnit;
    out += std::to_string(m);
    out += tx::kMinutesUnit;
    out += std::to_string(s);
    out += tx::kSecondsUnit;
    return out;
}

}  // namespace

LevelForecast::LevelForecast()
    : nextForecast_(tx::kNextExpInitial), limitForecast_(tx::kLimitExpInitial) {}

void LevelForecast::selectLevel(int index) {
    if (index < 0 || index > kMaxLevel) {
        level_.reset();
        return;
    }
    level_ = index;
    nextExp_ = nextExpOfLevel(index);
    limitExp_ = limitExpOfLevel(index);
}

void LevelForecast::applyGain(std::int64_t amount) {
    const auto exp = readExp(expText_);
    const auto correction = correctionFor(correctionText_, amount);
    std::optional<std::int64_t> total;
    if (exp && correction) {
        if (const auto withGain = checkedAdd(*exp, amount)) {
            total = checkedAdd(*withGain, *correction);
        }
    }
    if (!total) {
        showInputError();
        return;
    }
    expText_ = std::to_string(*total);
    clearInputError();
}

LevelUpOutcome LevelForecast::recordLevelUp() {
    const auto exp = readExp(expText_);
    if (!exp) {
        return LevelUpOutcome::ExpNotANumber;
    }
    // At or above NextEXP the surplus carries over; below it nothing does.
    expText_ = std::to_string(*exp >= nextExp_ ? *exp - nextExp_ : 0);
    selectLevel(level_ ? *level_ + 1 : 0);
    return LevelUpOutcome::Applied;
}

ForecastOutcome LevelForecast::forecastTick(std::int64_t hourlyRate) {
    if (hourlyRate == 0) {
        return ForecastOutcome::NoRate;
    }
    const auto exp = readExp(expText_);
    if (!exp || *exp < std::numeric_limits<std::int64_t>::min() / 2 ||
        *exp > std::numeric_limits<std::int64_t>::max() / 2) {
        return ForecastOutcome::Failed;
    }
    const auto toNext = secondsFor(nextExp_ - *exp, hourlyRate);
    if (!toNext) {
        return ForecastOutcome::Failed;
    }
    nextForecast_ = forecastText(tx::kNextExpOverPrefix, *toNext);
    const auto toLimit = secondsFor(limitExp_ - *exp, hourlyRate);
    if (!toLimit) {
        return ForecastOutcome::Failed;
    }
    limitForecast_ = forecastText(tx::kLimitExpOverPrefix, *toLimit);
    if (nextExp_ < *exp) {
        nextForecast_ = tx::kNextExpOverNotice;
        nextForecastColour_ = colours::kNotice;
    } else {
        nextForecastColour_ = kLabelBlack;
    }
    return ForecastOutcome::Written;
}

void LevelForecast::resetForAttach() {
    correctionText_ = "0";
    expText_ = "0";
    nextForecast_ = tx::kNextExpInitial;
    nextForecastColour_ = kLabelBlack;
    limitForecast_ = tx::kLimitExpInitial;
    clearInputError();
}

void LevelForecast::clearInputError() {
    inputError_ = false;
}

void LevelForecast::showInputError() {
    correctionText_ = "0";
    expText_ = "0";
    inputError_ = true;
}

std::string_view LevelForecast::notice() const {
    return inputError_ ? tx::kInputErrorNotice : tx::kForecastHeading;
}

Colour LevelForecast::noticeColour() const {
    return inputError_ ? colours::kNotice : kLabelBlack;
}

}  // namespace ruv
