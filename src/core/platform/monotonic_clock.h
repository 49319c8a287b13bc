#pragma once
// Elapsed time that only moves forward, behind a port so tests can drive it.

#include <chrono>

namespace ruv::platform {

class MonotonicClock {
  public:
    virtual ~MonotonicClock() = default;
    virtual std::chrono::nanoseconds now() const = 0;
};

// The machine's steady clock.
class SteadyClock final : public MonotonicClock {
  public:
    std::chrono::nanoseconds now() const override {
        return std::chrono::duration_cast<std::chrono::nanoseconds>(
            std::chrono::steady_clock::now().time_since_epoch());
    }
};

}  // namespace ruv::platform
