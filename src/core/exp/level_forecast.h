#pragma once
// The next-level forecast of the extended page: level, NextEXP, LimitEXP, the
// player's EXP with its correction, and the two forecast texts.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/lines/chat_format.h"

namespace ruv {

inline constexpr Colour kLabelBlack{0x000000};

enum class ForecastOutcome {
    Written,  // both texts rewritten
    NoRate,   // hourly rate 0: texts keep their last value
    Failed,   // EXP is not a number or out of range: texts unchanged
};

enum class LevelUpOutcome { Applied, ExpNotANumber };

class LevelForecast {
  public:
    LevelForecast();

    // onLevelChosen. index -1 means no entry selected; NextEXP and
    // LimitEXP then keep their values.
    void selectLevel(int index);
    std::optional<int> level() const { return level_; }
    std::int32_t nextExp() const { return nextExp_; }
    std::int32_t limitExp() const { return limitExp_; }
    std::string nextExpText() const { return std::to_string(nextExp_); }
    std::string limitExpText() const { return std::to_string(limitExp_); }

    // The user's edits of ExpLabeledEdit01 and HoseiLabeledEdit01 (CP932 text).
    void setExpText(std::string text) { expText_ = std::move(text); }
    void setCorrectionText(std::string text) { correctionText_ = std::move(text); }
    const std::string& expText() const { return expText_; }
    const std::string& correctionText() const { return correctionText_; }

    // A live gain outside a pause: EXP += amount + trunc(c × amount ÷ 100).
    // EXP or correction not a number: both become "0" and the notice turns red.
    void applyGain(std::int64_t amount);
    // A "レベルアップしました！" line: carries EXP over and moves to the next level.
    LevelUpOutcome recordLevelUp();
    // Recomputes both forecast texts from the hourly rate.
    ForecastOutcome forecastTick(std::int64_t hourlyRate);
    void resetForAttach();
    void clearInputError();

    // NextLv01: the heading in black or the input-error notice in red.
    std::string_view notice() const;
    Colour noticeColour() const;
    // NextLvTimer01 and NextLvTimer02.
    const std::string& nextForecastText() const { return nextForecast_; }
    Colour nextForecastColour() const { return nextForecastColour_; }
    const std::string& limitForecastText() const { return limitForecast_; }

  private:
    void showInputError();

    std::optional<int> level_ = 0;
    std::int32_t nextExp_ = 0;
    std::int32_t limitExp_ = 0;
    std::string expText_ = "0";
    std::string correctionText_ = "0";
    bool inputError_ = false;
    std::string nextForecast_;
    Colour nextForecastColour_ = kLabelBlack;
    std::string limitForecast_;
};

}  // namespace ruv
