#include "core/platform/timer.h"

#include <algorithm>
#include <utility>

namespace ruv::platform {

class ManualTimers::ManualTimer final : public Timer {
  public:
    ManualTimer(ManualTimers& owner, std::function<void()> onTimeout)
        : owner_(owner), onTimeout_(std::move(onTimeout)) {}
    ~ManualTimer() override { owner_.cancel(this); }

    void start(Microseconds interval) override { owner_.schedule(this, interval); }
    void stop() override { owner_.cancel(this); }
    bool active() const override { return owner_.scheduled(this); }
    void fire() { onTimeout_(); }

  private:
    ManualTimers& owner_;
    std::function<void()> onTimeout_;
};

std::unique_ptr<Timer> ManualTimers::create(std::function<void()> onTimeout) {
    return std::make_unique<ManualTimer>(*this, std::move(onTimeout));
}

void ManualTimers::schedule(ManualTimer* timer, Microseconds interval) {
    cancel(timer);
    pending_.push_back({timer, now_ + std::max(interval, Microseconds{0}), nextOrder_++});
}

void ManualTimers::cancel(const ManualTimer* timer) {
    std::erase_if(pending_, [timer](const Entry& entry) { return entry.timer == timer; });
}

bool ManualTimers::scheduled(const ManualTimer* timer) const {
    return std::ranges::any_of(pending_,
                               [timer](const Entry& entry) { return entry.timer == timer; });
}

bool ManualTimers::runFirstDueBy(Microseconds limit) {
    const auto first = std::ranges::min_element(pending_, [](const Entry& a, const Entry& b) {
        return a.due != b.due ? a.due < b.due : a.order < b.order;
    });
    if (first == pending_.end() || first->due > limit) {
        return false;
    }
    ManualTimer* timer = first->timer;
    now_ = std::max(now_, first->due);
    pending_.erase(first);
    timer->fire();
    return true;
}

void ManualTimers::advance(Microseconds by) {
    const Microseconds target = now_ + by;
    while (runFirstDueBy(target)) {
    }
    now_ = target;
}

bool ManualTimers::runNext() {
    return runFirstDueBy(now_);
}

}  // namespace ruv::platform
