#pragma once
// Past-log tidying on the event loop: the log's earlier lines are sorted into
// the views in slices of a few milliseconds, so the window stays live.

#include <QObject>
#include <QTimer>

#include <chrono>
#include <optional>
#include <string>

#include "core/log/past_log_sort.h"

namespace ruv {

class PastLogTidy : public QObject {
    Q_OBJECT
  public:
    static constexpr std::chrono::milliseconds kSliceBudget{8};

    explicit PastLogTidy(QObject* parent = nullptr);

    // Sorts bytes into sink, one slice per turn of the event loop. A tidy
    // already running is cancelled first.
    void start(std::string bytes, PastLogSink& sink);
    // Stops at once: no further line reaches the sink, no signal follows.
    void cancel();
    bool running() const { return sort_.has_value(); }

  signals:
    // Every line is sorted.
    void finished();
    // The sink threw; tidying stopped there.
    void failed();

  private:
    void runSlice();

    std::optional<PastLogSort> sort_;
    PastLogSink* sink_ = nullptr;
    QTimer nextSlice_;
};

}  // namespace ruv
