#include "core/app/log_activity.h"

#include <array>
#include <cstdio>

namespace ruv {

namespace {

// "H:mm:ss", as the error log writes its times.
std::string timeOfDay(const platform::LocalDateTime& time) {
    std::array<char, 16> buffer{};
    const int n = std::snprintf(buffer.data(), buffer.size(), "%d:%02d:%02d", time.hour,
                                time.minute, time.second);
    return std::string(buffer.data(), static_cast<std::size_t>(n > 0 ? n : 0));
}

}  // namespace

LogActivity::LogActivity(const platform::Clock& clock, platform::Timers& timers,
                         LogActivityDisplay& display)
    : clock_(clock), display_(display), quiet_(timers.create([this] { quietLimitPassed(); })) {}

void LogActivity::followed() {
    since_ = clock_.now();
    grown_ = false;
    quiet_->start(quietLimit_);
    show(LogLiveness::Waiting, timeOfDay(since_) + std::string(kLogWaitingText));
}

void LogActivity::grew() {
    if (view_.liveness == LogLiveness::NotFollowing) {
        return;
    }
    since_ = clock_.now();
    grown_ = true;
    quiet_->start(quietLimit_);
    show(LogLiveness::Alive, std::string(kLogGrewText) + timeOfDay(since_));
}

void LogActivity::unfollowed() {
    quiet_->stop();
    show(LogLiveness::NotFollowing, {});
}

void LogActivity::quietLimitPassed() {
    std::string text(kLogStoppedText);
    if (grown_) {
        text += kLogGrewText;
        text += timeOfDay(since_);
    } else {
        text += timeOfDay(since_);
        text += kLogNeverGrewText;
    }
    show(LogLiveness::Stopped, std::move(text));
}

void LogActivity::show(LogLiveness liveness, std::string text) {
    LogActivityView next{liveness, std::move(text)};
    if (next == view_) {
        return;
    }
    view_ = std::move(next);
    display_.showActivity(view_);
}

void ActivityFollowedLog::follow(const std::filesystem::path& log, ByteOffset consumed) {
    log_.follow(log, consumed);
    activity_.followed();
}

void ActivityFollowedLog::switchFile(const std::filesystem::path& log, ByteOffset consumed) {
    log_.switchFile(log, consumed);
    activity_.followed();
}

void ActivityFollowedLog::release() {
    log_.release();
    activity_.unfollowed();
}

}  // namespace ruv
