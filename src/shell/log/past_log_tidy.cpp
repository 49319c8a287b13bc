#include "shell/log/past_log_tidy.h"

#include <QElapsedTimer>

#include <exception>

namespace ruv {

namespace {
// Lines between looks at the clock.
constexpr LineCount kLinesPerStep{256};
}  // namespace

PastLogTidy::PastLogTidy(QObject* parent) : QObject(parent) {
    nextSlice_.setSingleShot(true);
    nextSlice_.setInterval(0);
    connect(&nextSlice_, &QTimer::timeout, this, &PastLogTidy::runSlice);
}

void PastLogTidy::start(std::string bytes, PastLogSink& sink) {
    cancel();
    sort_.emplace(std::move(bytes));
    sink_ = &sink;
    nextSlice_.start();
}

void PastLogTidy::cancel() {
    nextSlice_.stop();
    sort_.reset();
    sink_ = nullptr;
}

void PastLogTidy::runSlice() {
    if (!sort_) {
        return;
    }
    QElapsedTimer elapsed;
    elapsed.start();
    SortProgress progress = SortProgress::More;
    try {
        do {
            progress = sort_->step(*sink_, kLinesPerStep);
        } while (progress == SortProgress::More && elapsed.elapsed() < kSliceBudget.count());
    } catch (const std::exception&) {
        cancel();
        emit failed();
        return;
    }
    if (progress == SortProgress::Done) {
        cancel();
        emit finished();
        return;
    }
    nextSlice_.start();
}

}  // namespace ruv
