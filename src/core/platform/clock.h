#pragma once
// The local date and time, behind a port so tests can set it.

#include <compare>
#include <string>

namespace ruv::platform {

struct LocalDateTime {
    int year = 2000;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;

    friend constexpr auto operator<=>(const LocalDateTime&, const LocalDateTime&) = default;
};

class Clock {
  public:
    virtual ~Clock() = default;
    virtual LocalDateTime now() const = 0;
};

// The machine's local time.
class SystemClock final : public Clock {
  public:
    LocalDateTime now() const override;
};

// A clock that shows what it was set to.
class ManualClock final : public Clock {
  public:
    explicit ManualClock(LocalDateTime time = {}) : time_(time) {}
    void set(LocalDateTime time) { time_ = time; }
    LocalDateTime now() const override { return time_; }

  private:
    LocalDateTime time_;
};

// "yyyy/MM/dd H:mm:ss": the hour without a leading zero.
std::string formatDateTime(const LocalDateTime& time);

}  // namespace ruv::platform
