#include "core/exp/exp_session.h"

#include <optional>
#include <string>

#include "core/log/route_line.h"

namespace ruv {

ExpSession::ExpSession(const ExpPorts& ports, ExpNotices& notices)
    : notices_(notices), stats_(forecast_, ports) {}

void ExpSession::StartExpClock() {
    // An absent amount only starts the clock; the amount follows in RecordGain.
    stats_.recordGain(std::nullopt);
    notices_.figuresChanged(ExpRefresh::AfterSlice);
}

void ExpSession::RecordGain(std::int64_t amount, std::string_view stamp) {
    const GainOutcome outcome = stats_.recordGain(amount);
    // Gains during a pause were still gained in that hour.
    if (outcome != GainOutcome::AmountNotANumber) {
        hourly_.addGain(ChartLine::Live, stamp, amount);
    }
    notices_.figuresChanged(ExpRefresh::AfterSlice);
    if (outcome == GainOutcome::AmountNotANumber) {
        throw RouteError("experience gain amount does not fit in 32 bits");
    }
}

void ExpSession::RecordLevelUp(std::string_view stamp) {
    const LevelUpOutcome outcome = forecast_.recordLevelUp();
    hourly_.addLevelUp(ChartLine::Live, stamp, forecast_.level());
    notices_.figuresChanged(ExpRefresh::AfterSlice);
    if (outcome == LevelUpOutcome::ExpNotANumber) {
        throw RouteError("level-up with an EXP that is not a number");
    }
}

void ExpSession::ResetForAttach() {
    stats_.resetForAttach();
    hourly_.reset();
    notices_.figuresChanged(ExpRefresh::Now);
}

void ExpSession::AddDayGain(std::int64_t amount, std::string_view stamp) {
    stats_.addDayGain(amount);
    hourly_.addGain(ChartLine::Tidied, stamp, amount);
    notices_.figuresChanged(ExpRefresh::Now);
}

void ExpSession::AddTidiedLevelUp(std::string_view stamp) {
    hourly_.addLevelUp(ChartLine::Tidied, stamp);
    notices_.figuresChanged(ExpRefresh::Now);
}

void ExpSession::StartNewDayChart() {
    hourly_.reset();
    notices_.figuresChanged(ExpRefresh::Now);
}

void ExpSession::SetAttachedLogPath(std::string_view cp932Path) {
    stats_.setAttachedLogPath(std::string(cp932Path));
}

}  // namespace ruv
