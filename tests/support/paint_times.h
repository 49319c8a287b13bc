#pragma once
// When a widget is painted, for the tests that measure how long the window goes
// without a repaint.

#include <QEvent>
#include <QObject>

#include <chrono>
#include <vector>

namespace ruv::testing {

using PaintClock = std::chrono::steady_clock;

inline double millisecondsBetween(PaintClock::time_point from, PaintClock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// Install as an event filter on the widget whose repaints count.
class PaintTimes : public QObject {
  public:
    std::vector<PaintClock::time_point> times;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            times.push_back(PaintClock::now());
        }
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace ruv::testing
