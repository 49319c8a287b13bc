#pragma once
// The core's timer port on the Qt event loop.

#include <QElapsedTimer>

#include "core/platform/timer.h"

namespace ruv {

class QtTimers final : public platform::Timers {
  public:
    QtTimers() { elapsed_.start(); }
    std::unique_ptr<platform::Timer> create(std::function<void()> onTimeout) override;
    platform::Microseconds now() const override;

  private:
    QElapsedTimer elapsed_;
};

}  // namespace ruv
