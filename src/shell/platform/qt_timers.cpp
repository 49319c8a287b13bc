#include "shell/platform/qt_timers.h"

#include <QTimer>

namespace ruv {

namespace {

class QtTimer final : public platform::Timer {
  public:
    explicit QtTimer(std::function<void()> onTimeout) {
        timer_.setSingleShot(true);
        QObject::connect(&timer_, &QTimer::timeout, std::move(onTimeout));
    }
    void start(platform::Microseconds interval) override {
        // Qt counts whole milliseconds; a wait is never cut short.
        timer_.start(std::chrono::ceil<std::chrono::milliseconds>(interval));
    }
    void stop() override { timer_.stop(); }
    bool active() const override { return timer_.isActive(); }

  private:
    QTimer timer_;
};

}  // namespace

std::unique_ptr<platform::Timer> QtTimers::create(std::function<void()> onTimeout) {
    return std::make_unique<QtTimer>(std::move(onTimeout));
}

platform::Microseconds QtTimers::now() const {
    return std::chrono::duration_cast<platform::Microseconds>(
        std::chrono::nanoseconds{elapsed_.nsecsElapsed()});
}

}  // namespace ruv
