#include "shell/log/live_log.h"
#include "shell/platform/qt_text.h"

#include <QString>

namespace ruv {
namespace {}  // namespace

LiveLog::LiveLog(LineSink& sink, const platform::FileOpener& files, platform::ErrorLog& errors,
                 const platform::Clock& clock, QObject* parent)
    : QObject(parent), reader_(tail_, sink, files, errors, clock) {
    reader_.setTimeBudget(sliceClock_, kSliceTimeBudget);
    nextSlice_.setSingleShot(true);
    nextSlice_.setInterval(0);
    connect(&nextSlice_, &QTimer::timeout, this, &LiveLog::runSlice);
    connect(&watcher_, &LogWatcher::sizeMayHaveChanged, this, &LiveLog::scheduleSlice);
}

void LiveLog::attach(const std::filesystem::path& path, ByteOffset consumed) {
    tail_.attach(path, consumed);
    sizeReported_ = false;
    watcher_.watch(toQString(path));
}

void LiveLog::switchFile(const std::filesystem::path& path, ByteOffset consumed) {
    tail_.attach(path, consumed);
    sizeReported_ = false;
    watcher_.watch(toQString(path));
    scheduleSlice();
}

void LiveLog::release() {
    watcher_.release();
    nextSlice_.stop();
    tail_.detach();
}

SliceResult LiveLog::catchUp() {
    nextSlice_.stop();
    SliceResult last = readAndReport();
    while (last.status == SliceStatus::MoreWaiting) {
        last = readAndReport();
    }
    return last;
}

void LiveLog::scheduleSlice() {
    if (!nextSlice_.isActive()) {
        nextSlice_.start();
    }
}

void LiveLog::runSlice() {
    const SliceResult result = readAndReport();
    if (result.status == SliceStatus::MoreWaiting || result.status == SliceStatus::Reattached) {
        scheduleSlice();
    }
}

SliceResult LiveLog::readAndReport() {
    const SliceResult result = reader_.readSlice();
    if (result.status == SliceStatus::SizeUnavailable) {
        if (!sizeReported_) {
            sizeReported_ = true;
            emit sizeUnavailable();
        }
        return result;
    }
    sizeReported_ = false;
    if (result.routed.value > 0) {
        emit linesRouted(result.routed.value);
    }
    return result;
}

}  // namespace ruv
