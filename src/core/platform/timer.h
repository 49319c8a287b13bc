#pragma once
// Waits and slices of work on the event loop, behind a port: the shell runs
// them on its event loop, tests on a clock that moves only when told.

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace ruv::platform {

using Microseconds = std::chrono::microseconds;

// A single-shot timer. Its callback runs on the thread of the event loop,
// never inside start().
class Timer {
  public:
    virtual ~Timer() = default;
    // (Re)starts: the callback runs once, interval from now. A zero interval
    // runs it on the next turn of the event loop.
    virtual void start(Microseconds interval) = 0;
    virtual void stop() = 0;
    virtual bool active() const = 0;
};

class Timers {
  public:
    virtual ~Timers() = default;
    virtual std::unique_ptr<Timer> create(std::function<void()> onTimeout) = 0;
    // A steady time for measuring slices of work; only differences count.
    virtual Microseconds now() const = 0;
};

// Timers on a clock that moves only when told. Must outlive its timers.
class ManualTimers final : public Timers {
  public:
    std::unique_ptr<Timer> create(std::function<void()> onTimeout) override;
    Microseconds now() const override { return now_; }

    // Moves the clock on by `by`, running every timer that falls due on the
    // way, in order of due time (started earlier first on a tie), including
    // timers their callbacks start.
    void advance(Microseconds by);
    // Runs the one timer due first, if any is due now: one turn of the loop.
    bool runNext();

  private:
    class ManualTimer;
    struct Entry {
        ManualTimer* timer;
        Microseconds due;
        std::uint64_t order;
    };
    void schedule(ManualTimer* timer, Microseconds interval);
    void cancel(const ManualTimer* timer);
    bool scheduled(const ManualTimer* timer) const;
    bool runFirstDueBy(Microseconds limit);

    Microseconds now_{0};
    std::uint64_t nextOrder_ = 0;
    std::vector<Entry> pending_;
};

}  // namespace ruv::platform
