#pragma once
// A command-line program's way to hear that it should stop.

namespace ruv::platform {

// While alive, notes a request to stop: SIGINT or SIGTERM on POSIX; Ctrl+C,
// Ctrl+Break or closing the console on Windows. One at a time.
class StopRequests {
  public:
    StopRequests();
    ~StopRequests();
    StopRequests(const StopRequests&) = delete;
    StopRequests& operator=(const StopRequests&) = delete;

    bool requested() const noexcept;
};

}  // namespace ruv::platform
