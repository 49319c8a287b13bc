#pragma once
// The live log as the followed log of the log session.

#include "core/log/log_session_ports.h"
#include "shell/log/live_log.h"

namespace ruv {

class LiveLogFollower final : public FollowedLog {
  public:
    explicit LiveLogFollower(LiveLog& live) : live_(live) {}
    void follow(const std::filesystem::path& log, ByteOffset consumed) override {
        live_.attach(log, consumed);
    }
    void switchFile(const std::filesystem::path& log, ByteOffset consumed) override {
        live_.switchFile(log, consumed);
    }
    void release() override { live_.release(); }
    void catchUp() override { live_.catchUp(); }

  private:
    LiveLog& live_;
};

}  // namespace ruv
