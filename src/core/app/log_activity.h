#pragma once
// Whether the followed log is alive: when it last grew, and, once it has not
// grown for a while (the game closed or crashed), that it stopped. The status
// bar shows it beside its two panels; a quiet evening and a dead log look
// different.

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "core/log/log_session_ports.h"
#include "core/platform/clock.h"
#include "core/platform/timer.h"
#include "core/text/fixed_text.h"

namespace ruv {

// Around a time of day, H:mm:ss: "最終更新 21:04:13", "停止中 最終更新 21:04:13",
// and, for a log that has not grown since it was followed at that time,
// "21:04:13から更新待ち" and "停止中 21:04:13から更新なし".
inline const FixedText kLogGrewText{"最終更新 "};
inline const FixedText kLogStoppedText{"停止中 "};
inline const FixedText kLogWaitingText{"から更新待ち"};
inline const FixedText kLogNeverGrewText{"から更新なし"};

enum class LogLiveness {
    NotFollowing,  // no log is followed: nothing to say
    Waiting,       // followed, not grown since
    Alive,         // grew within the quiet limit
    Stopped,       // no growth for the quiet limit
};

struct LogActivityView {
    LogLiveness liveness = LogLiveness::NotFollowing;
    std::string text;  // CP932; empty while no log is followed

    friend bool operator==(const LogActivityView&, const LogActivityView&) = default;
};

class LogActivityDisplay {
  public:
    virtual ~LogActivityDisplay() = default;
    virtual void showActivity(const LogActivityView& view) = 0;
};

class LogActivity {
  public:
    // How long a log may stay quiet before it counts as stopped.
    static constexpr std::chrono::minutes kDefaultQuietLimit{5};

    LogActivity(const platform::Clock& clock, platform::Timers& timers,
                LogActivityDisplay& display);

    // A log is followed from now on (an attach, or the switch to the new day's log).
    void followed();
    // The followed log grew.
    void grew();
    // Nothing is followed any more.
    void unfollowed();

    // Takes effect from the next growth or follow.
    void setQuietLimit(platform::Microseconds limit) { quietLimit_ = limit; }
    const LogActivityView& view() const { return view_; }

  private:
    void quietLimitPassed();
    void show(LogLiveness liveness, std::string text);

    const platform::Clock& clock_;
    LogActivityDisplay& display_;
    std::unique_ptr<platform::Timer> quiet_;
    platform::Microseconds quietLimit_ = kDefaultQuietLimit;
    // When the log last grew, or when it was followed while it has not grown.
    platform::LocalDateTime since_;
    bool grown_ = false;
    LogActivityView view_;
};

// The followed log that tells the activity what it follows.
class ActivityFollowedLog final : public FollowedLog {
  public:
    ActivityFollowedLog(FollowedLog& log, LogActivity& activity) : log_(log), activity_(activity) {}
    void follow(const std::filesystem::path& log, ByteOffset consumed) override;
    void switchFile(const std::filesystem::path& log, ByteOffset consumed) override;
    void release() override;
    void catchUp() override { log_.catchUp(); }

  private:
    FollowedLog& log_;
    LogActivity& activity_;
};

}  // namespace ruv
